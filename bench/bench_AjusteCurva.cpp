// Fitting on a station-sized selection: 3,000 measurements, power-law search over
// 1,000 (+1) candidates (on every core, and on one for comparison; wall-clock time, since
// the threads' CPU time adds up) without and with keeping the r of every candidate (as the
// program's fits do, "ComSerie"), polynomial of degree 8.
#include "curves/AjusteCurva.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

using namespace lumeno;

namespace {

constexpr int linhas = 3000;

// Stages from 10 m to 16 m above the datum, discharges scattered around
// Q = 30·(H − 9.5)^1.6. The search starts at 0 cm: candidates 0.00 … 9.99 m, then −0.01 m.
// `centimetros`: whole-centimetre stages (as observed); otherwise every stage distinct.
CurvaTrecho selecao(int algoritmo, int parametro, bool centimetros) {
    std::mt19937_64 gerador(42);
    std::uniform_real_distribution<double> cota(1000, 1600);
    std::lognormal_distribution<double> ruido(0, 0.1);
    CurvaTrecho curva;
    curva.Algoritmo = algoritmo;
    curva.Grau = parametro;
    curva.H0 = parametro;
    for (int i = 0; i < linhas; ++i) {
        LinhaMedida linha;
        linha.numero = i + 1;
        linha.cota = centimetros ? std::round(cota(gerador)) : cota(gerador);
        linha.vazao = 30 * std::pow(linha.cota / 100 - 9.5, 1.6) * ruido(gerador);
        curva.Medicoes.push_back(linha);
    }
    curva.Medicoes[0].cota = 1000;  // the lowest stage fixes the number of candidates
    curva.CotaMin = 1000;
    curva.CotaVazaoMin = 1000;
    curva.medicoesAbertas = true;
    return curva;
}

// `tarefas`: 0 spreads the candidates over every core, 1 keeps the search on one.
// `serie`: the search hands back every candidate with its r.
void potencial(benchmark::State& estado, bool centimetros, int tarefas, bool serie) {
    CurvaTrecho curva = selecao(AlgoritmoCurva::Potencial, 0, centimetros);
    const ParalelismoBusca paralelismo{tarefas};
    BuscaH0 busca;
    for (auto _ : estado) {
        curva.H0 = 0;  // the start value; the fit replaces it
        if (AjustarPotencial(curva, false, paralelismo, serie ? &busca : nullptr) !=
            ResultadoAjuste::Ajustado) {
            estado.SkipWithError("ajuste falhou");
            break;
        }
        benchmark::DoNotOptimize(curva.H0);
        benchmark::DoNotOptimize(busca.r.data());
    }
}

void BM_AjustarPotencial_CotasInteiras(benchmark::State& estado) {
    potencial(estado, true, 0, false);
}
void BM_AjustarPotencial_CotasInteiras_ComSerie(benchmark::State& estado) {
    potencial(estado, true, 0, true);
}
void BM_AjustarPotencial_CotasDistintas(benchmark::State& estado) {
    potencial(estado, false, 0, false);
}
void BM_AjustarPotencial_CotasDistintas_ComSerie(benchmark::State& estado) {
    potencial(estado, false, 0, true);
}
void BM_AjustarPotencial_CotasDistintas_UmNucleo(benchmark::State& estado) {
    potencial(estado, false, 1, false);
}
void BM_AjustarPotencial_CotasDistintas_UmNucleo_ComSerie(benchmark::State& estado) {
    potencial(estado, false, 1, true);
}

void BM_AjustarPolinomio_Grau8(benchmark::State& estado) {
    CurvaTrecho curva = selecao(AlgoritmoCurva::Polinomial, 8, true);
    for (auto _ : estado) {
        if (AjustarPolinomio(curva) != ResultadoAjuste::Ajustado) {
            estado.SkipWithError("sistema singular");
            break;
        }
        benchmark::DoNotOptimize(curva.Coeficientes);
    }
}

}  // namespace

BENCHMARK(BM_AjustarPotencial_CotasInteiras)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7);
BENCHMARK(BM_AjustarPotencial_CotasInteiras_ComSerie)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7);
BENCHMARK(BM_AjustarPotencial_CotasDistintas)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7);
BENCHMARK(BM_AjustarPotencial_CotasDistintas_ComSerie)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7);
BENCHMARK(BM_AjustarPotencial_CotasDistintas_UmNucleo)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7);
BENCHMARK(BM_AjustarPotencial_CotasDistintas_UmNucleo_ComSerie)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7);
BENCHMARK(BM_AjustarPolinomio_Grau8)->Unit(benchmark::kMillisecond)->Repetitions(7);
