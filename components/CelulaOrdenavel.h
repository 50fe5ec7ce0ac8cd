// A grid cell that sorts by the value it shows (numbers by value, dates by date; see
// compararValoresTexto), not by its characters: 90.00 before 150.00 before 1000.00.
#pragma once

#include "app/Formato.h"

#include <QTableWidgetItem>

namespace lumeno {

class CelulaOrdenavel : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;

    bool operator<(const QTableWidgetItem& outra) const override {
        return compararValoresTexto(text(), outra.text()) < 0;
    }
};

}  // namespace lumeno
