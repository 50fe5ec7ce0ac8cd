#include "app/ErroLumeno.h"
#include "support/ExecutorTestes.h"
#include "validation/Estatistica.h"

#include <QTest>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

using namespace lumeno;

namespace {

bool perto(double a, double b, double tol) {
    return std::fabs(a - b) <= tol * std::max(1.0, std::fabs(b));
}

// Standard normal values from the fully specified mt19937 (Box–Muller), the same on
// every platform.
std::vector<double> ruidoBranco(int n, std::uint32_t semente) {
    std::mt19937 gerador(semente);
    auto uniforme = [&] { return (gerador() + 0.5) / 4294967296.0; };
    std::vector<double> v;
    while (static_cast<int>(v.size()) < n) {
        const double r = std::sqrt(-2 * std::log(uniforme()));
        const double a = 2 * std::numbers::pi * uniforme();
        v.push_back(r * std::cos(a));
        v.push_back(r * std::sin(a));
    }
    v.resize(static_cast<size_t>(n));
    return v;
}

// Pettitt's U_t by its double sum, for comparison.
std::pair<long long, int> pettittDireto(const std::vector<double>& x) {
    const int n = static_cast<int>(x.size());
    long long melhor = -1;
    int t = 0;
    for (int k = 1; k < n; ++k) {
        long long U = 0;
        for (int i = 0; i < k; ++i)
            for (int j = k; j < n; ++j)
                U += (x[i] > x[j]) - (x[i] < x[j]);
        if (std::llabs(U) > melhor) {
            melhor = std::llabs(U);
            t = k;
        }
    }
    return {melhor, t};
}

}  // namespace

