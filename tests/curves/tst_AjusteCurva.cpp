#include "app/ErroLumeno.h"
#include "curves/AjusteCurva.h"
#include "curves/TabelaDesvios.h"
#include "curves/TracadoCurva.h"
#include "support/ExecutorTestes.h"

#include <QRandomGenerator>
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

// The search written plainly, one logarithm per row and candidate, as a reference for
// the engine's result (which must be identical to the last bit).
struct Referencia {
    double H0, K, M, R;
    QList<double> candidatos;
};
Referencia referenciaPotencial(const CurvaTrecho& curva, bool possuiSecao) {
    Referencia r{0, 0, 0, -10, {}};
    const double n = curva.totalLinhas();
    const double s = possuiSecao ? curva.CotaMinSecao : curva.H0;
    for (int i = 1;; ++i) {
        double c = (i + s - 1) / 100;
        bool ultimo = false;
        if (!(c < curva.CotaMin / 100 && (!possuiSecao || c < curva.CotaVazaoMin / 100))) {
            c = c - i / 100.0;
            ultimo = true;
        }
        r.candidatos << c;
        double Sx = 0, Sy = 0, Sxx = 0, Syy = 0, Sxy = 0;
        for (const auto& l : curva.Medicoes) {
            const double y = std::log(l.vazao);
            const double h = l.cota / 100;
            const double x = h > c ? std::log(h - c) : 0.00001;
            Sx += x;
            Sy += y;
            Sxx += x * x;
            Syy += y * y;
            Sxy += x * y;
        }
        const double sxy = Sxy - Sx * Sy / n;
        const double sxx = Sxx - Sx * Sx / n;
        const double syy = Syy - Sy * Sy / n;
        const double rr = sxx * syy > 0 ? sxy / std::sqrt(sxx * syy) : 0;
        if (rr > r.R) {
            r.R = rr;
            r.M = sxy / sxx;
            r.K = std::exp((Sxx * Sy - Sx * Sxy) / (n * Sxx - Sx * Sx));
            r.H0 = c;
        }
        if (ultimo)
            break;
    }
    return r;
}

bool perto(double a, double b, double tol = 1e-9) {
    return std::fabs(a - b) <= tol * std::max(1.0, std::fabs(b));
}

}  // namespace

