// Column widths of the program's lists and grids. The widths the windows were designed
// with belong to another platform's font: here each visible column is made as wide as its
// title and its widest value, never narrower than the width it was designed with, and the
// window grows (within the screen) until the list shows every column whole.
#pragma once

#include <QList>

class QAbstractItemView;
class QTableView;
class QTreeView;
class QWidget;

namespace lumeno {

// Widens each visible column of `lista` to its title and its values, with `minimas` (by
// column; a missing entry counts as 0) as the least widths; hidden columns stay hidden.
// Returns the width the list needs to show those columns whole: the columns, its frame,
// the row headings of a grid and room for a vertical scroll bar.
int ajustarColunas(QTreeView* lista, const QList<int>& minimas = {});
int ajustarColunas(QTableView* grade, const QList<int>& minimas = {});

// Widens `janela` by what `lista` lacks of `largura`, up to the width of the screen it is
// on. A window of fixed size stays fixed at its new width. Never narrows.
void alargarJanela(QWidget* janela, const QWidget* lista, int largura);

// Both: the columns of `lista` fitted and `janela` widened to show them.
template <class Lista>
void ajustarColunasEJanela(QWidget* janela, Lista* lista, const QList<int>& minimas = {}) {
    alargarJanela(janela, lista, ajustarColunas(lista, minimas));
}

}  // namespace lumeno
