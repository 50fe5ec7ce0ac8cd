#include "data/Conexao.h"

#include "app/ErroLumeno.h"
#include "data/Dialeto.h"
#include "data/EsquemaBanco.h"
#include "data/LocalizacoesBanco.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <utility>

namespace lumeno {

namespace {

// Marks a SQLite file as a Lumeno database ("LUMN").
constexpr int idAplicacao = 0x4C554D4E;
constexpr int versaoEsquema = 1;

const char* const esquema[] = {
    "CREATE TABLE Estacao (IdEstacao INTEGER PRIMARY KEY AUTOINCREMENT, Rio REAL, "
    "Codigo INTEGER NOT NULL, Ordem REAL, Descricao VARCHAR(30))",
    "CREATE UNIQUE INDEX in_codigo ON Estacao (Codigo)",
    "CREATE TABLE Rio (IdRio REAL NOT NULL, Nome VARCHAR(30))",
    "CREATE UNIQUE INDEX tb_rioIndex1 ON Rio (IdRio)",
    "CREATE INDEX in_nome ON Rio (Nome COLLATE NOCASE)",
    "CREATE TABLE Medida (Estacao REAL, Numero REAL, Data DATE, Cota REAL, Vazao REAL, "
    "Area REAL, Velocidade REAL, Ponto_obrigatorio REAL, "
    "Id_medida INTEGER PRIMARY KEY AUTOINCREMENT)",
    "CREATE UNIQUE INDEX in_medida_numero ON Medida (Estacao, Numero)",
    "CREATE TABLE Ponto (Estacao REAL, X REAL, Y REAL, "
    "IdPonto INTEGER PRIMARY KEY AUTOINCREMENT, Perfil REAL)",
    "CREATE INDEX in_ponto_estacao ON Ponto (Estacao, Y)",
    "CREATE TABLE curva_default (Trecho REAL NOT NULL, Cor REAL, Algoritmo REAL, Parm REAL)",
    "CREATE UNIQUE INDEX tbCurvaDefaultIndex1 ON curva_default (Trecho)",
};

void executar(QSqlDatabase& banco, const QString& sql) {
    QSqlQuery q(banco);
    if (!q.exec(sql))
        throw ErroBanco(dialeto::textoErro(q.lastError()));
}

// The first 16 bytes of every SQLite file.
bool cabecalhoSqlite(const QString& arquivo) {
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

int pragma(QSqlDatabase& banco, const char* nome) {
    QSqlQuery q(banco);
    if (!q.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(nome))) || !q.next())
        return -1;
    return q.value(0).toInt();
}

}  // namespace

Conexao::Conexao(const LocalizacoesBanco& localizacoes, QString nomeBanco)
    : localizacoes_(localizacoes), nomeBanco_(std::move(nomeBanco)) {
    static std::atomic<int> contador{0};
    nomeConexao_ = QStringLiteral("%1#%2").arg(nomeBanco_).arg(++contador);
}

Conexao::~Conexao() {
    desconectar();
}

bool Conexao::conectado() const {
    return !pasta_.isEmpty();
}

QSqlDatabase Conexao::banco() {
    garantirConexao();
    return QSqlDatabase::database(nomeConexao_, false);
}