class TesteAjustePotencial : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void curvaExata() {
        CurvaTrecho c = curvaCom({{150, 10}, {200, 40}, {300, 160}}, 1, 100);
        const Referencia ref = referenciaPotencial(c, false);
        QCOMPARE(ref.candidatos.size(), 51);
        QVERIFY(perto(ref.candidatos.first(), 1.00));
        QVERIFY(perto(ref.candidatos[49], 1.49));
        QVERIFY(perto(ref.candidatos.last(), 0.99));
        QCOMPARE(AjustarCurva(c, false), ResultadoAjuste::Ajustado);
        QVERIFY(perto(c.H0, 1.0));
        QVERIFY(perto(c.K, 40));
        QVERIFY(perto(c.M, 2));
        QVERIFY(perto(c.R, 1));
        QVERIFY(perto(VazaoCurva(c, 250), 90));
    }

    void inicioAcimaDaMenorCota() {
        // Start 160 cm ≥ lowest stage 150 cm: the only candidate is 1.59 m, and the row
        // at 150 cm enters with x = 0.00001.
        CurvaTrecho c = curvaCom({{150, 10}, {200, 40}, {300, 160}}, 1, 160);
        const Referencia ref = referenciaPotencial(c, false);
        QCOMPARE(ref.candidatos.size(), 1);
        QVERIFY(perto(ref.candidatos.first(), 1.59));
        AjustarPotencial(c, false);
        QCOMPARE(c.H0, ref.H0);
        QCOMPARE(c.K, ref.K);
        QCOMPARE(c.M, ref.M);
        QCOMPARE(c.R, ref.R);
        const double x1 = 0.00001, x2 = std::log(2.0 - 1.59), x3 = std::log(3.0 - 1.59);
        const double y1 = std::log(10.0), y2 = std::log(40.0), y3 = std::log(160.0);
        const double sx = x1 + x2 + x3, sy = y1 + y2 + y3;
        const double m = ((x1 * y1 + x2 * y2 + x3 * y3) - sx * sy / 3) /
                         ((x1 * x1 + x2 * x2 + x3 * x3) - sx * sx / 3);
        QVERIFY(perto(c.M, m));
    }

    void secaoDefineInicio() {
        CurvaTrecho c = curvaCom({{150, 10}, {200, 40}, {300, 160}}, 1, 20);
        c.CotaMinSecao = 120;
        const Referencia ref = referenciaPotencial(c, true);
        QVERIFY(perto(ref.candidatos.first(), 1.20));
        QCOMPARE(ref.candidatos.size(), 31);  // 1.20 … 1.49, then 1.19
        AjustarPotencial(c, true);
        QCOMPARE(c.H0, ref.H0);
        QVERIFY(c.H0 >= 1.19 - 1e-12 && c.H0 <= 1.49 + 1e-12);
    }

    // The engine reads each stage's logarithm once; the result must not change.
    void identicoAoDireto_data() {
        QTest::addColumn<int>("semente");
        QTest::addColumn<bool>("secao");
        QTest::addColumn<bool>("inteiras");
        for (int s = 1; s <= 6; ++s)
            QTest::addRow("semente %d", s) << s << (s % 2 == 0) << (s % 3 != 0);
    }
    void identicoAoDireto() {
        QFETCH(int, semente);
        QFETCH(bool, secao);
        QFETCH(bool, inteiras);
        QRandomGenerator gerador(static_cast<quint32>(semente));
        QList<QPair<double, double>> pontos;
        for (int i = 0; i < 400; ++i) {
            double h = 80 + gerador.bounded(400.0);
            if (inteiras)
                h = std::round(h);
            const double q = 12.5 * std::pow(h / 100 - 0.6, 1.7) * (0.9 + gerador.bounded(0.2));
            pontos << qMakePair(h, q);
        }
        CurvaTrecho c = curvaCom(pontos, 1, 10);
        c.CotaMinSecao = 50;
        const Referencia ref = referenciaPotencial(c, secao);
        AjustarPotencial(c, secao);
        QCOMPARE(c.H0, ref.H0);
        QCOMPARE(c.K, ref.K);
        QCOMPARE(c.M, ref.M);
        QCOMPARE(c.R, ref.R);
        QVERIFY(c.R >= -1 - 1e-12 && c.R <= 1 + 1e-12);
        QVERIFY(c.K > 0);
    }

    void semLinhas() {
        CurvaTrecho c = curvaCom({}, 1, 100);
        c.K = 3;
        QCOMPARE(AjustarPotencial(c, false), ResultadoAjuste::TrechoIndefinido);
        QCOMPARE(c.K, 3.0);
        QCOMPARE(c.H0, 100.0);
    }

    // A non-positive discharge has no logarithm: the row is left out and counted.
    void vazaoNaoPositiva() {
        CurvaTrecho c = curvaCom({{150, 10}, {180, 0}, {200, 40}, {250, -1}, {300, 160}}, 1, 100);
        AjustarPotencial(c, false);
        QCOMPARE(c.linhasDescartadas, 2);
        QVERIFY(perto(c.K, 40));
        QVERIFY(perto(c.M, 2));
        QVERIFY(std::isfinite(c.R));
        CurvaTrecho nenhuma = curvaCom({{150, 0}, {200, -2}}, 1, 100);
        QCOMPARE(AjustarPotencial(nenhuma, false), ResultadoAjuste::TrechoIndefinido);
    }

    // Every row at or below the only candidate: no slope; parameters stay finite.
    void todasAbaixoDoCandidato() {
        CurvaTrecho c = curvaCom({{150, 10}, {150, 12}}, 1, 200);
        AjustarPotencial(c, false);
        QVERIFY(std::isfinite(c.K) && std::isfinite(c.M));
        QCOMPARE(c.M, 0.0);
        QVERIFY(perto(c.K, std::sqrt(120.0)));
    }

    void vazaoAbaixoDeH0() {
        CurvaTrecho c;
        c.Algoritmo = 1;
        c.K = 10;
        c.H0 = 0.5;
        c.M = 2;
        QCOMPARE(VazaoCurva(c, 150), 10.0);
        QCOMPARE(VazaoCurva(c, 50), 0.0);
        QCOMPARE(VazaoCurva(c, 20), 0.0);
    }

    void h0Fixo() {
        CurvaTrecho c = curvaCom({{150, 10}, {200, 40}, {300, 160}}, 1, 100);
        c.H0 = 1.0;
        c.R = 0.5;
        CalcularKMComH0Fixo(c);
        QVERIFY(perto(c.K, 40));
        QVERIFY(perto(c.M, 2));
        QCOMPARE(c.R, 0.5);
    }
};

