#include "data/EsquemaBanco.h"

#include "app/ErroLumeno.h"
#include "data/Dialeto.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <iterator>

namespace lumeno {

using dialeto::escalar;
using dialeto::executar;

namespace {

const char* const tabelaMedida =
    "CREATE TABLE Medida (Estacao REAL, Numero REAL, Data DATE, Cota REAL, Vazao REAL, "
    "Area REAL, Velocidade REAL, Ponto_obrigatorio REAL DEFAULT 0, "
    "Id_medida INTEGER PRIMARY KEY AUTOINCREMENT)";
const char* const indiceMedida = "CREATE UNIQUE INDEX in_medida_numero ON Medida (Estacao, Numero)";

// The hydrometric tables as a new file gets them: version 2.
constexpr int versaoTabelasHidrometricas = 2;
const char* const tabelasHidrometricas[] = {
    "CREATE TABLE Estacao (IdEstacao INTEGER PRIMARY KEY AUTOINCREMENT, Rio REAL, "
    "Codigo INTEGER NOT NULL, Ordem REAL, Descricao VARCHAR(30))",
    "CREATE UNIQUE INDEX in_codigo ON Estacao (Codigo)",
    "CREATE TABLE Rio (IdRio REAL NOT NULL, Nome VARCHAR(30))",
    "CREATE UNIQUE INDEX tb_rioIndex1 ON Rio (IdRio)",
    "CREATE INDEX in_nome ON Rio (Nome COLLATE NOCASE)",
    tabelaMedida,
    indiceMedida,
    "CREATE TABLE Ponto (Estacao REAL, X REAL, Y REAL, "
    "IdPonto INTEGER PRIMARY KEY AUTOINCREMENT, Perfil REAL)",
    "CREATE INDEX in_ponto_estacao ON Ponto (Estacao, Y)",
    "CREATE TABLE curva_default (Trecho REAL NOT NULL, Cor REAL, Algoritmo REAL, Parm REAL)",
    "CREATE UNIQUE INDEX tbCurvaDefaultIndex1 ON curva_default (Trecho)",
};

// 2: Medida rebuilt with the default of Ponto_obrigatorio, keeping its rows, keys and the
// counter of its keys.
void passoPontoObrigatorio(QSqlDatabase& banco) {
    const QVariant sequencia =
        escalar(banco, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'Medida'"));
    executar(banco,
             QString::fromLatin1(tabelaMedida)
                 .replace(QStringLiteral("TABLE Medida"), QStringLiteral("TABLE Medida_v2")));
    executar(banco, QStringLiteral("INSERT INTO Medida_v2 (Estacao, Numero, Data, Cota, Vazao, "
                                   "Area, Velocidade, Ponto_obrigatorio, Id_medida) SELECT "
                                   "Estacao, Numero, Data, Cota, Vazao, Area, Velocidade, "
                                   "coalesce(Ponto_obrigatorio, 0), Id_medida FROM Medida"));
    executar(banco, QStringLiteral("DROP TABLE Medida"));
    executar(banco, QStringLiteral("ALTER TABLE Medida_v2 RENAME TO Medida"));
    executar(banco, QLatin1String(indiceMedida));
    if (!sequencia.isNull())
        executar(banco, QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, %1) "
                                       "WHERE name = 'Medida'")
                            .arg(sequencia.toLongLong()));
}

// 3: saved ratings. Dates as ISO text, like Medida.Data; lines and points numbered by their
// order from 1. The numbers of curves and extrapolations are kept in columns of no declared
// type: SQLite then keeps a double exactly as given, while a REAL column stores a whole
// number as an integer and so loses the sign of −0. Each table only added (IF NOT EXISTS).
void passoAjustesSalvos(QSqlDatabase& banco) {
    static const char* const comandos[] = {
        "CREATE TABLE IF NOT EXISTS AjusteSalvo (IdAjuste INTEGER PRIMARY KEY AUTOINCREMENT, "
        "Estacao INTEGER NOT NULL, Nome VARCHAR(60) NOT NULL, ValidoDe DATE, ValidoAte DATE, "
        "SalvoEm TIMESTAMP NOT NULL, Observacao TEXT)",
        "CREATE UNIQUE INDEX IF NOT EXISTS in_ajuste_nome ON AjusteSalvo "
        "(Estacao, Nome COLLATE NOCASE)",
        "CREATE TABLE IF NOT EXISTS CurvaSalva (Ajuste INTEGER NOT NULL, Numero INTEGER NOT NULL, "
        "Algoritmo INTEGER NOT NULL, Grau INTEGER, H0, K, M, R, "
        "A0, A1, A2, A3, A4, A5, A6, A7, A8, A9, "
        "Cor INTEGER, CotaMin, CotaMax, VazaoMin, VazaoMax, "
        "TotalMedicoes INTEGER, PRIMARY KEY (Ajuste, Numero))",
        "CREATE TABLE IF NOT EXISTS CondicaoCurvaSalva (Ajuste INTEGER NOT NULL, "
        "Curva INTEGER NOT NULL, Ordem INTEGER NOT NULL, Texto TEXT, "
        "PRIMARY KEY (Ajuste, Curva, Ordem))",
        "CREATE TABLE IF NOT EXISTS ValidadeCurvaSalva (Ajuste INTEGER NOT NULL, "
        "Curva INTEGER NOT NULL, Ordem INTEGER NOT NULL, Texto TEXT, "
        "PRIMARY KEY (Ajuste, Curva, Ordem))",
        "CREATE TABLE IF NOT EXISTS PontoObrigatorioSalvo (Ajuste INTEGER NOT NULL, "
        "Curva INTEGER NOT NULL, Ordem INTEGER NOT NULL, Cota, Vazao, Peso INTEGER, "
        "PRIMARY KEY (Ajuste, Curva, Ordem))",
        "CREATE TABLE IF NOT EXISTS ExtrapolacaoSalva (Ajuste INTEGER NOT NULL, "
        "Numero INTEGER NOT NULL, Curva INTEGER NOT NULL, Metodo INTEGER NOT NULL, Cor INTEGER, "
        "KManning, PRIMARY KEY (Ajuste, Numero))",
        "CREATE TABLE IF NOT EXISTS PontoExtrapolacaoSalvo (Ajuste INTEGER NOT NULL, "
        "Extrapolacao INTEGER NOT NULL, Ordem INTEGER NOT NULL, Cota, Vazao, Fator, Area, "
        "PRIMARY KEY (Ajuste, Extrapolacao, Ordem))",
    };
    for (const char* sql : comandos)
        executar(banco, QLatin1String(sql));
}

// The step that brings version n − 1 to version n, for n = 2 … versaoAtual.
using Passo = void (*)(QSqlDatabase&);
constexpr Passo passos[] = {passoPontoObrigatorio, passoAjustesSalvos};
static_assert(std::size(passos) == EsquemaBanco::versaoAtual - 1, "one step per version");

// Runs `corpo` in a transaction of its own: committed whole, or undone whole.
template <class F>
void emTransacao(QSqlDatabase& banco, F corpo) {
    if (!banco.transaction())
        throw ErroBanco(dialeto::textoErro(banco.lastError()));
    try {
        corpo();
    } catch (...) {
        banco.rollback();
        throw;
    }
    if (!banco.commit()) {
        const QString erro = dialeto::textoErro(banco.lastError());
        banco.rollback();
        throw ErroBanco(erro);
    }
}

// Steps from version `de` + 1 up to versaoAtual, and the new version.
void aplicarPassos(QSqlDatabase& banco, int de) {
    for (int v = de + 1; v <= EsquemaBanco::versaoAtual; ++v)
        passos[v - 2](banco);
    executar(banco, QStringLiteral("PRAGMA user_version = %1").arg(EsquemaBanco::versaoAtual));
}

}  // namespace

