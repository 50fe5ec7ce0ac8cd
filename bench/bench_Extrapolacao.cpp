// Extrapolation: the section factors of 3,000 measurements on a 2,000-point profile, and a
// whole Stevens extrapolation of the curve-adjustment window (the answers of the stage
// dialog given).
#include "TelaBench.h"
#include "analysis/ui/ComandosExtrapolacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "components/PainelGrafico.h"
#include "hydraulics/Extrapolacao.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace lumeno;

namespace {

// A wide, uneven channel: 2,000 points from bank to bank, bed near 1,000 cm, banks at
// 2,000 cm.
std::vector<PontoPerfil> perfil2000() {
    std::mt19937 g(3);
    std::uniform_real_distribution<double> ruido(-15, 15);
    std::vector<PontoPerfil> p;
    for (int i = 0; i < 2000; ++i) {
        const double x = 0.2 * i;
        const double u = (x - 200) / 200;  // −1 … 1
        const double y = i == 0 || i == 1999 ? 2000 : 1000 + 900 * u * u + ruido(g);
        p.push_back({x, y});
    }
    return p;
}

// The measurements as the extrapolation takes them, without measured areas.
std::vector<MedicaoExtrapolacao> medicoes3000(bool cotasInteiras = true) {
    std::vector<MedicaoExtrapolacao> m;
    for (const MedicaoBench& e : Medicoes3000(cotasInteiras))
        m.push_back({e.cota, e.vazao, 0});
    return m;
}

void BM_CalcularValoresDiversos(benchmark::State& state) {
    SecaoTransversal secao(perfil2000());
    const auto medicoes = medicoes3000(state.range(0) != 0);
    std::vector<double> fatores;
    for (auto _ : state) {
        RegistroExtrapolacao r = NovaExtrapolacao(2, 1600, 1900, 0);
        CalcularValoresDiversos(secao, medicoes, r, fatores);
        benchmark::DoNotOptimize(r.fatores.data());
        benchmark::DoNotOptimize(fatores.data());
    }
}
// Argument 1: whole-centimetre stages; 0: 3,000 different stages.
BENCHMARK(BM_CalcularValoresDiversos)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Measured areas left out, as in most field records: the section gives them.
std::vector<MedicaoBench> semArea(std::vector<MedicaoBench> medicoes) {
    for (MedicaoBench& m : medicoes)
        m.area = 0;
    return medicoes;
}

struct Janela : TelaBench {
    Janela() : TelaBench(semArea(Medicoes3000()), perfil2000()) {
        tela->ReiniciarConsulta = true;
        tela->FormShow();
        ++tela->TotalCurvas;
        tela->AjustarETracar(1, {}, {}, 1, 900, 0xFF0000);
    }
};

void BM_ExtrapolacaoStevens(benchmark::State& state) {
    Janela j;
    TTelaMedicao& t = *j.tela;
    ComandosExtrapolacao& comandos = t.Extrapolacao();
    for (auto _ : state) {
        const MargensSecao margens = comandos.Margens();
        if (!comandos.ExtrapolarStevens(1, 1900, 0x00AA00, margens))
            state.SkipWithError("extrapolação recusada");
        state.PauseTiming();
        // Back to one extrapolation-free chart for the next round.
        t.NumExtrapolacoes = 0;
        t.Grafico->removerUltimo();
        t.Grafico->removerUltimo();
        t.Grafico->marcar(0, 0, PainelGrafico::Marca::XNegrito, Qt::yellow);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExtrapolacaoStevens)->Unit(benchmark::kMillisecond);

}  // namespace
