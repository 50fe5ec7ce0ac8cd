#include "curves/TracadoCurva.h"

#include "curves/AjusteCurva.h"

namespace lumeno {

std::vector<PontoCurva> pontosCurva(const CurvaTrecho& curva) {
    if (curva.totalLinhas() < 2)
        return {};
    return pontosFaixa(curva);
}

std::vector<PontoCurva> pontosFaixa(const CurvaTrecho& curva) {
    std::vector<PontoCurva> pontos;
    pontos.reserve(102);
    for (int i = 0; i <= 101; ++i) {
        double h;
        if (curva.Algoritmo == AlgoritmoCurva::Potencial) {
            const double hm =
                i * ((curva.CotaMax / 100 - curva.CotaMin / 100) / 100) + curva.CotaMin / 100;
            h = 100 * hm;
        } else {
            h = curva.CotaMin + i * (curva.CotaMax - curva.CotaMin) / 100;
        }
        pontos.push_back({VazaoCurva(curva, h), h});
    }
    return pontos;
}

}  // namespace lumeno
