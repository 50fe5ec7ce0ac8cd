// The labels that show the current measurement's fields in the windows that step through
// a station's measurements (the curve-adjustment window's legend panel, the data-analysis
// window's footer).
#pragma once

class QLabel;
class QWidget;

namespace lumeno {

class Consulta;

struct RotulosMedicao {
    QLabel* numero;
    QLabel* data;
    QLabel* cota;
    QLabel* vazao;
    QLabel* area;
    QLabel* velocidade;

    // A value label: bold, navy, at least `larguraMinima` pixels wide.
    static QLabel* novoValor(QWidget* pai, int larguraMinima);

    // The fields of the current row of `m`, or empty texts when it has none.
    void mostrar(const Consulta& m) const;
};

}  // namespace lumeno
