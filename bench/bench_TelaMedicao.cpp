// The curve-adjustment window on a station with 3,000 measurements: loading it, and
// fitting and drawing a power-law curve over all of them.
#include "TelaBench.h"
#include "analysis/ui/TTelaMedicao.h"

#include <benchmark/benchmark.h>

using namespace lumeno;

namespace {

struct Janela : TelaBench {
    Janela() : TelaBench(Medicoes3000()) {}
};

Janela& janela() {
    static Janela j;
    return j;
}

void BM_CarregarTelaMedicao(benchmark::State& state) {
    Janela& j = janela();
    for (auto _ : state) {
        j.tela->ReiniciarConsulta = true;
        j.tela->FormShow();
        benchmark::DoNotOptimize(j.tela->Grafico);
    }
}
BENCHMARK(BM_CarregarTelaMedicao)->Unit(benchmark::kMillisecond);

void BM_AjustarETracar(benchmark::State& state) {
    Janela& j = janela();
    j.tela->ReiniciarConsulta = true;
    j.tela->FormShow();
    for (auto _ : state) {
        // Each round on a freshly loaded window, so that the chart does not pile up the
        // marks of earlier rounds.
        state.PauseTiming();
        j.tela->FormShow();
        j.tela->TotalCurvas = 1;
        state.ResumeTiming();
        // Start value 100 cm: a thousand candidates of h0 over the 3,000 rows.
        j.tela->AjustarETracar(1, {}, {}, 1, 100, 0xFF0000);
    }
}
BENCHMARK(BM_AjustarETracar)->Unit(benchmark::kMillisecond);

}  // namespace
