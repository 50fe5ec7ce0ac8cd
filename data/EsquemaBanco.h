// The database's schema: the tables of a new file, the version of the schema and the steps
// that bring an older database up to it. The version is kept in SQLite's
// `PRAGMA user_version`:
//   1  the hydrometric tables (Estacao, Rio, Medida, Ponto, curva_default) as first made;
//   2  Medida.Ponto_obrigatorio defaults to 0: the table is rebuilt with its rows, keys and
//      the counter of its keys, an empty Ponto_obrigatorio becoming 0 (what a real
//      measurement holds);
//   3  the saved ratings of a station (AjusteSalvo and the tables of its curves, mandatory
//      points, validity lines and extrapolations; see curves/AjustesSalvos.h).
// An upgrade changes no value but the empty Ponto_obrigatorio of step 2, and deletes no
// row. All its steps run in one transaction, so a failed upgrade leaves the file as it
// was. A database whose version is newer than this program's is refused before anything is
// written to it.
#pragma once

class QSqlDatabase;
class QString;

namespace lumeno {

class EsquemaBanco {
public:
    static constexpr int versaoAtual = 3;

    // Makes every table and index of an empty database, marks it with `idAplicacao` and
    // versaoAtual, in one transaction. Throws ErroBanco (nothing made) on failure.
    static void criar(QSqlDatabase& banco, int idAplicacao);

    // Throws ErroBanco, having written nothing, when the open database `banco` (the file
    // `arquivo`, named in the message) is of a version newer than versaoAtual.
    static void verificar(QSqlDatabase& banco, const QString& arquivo);

    // verificar, then brings `banco` up to versaoAtual. Throws ErroBanco when a step fails
    // (the transaction is undone).
    static void atualizar(QSqlDatabase& banco, const QString& arquivo);

    // The database's PRAGMA user_version.
    static int versao(QSqlDatabase& banco);
};

}  // namespace lumeno
