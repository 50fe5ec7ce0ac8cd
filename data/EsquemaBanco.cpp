#include "data/EsquemaBanco.h"

#include "app/ErroLumeno.h"
#include "data/Dialeto.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <algorithm>
#include <vector>

namespace lumeno {

namespace {

// The statements that bring version n − 1 to version n, for n = 2 … versaoAtual. Each
// only adds (IF NOT EXISTS, so that a step interrupted outside its transaction by another
// program could run again).
const std::vector<std::vector<const char*>> passos = {
    // 2: saved ratings. Dates as ISO text, like Medida.Data; lines and points numbered by
    // their order from 1. The numbers of curves and extrapolations are kept in columns of no
    // declared type: SQLite then keeps a double exactly as given, while a REAL column stores a
    // whole number as an integer and so loses the sign of −0.
    {
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
    },
};

static_assert(EsquemaBanco::versaoAtual == 2, "one step per version after the first");

void executar(QSqlDatabase& banco, const QString& sql) {
    QSqlQuery q(banco);
    if (!q.exec(sql))
        throw ErroBanco(dialeto::textoErro(q.lastError()));
}

}  // namespace

int EsquemaBanco::versao(QSqlDatabase& banco) {
    QSqlQuery q(banco);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        throw ErroBanco(dialeto::textoErro(q.lastError()));
    return q.value(0).toInt();
}

void EsquemaBanco::atualizar(QSqlDatabase& banco, const QString& arquivo) {
    const int atual = versao(banco);
    if (atual > versaoAtual)
        throw ErroBanco(
            QStringLiteral("O banco de dados \"%1\" foi gravado por uma versão mais nova do "
                           "Lumeno (esquema %2; esta versão conhece até o esquema %3) e não foi "
                           "alterado. Atualize o programa para abri-lo.")
                .arg(QDir::toNativeSeparators(arquivo))
                .arg(atual)
                .arg(versaoAtual));
    if (atual == versaoAtual)
        return;
    if (!banco.transaction())
        throw ErroBanco(dialeto::textoErro(banco.lastError()));
    try {
        // A database of version 0 or 1 holds the tables of version 1.
        for (int v = std::max(atual, 1) + 1; v <= versaoAtual; ++v)
            for (const char* sql : passos[static_cast<size_t>(v - 2)])
                executar(banco, QLatin1String(sql));
        executar(banco, QStringLiteral("PRAGMA user_version = %1").arg(versaoAtual));
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

}  // namespace lumeno
