// Saved ratings on a station with 3,000 measurements: saving a rating of 10 curves and an
// extrapolation, opening it again in the curve-adjustment window, and the rating table of
// 10,000 stages built and exported.
#include "TelaBench.h"
#include "analysis/ui/ComandosAjustesSalvos.h"
#include "analysis/ui/ComandosExtrapolacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "curves/AjustesSalvos.h"
#include "curves/TabelaCotaVazao.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace lumeno;

namespace {

struct Janela : TelaBench {
    Janela() : TelaBench(Medicoes3000()) {
        // Ten power-law curves over bands of 50 cm, and the top one extrapolated.
        for (int i = 0; i < 10; ++i) {
            const int de = 1100 + 50 * i;
            tela->CurvasPendentes.push_back(
                {QString("cota >= %1 and cota < %2").arg(de).arg(de + 50),
                 QString("iniciando na cota %1").arg(de), 1, 1000, 0x0000FFu + 0x1500u * i});
        }
        tela->ReiniciarConsulta = true;
        tela->GerarAoMostrar = true;
        tela->FormShow();
        tela->Extrapolacao().ExtrapolarLogaritmica(10, 1800, 0x008000);
    }
};

Janela& janela() {
    static Janela j;
    return j;
}

void BM_SalvarAjuste(benchmark::State& state) {
    Janela& j = janela();
    AjustesSalvos salvos(j.dm->conexao());
    for (auto _ : state) {
        AjusteSalvo a = j.tela->ComandosAjustes().ConteudoAtual();
        a.nome = "Dez curvas";
        benchmark::DoNotOptimize(salvos.salvar(a, true));
    }
}
BENCHMARK(BM_SalvarAjuste)->Unit(benchmark::kMillisecond);

// Read back and put into the window: its load, ten curves with their rows and deviations,
// the extrapolation.
void BM_AbrirAjusteSalvo(benchmark::State& state) {
    Janela& j = janela();
    AjustesSalvos salvos(j.dm->conexao());
    AjusteSalvo a = j.tela->ComandosAjustes().ConteudoAtual();
    a.nome = "Para abrir";
    const int id = salvos.salvar(a, true);
    for (auto _ : state) {
        j.tela->ComandosAjustes().Abrir(salvos.ler(id));
        benchmark::DoNotOptimize(j.tela->TotalCurvas);
    }
    if (j.tela->TotalCurvas != 10 || j.tela->NumExtrapolacoes != 1)
        state.SkipWithError("the rating did not open whole");
}
BENCHMARK(BM_AbrirAjusteSalvo)->Unit(benchmark::kMillisecond);

// Just the database part of opening.
void BM_LerAjusteSalvo(benchmark::State& state) {
    Janela& j = janela();
    AjustesSalvos salvos(j.dm->conexao());
    AjusteSalvo a = j.tela->ComandosAjustes().ConteudoAtual();
    a.nome = "Para ler";
    const int id = salvos.salvar(a, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(salvos.ler(id));
}
BENCHMARK(BM_LerAjusteSalvo)->Unit(benchmark::kMillisecond);

// 10,000 stages: 1100 to 1599.95 cm in steps of 0.05 cm, across the ten curves.
std::vector<CotaAvaliada> tabela10000() {
    const ChaveCotaVazao chave = janela().tela->ComandosAjustes().ChaveAtual();
    return MontarTabelaCotaVazao(chave, 1100, 1599.95, 0.05);
}

void BM_MontarTabelaCotaVazao(benchmark::State& state) {
    const ChaveCotaVazao chave = janela().tela->ComandosAjustes().ChaveAtual();
    for (auto _ : state) {
        auto t = MontarTabelaCotaVazao(chave, 1100, 1599.95, 0.05);
        benchmark::DoNotOptimize(t.data());
    }
    if (MontarTabelaCotaVazao(chave, 1100, 1599.95, 0.05).size() != 10000)
        state.SkipWithError("not 10,000 stages");
}
BENCHMARK(BM_MontarTabelaCotaVazao)->Unit(benchmark::kMillisecond);

// The list layout of 10,000 stages laid out and written (xls, xlsx, CSV).
void BM_ExportarTabela(benchmark::State& state) {
    const FormatoTabela formato = static_cast<FormatoTabela>(state.range(0));
    const auto tabela = tabela10000();
    QTemporaryDir dir;
    const QString arquivo = dir.filePath(formato == FormatoTabela::Xls    ? "t.xls"
                                         : formato == FormatoTabela::Xlsx ? "t.xlsx"
                                                                          : "t.csv");
    for (auto _ : state)
        ExportarTabela(GradeLista({"1 Grande", "Dez curvas"}, tabela), arquivo, formato, true);
}
BENCHMARK(BM_ExportarTabela)
    ->Arg(static_cast<int>(FormatoTabela::Xls))
    ->Arg(static_cast<int>(FormatoTabela::Xlsx))
    ->Arg(static_cast<int>(FormatoTabela::Csv))
    ->Unit(benchmark::kMillisecond);

}  // namespace