void EsquemaBanco::criar(QSqlDatabase& banco, int idAplicacao) {
    emTransacao(banco, [&] {
        for (const char* sql : tabelasHidrometricas)
            executar(banco, QLatin1String(sql));
        executar(banco, QStringLiteral("PRAGMA application_id = %1").arg(idAplicacao));
        aplicarPassos(banco, versaoTabelasHidrometricas);
    });
}

int EsquemaBanco::versao(QSqlDatabase& banco) {
    QSqlQuery q(banco);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        throw ErroBanco(dialeto::textoErro(q.lastError()));
    return q.value(0).toInt();
}

void EsquemaBanco::verificar(QSqlDatabase& banco, const QString& arquivo) {
    const int atual = versao(banco);
    if (atual > versaoAtual)
        throw ErroBanco(
            QStringLiteral("O banco de dados \"%1\" foi gravado por uma versão mais nova do "
                           "Lumeno (esquema %2; esta versão conhece até o esquema %3) e não foi "
                           "alterado. Atualize o programa para abri-lo.")
                .arg(QDir::toNativeSeparators(arquivo))
                .arg(atual)
                .arg(versaoAtual));
}

void EsquemaBanco::atualizar(QSqlDatabase& banco, const QString& arquivo) {
    verificar(banco, arquivo);
    const int atual = versao(banco);
    if (atual == versaoAtual)
        return;
    // A database of version 0 or 1 holds the tables of version 1.
    emTransacao(banco, [&] { aplicarPassos(banco, std::max(atual, 1)); });
}

}  // namespace lumeno
