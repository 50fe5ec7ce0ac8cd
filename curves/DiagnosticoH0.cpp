#include "curves/DiagnosticoH0.h"

#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "curves/AjusteCurva.h"
#include "curves/AvisoAjuste.h"

#include <algorithm>
#include <cmath>

namespace lumeno {

std::vector<PontoBuscaH0> SerieBuscaH0(const BuscaH0& busca) {
    std::vector<PontoBuscaH0> serie;
    serie.reserve(busca.candidatos.size());
    for (std::size_t i = 0; i < busca.candidatos.size() && i < busca.r.size(); ++i)
        if (!std::isnan(busca.r[i]))
            serie.push_back({busca.candidatos[i], busca.r[i]});
    std::stable_sort(serie.begin(), serie.end(),
                     [](const PontoBuscaH0& a, const PontoBuscaH0& b) { return a.h0 < b.h0; });
    return serie;
}

double CotaMedianaMedida(const CurvaTrecho& curva) {
    std::vector<double> cotas;
    for (const LinhaMedida& l : curva.Medicoes)
        if (l.pontoObrigatorio < 1)
            cotas.push_back(l.cota);
    if (cotas.empty())
        for (const LinhaMedida& l : curva.Medicoes)
            cotas.push_back(l.cota);
    if (cotas.empty())
        return 0;
    std::sort(cotas.begin(), cotas.end());
    const std::size_t meio = cotas.size() / 2;
    return cotas.size() % 2 ? cotas[meio] : (cotas[meio - 1] + cotas[meio]) / 2;
}

AlternativaH0 AlternativaComH0(const CurvaTrecho& curva, double h0, double cota) {
    CurvaTrecho fixa;
    fixa.Algoritmo = AlgoritmoCurva::Potencial;
    fixa.H0 = h0;
    fixa.Medicoes = curva.Medicoes;
    CalcularKMComH0Fixo(fixa);
    AlternativaH0 a;
    a.H0 = h0;
    a.K = fixa.K;
    a.M = fixa.M;
    for (const LinhaMedida& l : curva.Medicoes)
        if (l.cota / 100 - h0 > 0 && l.vazao > 0)
            ++a.medicoes;
    a.definida = fixa.K > 0 && cota / 100 > h0;
    if (a.definida)
        a.vazao = VazaoCurva(fixa, cota);
    return a;
}

double InicioBuscaCurva(const CurvaTrecho& curva, bool possuiSecao) {
    if (!curva.Busca.vazia())
        return curva.Busca.inicio;
    return possuiSecao ? curva.CotaMinSecao : double(curva.Grau);
}

DiagnosticoH0 DiagnosticarH0(const CurvaTrecho& curva, bool possuiSecao) {
    DiagnosticoH0 d;
    if (!curva.Busca.vazia()) {
        d.busca = curva.Busca;
    } else {
        // Searched again from the start value the curve was created with.
        CurvaTrecho copia;
        copia.Algoritmo = AlgoritmoCurva::Potencial;
        copia.Medicoes = curva.Medicoes;
        copia.CotaMin = curva.CotaMin;
        copia.CotaVazaoMin = curva.CotaVazaoMin;
        AjustarPotencialDesde(copia, InicioBuscaCurva(curva, possuiSecao), possuiSecao, {},
                              &d.busca);
        d.refeita = true;
    }
    d.serie = SerieBuscaH0(d.busca);
    d.cotaMediana = CotaMedianaMedida(curva);
    d.menorCota = curva.CotaMin;
    if (possuiSecao)
        d.fundoSecao = curva.CotaMinSecao;
    if (d.busca.vencedor >= 0) {
        const double h0 = d.busca.candidatos[std::size_t(d.busca.vencedor)];
        d.alternativas =
            std::array<AlternativaH0, 3>{AlternativaComH0(curva, h0 - 0.5, d.cotaMediana),
                                         AlternativaComH0(curva, h0, d.cotaMediana),
                                         AlternativaComH0(curva, h0 + 0.5, d.cotaMediana)};
    }
    return d;
}

void RefazerComInicio(CurvaTrecho& curva, double inicio, bool possuiSecao, QStringList& validade) {
    if (!(inicio < curva.CotaMin))
        throw ErroLumeno(
            QStringLiteral("Valor de h0 deve ser inferior à menor cota da curva (%1 cm)!")
                .arg(numeroTexto(curva.CotaMin)),
            QStringLiteral("Erro"));
    CurvaTrecho nova = curva;
    nova.Grau = static_cast<int>(std::lround(inicio));
    BuscaH0 busca;
    if (AjustarPotencialDesde(nova, inicio, possuiSecao, {}, &busca) != ResultadoAjuste::Ajustado)
        throw ErroLumeno(
            QStringLiteral("A partir de h0 inicial %1 cm as medições da curva não determinam uma "
                           "curva potencial. A curva não foi alterada.")
                .arg(numeroTexto(inicio)),
            QStringLiteral("Atenção"));
    nova.Busca = std::move(busca);
    QStringList linhas;
    for (const QString& linha : validade)
        if (!linhaValidadeH0(linha))
            linhas << linha;
    linhas << validadeH0(nova, possuiSecao);
    curva = std::move(nova);
    validade = std::move(linhas);
}

}  // namespace lumeno
