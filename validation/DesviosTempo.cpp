#include "validation/DesviosTempo.h"

#include <algorithm>
#include <map>

namespace lumeno {

SerieDesviosTempo DesviosAoLongoDoTempo(const std::vector<const CurvaTrecho*>& curvas) {
    // By measurement number, so that a later curve replaces an earlier one's deviation.
    std::map<double, PontoDesvioTempo> porNumero;
    for (size_t i = 0; i < curvas.size(); ++i) {
        const CurvaTrecho& curva = *curvas[i];
        for (const MedicaoValidada& m : ValidarCurva(curva).medicoes) {
            if (!m.data.isValid())
                continue;
            porNumero[m.numero] = PontoDesvioTempo{m.data, m.numero, m.percentual,
                                                   static_cast<int>(i) + 1, curva.Cor};
        }
    }
    SerieDesviosTempo serie;
    serie.pontos.reserve(porNumero.size());
    for (const auto& [numero, ponto] : porNumero)
        serie.pontos.push_back(ponto);
    std::stable_sort(
        serie.pontos.begin(), serie.pontos.end(),
        [](const PontoDesvioTempo& a, const PontoDesvioTempo& b) { return a.data < b.data; });
    std::vector<double> valores;
    valores.reserve(serie.pontos.size());
    for (const PontoDesvioTempo& p : serie.pontos)
        valores.push_back(p.percentual);
    serie.pettitt = TestePettitt(valores);
    if (serie.pettitt.veredito == Veredito::NaoPassa)
        serie.dataMudanca = serie.pontos[static_cast<size_t>(serie.pettitt.t)].data;
    return serie;
}

double anoFracionario(const QDate& data) {
    return data.year() + (data.dayOfYear() - 1) / static_cast<double>(data.daysInYear());
}

}  // namespace lumeno
