#include "curves/AjusteCurva.h"
#include "curves/TabelaDesvios.h"
#include "curves/TracadoCurva.h"
#include "support/ExecutorTestes.h"

#include <QTest>

#include <cmath>

using namespace lumeno;

namespace {

CurvaTrecho curvaCom(const QList<QPair<double, double>>& pontos, int algoritmo, int parametro) {
    CurvaTrecho c;
    c.Algoritmo = algoritmo;
    c.Grau = parametro;
    c.H0 = parametro;
    int numero = 1;
    c.CotaMin = 1e300;
    c.CotaMax = -1e300;
    double vazaoMin = 1e300;
    for (const auto& [cota, vazao] : pontos) {
        LinhaMedida l;
        l.numero = numero++;
        l.cota = cota;
        l.vazao = vazao;
        c.Medicoes.push_back(l);
        c.CotaMin = std::min(c.CotaMin, cota);
        c.CotaMax = std::max(c.CotaMax, cota);
        if (vazao < vazaoMin) {
            vazaoMin = vazao;
            c.CotaVazaoMin = cota;
        }
    }
    return c;
}

bool perto(double a, double b, double tol = 1e-9) {
    return std::fabs(a - b) <= tol * std::max(1.0, std::fabs(b));
}

}  // namespace

class TesteDesviosETracado : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textos_data() {
        QTest::addColumn<int>("algoritmo");
        QTest::addColumn<double>("vazao");
        QTest::addColumn<QString>("texto");
        QTest::newRow("potencial -50") << 1 << 20.0 << "-50.00%";
        QTest::newRow("polinomial 25") << 2 << 12.0 << "25.00%";
        QTest::newRow("igual") << 1 << 10.0 << "0.00%";
        QTest::newRow("longo cortado") << 1 << 0.00001 << "9.99999E+7";  // "%" cut off
    }
    void textos() {
        QFETCH(int, algoritmo);
        QFETCH(double, vazao);
        QFETCH(QString, texto);
        CurvaTrecho c;
        c.Algoritmo = algoritmo;
        c.K = 10;
        c.H0 = 0.5;
        c.M = 2;
        c.Grau = 1;
        c.Coeficientes = {0, 0.1};
        LinhaMedida l;
        l.numero = 4;
        l.cota = 150;
        l.vazao = vazao;
        c.Medicoes.push_back(l);
        TabelaDesvios t;
        QCOMPARE(t.texto(1), QString("---"));
        QCOMPARE(t.calcular(c, [](double n) { return n == 4 ? 2 : 0; }), 2);
        QCOMPARE(t.texto(2), texto);
        QCOMPARE(t.texto(1), QString("---"));
        t.reiniciar();
        QCOMPARE(t.texto(2), QString("---"));
    }

    void ultimaCurvaPrevalece() {
        CurvaTrecho a, b;
        a.Algoritmo = b.Algoritmo = 1;
        a.K = 10;
        b.K = 20;
        a.M = b.M = 1;
        a.H0 = b.H0 = 0;
        LinhaMedida l;
        l.numero = 1;
        l.cota = 100;
        l.vazao = 10;
        a.Medicoes.push_back(l);
        b.Medicoes.push_back(l);
        TabelaDesvios t;
        t.calcular(a, [](double) { return 1; });
        QCOMPARE(t.texto(1), QString("0.00%"));
        t.calcular(b, [](double) { return 1; });
        QCOMPARE(t.texto(1), QString("100.00%"));
        // A measurement not in the list, and one of discharge 0, keep "---".
        l.vazao = 0;
        b.Medicoes = {l};
        t.calcular(b, [](double) { return 3; });
        QCOMPARE(t.texto(3), QString("---"));
        QCOMPARE(TabelaDesvios::valorDesvio("-3.21%").value(), -3.21);
        QVERIFY(!TabelaDesvios::valorDesvio("---"));
    }

    void h0Fixo() {
        CurvaTrecho c = curvaCom({{150, 10}, {200, 40}, {300, 160}}, 1, 100);
        c.H0 = 1.0;
        c.R = 0.5;
        CalcularKMComH0Fixo(c);
        QVERIFY(perto(c.K, 40));
        QVERIFY(perto(c.M, 2));
        QCOMPARE(c.R, 0.5);
        // Rows at or below h0 have no logarithm: left out.
        c.H0 = 2.5;
        CalcularKMComH0Fixo(c);
        QVERIFY(std::isfinite(c.K) && std::isfinite(c.M));
        QCOMPARE(c.K, 0.0);  // a single usable stage above h0 fixes no line
    }

    void tracadoDaCurva() {
        CurvaTrecho c = curvaCom({{150, 10}, {200, 40}, {300, 160}}, 1, 100);
        AjustarPotencial(c, false);
        const auto pontos = pontosCurva(c);
        QCOMPARE(pontos.size(), size_t(102));
        QVERIFY(perto(pontos.front().cota, 150));
        QVERIFY(perto(pontos.back().cota, 301.5));
        QVERIFY(perto(pontos.back().vazao, 40 * 2.015 * 2.015));
        QVERIFY(perto(pontos[50].cota, 225));
        QCOMPARE(limiteAmpliado(100, 120), 123.6);
        QCOMPARE(limiteAmpliado(100, 90), 100.0);
        CurvaTrecho uma = curvaCom({{150, 10}}, 1, 100);
        QVERIFY(pontosCurva(uma).empty());
    }
};

LUMENO_TESTE(TesteDesviosETracado)
#include "tst_Desvios.moc"
