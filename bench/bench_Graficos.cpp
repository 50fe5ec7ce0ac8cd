// The data-analysis window on a station with 3,000 measurements, shown at its default
// size: opening it (reading the measurements and drawing them on the three charts), one
// step to the next measurement, and colouring a selection of 1,000 measurements.
#include "EstacaoBench.h"
#include "analysis/ui/TGraficos.h"
#include "app/ui/Contexto.h"
#include "app/ui/InteracaoWidgets.h"
#include "curves/CriteriosExclusao.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

using namespace lumeno;

namespace {

// Distinct stages 1100 + k/6 cm (k = 0 … 2999) in scrambled order, with areas and
// mean velocities that follow them.
std::vector<MedicaoBench> medicoesDistintas() {
    std::mt19937 g(11);
    std::uniform_real_distribution<double> ruido(0.9, 1.1);
    std::vector<MedicaoBench> m;
    for (int n = 1; n <= 3000; ++n) {
        const double h = 1100 + ((n * 37) % 3000) / 6.0;
        const double q = 12.5 * std::pow(h / 100 - 9.5, 1.7) * ruido(g);
        const double a = 40 * std::pow(h / 100 - 9.5, 0.9) * ruido(g);
        m.push_back({h, q, a, q / a});
    }
    return m;
}

struct Janela : EstacaoBench {
    InteracaoWidgets interacao;
    CriteriosExclusao criterios;
    std::unique_ptr<Contexto> ctx;
    std::unique_ptr<TGraficos> graficos;

    Janela() : EstacaoBench(medicoesDistintas()) {
        ctx = std::make_unique<Contexto>(interacao, *dm, criterios);
        graficos = std::make_unique<TGraficos>(*ctx);
        graficos->show();
        graficos->Carregar();
        QApplication::processEvents();
    }
};

Janela& janela() {
    static Janela j;
    return j;
}

void BM_AbrirGraficos(benchmark::State& state) {
    Janela& j = janela();
    for (auto _ : state) {
        j.graficos->Inicializar();
        benchmark::DoNotOptimize(j.graficos->rcCotaVazao);
    }
}
BENCHMARK(BM_AbrirGraficos)->Unit(benchmark::kMillisecond);

void BM_PassoProximo(benchmark::State& state) {
    Janela& j = janela();
    j.graficos->Inicializar();
    int passos = 0;
    for (auto _ : state) {
        if (++passos == 3000) {
            state.PauseTiming();
            j.graficos->Inicializar();
            passos = 1;
            state.ResumeTiming();
        }
        j.graficos->Proximo();
    }
}
BENCHMARK(BM_PassoProximo)->Unit(benchmark::kMillisecond);

void BM_ColorirMilMedicoes(benchmark::State& state) {
    Janela& j = janela();
    SelecaoPontos selecao;
    selecao.tipo = SelecaoPontos::Cotas;
    selecao.de = 1100;
    selecao.ate = 1266.6;  // k = 0 … 999
    for (auto _ : state) {
        state.PauseTiming();
        j.graficos->Inicializar();
        state.ResumeTiming();
        j.graficos->ColorirSelecao(selecao, 0x0000FF);
    }
    state.counters["pontos"] =
        static_cast<double>(j.graficos->rcCotaVazao->totalItens() - (3000 + 2));
}
BENCHMARK(BM_ColorirMilMedicoes)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
