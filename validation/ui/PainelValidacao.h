// The "Validação" page of a curve in the station-data summary: the figures of the curve's
// validation (ValidacaoCurva.h) as a table of figure, value and result, the result
// coloured by its verdict.
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace lumeno {

struct CurvaTrecho;

class PainelValidacao : public QWidget {
    Q_OBJECT
public:
    explicit PainelValidacao(QWidget* pai = nullptr);

    // The validation of curve `numero`.
    void mostrar(const CurvaTrecho& curva, int numero);

    QLabel* lblCurva;
    // Columns: figure, value, result.
    QTableWidget* grdFiguras;
};

}  // namespace lumeno
