#include "app/ErroLumeno.h"
#include "curves/CurvaTrecho.h"
#include "hydraulics/Extrapolacao.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include <QTest>

#include <cmath>
#include <cstring>
#include <random>

using namespace lumeno;
using lumeno::teste::BancoTeste;

namespace {

// A rectangular channel 10 m wide with its bed at 0 cm and banks at 500 cm.
const std::vector<PontoPerfil> retangulo{{0, 500}, {0, 0}, {10, 0}, {10, 500}};

QString erroDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroLumeno& e) {
        return e.mensagem();
    }
    return QString();
}

std::vector<double> cotas(const RegistroExtrapolacao& r) {
    std::vector<double> h;
    for (const PontoExtrapolado& p : r.pontos)
        h.push_back(p.cota);
    return h;
}

}  // namespace

class TesteExtrapolacao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cotas_data() {
        QTest::addColumn<double>("topo");
        QTest::addColumn<double>("alvo");
        QTest::addColumn<std::vector<double>>("esperadas");
        std::vector<double> passo10;
        for (int k = 0; k < 30; ++k)
            passo10.push_back(250 + 10 * k);
        QTest::newRow("250 a 540") << 250.0 << 540.0 << passo10;
        QTest::newRow("250 a 400")
            << 250.0 << 400.0
            << std::vector<double>{250, 255, 260, 265, 270, 275, 281, 286, 291, 296,
                                   301, 306, 312, 317, 322, 327, 332, 337, 343, 348,
                                   353, 358, 363, 368, 374, 379, 384, 389, 394, 400};
        // The division by 29 leaves the last sum a hair below 238.
        QTest::newRow("0 a 238") << 0.0 << 238.0
                                 << std::vector<double>{0,   8,   16,  24,  32,  41,  49,  57,
                                                        65,  73,  82,  90,  98,  106, 114, 123,
                                                        131, 139, 147, 155, 164, 172, 180, 188,
                                                        196, 205, 213, 221, 229, 237};
        // Truncation toward zero, not down: -10.5 gives -10 and -0.5 gives 0.
        std::vector<double> negativas;
        for (int j = 0; j < 30; ++j)
            negativas.push_back(std::trunc(-10.5 + j));
        QCOMPARE(negativas.front(), -10.0);
        QTest::newRow("abaixo de zero") << -10.5 << 18.5 << negativas;
    }
    void cotas() {
        QFETCH(double, topo);
        QFETCH(double, alvo);
        QFETCH(std::vector<double>, esperadas);
        const auto h = CotasExtrapoladas(topo, alvo);
        QCOMPARE(std::vector<double>(h.begin(), h.end()), esperadas);
        QCOMPARE(::cotas(NovaExtrapolacao(2, topo, alvo, 0)), esperadas);
    }

    void potencia0666() {
        // Not R^(2/3): 8^0.666 is just below 4.
        QCOMPARE(Potencia0666(8), std::exp2(0.666 * 3));
        QVERIFY(Potencia0666(8) < 3.995);
        QCOMPARE(Potencia0666(1), 1.0);
        QCOMPARE(Potencia0666(0), 0.0);
        QCOMPARE(Potencia0666(-1), 0.0);
        QCOMPARE(FatorSecao(20, 20.0 / 14), 20 * std::exp2(0.666 * std::log2(20.0 / 14)));
    }

    void logaritmica() {
        CurvaTrecho c;
        c.Algoritmo = AlgoritmoCurva::Potencial;
        c.K = 10;
        c.H0 = 0.5;
        c.M = 2;
        RegistroExtrapolacao r = NovaExtrapolacao(1, 250, 540, 0x00FF00);
        r.fatores.fill(7);
        ExtrapolarLogaritmica(c, r);
        QCOMPARE(r.pontos[0].vazao, 40.0);
        QVERIFY(std::abs(r.pontos[29].vazao - 10 * 4.9 * 4.9) < 1e-9);
        QCOMPARE(r.fatores[3], 0.0);
        QCOMPARE(r.areas[3], 0.0);
        QCOMPARE(r.cor, 0x00FF00u);

        c.Algoritmo = AlgoritmoCurva::Polinomial;
        QCOMPARE(erroDe([&] { ExtrapolarLogaritmica(c, r); }),
                 QString("Algoritmo não permite extrapolação logarítmica"));
    }

    // Three measurements on the rectangular channel, worked by hand: at h m the area is
    // 10h, the perimeter 10 + 2h, F = 10h · (10h / (10 + 2h))^0.666.
    void stevensCalculadoAMao() {
        const std::vector<MedicaoExtrapolacao> medicoes{{100, 10, 0}, {200, 30, 0}, {300, 55, 0}};
        SecaoTransversal secao(retangulo);
        RegistroExtrapolacao r = NovaExtrapolacao(2, 300, 400, 0);
        std::vector<double> fatores;
        CalcularValoresDiversos(secao, medicoes, r, fatores);
        QCOMPARE(fatores.size(), size_t(3));
        QVERIFY(std::abs(fatores[0] - 8.856564506187398) < 1e-12);
        QVERIFY(std::abs(fatores[1] - 25.362654231486438) < 1e-12);
        QVERIFY(std::abs(fatores[2] - 45.59740234765231) < 1e-12);
        QCOMPARE(r.areas[0], 30.0);
        QCOMPARE(r.areas[29], 40.0);

        const RetaStevens reta = RegressaoStevens(medicoes, fatores);
        QVERIFY(std::abs(reta.a - 0.7600563151934413) < 1e-12);
        QVERIFY(std::abs(reta.b - 0.8161731804183769) < 1e-12);
        ExtrapolarStevens(reta, r);
        QVERIFY(std::abs(r.pontos[0].vazao - 54.9360688493524) < 1e-9);
        QVERIFY(std::abs(r.fatores[29] - 68.0801426638219) < 1e-9);
        QVERIFY(std::abs(r.pontos[29].vazao - 82.48260046246514) < 1e-9);
        for (size_t k = 0; k < 30; ++k)
            QCOMPARE(r.pontos[k].vazao, (r.fatores[k] - reta.a) / reta.b);
    }

    // The measured area, when there is one, replaces the section's; a measurement at or
    // below the bed has factor 0.
    void fatoresDasMedicoes() {
        SecaoTransversal secao(retangulo);
        RegistroExtrapolacao r = NovaExtrapolacao(2, 300, 400, 0);
        std::vector<double> fatores{99, 99, 99, 99, 99};  // resized to the measurements
        CalcularValoresDiversos(secao, {{200, 30, 25}, {200, 30, 0}, {0, 1, 0}, {-50, 1, 7}}, r,
                                fatores);
        QCOMPARE(fatores.size(), size_t(4));
        QCOMPARE(fatores[0], 25 * Potencia0666(20.0 / 14));
        QCOMPARE(fatores[1], 20 * Potencia0666(20.0 / 14));
        QCOMPARE(fatores[2], 0.0);
        QCOMPARE(fatores[3], 0.0);
    }

    // Split across threads (uneven blocks, more blocks than some inputs have stages), the
    // factors are those of one thread to the bit, and the profile given is left fit for use.
    void fatoresEmParalelo() {
        std::mt19937 g(7);
        std::uniform_real_distribution<double> ruido(-20, 20);
        std::vector<PontoPerfil> perfil;
        for (int i = 0; i < 700; ++i) {
            const double u = (i - 350) / 350.0;
            perfil.push_back({0.3 * i, i == 0 || i == 699 ? 2000 : 1000 + 900 * u * u + ruido(g)});
        }
        std::uniform_real_distribution<double> cotas(900, 1900);
        std::vector<MedicaoExtrapolacao> medicoes;
        for (int i = 0; i < 999; ++i)
            medicoes.push_back({i % 3 ? cotas(g) : std::round(cotas(g) / 50) * 50, 1.0 + i, 0});
        for (const auto& amostra :
             {medicoes, std::vector<MedicaoExtrapolacao>(medicoes.begin(), medicoes.begin() + 2)}) {
            SecaoTransversal umaSo(perfil);
            RegistroExtrapolacao r1 = NovaExtrapolacao(2, 1500, 1950, 0);
            std::vector<double> f1;
            CalcularValoresDiversos(umaSo, amostra, r1, f1, 1);
            for (const int tarefas : {2, 3, 7}) {
                SecaoTransversal secao(perfil);
                RegistroExtrapolacao r = NovaExtrapolacao(2, 1500, 1950, 0);
                std::vector<double> f;
                CalcularValoresDiversos(secao, amostra, r, f, tarefas);
                QCOMPARE(f.size(), f1.size());
                for (std::size_t i = 0; i < f.size(); ++i)
                    QVERIFY2(std::memcmp(&f[i], &f1[i], sizeof(double)) == 0,
                             qPrintable(QString("medição %1, %2 tarefas").arg(i).arg(tarefas)));
                QVERIFY(std::memcmp(r.fatores.data(), r1.fatores.data(),
                                    sizeof(double) * r.fatores.size()) == 0);
                QVERIFY(std::memcmp(r.areas.data(), r1.areas.data(),
                                    sizeof(double) * r.areas.size()) == 0);
            }
        }
    }

    void stevensDegenerado() {
        SecaoTransversal secao(retangulo);
        RegistroExtrapolacao r = NovaExtrapolacao(2, 300, 400, 0);
        std::vector<double> fatores;
        // Every discharge the same (0.1 leaves a rounding residue in the denominator).
        const std::vector<MedicaoExtrapolacao> iguais{{100, 0.1, 0}, {200, 0.1, 0}, {300, 0.1, 0}};
        CalcularValoresDiversos(secao, iguais, r, fatores);
        QVERIFY(erroDe([&] { RegressaoStevens(iguais, fatores); }).contains("mesma vazão"));
        const std::vector<MedicaoExtrapolacao> uma{{100, 5, 0}};
        QVERIFY(erroDe([&] { RegressaoStevens(uma, {3}); }).contains("mesma vazão"));
        // Every measurement below the bed: the factor does not change with discharge.
        const std::vector<MedicaoExtrapolacao> secas{{-10, 1, 0}, {-20, 2, 0}, {-30, 4, 0}};
        CalcularValoresDiversos(secao, secas, r, fatores);
        QVERIFY(erroDe([&] { RegressaoStevens(secas, fatores); }).contains("inclinação nula"));
        // A measurement below the bed takes part with F = 0.
        const std::vector<MedicaoExtrapolacao> mistas{{-10, 1, 0}, {200, 30, 0}, {300, 55, 0}};
        CalcularValoresDiversos(secao, mistas, r, fatores);
        const RetaStevens reta = RegressaoStevens(mistas, fatores);
        const double sQF = 30 * fatores[1] + 55 * fatores[2], sQ2 = 1 + 900 + 3025, sQ = 86,
                     sF = fatores[1] + fatores[2];
        QCOMPARE(reta.b, (3 * sQF - sQ * sF) / (3 * sQ2 - sQ * sQ));
    }

    void manning() {
        SecaoTransversal secao(retangulo);
        const std::vector<MedicaoExtrapolacao> medicoes{{100, 10, 0}, {0, 3, 0}, {300, 55, 0}};
        RegistroExtrapolacao r = NovaExtrapolacao(3, 300, 400, 0);
        std::vector<double> fatores;
        CalcularValoresDiversos(secao, medicoes, r, fatores);
        const auto k = KMedicoes(medicoes, fatores);
        QCOMPARE(k.size(), size_t(3));
        QCOMPARE(k[0].value(), 10 / fatores[0]);
        QVERIFY(!k[1]);  // at the bed: no K
        QCOMPARE(k[2].value(), 55 / fatores[2]);

        ExtrapolarManning(0, r);
        QCOMPARE(r.K, 0.0);
        for (const PontoExtrapolado& p : r.pontos)
            QCOMPARE(p.vazao, 0.0);
        ExtrapolarManning(0.3, r);
        QCOMPARE(r.K, 0.3);
        QCOMPARE(r.pontos[29].vazao, 0.3 * r.fatores[29]);
        QVERIFY(erroDe([&] { ExtrapolarManning(1e308, r); }).contains("não é um número finito"));
    }

    void margens() {
        BancoTeste b;
        const int id = b.estacao(1);
        const int outra = b.estacao(2);
        // Two points share the lowest elevation: the middle is the one further right.
        for (auto [x, y] : {std::pair{0.0, 700.0}, {5, 300}, {10, 40}, {20, 40}, {30, 650}})
            b.ponto(id, x, y);
        b.ponto(outra, 15, -100);  // another station's points do not count
        MargensSecao m = LerMargens(b.dm().conexao(), id);
        QCOMPARE(m.meio, 20.0);
        QCOMPARE(m.esquerda, 700.0);
        QCOMPARE(m.direita, 650.0);
        QCOMPARE(m.menor(), 650.0);

        // No point right of the lowest one: that bank reads as 0.
        b.executar(QStringLiteral("delete from ponto where x = 30"));
        m = LerMargens(b.dm().conexao(), id);
        QCOMPARE(m.direita, 0.0);
        QCOMPARE(m.menor(), 0.0);
        // A station without a section.
        QCOMPARE(LerMargens(b.dm().conexao(), b.estacao(3)).menor(), 0.0);
    }
};

LUMENO_TESTE(TesteExtrapolacao)
#include "tst_Extrapolacao.moc"
