// The connection to the program's database, reached by the name of its location
// ("Lumeno"). The database is one SQLite file, lumeno.db, in the data directory that
// the location names. A directory without it gets a new, empty database; a file of that
// name that is not a Lumeno database is refused and left untouched (told apart by its
// header, read without the database engine). A database of an older schema is brought
// up to date when it opens.
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace lumeno {

class LocalizacoesBanco;

class Conexao {
public:
    static inline const QString nomeArquivo = QStringLiteral("lumeno.db");

    // `localizacoes` resolves `nomeBanco` to the data directory each time the
    // connection opens.
    explicit Conexao(const LocalizacoesBanco& localizacoes,
                     QString nomeBanco = QStringLiteral("Lumeno"));
    ~Conexao();
    Conexao(const Conexao&) = delete;
    Conexao& operator=(const Conexao&) = delete;

    // Opens the database if it is not open yet (tables and statements call this).
    // Throws ErroBanco when the location is unknown, the directory is missing, the file
    // is not a Lumeno database, or another program keeps it locked.
    void garantirConexao();
    void desconectar();
    bool conectado() const;

    QSqlDatabase banco();
    const QString& nomeBanco() const { return nomeBanco_; }
    // The data directory of the open database (empty when closed).
    const QString& pasta() const { return pasta_; }

    // How long a statement waits for a lock held by another program before it fails
    // (5 s unless changed).
    void definirEsperaOcupado(int milissegundos);

    void iniciarTransacao();
    // Commits; when the commit fails the transaction is rolled back (nothing of it is
    // kept, the connection stays usable) and ErroBanco is thrown.
    void confirmarTransacao();
    void desfazerTransacao();
    bool emTransacao() const { return emTransacao_; }

    // Creates the tables and indexes of an empty database (used for a new file).
    static void criarEsquema(QSqlDatabase& banco);

private:
    const LocalizacoesBanco& localizacoes_;
    QString nomeBanco_;
    QString nomeConexao_;
    QString pasta_;
    bool emTransacao_ = false;
    int esperaOcupado_ = 5000;
};

// Runs a block in one transaction: committed by confirmar(), undone otherwise.
class Transacao {
public:
    explicit Transacao(Conexao& conexao);
    ~Transacao();
    void confirmar();
    Transacao(const Transacao&) = delete;
    Transacao& operator=(const Transacao&) = delete;

private:
    Conexao& conexao_;
    bool ativa_ = false;
};

}  // namespace lumeno
