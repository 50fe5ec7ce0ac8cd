// The curve-adjustment window on a station with 3,000 measurements: loading it, and
// fitting and drawing a power-law curve over all of them.
#include "analysis/DadosEstacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "app/ui/Contexto.h"
#include "app/ui/InteracaoWidgets.h"
#include "curves/CriteriosExclusao.h"
#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

using namespace lumeno;

namespace {

struct Janela {
    QTemporaryDir dir;
    std::unique_ptr<LocalizacoesBanco> localizacoes;
    std::unique_ptr<TDM> dm;
    InteracaoWidgets interacao;
    CriteriosExclusao criterios;
    std::unique_ptr<Contexto> ctx;
    DadosEstacao dados;
    std::unique_ptr<TTelaMedicao> tela;

    Janela() {
        localizacoes = std::make_unique<LocalizacoesBanco>(dir.filePath("l.ini"));
        localizacoes->adicionar("Lumeno", "STANDARD", {{"PATH", dir.path()}});
        dm = std::make_unique<TDM>(*localizacoes);
        QSqlDatabase banco = dm->conexao().banco();
        banco.transaction();
        QSqlQuery(banco).exec("insert into estacao (codigo, descricao) values (1, 'Grande')");
        QSqlQuery m(banco);
        m.prepare(
            "insert into medida (estacao, numero, data, cota, vazao, area, velocidade, "
            "ponto_obrigatorio) "
            "values (1, ?, '2000-01-01', ?, ?, 10, 1, 0)");
        std::mt19937 g(5);
        std::uniform_real_distribution<double> cotas(1100, 1600);
        std::uniform_real_distribution<double> ruido(0.9, 1.1);
        for (int n = 1; n <= 3000; ++n) {
            const double h = std::round(cotas(g));
            m.addBindValue(n);
            m.addBindValue(h);
            m.addBindValue(12.5 * std::pow(h / 100 - 9.5, 1.7) * ruido(g));
            m.exec();
        }
        banco.commit();
        dm->qu_estacao1.abrir();
        ctx = std::make_unique<Contexto>(interacao, *dm, criterios);
        tela = std::make_unique<TTelaMedicao>(*ctx, dados);
        tela->resize(898, 554);
    }
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
