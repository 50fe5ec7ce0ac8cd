// Speed of the curve fits on a large selection.
#include "curves/AjusteCurva.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

using namespace lumeno;

namespace {

// 3,000 measurements between 1,100 and 1,600 cm; with a start value of 100 cm the
// power-law search runs 1,000 candidates. `inteiras`: stages in whole centimetres, as
// field data are; otherwise every stage distinct (the worst case).
CurvaTrecho selecao(bool inteiras, int algoritmo, int parametro) {
    std::mt19937 gerador(42);
    std::uniform_real_distribution<double> cotas(1100, 1600);
    std::uniform_real_distribution<double> ruido(0.9, 1.1);
    CurvaTrecho c;
    c.Algoritmo = algoritmo;
    c.Grau = parametro;
    c.H0 = parametro;
    c.CotaMin = 1e9;
    c.CotaMax = -1e9;
    double vazaoMin = 1e300;
    for (int i = 0; i < 3000; ++i) {
        LinhaMedida l;
        l.numero = i + 1;
        l.cota = inteiras ? std::round(cotas(gerador)) : cotas(gerador);
        l.vazao = 12.5 * std::pow(l.cota / 100 - 9.5, 1.7) * ruido(gerador);
        c.CotaMin = std::min(c.CotaMin, l.cota);
        c.CotaMax = std::max(c.CotaMax, l.cota);
        if (l.vazao < vazaoMin) {
            vazaoMin = l.vazao;
            c.CotaVazaoMin = l.cota;
        }
        c.Medicoes.push_back(l);
    }
    c.CotaMin = std::floor(c.CotaMin);
    return c;
}

void BM_AjustarPotencial(benchmark::State& state) {
    const CurvaTrecho base = selecao(state.range(0) != 0, AlgoritmoCurva::Potencial, 100);
    for (auto _ : state) {
        CurvaTrecho c = base;
        AjustarPotencial(c, false);
        benchmark::DoNotOptimize(c.H0);
    }
    state.SetLabel(state.range(0) ? "cotas inteiras, 1000 candidatos"
                                  : "cotas distintas, 1000 candidatos");
}
BENCHMARK(BM_AjustarPotencial)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_AjustarPolinomioGrau8(benchmark::State& state) {
    const CurvaTrecho base = selecao(true, AlgoritmoCurva::Polinomial, 8);
    for (auto _ : state) {
        CurvaTrecho c = base;
        AjustarPolinomio(c);
        benchmark::DoNotOptimize(c.Coeficientes);
    }
}
BENCHMARK(BM_AjustarPolinomioGrau8)->Unit(benchmark::kMicrosecond);

}  // namespace
