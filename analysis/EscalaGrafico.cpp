#include "analysis/EscalaGrafico.h"

namespace lumeno {

FaixaEixo faixaComMargem(double minimo, double maximo) {
    double g = 0.03 * (maximo - minimo);
    if (minimo - g <= 0 && minimo > 0)
        g = minimo - 0.01;
    return {minimo - g, maximo + g};
}

}  // namespace lumeno