class TesteEstatistica : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void betaIncompleta() {
        // Closed forms: I_x(a, 1) = x^a, I_x(1, b) = 1 − (1 − x)^b, I_½(a, a) = ½, and the
        // symmetry I_x(a, b) = 1 − I_{1−x}(b, a).
        for (double x : {0.001, 0.1, 0.37, 0.5, 0.8, 0.999}) {
            for (double a : {0.5, 1.0, 2.5, 7.0, 40.0}) {
                QVERIFY(perto(BetaIncompletaRegularizada(a, 1, x), std::pow(x, a), 1e-13));
                QVERIFY(perto(BetaIncompletaRegularizada(1, a, x), 1 - std::pow(1 - x, a), 1e-13));
                QVERIFY(perto(BetaIncompletaRegularizada(a, a, 0.5), 0.5, 1e-13));
                QVERIFY(perto(BetaIncompletaRegularizada(a, 3.5, x),
                              1 - BetaIncompletaRegularizada(3.5, a, 1 - x), 1e-13));
            }
        }
        QCOMPARE(BetaIncompletaRegularizada(2, 3, 0), 0.0);
        QCOMPARE(BetaIncompletaRegularizada(2, 3, 1), 1.0);
        for (auto [a, b, x] : {std::tuple{0.0, 1.0, 0.5}, std::tuple{1.0, -1.0, 0.5},
                               std::tuple{1.0, 1.0, 1.5}, std::tuple{1.0, 1.0, double(NAN)}})
            QVERIFY_THROWS_EXCEPTION(ErroLumeno, BetaIncompletaRegularizada(a, b, x));
    }

    void distribuicaoT() {
        // One and two degrees of freedom have closed forms.
        for (double t : {-30.0, -4.0, -1.0, -0.2, 0.0, 0.3, 1.0, 2.5, 12.0, 300.0}) {
            QVERIFY(perto(DistribuicaoT(t, 1), 0.5 + std::atan(t) / std::numbers::pi, 1e-13));
            QVERIFY(perto(DistribuicaoT(t, 2), 0.5 + t / (2 * std::sqrt(2 + t * t)), 1e-13));
        }
        QCOMPARE(DistribuicaoT(INFINITY, 3), 1.0);
        QCOMPARE(DistribuicaoT(-INFINITY, 3), 0.0);
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, DistribuicaoT(1, 0));
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, DistribuicaoT(NAN, 4));
    }

    void quantisT_data() {
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("graus");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("tolerancia");
        // Closed forms: ν = 1, t = tan(π(p − ½)); ν = 2, t = (2p − 1)/√(2p(1 − p)).
        for (double p : {0.6, 0.9, 0.975, 0.995, 0.9995, 0.025}) {
            QTest::addRow("nu1 p%g", p)
                << p << 1.0 << std::tan(std::numbers::pi * (p - 0.5)) << 1e-11;
            QTest::addRow("nu2 p%g", p)
                << p << 2.0 << (2 * p - 1) / std::sqrt(2 * p * (1 - p)) << 1e-11;
        }
        // Published tables (two-sided 95 % and 99 %).
        QTest::newRow("t(0.975,1)") << 0.975 << 1.0 << 12.706 << 5e-5;
        QTest::newRow("t(0.975,10)") << 0.975 << 10.0 << 2.228 << 2e-4;
        QTest::newRow("t(0.975,30)") << 0.975 << 30.0 << 2.042 << 2e-4;
        QTest::newRow("t(0.975,120)") << 0.975 << 120.0 << 1.980 << 2e-4;
        QTest::newRow("t(0.995,5)") << 0.995 << 5.0 << 4.032 << 2e-4;
        QTest::newRow("t(0.995,20)") << 0.995 << 20.0 << 2.845 << 2e-4;
        QTest::newRow("t(0.95,3)") << 0.95 << 3.0 << 2.353 << 2e-4;
        QTest::newRow("mediana") << 0.5 << 7.0 << 0.0 << 0.0;
        // Many degrees of freedom: the normal quantile z with the first terms of its
        // expansion in 1/ν (the next one is below 1e-12).
        const double z = 1.959963984540054, nu = 1e4;
        QTest::newRow("nu 10000") << 0.975 << nu
                                  << z + (z * z * z + z) / (4 * nu) +
                                         (5 * std::pow(z, 5) + 16 * z * z * z + 3 * z) /
                                             (96 * nu * nu)
                                  << 1e-10;
    }
    void quantisT() {
        QFETCH(double, p);
        QFETCH(double, graus);
        QFETCH(double, t);
        QFETCH(double, tolerancia);
        const double q = QuantilT(p, graus);
        QVERIFY2(perto(q, t, tolerancia), qPrintable(QString::number(q, 'g', 17)));
        QVERIFY(perto(DistribuicaoT(q, graus), p, 1e-12));
        QVERIFY(perto(QuantilT(1 - p, graus), -q, 1e-12));
    }

    void quantilForaDoDominio() {
        for (double p : {0.0, 1.0, -0.1, 1.5, double(NAN)})
            QVERIFY_THROWS_EXCEPTION(ErroLumeno, QuantilT(p, 5));
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, QuantilT(0.9, 0));
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, QuantilT(0.9, INFINITY));
    }

    void testeSinais() {
        // 9 positive of 10: z = (|9 − 5| − 0.5) / (0.5·√10).
        const auto falha = TesteSinais({1, 2, 0.5, 3, 1, 1, 2, 4, 0.1, -1});
        QCOMPARE(falha.n, 10);
        QCOMPARE(falha.contagem, 9);
        QVERIFY(perto(falha.estatistica, 3.5 / (0.5 * std::sqrt(10.0)), 1e-14));
        QCOMPARE(falha.veredito, Veredito::NaoPassa);
        // Zeros have no sign: 3 positive of 6.
        const auto passa = TesteSinais({1, -1, 0, 2, -2, 0, 3, -3});
        QCOMPARE(passa.n, 6);
        QCOMPARE(passa.contagem, 3);
        QVERIFY(perto(passa.estatistica, -0.5 / (0.5 * std::sqrt(6.0)), 1e-14));
        QCOMPARE(passa.veredito, Veredito::Passa);
        // Fewer than five signs.
        const auto pouco = TesteSinais({1, -1, 0, 0, 0, 0, 2, 3});
        QCOMPARE(pouco.veredito, Veredito::AmostraInsuficiente);
        QCOMPARE(pouco.estatistica, 0.0);
    }

    void testeSequencias() {
        // Five above, then five below: one change of sign in ten.
        const auto falha = TesteSequencias({1, 2, 1, 3, 1, -1, -2, -1, -3, -1});
        QCOMPARE(falha.contagem, 1);
        QVERIFY(perto(falha.estatistica, (std::fabs(1 - 4.5) - 0.5) / (0.5 * 3), 1e-14));
        QCOMPARE(falha.veredito, Veredito::NaoPassa);
        // Alternating signs (a zero in between does not break the alternation).
        const auto passa = TesteSequencias({1, -1, 1, 0, -1, 1, -1});
        QCOMPARE(passa.n, 6);
        QCOMPARE(passa.contagem, 5);
        QVERIFY(perto(passa.estatistica, (2.5 - 0.5) / (0.5 * std::sqrt(5.0)), 1e-14));
        QCOMPARE(passa.veredito, Veredito::Passa);
        QCOMPARE(TesteSequencias({1, -1, 1, -1}).veredito, Veredito::AmostraInsuficiente);
    }

    void testeVies() {
        const std::vector<double> enviesado{1, 2, 3, 4, 5};
        const auto falha = TesteVies(enviesado);
        const double s = std::sqrt((4 + 1 + 0 + 1 + 4) / 4.0);
        QVERIFY(perto(falha.media, 3, 1e-15));
        QVERIFY(perto(falha.erroPadrao, s / std::sqrt(5.0), 1e-14));
        QVERIFY(perto(falha.estatistica, 3 / (s / std::sqrt(5.0)), 1e-14));
        QVERIFY(perto(falha.limite, 2.776445105197799, 1e-9));  // t(0.975; 4)
        QCOMPARE(falha.veredito, Veredito::NaoPassa);
        const auto passa = TesteVies({-2, 1, 3, -1, -1, 0.5});
        QVERIFY(perto(passa.media, 0.5 / 6, 1e-14));
        QCOMPARE(passa.veredito, Veredito::Passa);
        // No spread: no bias at all passes, a constant offset fails (t infinite, not NaN).
        const auto zeros = TesteVies({0, 0, 0, 0, 0});
        QCOMPARE(zeros.estatistica, 0.0);
        QCOMPARE(zeros.veredito, Veredito::Passa);
        const auto constante = TesteVies({2, 2, 2, 2, 2});
        QVERIFY(std::isinf(constante.estatistica));
        QCOMPARE(constante.veredito, Veredito::NaoPassa);
        QCOMPARE(TesteVies({1, 2, 3, 4}).veredito, Veredito::AmostraInsuficiente);
    }

    void pettittDegrau() {
        // A step of 3 standard deviations after the 40th of 70 values.
        std::vector<double> x = ruidoBranco(70, 2024);
        for (size_t i = 40; i < x.size(); ++i)
            x[i] += 3;
        const ResultadoPettitt r = TestePettitt(x);
        QCOMPARE(r.t, 40);
        QCOMPARE(r.n, 70);
        QVERIFY2(r.p < 0.05, qPrintable(QString::number(r.p)));
        QCOMPARE(r.veredito, Veredito::NaoPassa);
        const auto [K, t] = pettittDireto(x);
        QCOMPARE(r.K, K);
        QVERIFY(perto(r.p, 2 * std::exp(-6.0 * K * K / (70.0 * 70 * 70 + 70 * 70)), 1e-14));

        // White noise of the same length.
        const std::vector<double> ruido = ruidoBranco(70, 7);
        const ResultadoPettitt branco = TestePettitt(ruido);
        QVERIFY2(branco.p > 0.5, qPrintable(QString::number(branco.p)));
        QCOMPARE(branco.veredito, Veredito::Passa);
    }

    void pettittComoSomaDupla() {
        // Against the double sum, on series with ties (rounded values).
        for (std::uint32_t semente = 1; semente <= 20; ++semente) {
            std::vector<double> x = ruidoBranco(5 + static_cast<int>(semente) * 3, semente);
            for (double& v : x)
                v = std::round(v * 2);
            const auto [K, t] = pettittDireto(x);
            const ResultadoPettitt r = TestePettitt(x);
            QCOMPARE(r.K, K);
            if (K > 0)
                QCOMPARE(r.t, t);
            QVERIFY(r.p > 0 && r.p <= 1);
        }
    }

    void pettittCurto() {
        QCOMPARE(TestePettitt({}).veredito, Veredito::AmostraInsuficiente);
        QCOMPARE(TestePettitt({}).t, 0);
        const ResultadoPettitt um = TestePettitt({3});
        QCOMPARE(um.veredito, Veredito::AmostraInsuficiente);
        QCOMPARE(um.p, 1.0);
        const ResultadoPettitt quatro = TestePettitt({1, 1, 9, 9});
        QCOMPARE(quatro.veredito, Veredito::AmostraInsuficiente);
        QCOMPARE(quatro.t, 2);
        // All equal: no change anywhere, p = 1.
        const ResultadoPettitt iguais = TestePettitt({2, 2, 2, 2, 2, 2});
        QCOMPARE(iguais.K, 0LL);
        QCOMPARE(iguais.p, 1.0);
        QCOMPARE(iguais.veredito, Veredito::Passa);
    }

    void textos() {
        QCOMPARE(textoVeredito(Veredito::Passa), QString("passa"));
        QCOMPARE(textoVeredito(Veredito::NaoPassa), QString("não passa"));
        QCOMPARE(textoVeredito(Veredito::AmostraInsuficiente), QString("amostra insuficiente"));
    }
};

LUMENO_TESTE(TesteEstatistica)
#include "tst_Estatistica.moc"
