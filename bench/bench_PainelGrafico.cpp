// Drawing the stage–discharge chart at its worst expected load: 3,000 measurement marks
// (runs of thin crosses with mandatory-point crosses and diamonds between them),
// 10 fitted curves of 102 points, the origin guide lines and a dotted grid.
#include "components/PainelGrafico.h"

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <cmath>
#include <memory>
#include <random>

using namespace lumeno;

namespace {

constexpr int kLargura = 900;
constexpr int kAltura = 500;

std::unique_ptr<PainelGrafico> graficoCheio() {
    using Marca = PainelGrafico::Marca;
    using Eixo = PainelGrafico::Eixo;
    auto g = std::make_unique<PainelGrafico>();
    g->resize(kLargura, kAltura);
    g->definirMargens(40, 20, 20, 35);
    g->definirTitulo(Eixo::X, QStringLiteral("Vazão (m³/s)"));
    g->definirTitulo(Eixo::Y, QStringLiteral("Cota (cm)"));
    g->definirFaixa(Eixo::X, -10, 2100);
    g->definirFaixa(Eixo::Y, 90, 1100);
    g->definirGrade(PainelGrafico::Grade::Pontilhada);
    g->polilinha({{0, -10000}, {0, 10000}}, Qt::black, 1, Qt::DashDotDotLine);
    g->polilinha({{-10000, 0}, {10000, 0}}, Qt::black, 1, Qt::DashDotDotLine);
    std::mt19937 gerador(7);
    std::uniform_real_distribution<double> cotas(100, 1000);
    std::uniform_real_distribution<double> ruido(0.9, 1.1);
    for (int i = 0; i < 3000; ++i) {
        const double h = cotas(gerador);
        const double q = 12 * std::pow(h / 100 - 0.8, 1.8) * ruido(gerador);
        if (i % 100 == 99)
            g->marcar(q, h, Marca::XNegrito, Qt::cyan);
        else if (i % 250 == 0)
            g->marcar(q, h, Marca::Losango, Qt::blue);
        else
            g->marcar(q, h, Marca::XFina, Qt::black);
    }
    for (int c = 0; c < 10; ++c) {
        QVector<QPointF> pontos;
        for (int i = 0; i <= 101; ++i) {
            const double h = 100 + c * 90 + i * 0.9;
            pontos << QPointF(12 * std::pow(h / 100 - 0.8, 1.8), h);
        }
        g->polilinha(pontos, QColor::fromHsv(c * 36, 255, 200));
    }
    g->marcar(100, 500, Marca::XNegrito, Qt::yellow);
    g->show();
    g->atualizar();
    return g;
}

// A full replot of the shown widget (every layer redrawn into its buffer and painted).
void BM_GraficoReplot(benchmark::State& state) {
    auto g = graficoCheio();
    for (auto _ : state)
        g->plot()->replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(BM_GraficoReplot)->Unit(benchmark::kMillisecond);

// The same chart drawn into a new picture, as for the clipboard or a .bmp file.
void BM_GraficoImagem(benchmark::State& state) {
    auto g = graficoCheio();
    for (auto _ : state) {
        const QPixmap figura = g->imagem(kLargura, kAltura);
        benchmark::DoNotOptimize(figura.cacheKey());
    }
}
BENCHMARK(BM_GraficoImagem)->Unit(benchmark::kMillisecond);

// The nearest-item search of a chart click over the 3,000 marks and 1,024 curve points.
void BM_GraficoItemMaisProximo(benchmark::State& state) {
    auto g = graficoCheio();
    for (auto _ : state)
        benchmark::DoNotOptimize(g->itemMaisProximo(QPointF(500, 600)));
}
BENCHMARK(BM_GraficoItemMaisProximo)->Unit(benchmark::kMicrosecond);

}  // namespace
