#include "support/ui/ColunasVisiveis.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTreeView>

#include <algorithm>

namespace lumeno::teste {

QString colunasCortadas(QAbstractItemView* lista) {
    QApplication::processEvents();  // pending layouts of the list and its window
    QHeaderView* cabecalho = nullptr;
    if (auto* arvore = qobject_cast<QTreeView*>(lista))
        cabecalho = arvore->header();
    else if (auto* grade = qobject_cast<QTableView*>(lista))
        cabecalho = grade->horizontalHeader();
    if (!cabecalho)
        return QStringLiteral("não é uma lista com colunas");
    QStringList cortes;
    int total = 0;
    for (int c = 0; c < cabecalho->count(); ++c) {
        if (cabecalho->isSectionHidden(c))
            continue;
        const int precisa = std::max(lista->sizeHintForColumn(c), cabecalho->sectionSizeHint(c));
        const int tem = cabecalho->sectionSize(c);
        total += tem;
        if (tem < precisa)
            cortes << QStringLiteral("coluna %1 '%2': %3 < %4 px")
                          .arg(c)
                          .arg(lista->model()->headerData(c, Qt::Horizontal).toString())
                          .arg(tem)
                          .arg(precisa);
    }
    if (total > lista->viewport()->width())
        cortes << QStringLiteral("colunas somam %1 px, a lista mostra %2")
                      .arg(total)
                      .arg(lista->viewport()->width());
    return cortes.join(QStringLiteral("; "));
}

}  // namespace lumeno::teste
