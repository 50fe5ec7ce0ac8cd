#include "app/ErroLumeno.h"
#include "components/PainelGrafico.h"
#include "support/ExecutorTestes.h"

#include <qcustomplot.h>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

using namespace lumeno;
using Eixo = PainelGrafico::Eixo;
using Marca = PainelGrafico::Marca;
using Grade = PainelGrafico::Grade;
using ModoMouse = PainelGrafico::ModoMouse;
using Tipo = PainelGrafico::Item::Tipo;

Q_DECLARE_METATYPE(PainelGrafico::Marca)
Q_DECLARE_METATYPE(PainelGrafico::Grade)

namespace {

// A shown chart of 400 x 300 pixels, white, no grid, with the given ranges laid out.
std::unique_ptr<PainelGrafico> novoGrafico(double x0 = 0, double x1 = 100, double y0 = 0,
                                           double y1 = 100) {
    auto g = std::make_unique<PainelGrafico>();
    g->resize(400, 300);
    g->definirFaixa(Eixo::X, x0, x1);
    g->definirFaixa(Eixo::Y, y0, y1);
    g->show();
    if (!QTest::qWaitForWindowExposed(g.get()))
        qWarning("chart window not exposed");
    g->atualizar();
    return g;
}

QPoint pixel(const PainelGrafico& g, double x, double y) {
    return g.paraPixel(QPointF(x, y)).toPoint();
}

bool perto(double a, double b, double tolerancia) {
    return std::abs(a - b) <= tolerancia;
}

}  // namespace

class TestePainelGrafico : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ordemERemocaoDoUltimo() {
        auto g = novoGrafico();
        g->marcar(10, 10, Marca::XFina, Qt::black);
        g->marcar(20, 20, Marca::XFina, Qt::black);  // shares the plottable of the first
        g->polilinha({{0, 0}, {50, 50}, {100, 0}}, Qt::red, 2, Qt::DashDotDotLine);
        g->marcar(30, 30, Marca::XNegrito, Qt::yellow);
        QCOMPARE(g->totalItens(), 4);
        QCOMPARE(g->item(0).pontos.front(), QPointF(10, 10));
        QCOMPARE(g->item(2).tipo, Tipo::Linha);
        QCOMPARE(g->item(2).estilo, Qt::DashDotDotLine);
        QCOMPARE(g->item(2).largura, 2);
        QCOMPARE(g->item(3).marca, Marca::XNegrito);

        g->removerUltimo();
        QCOMPARE(g->totalItens(), 3);
        QCOMPARE(g->item(2).tipo, Tipo::Linha);
        g->removerUltimo();
        g->removerUltimo();  // the second cross only, not the whole run of crosses
        QCOMPARE(g->totalItens(), 1);
        g->atualizar();
        const QImage figura = g->imagem().toImage();
        QCOMPARE(figura.pixelColor(pixel(*g, 10, 10)), QColor(Qt::black));
        QCOMPARE(figura.pixelColor(pixel(*g, 20, 20)), QColor(Qt::white));
        QCOMPARE(g->plot()->plottableCount(), 1);

