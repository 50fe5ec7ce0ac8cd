// The line of a fitted curve as the chart draws it: 102 points from the curve's lowest
// stage to one hundredth of its stage range above the highest, each at the curve's
// discharge. Stages in cm, discharges in m³/s.
#pragma once

#include "curves/CurvaTrecho.h"

#include <vector>

namespace lumeno {

struct PontoCurva {
    double vazao;
    double cota;
};

// Points i = 0…101: h_i = CotaMin + i·(CotaMax − CotaMin)/100 (for a power law computed
// in metres and drawn at 100·H_i), Q_i = VazaoCurva(h_i). Empty when the curve has fewer
// than two rows.
std::vector<PontoCurva> pontosCurva(const CurvaTrecho& curva);

// The same 102 points over the curve's range, whatever rows it holds (a saved curve).
std::vector<PontoCurva> pontosFaixa(const CurvaTrecho& curva);

// An axis limit after a value was drawn: the value × 1.03 when it exceeds the limit.
inline double limiteAmpliado(double limite, double valor) {
    return valor > limite ? valor * 1.03 : limite;
}

}  // namespace lumeno