class TesteAjustePolinomio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parabolaExata() {
        CurvaTrecho c = curvaCom({{100, 1}, {200, 4}, {300, 9}}, 2, 2);
        QCOMPARE(AjustarCurva(c, false), ResultadoAjuste::Ajustado);
        QCOMPARE(c.Grau, 2);
        QVERIFY(std::fabs(c.Coeficientes[0]) < 1e-9);
        QVERIFY(std::fabs(c.Coeficientes[1]) < 1e-11);
        QVERIFY(perto(c.Coeficientes[2], 0.0001));
        QCOMPARE(c.Coeficientes[3], 0.0);
        QVERIFY(perto(VazaoCurva(c, 250), 6.25));
    }

    void poucosPontos_data() {
        QTest::addColumn<int>("grau");
        QTest::newRow("grau igual às linhas") << 3;
        QTest::newRow("grau acima") << 5;
        QTest::newRow("grau -1") << -1;
    }
    void poucosPontos() {
        QFETCH(int, grau);
        CurvaTrecho c = curvaCom({{100, 1}, {200, 4}, {300, 9}}, 2, grau);
        c.Coeficientes[0] = 7;
        try {
            AjustarPolinomio(c);
            QFAIL("fitted");
        } catch (const ErroLumeno& e) {
            QCOMPARE(e.mensagem(), QString("CalcPolyFit: not enough data points"));
        }
        QCOMPARE(c.Coeficientes[0], 0.0);
    }

    void cotasIguaisSingular() {
        CurvaTrecho c = curvaCom({{150, 1}, {150, 2}, {150, 3}, {150, 4}}, 2, 2);
        AjustarPolinomio(c);
        QCOMPARE(c.Grau, -1);
        QCOMPARE(VazaoCurva(c, 200), 0.0);
        CurvaTrecho reta = curvaCom({{150, 1}, {150, 2}}, 2, 1);
        AjustarPolinomio(reta);
        QCOMPARE(reta.Grau, -1);
    }

    void grau8() {
        QList<QPair<double, double>> pontos;
        for (int h = 100; h <= 400; h += 10)
            pontos << qMakePair(double(h), 0.002 * h + 1e-5 * h * h);
        CurvaTrecho c = curvaCom(pontos, 2, 8);
        AjustarPolinomio(c);
        QCOMPARE(c.Grau, 8);
        // The normal equations in centimetres are badly conditioned at degree 8: the fit
        // is close, not exact.
        for (int h = 120; h <= 380; h += 40)
            QVERIFY2(perto(VazaoCurva(c, h), 0.002 * h + 1e-5 * h * h, 2e-3),
                     qPrintable(QString::number(h)));
    }

    void liberar() {
        CurvaTrecho c = curvaCom({{100, 1}, {200, 4}}, 2, 1);
        c.medicoesAbertas = true;
        LiberarCurvaTrecho(c);
        QCOMPARE(c.totalLinhas(), 0);
        QVERIFY(!c.medicoesAbertas);
        QCOMPARE(c.CotaMax, -10000.0);
        QCOMPARE(c.CotaMin, 10000.0);
        QCOMPARE(c.VazaoMax, -10000.0);
        QCOMPARE(c.VazaoMin, 10000.0);
    }
};

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

LUMENO_TESTE(TesteAjustePotencial)
LUMENO_TESTE(TesteAjustePolinomio)
LUMENO_TESTE(TesteDesviosETracado)
#include "tst_AjusteCurva.moc"
