// Whether a list shows its columns whole: every visible column at least as wide as Qt
// needs for its title and its widest value, and the columns within the list's width.
#pragma once

#include <QString>

class QAbstractItemView;

namespace lumeno::teste {

// What is cut ("coluna 1 'Vazão': 52 < 61 px"; "colunas somam 700 px, a lista mostra
// 500"), or an empty text when every column shows whole.
QString colunasCortadas(QAbstractItemView* lista);

}  // namespace lumeno::teste
