#include "components/PainelGrafico.h"
#include "support/ExecutorTestes.h"

#include <qcustomplot.h>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace lumeno;
using Eixo = PainelGrafico::Eixo;

namespace {
void esperarExposto(QWidget& w) {
    if (!QTest::qWaitForWindowExposed(&w))
        qWarning("chart window not exposed");
}
struct Grafico {
    PainelGrafico g;
    Grafico() {
        g.resize(600, 400);
        g.definirFaixa(Eixo::X, 0, 100);
        g.definirFaixa(Eixo::Y, 0, 1000);
        g.show();
        esperarExposto(g);
        g.atualizar();
    }
    QPoint pixel(double x, double y) const { return g.paraPixel({x, y}).toPoint(); }
};
}  // namespace

class TestePainelGrafico : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void itensEmOrdem() {
        Grafico t;
        t.g.marcar(10, 100, PainelGrafico::Marca::XFina, Qt::black);
        t.g.marcar(20, 200, PainelGrafico::Marca::XFina, Qt::black);
        t.g.polilinha({{0, 0}, {50, 500}}, Qt::red, 1, Qt::DashDotDotLine);
        t.g.marcar(30, 300, PainelGrafico::Marca::XNegrito, Qt::yellow);
        QCOMPARE(t.g.totalItens(), 4);
        // Consecutive marks of one shape and colour share one plottable.
        QCOMPARE(t.g.plot()->plottableCount(), 3);
        t.g.removerUltimo();
        QCOMPARE(t.g.totalItens(), 3);
        QCOMPARE(t.g.plot()->plottableCount(), 2);
        t.g.removerUltimo();
        t.g.removerUltimo();
        QCOMPARE(t.g.plot()->plottableCount(), 1);
        QCOMPARE(static_cast<QCPCurve*>(t.g.plot()->plottable(0))->dataCount(), 1);
        t.g.limpar();
        QCOMPARE(t.g.totalItens(), 0);
        t.g.removerUltimo();  // nothing left: no effect
        QVERIFY(!t.g.itemMaisProximo({0, 0}));
    }

    void maisProximoEmPixels() {
        Grafico t;
        // x spans 100 units over the width, y 1000 over the height: (10, 500) is far in
        // chart units from (10, 400) but near on the screen compared with (30, 500).
        t.g.marcar(10, 400, PainelGrafico::Marca::XFina, Qt::black);
        t.g.marcar(30, 500, PainelGrafico::Marca::XFina, Qt::black);
        t.g.polilinha({{60, 100}, {90, 900}}, Qt::blue);
        t.g.atualizar();
        QCOMPARE(t.g.itemMaisProximo({10, 480}).value(), QPointF(10, 400));
        QCOMPARE(t.g.itemMaisProximo({88, 880}).value(), QPointF(90, 900));
    }

    void faixasEEscalas() {
        Grafico t;
        t.g.definirFaixa(Eixo::X, 0.01, 101.99);
        QCOMPARE(t.g.faixa(Eixo::X).minimo, 0.01);
        QCOMPARE(t.g.faixa(Eixo::X).maximo, 101.99);
        t.g.definirLogaritmico(Eixo::X, true);
        QVERIFY(t.g.logaritmico(Eixo::X));
        t.g.definirCasasDecimais(Eixo::X, -2);
        t.g.atualizar();
        t.g.definirLogaritmico(Eixo::X, false);
        QVERIFY(!t.g.logaritmico(Eixo::X));
        t.g.marcar(5, 100, PainelGrafico::Marca::Losango, Qt::red);
        t.g.marcar(105, 300, PainelGrafico::Marca::Disco, Qt::red);
        t.g.ajustarFaixas(2);
        QCOMPARE(t.g.faixa(Eixo::X).minimo, 3.0);
        QCOMPARE(t.g.faixa(Eixo::X).maximo, 107.0);
        QCOMPARE(t.g.faixa(Eixo::Y).minimo, 96.0);
        t.g.definirPassoGrade(Eixo::Y, 50);
        QCOMPARE(t.g.distanciaTicks(Eixo::Y), 50.0);
        for (auto grade : {PainelGrafico::Grade::Solida, PainelGrafico::Grade::Pontilhada,
                           PainelGrafico::Grade::Pontos, PainelGrafico::Grade::Nenhuma}) {
            t.g.definirGrade(grade);
            QCOMPARE(t.g.grade(), grade);
            QCOMPARE(t.g.plot()->xAxis->grid()->visible(), grade != PainelGrafico::Grade::Nenhuma);
            t.g.atualizar();
        }
    }

    void zoomPorRetanguloEPan() {
        Grafico t;
        QSignalSpy feito(&t.g, &PainelGrafico::zoomFeito);
        t.g.definirModoMouse(PainelGrafico::ModoMouse::Zoom);
        QWidget* area = t.g.plot();
        QTest::mousePress(area, Qt::LeftButton, {}, t.pixel(20, 200));
        QTest::mouseMove(area, t.pixel(40, 400));
        QTest::mouseRelease(area, Qt::LeftButton, {}, t.pixel(40, 400));
        QTRY_COMPARE(feito.count(), 1);
        QVERIFY(std::abs(t.g.faixa(Eixo::X).minimo - 20) < 1);
        QVERIFY(std::abs(t.g.faixa(Eixo::X).maximo - 40) < 1);
        QVERIFY(std::abs(t.g.faixa(Eixo::Y).maximo - 400) < 10);

        t.g.definirModoMouse(PainelGrafico::ModoMouse::Pan);
        const auto antes = t.g.faixa(Eixo::X);
        const QPoint de = t.pixel(30, 300);
        QTest::mousePress(area, Qt::LeftButton, {}, de);
        QMouseEvent mover(QEvent::MouseMove, de + QPoint(100, 0),
                          area->mapToGlobal(de + QPoint(100, 0)), Qt::NoButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(area, &mover);
        QTest::mouseRelease(area, Qt::LeftButton, {}, de + QPoint(100, 0));
        QTRY_COMPARE(feito.count(), 2);
        QVERIFY(t.g.faixa(Eixo::X).minimo < antes.minimo);
    }

    void cliqueEPosicaoDoMouse() {
        Grafico t;
        QSignalSpy cliques(&t.g, &PainelGrafico::clicado);
        QTest::mouseMove(t.g.plot(), t.pixel(50, 500));
        QVERIFY(std::abs(t.g.posicaoMouse().x() - 50) < 0.5);
        QVERIFY(std::abs(t.g.posicaoMouse().y() - 500) < 5);
        QTest::mouseClick(t.g.plot(), Qt::LeftButton, {}, t.pixel(25, 250));
        QCOMPARE(cliques.count(), 1);
        QVERIFY(std::abs(cliques.first().first().toPointF().x() - 25) < 0.5);
        t.g.definirModoMouse(PainelGrafico::ModoMouse::Pan);
        QTest::mouseClick(t.g.plot(), Qt::LeftButton, {}, t.pixel(25, 250));
        QCOMPARE(cliques.count(), 1);
    }

    void figuras() {
        Grafico t;
        t.g.marcar(10, 500, PainelGrafico::Marca::XNegrito, Qt::red);
        t.g.polilinha({{0, 0}, {100, 1000}}, Qt::blue, 2);
        t.g.atualizar();
        QTemporaryDir dir;
        for (const QString nome : {"g.bmp", "g.png"}) {
            t.g.salvar(dir.filePath(nome));
            QImage imagem(dir.filePath(nome));
            QVERIFY2(!imagem.isNull(), qPrintable(nome));
            QCOMPARE(imagem.size(), t.g.plot()->size());
        }
        t.g.salvar(dir.filePath("g.svg"));
        QFile svg(dir.filePath("g.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(svg.readAll().contains("<svg"));
        QVERIFY_THROWS_EXCEPTION(std::exception, t.g.salvar("/nao/existe/g.png"));
        const QImage copia = t.g.imagem().toImage();
        QVERIFY(!copia.isNull());
        // The bold red cross is in the picture.
        const QPoint centro = t.pixel(10, 500);
        QCOMPARE(copia.pixelColor(centro).red(), 255);
    }
};

LUMENO_TESTE(TestePainelGrafico)
#include "tst_PainelGrafico.moc"
