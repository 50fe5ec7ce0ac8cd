#include "curves/Logaritmos.h"
#include "support/Bits.h"
#include "support/ExecutorTestes.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using namespace lumeno;

Q_DECLARE_METATYPE(lumeno::InstrucoesLogaritmos)

namespace {

constexpr double abaixo = 0.00001;

// Distance from the exact ln d, in units in the last place of the double result; the
// reference is the extended-precision logarithm (64-bit significand).
double erroEmUlp(double d, double x) {
    const long double exato = std::log(static_cast<long double>(d));
    const double arredondado = std::fabs(double(exato));
    const double ulp =
        std::nextafter(arredondado, std::numeric_limits<double>::infinity()) - arredondado;
    return double(std::fabs(static_cast<long double>(x) - exato) / ulp);
}

// How many representable doubles lie between a and b.
std::int64_t passos(double a, double b) {
    const auto ordenado = [](double v) {
        const auto bits = std::bit_cast<std::int64_t>(v);
        return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
    };
    const std::int64_t diferenca = ordenado(a) - ordenado(b);
    return diferenca < 0 ? -diferenca : diferenca;
}

// Stages and a start value that give every kind of difference: ordinary ones over a
// wide range, the ends of the table's subintervals, within 1/16 of 1, equal to c, below
// it, tiny, huge, and stages that are not numbers.
std::vector<double> cotasDeTodoTipo(double c, int aleatorias = 3000) {
    std::vector<double> H;
    std::mt19937_64 gerador(7);
    std::uniform_real_distribution<double> expoente(-40, 40);
    for (int i = 0; i < aleatorias; ++i)
        H.push_back(c + std::exp2(expoente(gerador)));
    // The ends of the 128 subintervals of [0.6875, 1.375) and their neighbours, scaled.
    for (int i = 0; i <= 128; ++i) {
        const double fim = std::bit_cast<double>(0x3fe6000000000000ULL + (std::uint64_t(i) << 45));
        for (const double escala : {0.25, 1.0, 8.0})
            for (const double d : {std::nextafter(fim, 0.0), fim, std::nextafter(fim, 2.0)})
                H.push_back(c + d * escala);
    }
    for (const double d : {0.9375, 0.99, 1.0, 1.01, 1.0624, 1.0625, 1e-300, 5e-324, 1e300})
        H.push_back(c + d);
    for (const double v :
         {c, std::nextafter(c, 0.0), c - 5, std::nan(""), std::numeric_limits<double>::infinity()})
        H.push_back(v);
    return H;
}

}  // namespace

class TesteLogaritmos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Within 0.53 ulp of ln over the whole range of doubles a difference of stages can
    // take, which leaves it equal to libm's log or next to it.
    void precisao() {
        std::mt19937_64 gerador(11);
        std::uniform_real_distribution<double> expoente(-60, 60);
        constexpr std::size_t n = 400000;
        std::vector<double> d(n), x(n);
        for (double& v : d)
            v = std::exp2(expoente(gerador));
        LogaritmosAcimaDe(d.data(), 0, abaixo, x.data(), n);
        double pior = 0;
        std::size_t diferentesDaLibm = 0;
        for (std::size_t j = 0; j < n; ++j) {
            pior = std::max(pior, erroEmUlp(d[j], x[j]));
            QVERIFY2(passos(x[j], std::log(d[j])) <= 1, qPrintable(QString::number(d[j], 'g', 17)));
            diferentesDaLibm += x[j] != std::log(d[j]) ? 1 : 0;
        }
        QVERIFY2(pior < 0.53, qPrintable(QString::number(pior)));
        // Next to libm's, not a rougher approximation that happens to stay within 1 ulp.
        QVERIFY2(diferentesDaLibm < n / 200, qPrintable(QString::number(diferentesDaLibm)));
    }

    // Stages as observed (centimetres over a few metres, candidates 1 cm apart): the
    // differences the search actually takes.
    void diferencasDeCotas() {
        double pior = 0;
        for (int cota = 30; cota <= 3000; cota += 7) {
            const double H = cota / 100.0;
            for (int i = 0; i < cota; i += 3) {
                const double c = (i - 50) / 100.0;
                double x = 0;
                LogaritmosAcimaDe(&H, c, abaixo, &x, 1);
                pior = std::max(pior, erroEmUlp(H - c, x));
            }
        }
        QVERIFY2(pior < 0.53, qPrintable(QString::number(pior)));
    }

    // Rows at or below c, NaN stages and the differences left to libm come out as the
    // search defines them, whatever the length of the call.
    void casosEspeciais() {
        const double c = 2.5;
        const std::vector<double> H = cotasDeTodoTipo(c);
        for (const std::size_t n :
             {std::size_t(0), std::size_t(1), std::size_t(7), std::size_t(17), H.size()}) {
            std::vector<double> x(n + 1, -1.0);
            LogaritmosAcimaDe(H.data() + H.size() - n, c, abaixo, x.data(), n);
            QCOMPARE(x[n], -1.0);  // nothing written past the end
            for (std::size_t j = 0; j < n; ++j) {
                const double h = H[H.size() - n + j];
                if (!(h > c)) {
                    QCOMPARE(x[j], abaixo);
                    continue;
                }
                const double d = h - c;
                if ((d >= 0.9375 && d < 1.0625) || !std::isnormal(d))
                    QCOMPARE(teste::bits(x[j]), teste::bits(std::log(d)));
                else
                    QVERIFY2(erroEmUlp(d, x[j]) < 0.53, qPrintable(QString::number(d, 'g', 17)));
            }
        }
    }

    // The vectorised copies give the scalar code's bits, lane by lane and in the
    // remainder of a block, so a fit gives the same result on any processor.
    void vetorialIgualAEscalar_data() {
        QTest::addColumn<InstrucoesLogaritmos>("instrucoes");
        QTest::newRow("AVX2") << InstrucoesLogaritmos::Avx2;
        QTest::newRow("AVX-512") << InstrucoesLogaritmos::Avx512;
    }
    void vetorialIgualAEscalar() {
        QFETCH(InstrucoesLogaritmos, instrucoes);
        std::vector<double> sonda(1, 3.0), saida(1);
        if (!LogaritmosAcimaDeCom(instrucoes, sonda.data(), 0, abaixo, saida.data(), 1))
            QSKIP("este processador não tem essas instruções: a cópia não roda aqui");
        for (const double c : {0.0, 2.5, -7.25, 1e-3}) {
            const std::vector<double> H = cotasDeTodoTipo(c, 20000);
            for (const std::size_t n :
                 {std::size_t(1), std::size_t(5), std::size_t(8), std::size_t(13), H.size()}) {
                std::vector<double> escalar(n), vetorial(n);
                QVERIFY(LogaritmosAcimaDeCom(InstrucoesLogaritmos::Escalar, H.data(), c, abaixo,
                                             escalar.data(), n));
                QVERIFY(LogaritmosAcimaDeCom(instrucoes, H.data(), c, abaixo, vetorial.data(), n));
                for (std::size_t j = 0; j < n; ++j)
                    QVERIFY2(teste::bits(escalar[j]) == teste::bits(vetorial[j]),
                             qPrintable(QString::number(H[j], 'g', 17)));
            }
        }
    }
};

LUMENO_TESTE(TesteLogaritmos)
#include "tst_Logaritmos.moc"
