// Reads a written spreadsheet back with outside readers: xlrd (Debian's python3-xlrd,
// through /usr/bin/python3) and gnumeric's ssconvert. A reader that is missing is a
// failure with a message saying what to install, never a silent pass.
#pragma once

#include <QMap>
#include <QPair>
#include <QString>
#include <QVariant>

namespace lumeno::teste {

// Cells by (row, column), zero-based: a QString for text, a double for a number.
using Celulas = QMap<QPair<int, int>, QVariant>;

struct LeituraXlrd {
    bool ok = false;
    QString erro;
    int versaoBiff = 0;
    QString nomePlanilha;
    Celulas celulas;
};

LeituraXlrd lerComXlrd(const QString& arquivo);

struct LeituraSsconvert {
    bool ok = false;
    QString erro;
    // Rows of the CSV, each a list of its cells as text.
    QList<QStringList> linhas;
    QString celula(int linha, int coluna) const;
};

LeituraSsconvert lerComSsconvert(const QString& arquivo);

}  // namespace lumeno::teste
