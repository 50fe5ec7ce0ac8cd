// A full replot of the stage–discharge chart with 3,000 marks and 10 curves.
#include "components/PainelGrafico.h"

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <cmath>
#include <random>

using namespace lumeno;

namespace {

void BM_ReplotGrafico(benchmark::State& state) {
    PainelGrafico g;
    g.resize(898, 480);
    g.definirFaixa(PainelGrafico::Eixo::X, 0, 2000);
    g.definirFaixa(PainelGrafico::Eixo::Y, 90, 1100);
    g.definirGrade(PainelGrafico::Grade::Pontilhada);
    std::mt19937 gerador(7);
    std::uniform_real_distribution<double> cotas(100, 1000);
    std::uniform_real_distribution<double> ruido(0.9, 1.1);
    for (int i = 0; i < 3000; ++i) {
        const double h = cotas(gerador);
        g.marcar(12 * std::pow(h / 100 - 0.8, 1.8) * ruido(gerador), h, PainelGrafico::Marca::XFina,
                 Qt::black);
    }
    for (int c = 0; c < 10; ++c) {
        QVector<QPointF> pontos;
        for (int i = 0; i <= 101; ++i) {
            const double h = 100 + c * 90 + i * 0.9;
            pontos << QPointF(12 * std::pow(h / 100 - 0.8, 1.8), h);
        }
        g.polilinha(pontos, QColor::fromHsv(c * 36, 255, 200));
        g.marcar(pontos.front().x(), pontos.front().y(), PainelGrafico::Marca::Losango,
                 QColor::fromHsv(c * 36, 255, 200));
    }
    g.marcar(100, 500, PainelGrafico::Marca::XNegrito, Qt::yellow);
    g.show();
    for (auto _ : state) {
        // Everything drawn anew into a picture of the window's size.
        const QPixmap figura = g.plot()->toPixmap(898, 480);
        benchmark::DoNotOptimize(figura.cacheKey());
    }
}
BENCHMARK(BM_ReplotGrafico)->Unit(benchmark::kMillisecond);

}  // namespace
