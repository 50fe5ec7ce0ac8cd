// The version of the database's schema and the steps that bring an older database up to
// it. The version is kept in SQLite's `PRAGMA user_version`:
//   1  the hydrometric tables (Estacao, Rio, Medida, Ponto, curva_default), created by
//      Conexao::criarEsquema for a new file;
//   2  the saved ratings of a station (AjusteSalvo and the tables of its curves, mandatory
//      points, validity lines and extrapolations; see curves/AjustesSalvos.h).
// An upgrade only adds tables and indexes: it never changes or deletes a row. All its steps
// run in one transaction, so a failed upgrade leaves the file as it was. A database whose
// version is newer than this program's is refused before anything is written to it.
#pragma once

class QSqlDatabase;
class QString;

namespace lumeno {

class EsquemaBanco {
public:
    static constexpr int versaoAtual = 2;

    // Brings the open database `banco` (the file `arquivo`, named in messages) up to
    // versaoAtual. Throws ErroBanco, having written nothing, when its version is newer than
    // versaoAtual, and ErroBanco when a step fails (the transaction is undone).
    static void atualizar(QSqlDatabase& banco, const QString& arquivo);

    // The database's PRAGMA user_version.
    static int versao(QSqlDatabase& banco);
};

}  // namespace lumeno
