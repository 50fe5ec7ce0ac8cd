// Axis ranges of the stage–discharge chart and of the charts of the data-analysis window.
#pragma once

namespace lumeno {

struct FaixaEixo {
    double minimo;
    double maximo;
};

// The range that shows values from `minimo` to `maximo` with a margin of 3 % of their
// span on each side; when that margin would take a positive minimum to zero or below,
// the margin becomes minimo − 0.01 (so the axis starts at 0.01 and a logarithmic scale
// stays valid). A minimum of zero or below keeps the 3 % margin.
FaixaEixo faixaComMargem(double minimo, double maximo);

// The range of the data-analysis charts: `minimo` to `maximo` widened on each side by a
// twentieth of their span (stages 100 to 300 give 90 to 310). Equal limits stay equal;
// the chart widens such a range itself.
FaixaEixo faixaAmpliada(double minimo, double maximo);

}  // namespace lumeno
