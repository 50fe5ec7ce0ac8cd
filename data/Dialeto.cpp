#include "data/Dialeto.h"

#include "app/ErroLumeno.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace lumeno::dialeto {

namespace {

// Replaces 'm/d/yyyy' literals by 'yyyy-mm-dd'. Only whole quoted literals are touched.
QString datasIso(const QString& sql) {
    static const QRegularExpression re(QStringLiteral("'(\\d{1,2})/(\\d{1,2})/(\\d{4})'"));
    QString r;
    qsizetype inicio = 0;
    auto it = re.globalMatch(sql);
    while (it.hasNext()) {
        const auto m = it.next();
        r += QStringView(sql).mid(inicio, m.capturedStart() - inicio);
        r += QStringLiteral("'%1-%2-%3'")
                 .arg(m.captured(3))
                 .arg(m.captured(1).toInt(), 2, 10, QChar('0'))
                 .arg(m.captured(2).toInt(), 2, 10, QChar('0'));
        inicio = m.capturedEnd();
    }
    r += QStringView(sql).mid(inicio);
    return r;
}

bool letraDePalavra(QChar c) {
    return c.isLetterOrNumber() || c == '_';
}

// Position of the keyword `palavra` at parenthesis depth 0 outside quotes, from `de`.
qsizetype acharPalavra(const QString& sql, const QString& palavra, qsizetype de) {
    int profundidade = 0;
    QChar aspas;
    for (qsizetype i = de; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!aspas.isNull()) {
            if (c == aspas)
                aspas = QChar();
            continue;
        }
        if (c == '\'' || c == '"') {
            aspas = c;
        } else if (c == '(') {
            ++profundidade;
        } else if (c == ')') {
            --profundidade;
        } else if (profundidade == 0 &&
                   sql.mid(i, palavra.size()).compare(palavra, Qt::CaseInsensitive) == 0 &&
                   (i == 0 || !letraDePalavra(sql[i - 1])) &&
                   (i + palavra.size() >= sql.size() || !letraDePalavra(sql[i + palavra.size()]))) {
            return i;
        }
    }
    return -1;
}

// Splits a select list at the commas of depth 0 outside quotes.
QStringList partesLista(const QString& lista) {
    QStringList partes;
    int profundidade = 0;
    QChar aspas;
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QChar c = lista[i];
        if (!aspas.isNull()) {
            if (c == aspas)
                aspas = QChar();
            continue;
        }
        if (c == '\'' || c == '"')
            aspas = c;
        else if (c == '(')
            ++profundidade;
        else if (c == ')')
            --profundidade;
        else if (c == ',' && profundidade == 0) {
            partes << lista.mid(inicio, i - inicio);
            inicio = i + 1;
        }
    }
    partes << lista.mid(inicio);
    return partes;
}

QString nomearAgregados(const QString& sql) {
    const qsizetype select = acharPalavra(sql, QStringLiteral("select"), 0);
    if (select < 0)
        return sql;
    const qsizetype from = acharPalavra(sql, QStringLiteral("from"), select + 6);
    const qsizetype fim = from < 0 ? sql.size() : from;
    const qsizetype inicioLista = select + 6;
    QStringList partes = partesLista(sql.mid(inicioLista, fim - inicioLista));
    static const QRegularExpression agregado(
        QStringLiteral("^(\\s*)(count|sum|avg|min|max)\\s*\\(\\s*(?:distinct\\s+)?([\\w.]+|\\*)\\s*"
                       "\\)(\\s*)$"),
        QRegularExpression::CaseInsensitiveOption);
    bool mudou = false;
    for (QString& parte : partes) {
        const auto m = agregado.match(parte);
        if (!m.hasMatch())
            continue;
        QString coluna = m.captured(3);
        coluna = coluna.mid(coluna.lastIndexOf('.') + 1);
        parte = m.captured(1) + parte.trimmed() +
                QStringLiteral(" AS \"%1 OF %2\"").arg(m.captured(2).toUpper(), coluna) +
                m.captured(4);
        mudou = true;
    }
    if (!mudou)
        return sql;
    return sql.left(inicioLista) + partes.join(',') + sql.mid(fim);
}

}  // namespace

QString adaptar(const QString& sql) {
    return nomearAgregados(datasIso(sql));
}

bool violacaoChave(const QSqlError& erro) {
    const QString t = erro.databaseText();
    return t.contains(QStringLiteral("UNIQUE constraint failed"), Qt::CaseInsensitive) ||
           t.contains(QStringLiteral("PRIMARY KEY must be unique"), Qt::CaseInsensitive) ||
           t.contains(QStringLiteral("is not unique"), Qt::CaseInsensitive);
}

bool valorObrigatorioAusente(const QSqlError& erro) {
    return erro.databaseText().contains(QStringLiteral("NOT NULL constraint failed"),
                                        Qt::CaseInsensitive);
}

bool bancoOcupado(const QSqlError& erro) {
    // SQLITE_BUSY and SQLITE_LOCKED, with their extended codes.
    bool numero = false;
    const int codigo = erro.nativeErrorCode().toInt(&numero);
    if (numero && ((codigo & 0xFF) == 5 || (codigo & 0xFF) == 6))
        return true;
    const QString t = erro.databaseText();
    return t.contains(QStringLiteral("database is locked"), Qt::CaseInsensitive) ||
           t.contains(QStringLiteral("database table is locked"), Qt::CaseInsensitive);
}

QString textoErro(const QSqlError& erro) {
    if (bancoOcupado(erro))
        return QStringLiteral(
            "O banco de dados está em uso por outro programa. Feche o outro programa (ou "
            "aguarde que ele termine) e tente novamente.");
    if (violacaoChave(erro))
        return QStringLiteral("Key violation.\n%1").arg(erro.databaseText());
    QString t = erro.databaseText();
    if (t.isEmpty())
        t = erro.driverText();
    return t.isEmpty() ? erro.text() : t;
}

void executar(QSqlDatabase& banco, const QString& sql) {
    QSqlQuery q(banco);
    if (!q.exec(sql))
        throw ErroBanco(textoErro(q.lastError()));
}

QVariant escalar(QSqlDatabase& banco, const QString& sql) {
    QSqlQuery q(banco);
    if (!q.exec(sql))
        throw ErroBanco(textoErro(q.lastError()));
    return q.next() ? q.value(0) : QVariant();
}

}  // namespace lumeno::dialeto