        g->removerUltimo();
        g->removerUltimo();  // empty: nothing happens
        QCOMPARE(g->totalItens(), 0);
        QCOMPARE(g->plot()->plottableCount(), 0);
    }

    // A deferred redraw happens once, when the last scope ends, and only if one was asked
    // for; the image then holds everything drawn inside.
    void atualizacaoAdiada() {
        auto g = novoGrafico();
        QSignalSpy redesenhos(g->plot(), &QCustomPlot::afterReplot);
        {
            const PainelGrafico::AtualizacaoAdiada externa(*g);
            g->marcar(10, 10, Marca::Disco, Qt::red);
            g->atualizar();
            {
                const PainelGrafico::AtualizacaoAdiada interna(*g);
                g->marcar(20, 20, Marca::Disco, Qt::blue);
                g->atualizar();
            }
            QCOMPARE(redesenhos.count(), 0);
        }
        QCOMPARE(redesenhos.count(), 1);
        const QImage figura = g->imagem().toImage();
        QCOMPARE(figura.pixelColor(pixel(*g, 20, 20)), QColor(Qt::blue));
        { const PainelGrafico::AtualizacaoAdiada semPedido(*g); }
        QCOMPARE(redesenhos.count(), 1);
        g->atualizar();
        QCOMPARE(redesenhos.count(), 2);
    }

    void limparTudo() {
        auto g = novoGrafico();
        for (int i = 0; i < 5; ++i)
            g->marcar(i, i, Marca::Disco, Qt::red);
        g->polilinha({{0, 0}, {1, 1}}, Qt::blue);
        g->limpar();
        QCOMPARE(g->totalItens(), 0);
        QCOMPARE(g->plot()->plottableCount(), 0);
        QVERIFY(!g->itemMaisProximo(QPointF(0, 0)));
        QCOMPARE(g->faixa(Eixo::X).maximo, 100.0);  // axes untouched
    }

    void caneta() {
        auto g = novoGrafico();
        g->definirCorCaneta(Qt::red);
        g->moverPara(1, 2);
        QCOMPARE(g->totalItens(), 0);  // placing the pen draws nothing
        g->linhaPara(3, 4);
        g->linhaPara(5, 6);
        g->linhaPara(7, 8);
        QCOMPARE(g->totalItens(), 1);
        QCOMPARE(g->item(0).pontos, QVector<QPointF>({{1, 2}, {3, 4}, {5, 6}, {7, 8}}));
        QCOMPARE(g->item(0).cor, QColor(Qt::red));

        // A new width starts a new item from where the pen is.
        g->definirLarguraCaneta(2);
        g->linhaPara(9, 10);
        QCOMPARE(g->totalItens(), 2);
        QCOMPARE(g->item(1).pontos, QVector<QPointF>({{7, 8}, {9, 10}}));
        QCOMPARE(g->item(1).largura, 2);

        // Another item in between ends the path as well.
        g->marcar(0, 0, Marca::XFina, Qt::black);
        g->linhaPara(11, 12);
        QCOMPARE(g->totalItens(), 4);
        QCOMPARE(g->item(3).pontos, QVector<QPointF>({{9, 10}, {11, 12}}));

        g->moverPara(20, 20);
        g->linhaPara(30, 30);
        QCOMPARE(g->totalItens(), 5);
        QCOMPARE(g->item(4).pontos.front(), QPointF(20, 20));
    }

    // The pixels of each mark around its centre on a white chart.
    void formasDasMarcas_data() {
        QTest::addColumn<Marca>("marca");
        QTest::addColumn<int>("forma");
        QTest::newRow("cruz fina") << Marca::XFina << 0;
        QTest::newRow("cruz negrito") << Marca::XNegrito << 1;
        QTest::newRow("losango") << Marca::Losango << 2;
        QTest::newRow("cruz pequena") << Marca::XPequeno << 3;
    }
    void formasDasMarcas() {
        QFETCH(Marca, marca);
        QFETCH(int, forma);
        const std::function<bool(int, int)> esperado[] = {
            [](int dx, int dy) { return std::abs(dx) == std::abs(dy) && std::abs(dx) <= 3; },
            [](int dx, int dy) {
                return std::abs(dx) <= 3 && std::abs(dy) <= 3 &&
                       std::abs(std::abs(dx) - std::abs(dy)) <= 1;
            },
            [](int dx, int dy) { return std::abs(dx) + std::abs(dy) <= 3; },
            [](int dx, int dy) { return std::abs(dx) == std::abs(dy) && std::abs(dx) <= 2; },
        };
        auto g = novoGrafico();
        g->marcar(50, 50, marca, Qt::red);
        g->atualizar();
        const QImage figura = g->imagem().toImage();
        const QPoint c = pixel(*g, 50, 50);
        for (int dy = -5; dy <= 5; ++dy)
            for (int dx = -5; dx <= 5; ++dx) {
                const bool pintado = figura.pixelColor(c + QPoint(dx, dy)) == QColor(Qt::red);
                if (pintado != esperado[forma](dx, dy))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2): %3")
                                         .arg(dx)
                                         .arg(dy)
                                         .arg(pintado ? "pintado" : "vazio")));
            }
    }

    void discoTemSetePixels() {
        auto g = novoGrafico();
        g->marcar(50, 50, Marca::Disco, Qt::red);
        g->atualizar();
        const QImage figura = g->imagem().toImage();
        const QPoint c = pixel(*g, 50, 50);
        QRect caixa;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx)
                if (figura.pixelColor(c + QPoint(dx, dy)) == QColor(Qt::red))
                    caixa |= QRect(dx, dy, 1, 1);
        QCOMPARE(caixa, QRect(-3, -3, 7, 7));
        QCOMPARE(figura.pixelColor(c), QColor(Qt::red));                   // filled
        QCOMPARE(figura.pixelColor(c + QPoint(3, 3)), QColor(Qt::white));  // round
    }

    // Nearest in pixels, not in chart units: x spans 1000 units, y spans 1.
    void itemMaisProximo_data() {
        QTest::addColumn<QPointF>("consulta");
        QTest::addColumn<QPointF>("esperado");
        // Mark at (500, 0.5); the curve's vertex (560, 0.6) is 60 units away in x, yet
        // only about 20 pixels, closer on the screen than the mark (0.1 in y, ~25 px).
        QTest::newRow("vertice da curva") << QPointF(500, 0.6) << QPointF(560, 0.6);
        QTest::newRow("marca") << QPointF(500, 0.56) << QPointF(500, 0.5);
        QTest::newRow("fim de linha") << QPointF(990, 0.05) << QPointF(1000, 0.0);
    }
    void itemMaisProximo() {
        QFETCH(QPointF, consulta);
        QFETCH(QPointF, esperado);
        auto g = novoGrafico(0, 1000, 0, 1);
        g->marcar(500, 0.5, Marca::XFina, Qt::black);
        g->polilinha({{300, 0.9}, {560, 0.6}, {700, 0.95}}, Qt::red);
        g->polilinha({{0, 0}, {1000, 0}}, Qt::black, 1, Qt::DashDotDotLine);
        g->marcar(std::nan(""), 0.6, Marca::XFina, Qt::black);  // never found
        const auto achado = g->itemMaisProximo(consulta);
        QVERIFY(achado.has_value());
        QCOMPARE(*achado, esperado);
    }

    void semItemNaoHaMaisProximo() {
        auto g = novoGrafico();
        QVERIFY(!g->itemMaisProximo(QPointF(50, 50)));
        g->marcar(10, 10, Marca::XFina, Qt::black);
        g->removerUltimo();
        QVERIFY(!g->itemMaisProximo(QPointF(50, 50)));
    }

    void faixas_data() {
        QTest::addColumn<bool>("log");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<double>("minEsperado");
        QTest::addColumn<double>("maxEsperado");
        QTest::newRow("comum") << false << -3.5 << 12.25 << -3.5 << 12.25;
        QTest::newRow("invertida") << false << 10.0 << 2.0 << 2.0 << 10.0;
        QTest::newRow("igual") << false << 50.0 << 50.0 << 49.5 << 50.5;
        QTest::newRow("igual em zero") << false << 0.0 << 0.0 << -1.0 << 1.0;
        QTest::newRow("nao finita") << false << std::nan("") << 5.0 << 0.0 << 100.0;
        QTest::newRow("log positiva") << true << 0.01 << 101.99 << 0.01 << 101.99;
        QTest::newRow("log desde zero") << true << 0.0 << 500.0 << 0.5 << 500.0;
        QTest::newRow("log negativa") << true << -20.0 << -1.0 << 1.0 << 10.0;
    }
    void faixas() {
        QFETCH(bool, log);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(double, minEsperado);
        QFETCH(double, maxEsperado);
        auto g = novoGrafico();
        g->definirLogaritmico(Eixo::Y, log);
        g->definirFaixa(Eixo::Y, min, max);
        QCOMPARE(g->faixa(Eixo::Y).minimo, minEsperado);
        QCOMPARE(g->faixa(Eixo::Y).maximo, maxEsperado);
        QCOMPARE(g->faixa(Eixo::X).maximo, 100.0);  // the other axis stays
    }

    void escalaLogaritmica() {
        auto g = novoGrafico(0.01, 101.99, 90, 310);
        g->definirLogaritmico(Eixo::Y, true);
        g->definirLogaritmico(Eixo::X, true);
        g->definirCasasDecimais(Eixo::X, -2);
        QVERIFY(g->logaritmico(Eixo::Y));
        QCOMPARE(g->faixa(Eixo::Y).minimo, 90.0);  // already valid: kept
        QCOMPARE(g->faixa(Eixo::X).minimo, 0.01);
        g->atualizar();
        // A stage range under one decade still gets several labels.
        const QVector<double> ticksY = g->plot()->yAxis->tickVector();
        QVERIFY2(ticksY.contains(100) && ticksY.contains(200) && ticksY.contains(300),
                 qPrintable(QString::number(ticksY.size())));
        // Four decades of discharge: powers of ten, written shortly.
        QCOMPARE(g->plot()->xAxis->tickVector(), QVector<double>({0.01, 0.1, 1, 10, 100}));
        QCOMPARE(g->plot()->xAxis->tickVectorLabels().front(), QStringLiteral("0.01"));
        // The mapping is logarithmic: 1 lies midway between 0.01 and 100 on the screen.
        const double meio = (g->paraPixel({0.01, 100}).x() + g->paraPixel({100, 100}).x()) / 2;
        QVERIFY(perto(g->paraPixel({1, 100}).x(), meio, 1));

        g->definirLogaritmico(Eixo::Y, false);
        QVERIFY(!g->logaritmico(Eixo::Y));
        QCOMPARE(g->faixa(Eixo::Y).maximo, 310.0);
    }

    void casasDecimais() {
        auto g = novoGrafico(0, 3, 0, 100);
        g->definirCasasDecimais(Eixo::X, 2);
        g->definirCasasDecimais(Eixo::Y, 0);
        g->atualizar();
        QCOMPARE(g->plot()->xAxis->tickVectorLabels().front(), QStringLiteral("0.00"));
        QCOMPARE(g->plot()->yAxis->tickVectorLabels().back(), QStringLiteral("100"));
        QCOMPARE(g->casasDecimais(Eixo::X), 2);
        g->definirTitulo(Eixo::X, QStringLiteral("Vazão (m³/s)"));
        QCOMPARE(g->titulo(Eixo::X), QStringLiteral("Vazão (m³/s)"));
        QCOMPARE(g->plot()->xAxis->tickLabelFont().family(), QStringLiteral("Arial"));
    }

    void ajusteAutomatico_data() {
        QTest::addColumn<bool>("log");
        QTest::addColumn<double>("margem");
        QTest::addColumn<QVector<double>>("esperado");  // x min, x max, y min, y max
        // Points x -5 … 110 and y 5 … 25 (the mark at x = -5 has no finite y).
        QTest::newRow("linear 2%") << false << 2.0 << QVector<double>({-7.3, 112.3, 4.6, 25.4});
        QTest::newRow("sem margem") << false << 0.0 << QVector<double>({-5, 110, 5, 25});
        // On a log axis the margin is a share of the decades; x = -5 is left out.
        const double dx = 0.1 * std::log10(11.0), dy = 0.1 * std::log10(5.0);
        QTest::newRow("log 10%") << true << 10.0
                                 << QVector<double>({10 / std::pow(10, dx), 110 * std::pow(10, dx),
                                                     5 / std::pow(10, dy), 25 * std::pow(10, dy)});
    }
    void ajusteAutomatico() {
        QFETCH(bool, log);
        QFETCH(double, margem);
        QFETCH(QVector<double>, esperado);
        auto g = novoGrafico();
        g->definirLogaritmico(Eixo::X, log);
        g->definirLogaritmico(Eixo::Y, log);
        g->definirCorCaneta(Qt::red);
        g->moverPara(10, 5);
        g->linhaPara(110, 25);
        g->marcar(60, 15, Marca::XFina, Qt::black);
        g->marcar(-5, std::nan(""), Marca::XFina, Qt::black);
        g->ajustarFaixas(margem);
        const PainelGrafico::Faixa x = g->faixa(Eixo::X), y = g->faixa(Eixo::Y);
        const QVector<double> obtido = {x.minimo, x.maximo, y.minimo, y.maximo};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(perto(obtido[i], esperado[i], 1e-9),
                     qPrintable(QStringLiteral("%1: %2").arg(i).arg(obtido[i], 0, 'g', 12)));
    }

    void ajusteDeUmSoValor() {
        auto g = novoGrafico();
        g->marcar(7, 200, Marca::XFina, Qt::black);
        g->marcar(7, 300, Marca::XFina, Qt::black);
        g->ajustarFaixas(2);
        QCOMPARE(g->faixa(Eixo::X).minimo, 7 - 0.07);
        QCOMPARE(g->faixa(Eixo::X).maximo, 7 + 0.07);
        g->limpar();
        g->ajustarFaixas(2);  // nothing drawn: ranges kept
        QCOMPARE(g->faixa(Eixo::Y).minimo, 198.0);
    }

    // Grid lines at x = 10, 30, 50, 70, 90 and y = 1, 5, 9 in the grid colour.
    void grades_data() {
        QTest::addColumn<Grade>("grade");
        QTest::addColumn<int>("minimoColuna");  // grid pixels in the column x = 30
        QTest::addColumn<int>("maximoColuna");
        QTest::addColumn<int>("total");  // grid pixels in the whole picture (-1: not checked)
        QTest::newRow("nenhuma") << Grade::Nenhuma << 0 << 0 << 0;
        QTest::newRow("solida") << Grade::Solida << 200 << 300 << -1;
        QTest::newRow("pontilhada") << Grade::Pontilhada << 60 << 130 << -1;
        QTest::newRow("pontos") << Grade::Pontos << 3 << 3 << 15;
    }
    void grades() {
        QFETCH(Grade, grade);
        QFETCH(int, minimoColuna);
        QFETCH(int, maximoColuna);
        QFETCH(int, total);
        auto g = novoGrafico(0, 100, 0, 10);
        const QColor cor(0, 128, 0);
        g->definirCorGrade(cor);
        g->definirGrade(grade);
        g->definirPassoGrade(Eixo::X, 20, 10);
        g->definirPassoGrade(Eixo::Y, 4, 1);
        QCOMPARE(g->grade(), grade);
        QCOMPARE(g->corGrade(), cor);
        QCOMPARE(g->passoGrade(Eixo::X), 20.0);
        g->atualizar();
        const QImage figura = g->imagem().toImage();
        const int coluna = pixel(*g, 30, 0).x();
        int naColuna = 0, todos = 0;
        for (int y = 0; y < figura.height(); ++y)
            naColuna += figura.pixelColor(coluna, y) == cor;
        for (int y = 0; y < figura.height(); ++y)
            for (int x = 0; x < figura.width(); ++x)
                todos += figura.pixelColor(x, y) == cor;
        QVERIFY2(naColuna >= minimoColuna && naColuna <= maximoColuna,
                 qPrintable(QString::number(naColuna)));
        if (total >= 0)
            QCOMPARE(todos, total);
        // No line between the grid positions.
        const int entre = pixel(*g, 40, 0).x();
        for (int y = 0; y < figura.height(); ++y)
            if (figura.pixelColor(entre, y) == cor && grade != Grade::Pontos &&
                y != pixel(*g, 0, 1).y() && y != pixel(*g, 0, 5).y() && y != pixel(*g, 0, 9).y())
                QFAIL(qPrintable(QStringLiteral("grid pixel at row %1").arg(y)));
    }

    // Without a step (or with one too small for the range, which would otherwise draw
    // millions of lines) the grid lies on the labelled ticks.
    void gradeNosTicks_data() {
        QTest::addColumn<double>("passo");
        QTest::newRow("sem passo") << 0.0;
        QTest::newRow("passo minusculo") << 1e-6;
    }
    void gradeNosTicks() {
        QFETCH(double, passo);
        auto g = novoGrafico(0, 1000, 0, 10);
        const QColor cor(0, 128, 0);
        g->definirCorGrade(cor);
        g->definirGrade(Grade::Solida);
        g->definirPassoGrade(Eixo::X, passo);
        g->definirPassoGrade(Eixo::Y, 4, 2);  // keeps the row y = 5 free of lines
        g->atualizar();
        const QVector<double> ticks = g->plot()->xAxis->tickVector();
        QVERIFY(ticks.size() >= 3);
        QCOMPARE(g->distanciaTicks(Eixo::X), ticks[1] - ticks[0]);  // as drawn
        const QImage figura = g->imagem().toImage();
        const int linha = pixel(*g, 0, 5).y();
        int colunas = 0;
        for (int x = 0; x < figura.width(); ++x)
            colunas += figura.pixelColor(x, linha) == cor;
        QCOMPARE(figura.pixelColor(pixel(*g, ticks[1], 5)), cor);
        QVERIFY2(colunas <= ticks.size(), qPrintable(QString::number(colunas)));
    }

    void fundo() {
        auto g = novoGrafico();
        g->definirFundo(QColor(200, 210, 220));
        QCOMPARE(g->fundo(), QColor(200, 210, 220));
        g->atualizar();
        QCOMPARE(g->imagem().toImage().pixelColor(pixel(*g, 50, 50)), QColor(200, 210, 220));
    }

    void posicaoDoMouse() {
        auto g = novoGrafico(0, 200, 100, 300);
        QWidget* alvo = g->plot();
        QSignalSpy movimentos(g.get(), &PainelGrafico::mouseMoveu);
        QSignalSpy cliques(g.get(), &PainelGrafico::clicado);
        const QPoint p = pixel(*g, 50, 150);
        QTest::mouseMove(alvo, p);
        QVERIFY(!movimentos.isEmpty());
        const QPointF relatado = movimentos.last().at(0).toPointF();
        QVERIFY(perto(relatado.x(), 50, 1) && perto(relatado.y(), 150, 1));
        QCOMPARE(g->posicaoMouse(), relatado);
        QCOMPARE(g->paraGrafico(p), relatado);

        QTest::mouseClick(alvo, Qt::LeftButton, {}, pixel(*g, 100, 200));
        QCOMPARE(cliques.size(), 1);
        const QPointF clique = cliques.first().at(0).toPointF();
        QVERIFY(perto(clique.x(), 100, 1) && perto(clique.y(), 200, 1));
        QCOMPARE(g->posicaoMouse(), clique);

        // Outside the plotting area nothing is reported.
        movimentos.clear();
        QTest::mouseMove(alvo, QPoint(2, 2));
        QVERIFY(movimentos.isEmpty());
        QTest::mouseClick(alvo, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(cliques.size(), 1);
    }

    void zoomPorRetangulo() {
        auto g = novoGrafico(0, 100, 0, 1000);
        QWidget* alvo = g->plot();
        QSignalSpy feito(g.get(), &PainelGrafico::zoomFeito);
        QSignalSpy cliques(g.get(), &PainelGrafico::clicado);
        g->definirModoMouse(ModoMouse::Zoom);

        // A click is no zoom.
        QTest::mouseClick(alvo, Qt::LeftButton, {}, pixel(*g, 50, 500));
        QCOMPARE(feito.size(), 0);
        QCOMPARE(g->faixa(Eixo::X).maximo, 100.0);

        // Dragging from the lower right to the upper left corner of (20..60, 200..700).
        const QPoint de = pixel(*g, 60, 200), ate = pixel(*g, 20, 700);
        const QPointF cantoA = g->paraGrafico(de), cantoB = g->paraGrafico(ate);
        QTest::mousePress(alvo, Qt::LeftButton, {}, de);
        QTest::mouseMove(alvo, (de + ate) / 2);
        QTest::mouseMove(alvo, ate);
        QTest::mouseRelease(alvo, Qt::LeftButton, {}, ate);
        QCOMPARE(feito.size(), 1);
        QCOMPARE(cliques.size(), 0);
        QVERIFY(perto(g->faixa(Eixo::X).minimo, cantoB.x(), 0.5));
        QVERIFY(perto(g->faixa(Eixo::X).maximo, cantoA.x(), 0.5));
        QVERIFY(perto(g->faixa(Eixo::Y).minimo, cantoA.y(), 5));
        QVERIFY(perto(g->faixa(Eixo::Y).maximo, cantoB.y(), 5));
        QCOMPARE(g->modoMouse(), ModoMouse::Zoom);  // the window decides what follows
    }

    void pan_data() {
        QTest::addColumn<bool>("log");
        QTest::newRow("linear") << false;
        QTest::newRow("logaritmico") << true;
    }
    void pan() {
        QFETCH(bool, log);
        auto g = novoGrafico(10, 110, 1, 1000);
        g->definirLogaritmico(Eixo::Y, log);
        g->atualizar();
        QWidget* alvo = g->plot();
        QSignalSpy feito(g.get(), &PainelGrafico::zoomFeito);
        QSignalSpy cliques(g.get(), &PainelGrafico::clicado);
        g->definirModoMouse(ModoMouse::Pan);
        const QRect area = g->areaPlotagem();
        const QPoint de = area.center();
        const QPoint ate = de + QPoint(area.width() / 4, area.height() / 2);
        QTest::mousePress(alvo, Qt::LeftButton, {}, de);
        QTest::mouseMove(alvo, de + QPoint(5, 5));
        QTest::mouseMove(alvo, ate);
        QTest::mouseRelease(alvo, Qt::LeftButton, {}, ate);
        QCOMPARE(feito.size(), 1);
        QCOMPARE(cliques.size(), 0);
        // Dragging right by a quarter of the width moves the x range left by a quarter.
        QVERIFY(perto(g->faixa(Eixo::X).minimo, -15, 0.5));
        QVERIFY(perto(g->faixa(Eixo::X).maximo, 85, 0.5));
        // Dragging down by half the height moves the y range up by half its span.
        if (log) {
            QVERIFY(perto(std::log10(g->faixa(Eixo::Y).minimo), 1.5, 0.02));
            QVERIFY(perto(std::log10(g->faixa(Eixo::Y).maximo), 4.5, 0.02));
        } else {
            QVERIFY(perto(g->faixa(Eixo::Y).minimo, 500.5, 5));
            QVERIFY(perto(g->faixa(Eixo::Y).maximo, 1499.5, 5));
        }
        // Back in the normal mode a drag neither pans nor clicks.
        g->definirModoMouse(ModoMouse::Normal);
        const auto antes = g->faixa(Eixo::X);
        QTest::mousePress(alvo, Qt::LeftButton, {}, de);
        QTest::mouseMove(alvo, ate);
        QTest::mouseRelease(alvo, Qt::LeftButton, {}, ate);
        QCOMPARE(feito.size(), 1);
        QCOMPARE(cliques.size(), 0);
        QCOMPARE(g->faixa(Eixo::X).minimo, antes.minimo);
    }

    void salvar_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("bmp") << "grafico.bmp";
        QTest::newRow("png") << "grafico.PNG";
        QTest::newRow("svg") << "grafico.svg";
    }
    void salvar() {
        QFETCH(QString, nome);
        QTemporaryDir pasta;
        QVERIFY(pasta.isValid());
        auto g = novoGrafico();
        g->marcar(50, 50, Marca::XNegrito, Qt::red);
        g->polilinha({{0, 0}, {100, 100}}, Qt::blue, 1, Qt::DashDotDotLine);
        const QString arquivo = pasta.filePath(nome);
        g->salvar(arquivo);
        if (nome.endsWith(QLatin1String(".svg"))) {
            QFile f(arquivo);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray texto = f.readAll();
            QVERIFY(texto.contains("<svg"));
            QVERIFY(texto.contains("viewBox=\"0 0 400 300\""));
        } else {
            const QImage figura(arquivo);
            QCOMPARE(figura.size(), QSize(400, 300));
            QCOMPARE(figura.pixelColor(pixel(*g, 50, 50)), QColor(Qt::red));
        }
    }

    void salvarRecusa_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("extensao") << "grafico.jpg";
        QTest::newRow("sem extensao") << "grafico";
        QTest::newRow("pasta inexistente") << "nao/existe/grafico.bmp";
    }
    void salvarRecusa() {
        QFETCH(QString, nome);
        QTemporaryDir pasta;
        auto g = novoGrafico();
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, g->salvar(pasta.filePath(nome)));
        QVERIFY(!QFile::exists(pasta.filePath(nome)));
    }

    void imagemDeOutroTamanho() {
        auto g = novoGrafico();
        const QPoint antes = pixel(*g, 50, 50);
        QCOMPARE(g->imagem(900, 500).size(), QSize(900, 500));
        QTRY_COMPARE(pixel(*g, 50, 50), antes);  // the widget's own layout comes back
    }
};

LUMENO_TESTE(TestePainelGrafico)
#include "tst_PainelGrafico.moc"