void Conexao::garantirConexao() {
    if (conectado())
        return;
    if (!localizacoes_.existe(nomeBanco_))
        throw ErroBanco(
            QStringLiteral("Localização de banco de dados \"%1\" não definida.").arg(nomeBanco_));
    const QString pasta = localizacoes_.caminho(nomeBanco_);
    if (pasta.isEmpty() || !QFileInfo(pasta).isDir())
        throw ErroBanco(QStringLiteral("O diretório de dados \"%1\" não existe.").arg(pasta));
    const QString arquivo = QDir(pasta).filePath(nomeArquivo);
    const QFileInfo info(arquivo);
    const bool novo = !info.exists() || (info.isFile() && info.size() == 0);
    if (!novo && !cabecalhoSqlite(arquivo))
        throw ErroBanco(
            QStringLiteral("O arquivo \"%1\" não é um banco de dados do Lumeno e não foi "
                           "alterado. Escolha outro diretório de dados.")
                .arg(QDir::toNativeSeparators(arquivo)));

    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nomeConexao_);
    banco.setDatabaseName(arquivo);
    if (!novo)
        banco.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!banco.open()) {
        const QString erro = banco.lastError().text();
        banco = QSqlDatabase();
        QSqlDatabase::removeDatabase(nomeConexao_);
        throw ErroBanco(QStringLiteral("Não foi possível abrir o banco de dados \"%1\": %2")
                            .arg(QDir::toNativeSeparators(arquivo), erro));
    }
    if (novo) {
        criarEsquema(banco);
    } else {
        // Checked read-only, so that a foreign file is never written to.
        const bool nosso = pragma(banco, "application_id") == idAplicacao;
        banco.close();
        if (!nosso) {
            banco = QSqlDatabase();
            QSqlDatabase::removeDatabase(nomeConexao_);
            throw ErroBanco(
                QStringLiteral("O arquivo \"%1\" não é um banco de dados do Lumeno e não foi "
                               "alterado. Escolha outro diretório de dados.")
                    .arg(QDir::toNativeSeparators(arquivo)));
        }
        banco.setConnectOptions(QString());
        if (!banco.open()) {
            const QString erro = banco.lastError().text();
            banco = QSqlDatabase();
            QSqlDatabase::removeDatabase(nomeConexao_);
            throw ErroBanco(QStringLiteral("Não foi possível abrir o banco de dados \"%1\": %2")
                                .arg(QDir::toNativeSeparators(arquivo), erro));
        }
    }
    // The schema brought up to this program's version (a newer one is refused untouched).
    try {
        EsquemaBanco::atualizar(banco, arquivo);
    } catch (...) {
        banco.close();
        banco = QSqlDatabase();
        QSqlDatabase::removeDatabase(nomeConexao_);
        throw;
    }
    executar(banco, QStringLiteral("PRAGMA foreign_keys = OFF"));
    pasta_ = pasta;
}

void Conexao::criarEsquema(QSqlDatabase& banco) {
    if (!banco.transaction())
        throw ErroBanco(dialeto::textoErro(banco.lastError()));
    try {
        for (const char* sql : esquema)
            executar(banco, QLatin1String(sql));
        executar(banco, QStringLiteral("PRAGMA application_id = %1").arg(idAplicacao));
        executar(banco, QStringLiteral("PRAGMA user_version = %1").arg(versaoEsquema));
    } catch (...) {
        banco.rollback();
        throw;
    }
    if (!banco.commit())
        throw ErroBanco(dialeto::textoErro(banco.lastError()));
}

void Conexao::desconectar() {
    if (!conectado())
        return;
    {
        QSqlDatabase banco = QSqlDatabase::database(nomeConexao_, false);
        if (emTransacao_)
            banco.rollback();
        banco.close();
    }
    QSqlDatabase::removeDatabase(nomeConexao_);
    emTransacao_ = false;
    pasta_.clear();
}

void Conexao::iniciarTransacao() {
    QSqlDatabase b = banco();
    if (!b.transaction())
        throw ErroBanco(dialeto::textoErro(b.lastError()));
    emTransacao_ = true;
}

void Conexao::confirmarTransacao() {
    QSqlDatabase b = banco();
    emTransacao_ = false;
    if (!b.commit())
        throw ErroBanco(dialeto::textoErro(b.lastError()));
}

void Conexao::desfazerTransacao() {
    if (!conectado())
        return;
    QSqlDatabase b = banco();
    emTransacao_ = false;
    b.rollback();
}

Transacao::Transacao(Conexao& conexao) : conexao_(conexao) {
    conexao_.iniciarTransacao();
    ativa_ = true;
}

Transacao::~Transacao() {
    if (ativa_)
        conexao_.desfazerTransacao();
}

void Transacao::confirmar() {
    ativa_ = false;
    conexao_.confirmarTransacao();
}

}  // namespace lumeno
