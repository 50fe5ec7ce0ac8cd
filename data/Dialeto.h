// The SQL dialect that the program's statements are written in, adapted to SQLite in
// this one place:
//  - dates written inside SQL text as 'mm/dd/yyyy' become ISO 'yyyy-mm-dd' literals,
//    the form in which the database stores dates, so they compare as dates;
//  - an unaliased aggregate column of the select list, such as max(cota), gets the
//    name "MAX OF cota" (the function in capitals, " OF ", the column), which callers
//    read back without regard to case;
//  - a duplicate unique key is recognised and reported as "Key violation";
//  - a lock held by another program is reported as such, in Portuguese.
// Named parameters (":est") are SQLite's own and pass unchanged.
#pragma once

#include <QString>
#include <QVariant>

class QSqlDatabase;
class QSqlError;

namespace lumeno::dialeto {

// The statement as SQLite must run it.
QString adaptar(const QString& sql);

// Whether a database error is a duplicate unique or primary key.
bool violacaoChave(const QSqlError& erro);

// Whether a database error is a missing value in a required column.
bool valorObrigatorioAusente(const QSqlError& erro);

// Whether a database error is a lock held by another connection or program that did
// not go away while the statement waited.
bool bancoOcupado(const QSqlError& erro);

// Text of a database error for the user.
QString textoErro(const QSqlError& erro);

// Runs a statement of the schema or of a transaction's bookkeeping, as written (not
// adapted). Throw ErroBanco with the error's text on failure.
void executar(QSqlDatabase& banco, const QString& sql);
// The first column of the first row, or an invalid QVariant when there is no row.
QVariant escalar(QSqlDatabase& banco, const QString& sql);

}  // namespace lumeno::dialeto
