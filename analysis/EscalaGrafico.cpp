#include "analysis/EscalaGrafico.h"

namespace lumeno {

FaixaEixo faixaComMargem(double minimo, double maximo) {
    double g = 0.03 * (maximo - minimo);
    if (minimo - g <= 0 && minimo > 0)
        g = minimo - 0.01;
    return {minimo - g, maximo + g};
}

FaixaEixo faixaAmpliada(double minimo, double maximo) {
    const double d = (maximo - minimo) / 20;
    return {minimo - d, maximo + d};
}

}  // namespace lumeno
