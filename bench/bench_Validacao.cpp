// Validation: the figures of a curve of 3,000 measurements (what the chart's band layer
// computes for each curve at every redraw) and the deviations over time of 3,000
// measurements with Pettitt's test.
#include "curves/CurvaTrecho.h"
#include "validation/DesviosTempo.h"
#include "validation/Estatistica.h"
#include "validation/ValidacaoCurva.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

using namespace lumeno;

namespace {

// A power law Q = 20·(H − 0.5)^1.6 with 3,000 measurements off it by up to ±10 %, dated
// one a week.
CurvaTrecho curva3000() {
    std::mt19937 g(11);
    std::uniform_real_distribution<double> cotas(80, 900), ruido(0.9, 1.1);
    CurvaTrecho c;
    c.Algoritmo = AlgoritmoCurva::Potencial;
    c.K = 20;
    c.H0 = 0.5;
    c.M = 1.6;
    for (int n = 0; n < 3000; ++n) {
        LinhaMedida l;
        l.numero = n + 1;
        l.cota = cotas(g);
        l.vazao = 20 * std::pow(l.cota / 100 - 0.5, 1.6) * ruido(g);
        l.data = QDate(1960, 1, 1).addDays(7 * n);
        c.CotaMin = std::min(c.CotaMin, l.cota);
        c.CotaMax = std::max(c.CotaMax, l.cota);
        c.Medicoes.push_back(l);
    }
    return c;
}

void BM_ValidarCurva3000(benchmark::State& estado) {
    const CurvaTrecho c = curva3000();
    for (auto _ : estado) {
        const ValidacaoCurva v = ValidarCurva(c);
        benchmark::DoNotOptimize(FaixaConfianca(c, v));
    }
}
BENCHMARK(BM_ValidarCurva3000)->Unit(benchmark::kMillisecond);

void BM_DesviosAoLongoDoTempo3000(benchmark::State& estado) {
    const CurvaTrecho c = curva3000();
    for (auto _ : estado)
        benchmark::DoNotOptimize(DesviosAoLongoDoTempo({&c}));
}
BENCHMARK(BM_DesviosAoLongoDoTempo3000)->Unit(benchmark::kMillisecond);

void BM_QuantilT(benchmark::State& estado) {
    double graus = 1;
    for (auto _ : estado) {
        benchmark::DoNotOptimize(TCritico95(graus));
        graus = graus >= 3000 ? 1 : graus + 7;
    }
}
BENCHMARK(BM_QuantilT)->Unit(benchmark::kMicrosecond);

}  // namespace
