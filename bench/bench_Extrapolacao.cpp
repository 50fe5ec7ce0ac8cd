// Extrapolation: the section factors of 3,000 measurements on a 2,000-point profile, and a
// whole Stevens extrapolation of the curve-adjustment window (the answers of the stage
// dialog given).
#include "analysis/DadosEstacao.h"
#include "analysis/ui/ComandosExtrapolacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "app/ui/Contexto.h"
#include "app/ui/InteracaoWidgets.h"
#include "components/PainelGrafico.h"
#include "curves/CriteriosExclusao.h"
#include "data/LocalizacoesBanco.h"
#include "data/TDM.h"
#include "hydraulics/Extrapolacao.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
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

// 3,000 measurements with stages from 1,100 to 1,600 cm in random order: whole
// centimetres as stations record them, or all different (the worst case).
std::vector<MedicaoExtrapolacao> medicoes3000(bool cotasInteiras = true) {
    std::mt19937 g(5);
    std::uniform_real_distribution<double> cotas(1100, 1600), ruido(0.9, 1.1);
    std::vector<MedicaoExtrapolacao> m;
    for (int n = 0; n < 3000; ++n) {
        const double h = cotasInteiras ? std::round(cotas(g)) : cotas(g);
        m.push_back({h, 12.5 * std::pow(h / 100 - 9.5, 1.7) * ruido(g), 0});
    }
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
            "ponto_obrigatorio) values (1, ?, '2000-01-01', ?, ?, 0, 1, 0)");
        int n = 1;
        for (const MedicaoExtrapolacao& e : medicoes3000()) {
            m.addBindValue(n++);
            m.addBindValue(e.cota);
            m.addBindValue(e.vazao);
            m.exec();
        }
        QSqlQuery p(banco);
        p.prepare("insert into ponto (estacao, x, y) values (1, ?, ?)");
        for (const PontoPerfil& e : perfil2000()) {
            p.addBindValue(e.x);
            p.addBindValue(e.y);
            p.exec();
        }
        banco.commit();
        dm->qu_estacao1.abrir();
        ctx = std::make_unique<Contexto>(interacao, *dm, criterios);
        tela = std::make_unique<TTelaMedicao>(*ctx, dados);
        tela->resize(898, 554);
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
