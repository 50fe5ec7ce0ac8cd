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
#include <QtEndian>

#include <atomic>
#include <utility>

namespace lumeno {

using dialeto::escalar;
using dialeto::executar;

namespace {

// Marks a SQLite file as a Lumeno database ("LUMN").
constexpr int idAplicacao = 0x4C554D4E;

// What the first 100 bytes of a file say about it, read without SQLite, so that
// nothing is created beside a foreign file and neither a lock nor a journal left by a
// crash can make our own database look foreign.
enum class Cabecalho { Nosso, Alheio, Ilegivel };

Cabecalho lerCabecalho(const QString& arquivo, QString& erro) {
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        erro = f.errorString();
        return Cabecalho::Ilegivel;
    }
    const QByteArray c = f.read(100);
    if (c.size() < 100 || !c.startsWith(QByteArray("SQLite format 3\0", 16)))
        return Cabecalho::Alheio;
    // The application id: a big-endian 32-bit value at offset 68.
    return qFromBigEndian<qint32>(c.constData() + 68) == idAplicacao ? Cabecalho::Nosso
                                                                     : Cabecalho::Alheio;
}

QString textoNaoNosso(const QString& arquivo) {
    return QStringLiteral(
               "O arquivo \"%1\" não é um banco de dados do Lumeno e não foi "
               "alterado. Escolha outro diretório de dados.")
        .arg(QDir::toNativeSeparators(arquivo));
}

// Measurement rows stored without a value of Ponto_obrigatorio (by an older version or
// another program) are real measurements: they get 0, so that every statement that
// selects the real ones (ponto_obrigatorio = 0) finds them.
void completarPontoObrigatorio(QSqlDatabase& banco) {
    if (escalar(banco,
                QStringLiteral("SELECT count(*) FROM Medida WHERE Ponto_obrigatorio IS NULL"))
            .toInt() > 0)
        executar(banco,
                 QStringLiteral("UPDATE Medida SET Ponto_obrigatorio = 0 WHERE Ponto_obrigatorio "
                                "IS NULL"));
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

void Conexao::definirEsperaOcupado(int milissegundos) {
    esperaOcupado_ = milissegundos;
    if (conectado()) {
        QSqlDatabase b = QSqlDatabase::database(nomeConexao_, false);
        executar(b, QStringLiteral("PRAGMA busy_timeout = %1").arg(milissegundos));
    }
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
    if (!novo) {
        QString erro;
        switch (lerCabecalho(arquivo, erro)) {
            case Cabecalho::Nosso:
                break;
            case Cabecalho::Alheio:
                throw ErroBanco(textoNaoNosso(arquivo));
            case Cabecalho::Ilegivel:
                throw ErroBanco(QStringLiteral("Não foi possível ler o banco de dados \"%1\": %2")
                                    .arg(QDir::toNativeSeparators(arquivo), erro));
        }
    }

    // Opened for writing from the start: a journal left by an interrupted change is rolled
    // back by the first read, and a lock held by another program waits for a while, then
    // is reported as such.
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nomeConexao_);
    banco.setDatabaseName(arquivo);
    banco.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(esperaOcupado_));
    const auto falhar = [&](const QString& mensagem) {
        banco.close();
        banco = QSqlDatabase();
        QSqlDatabase::removeDatabase(nomeConexao_);
        throw ErroBanco(mensagem);
    };
    if (!banco.open())
        falhar(QStringLiteral("Não foi possível abrir o banco de dados \"%1\": %2")
                   .arg(QDir::toNativeSeparators(arquivo), dialeto::textoErro(banco.lastError())));
    try {
        if (novo) {
            criarEsquema(banco);
        } else {
            // The header said ours; what SQLite reads, after any rollback, must say so too.
            if (escalar(banco, QStringLiteral("PRAGMA application_id")).toInt() != idAplicacao)
                throw ErroBanco(textoNaoNosso(arquivo));
            // A database of a newer version is refused before anything is written; one that
            // cannot be written (read-only file or folder) is read as it is.
            EsquemaBanco::verificar(banco, arquivo);
            if (info.isWritable() && QFileInfo(pasta).isWritable()) {
                EsquemaBanco::atualizar(banco, arquivo);
                completarPontoObrigatorio(banco);
            }
        }
        executar(banco, QStringLiteral("PRAGMA foreign_keys = OFF"));
    } catch (const ErroBanco& e) {
        falhar(e.mensagem());
    }
    pasta_ = pasta;
}

void Conexao::criarEsquema(QSqlDatabase& banco) {
    EsquemaBanco::criar(banco, idAplicacao);
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
    if (!b.commit()) {
        // Nothing of the transaction is kept: it is undone at once, so that the next
        // changes are stored on their own instead of waiting in a transaction that will
        // never be committed.
        const QSqlError erro = b.lastError();
        b.rollback();
        emTransacao_ = false;
        throw ErroBanco(dialeto::textoErro(erro) +
                        QStringLiteral("\nNada desta operação foi gravado."));
    }
    emTransacao_ = false;
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
