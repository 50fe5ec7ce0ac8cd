#include "app/ErroLumeno.h"
#include "curves/AjusteCurva.h"
#include "curves/AvisoAjuste.h"
#include "curves/DiagnosticoH0.h"
#include "support/Bits.h"
#include "support/ExecutorTestes.h"

#include <QFile>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

using namespace lumeno;

using lumeno::teste::bits;

namespace {

using Pares = std::vector<std::pair<double, double>>;  // (cota cm, vazao m³/s)

// A power-law curve as CriarCurvaTrecho leaves it: rows in order, extremes of the selection.
CurvaTrecho curvaPotencial(int parametro, const Pares& pares, double cotaMinSecao = 0) {
    CurvaTrecho curva;
    curva.Algoritmo = AlgoritmoCurva::Potencial;
    curva.Grau = parametro;
    curva.H0 = parametro;
    curva.CotaMinSecao = cotaMinSecao;
    double menorVazao = 0;
    for (const auto& [cota, vazao] : pares) {
        LinhaMedida linha;
        linha.numero = double(curva.Medicoes.size() + 1);
        linha.cota = cota;
        linha.vazao = vazao;
        curva.Medicoes.push_back(linha);
        curva.CotaMax = std::max(curva.CotaMax, cota);
        curva.CotaMin = std::min(curva.CotaMin, cota);
        if (curva.Medicoes.size() == 1 || vazao < menorVazao) {
            menorVazao = vazao;
            curva.CotaVazaoMin = cota;
        }
    }
    return curva;
}

// Q = 30·(H − 0.8)^1.7 at 120, 140, … 400 cm: r peaks at h0 = 0.80 m.
Pares lei(double h0 = 0.8) {
    Pares pares;
    for (double h = 120; h <= 400; h += 20)
        pares.emplace_back(h, 30 * std::pow(h / 100 - h0, 1.7));
    return pares;
}

const Pares exatos = {{150, 10}, {200, 40}, {300, 160}};  // Q = 40·(H − 1)²

CurvaTrecho ajustada(int parametro, const Pares& pares, bool secao = false,
                     double cotaMinSecao = 0) {
    CurvaTrecho curva = curvaPotencial(parametro, pares, cotaMinSecao);
    AjustarCurva(curva, secao);
    return curva;
}

// The consolidated measurements of station 58110002 (stage m → cm) between two dates;
// empty without the shared fixtures.
std::vector<LinhaMedida> medicoesReais(const QDate& de, const QDate& ate) {
    std::vector<LinhaMedida> linhas;
    QFile f(
        QStringLiteral(LUMENO_SHARED_DIR "/fixtures/measurements/ana_58110002_measurements.csv"));
    if (!f.open(QIODevice::ReadOnly))
        return linhas;
    f.readLine();
    while (!f.atEnd()) {
        const QStringList c = QString::fromUtf8(f.readLine()).trimmed().split(QLatin1Char(','));
        if (c.size() < 4 || c[3] != QLatin1String("2"))
            continue;
        LinhaMedida l;
        l.data = QDate::fromString(c[2], Qt::ISODate);
        if (l.data < de || l.data > ate)
            continue;
        l.numero = double(linhas.size() + 1);
        l.cota = std::round(c[0].toDouble() * 100 * 1000) / 1000;
        l.vazao = c[1].toDouble();
        linhas.push_back(l);
    }
    return linhas;
}

// A curve over rows read elsewhere, as CriarCurvaTrecho would make it.
CurvaTrecho curvaDe(std::vector<LinhaMedida> linhas, int parametro) {
    Pares pares;
    for (const LinhaMedida& l : linhas)
        pares.emplace_back(l.cota, l.vazao);
    CurvaTrecho c = curvaPotencial(parametro, pares);
    for (std::size_t i = 0; i < linhas.size(); ++i)
        c.Medicoes[i].data = linhas[i].data;
    return c;
}

}  // namespace

Q_DECLARE_METATYPE(Pares)

class TesteDiagnosticoH0 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // h0 at the edge of the search is told; a peak of r is not, also when it falls on the
    // start value itself.
    void limiteDaBusca_data() {
        QTest::addColumn<Pares>("pares");
        QTest::addColumn<int>("parametro");
        QTest::addColumn<double>("h0");
        QTest::addColumn<bool>("noLimite");
        // True h0 0.80 below the start 1.00: r rises toward it, the last candidate wins.
        QTest::newRow("r sobe ate o inicio") << lei() << 100 << 0.99 << true;
        QTest::newRow("maximo interior") << lei() << 50 << 0.80 << false;
        QTest::newRow("pico no valor inicial") << exatos << 100 << 1.00 << false;
        QTest::newRow("um candidato") << exatos << 160 << 1.59 << true;
    }
    void limiteDaBusca() {
        QFETCH(Pares, pares);
        QFETCH(int, parametro);
        QFETCH(double, h0);
        QFETCH(bool, noLimite);
        const CurvaTrecho curva = ajustada(parametro, pares);
        QVERIFY(std::fabs(curva.H0 - h0) < 1e-9);
        QCOMPARE(curva.Busca.noLimite(), noLimite);
        QCOMPARE(validadeH0(curva, false),
                 noLimite ? QStringList{avisoLimiteBusca()} : QStringList());
        if (QByteArray(QTest::currentDataTag()) == "maximo interior") {
            // Lower r on both sides of the peak, in h0 order.
            const auto serie = SerieBuscaH0(curva.Busca);
            for (std::size_t i = 1; i < serie.size(); ++i)
                QVERIFY(serie[i].h0 > serie[i - 1].h0);
            for (std::size_t i = 0; i < serie.size(); ++i)
                if (std::fabs(serie[i].h0 - h0) < 1e-9) {
                    QVERIFY(i > 0 && i + 1 < serie.size());
                    QVERIFY(serie[i - 1].r < serie[i].r && serie[i + 1].r < serie[i].r);
                }
        }
    }

    // With a section the search starts at its lowest point: an h0 above it is told, one at
    // it is not.
    void acimaDoFundo_data() {
        QTest::addColumn<double>("fundo");
        QTest::addColumn<QStringList>("linhas");
        QTest::newRow("fundo 50") << 50.0
                                  << QStringList{"h0 = 0.80 m, acima do fundo da seção (0.50 m)"};
        QTest::newRow("fundo em h0") << 80.0 << QStringList();
        QTest::newRow("fundo acima de h0") << 90.0 << QStringList{avisoLimiteBusca()};
    }
    void acimaDoFundo() {
        QFETCH(double, fundo);
        QFETCH(QStringList, linhas);
        const CurvaTrecho curva = ajustada(0, lei(), true, fundo);
        QCOMPARE(validadeH0(curva, true), linhas);
        // Without a section there is no bed to compare with.
        for (const QString& linha : validadeH0(curva, false))
            QCOMPARE(linha, avisoLimiteBusca());
        CurvaTrecho polinomio = curva;
        polinomio.Algoritmo = AlgoritmoCurva::Polinomial;
        QVERIFY(validadeH0(polinomio, true).isEmpty());
    }

    void linhasDeH0() {
        QCOMPARE(avisoLimiteBusca(),
                 QString("h0 no limite da busca: o valor inicial determinou h0"));
        QCOMPARE(validadeAcimaDoFundo(1.35, 1.2),
                 QString("h0 = 1.35 m, acima do fundo da seção (1.20 m)"));
        QCOMPARE(validadeAcimaDoFundo(-0.17, -0.5),
                 QString("h0 = -0.17 m, acima do fundo da seção (-0.50 m)"));
        QVERIFY(linhaValidadeH0(avisoLimiteBusca()));
        QVERIFY(linhaValidadeH0(validadeAcimaDoFundo(-0.17, -0.5)));
        QVERIFY(!linhaValidadeH0("iniciando na cota 150"));
        QVERIFY(!linhaValidadeH0("Ignoradas (vazão nula ou negativa): 2"));
        QVERIFY(!linhaValidadeH0("h0 = 1.00"));
        // What a fit adds: the rows left out first, then h0.
        Pares comZero = lei();
        comZero.insert(comZero.begin() + 2, {150, 0});
        const CurvaTrecho curva = ajustada(100, comZero);
        QCOMPARE(validadeAjuste(curva, false),
                 QStringList({"Ignoradas (vazão nula ou negativa): 3", avisoLimiteBusca()}));
    }

    // The panel's note follows the lines, while h0 is the one the search chose.
    void avisoNaLegenda() {
        CurvaTrecho curva = ajustada(100, lei());
        const QStringList comAviso{"até a cota 400", avisoLimiteBusca()};
        QVERIFY(mostrarAvisoLimiteBusca(curva, comAviso));
        QVERIFY(!mostrarAvisoLimiteBusca(curva, {"até a cota 400"}));
        curva.H0 = 0.99;  // "Fixando h0" confirmed as shown
        QVERIFY(mostrarAvisoLimiteBusca(curva, comAviso));
        curva.H0 = 0.80;  // set by hand
        QVERIFY(!mostrarAvisoLimiteBusca(curva, comAviso));
        curva.Busca = BuscaH0{};  // read back from a saved rating: the lines decide
        QVERIFY(mostrarAvisoLimiteBusca(curva, comAviso));
        curva.Algoritmo = AlgoritmoCurva::Polinomial;
        QVERIFY(!mostrarAvisoLimiteBusca(curva, comAviso));
    }

    void cotaMediana() {
        QCOMPARE(CotaMedianaMedida(curvaPotencial(0, {{300, 1}, {100, 1}, {200, 1}})), 200.0);
        QCOMPARE(CotaMedianaMedida(curvaPotencial(0, {{300, 1}, {100, 1}, {200, 1}, {150, 1}})),
                 175.0);
        CurvaTrecho comObrigatorio = curvaPotencial(0, {{300, 1}, {100, 1}, {200, 1}, {90, 1}});
        comObrigatorio.Medicoes[3].pontoObrigatorio = 1;
        QCOMPARE(CotaMedianaMedida(comObrigatorio), 200.0);
        for (LinhaMedida& l : comObrigatorio.Medicoes)
            l.pontoObrigatorio = 1;
        QCOMPARE(CotaMedianaMedida(comObrigatorio), 150.0);
        QCOMPARE(CotaMedianaMedida(curvaPotencial(0, {})), 0.0);
    }

    void diagnostico() {
        const CurvaTrecho curva = ajustada(50, lei());
        const DiagnosticoH0 d = DiagnosticarH0(curva, false);
        QVERIFY(!d.refeita);
        QCOMPARE(d.busca.r, curva.Busca.r);
        QCOMPARE(d.serie.size(), curva.Busca.candidatos.size());
        QCOMPARE(d.serie.front().h0, 0.49);
        QCOMPARE(d.cotaMediana, 260.0);
        QCOMPARE(d.menorCota, 120.0);
        QVERIFY(!d.fundoSecao);
        QVERIFY(d.alternativas);
        const auto& [abaixo, escolhida, acima] = *d.alternativas;
        // The h0 kept gives the curve's own parameters, to the bit.
        QCOMPARE(bits(escolhida.H0), bits(curva.H0));
        QCOMPARE(bits(escolhida.K), bits(curva.K));
        QCOMPARE(bits(escolhida.M), bits(curva.M));
        QCOMPARE(bits(escolhida.vazao), bits(VazaoCurva(curva, 260)));
        QCOMPARE(escolhida.medicoes, 15);
        QVERIFY(std::fabs(escolhida.vazao - 30 * std::pow(1.8, 1.7)) < 1e-9);
        // Half a metre off: another m, the same order of discharge at the median.
        QVERIFY(std::fabs(abaixo.H0 - 0.30) < 1e-12 && std::fabs(acima.H0 - 1.30) < 1e-12);
        QVERIFY(abaixo.M > escolhida.M && acima.M < escolhida.M);
        QVERIFY(abaixo.definida && acima.definida);
        QVERIFY(std::fabs(abaixo.vazao / escolhida.vazao - 1) < 0.1);
        // 1.30 m is above the row at 120 cm, which is left out.
        QCOMPARE(acima.medicoes, 14);
        QCOMPARE(abaixo.medicoes, 15);

        const DiagnosticoH0 comSecao = DiagnosticarH0(ajustada(0, lei(), true, 50), true);
        QCOMPARE(comSecao.fundoSecao.value_or(-1), 50.0);
    }

    // h0 fixed too high leaves too few rows, or the median stage below it: no discharge.
    void alternativaSemCurva() {
        const CurvaTrecho curva = curvaPotencial(0, {{150, 10}, {200, 40}, {300, 160}});
        const AlternativaH0 umaLinha = AlternativaComH0(curva, 2.5, 200);
        QCOMPARE(umaLinha.medicoes, 1);
        QCOMPARE(umaLinha.K, 0.0);
        QVERIFY(!umaLinha.definida);
        const AlternativaH0 acimaDaMediana = AlternativaComH0(curva, 1.2, 110);
        QCOMPARE(acimaDaMediana.medicoes, 3);
        QVERIFY(acimaDaMediana.K > 0);
        QVERIFY(!acimaDaMediana.definida);
    }

    // A curve read back from a saved rating has no search: it is searched again from the
    // start value it was created with, to the same values, without changing the curve.
    void diagnosticoRefeito_data() {
        QTest::addColumn<bool>("secao");
        QTest::newRow("parametro") << false;
        QTest::newRow("secao") << true;
    }
    void diagnosticoRefeito() {
        QFETCH(bool, secao);
        const CurvaTrecho original = ajustada(100, lei(), secao, 60);
        CurvaTrecho lida = original;
        lida.Busca = BuscaH0{};
        const CurvaTrecho antes = lida;
        const DiagnosticoH0 d = DiagnosticarH0(lida, secao);
        QVERIFY(d.refeita);
        QCOMPARE(d.busca.inicio, secao ? 60.0 : 100.0);
        QCOMPARE(d.busca.vencedor, original.Busca.vencedor);
        QCOMPARE(d.busca.candidatos, original.Busca.candidatos);
        for (std::size_t i = 0; i < d.busca.r.size(); ++i)
            QCOMPARE(bits(d.busca.r[i]), bits(original.Busca.r[i]));
        QCOMPARE(bits(lida.H0), bits(antes.H0));
        QCOMPARE(bits(lida.K), bits(antes.K));
        QVERIFY(lida.Busca.vazia());
        QCOMPARE(InicioBuscaCurva(lida, secao), secao ? 60.0 : 100.0);
    }

    // A refit from another start value: the fit a new curve with that parameter gets, the
    // lines about h0 replaced and the others kept.
    void refazer() {
        Pares comZero = lei();
        comZero.push_back({330, 0});
        CurvaTrecho curva = ajustada(100, comZero);
        QStringList validade = QStringList{"até a cota 400"} + validadeAjuste(curva, false);
        QCOMPARE(validade.size(), 3);
        RefazerComInicio(curva, 50, false, validade);
        const CurvaTrecho nova = ajustada(50, comZero);
        for (const auto& [a, b] : {std::pair{curva.H0, nova.H0},
                                   {curva.K, nova.K},
                                   {curva.M, nova.M},
                                   {curva.R, nova.R}})
            QCOMPARE(bits(a), bits(b));
        QCOMPARE(curva.Grau, 50);
        QCOMPARE(curva.Busca.inicio, 50.0);
        QCOMPARE(curva.Busca.r, nova.Busca.r);
        QCOMPARE(validade,
                 QStringList({"até a cota 400", "Ignoradas (vazão nula ou negativa): 16"}));

        // With a section the start value typed wins over its lowest point; both lines come
        // back when the new h0 is at the edge and above the bed.
        CurvaTrecho comSecao = ajustada(0, lei(), true, 60);
        QStringList linhas = validadeAjuste(comSecao, true);
        QCOMPARE(linhas, QStringList{"h0 = 0.80 m, acima do fundo da seção (0.60 m)"});
        RefazerComInicio(comSecao, 100, true, linhas);
        QCOMPARE(comSecao.Busca.candidatos.front(), 1.00);
        QVERIFY(std::fabs(comSecao.H0 - 0.99) < 1e-12);
        QCOMPARE(linhas, QStringList({avisoLimiteBusca(),
                                      "h0 = 0.99 m, acima do fundo da seção (0.60 m)"}));
    }

    // Station 58110002, each period of its official curves fitted from a start value 2 m
    // below its lowest stage: most searches end at their edge. Widening the window slides
    // h0 down with it and m up, while the discharge at the median stage barely moves; a
    // period with a peak of r keeps its h0 whatever the start.
    void estacaoReal() {
        QFile f(QStringLiteral(LUMENO_SHARED_DIR
                               "/fixtures/measurements/ana_58110002_rating_curves.csv"));
        if (!f.open(QIODevice::ReadOnly))
            QSKIP(
                "Sem ../shared/fixtures/measurements/ana_58110002_rating_curves.csv: teste "
                "ignorado.");
        f.readLine();
        QStringList periodos;
        while (!f.atEnd()) {
            const QStringList c = QString::fromUtf8(f.readLine()).split(QLatin1Char(','));
            if (c.size() > 2 && !periodos.contains(c[0] + QLatin1Char(',') + c[1]))
                periodos << c[0] + QLatin1Char(',') + c[1];
        }
        auto menorCota = [](const std::vector<LinhaMedida>& linhas) {
            double menor = 1e9;
            for (const LinhaMedida& l : linhas)
                menor = std::min(menor, l.cota);
            return menor;
        };
        int ajustes = 0, noLimite = 0;
        for (const QString& p : periodos) {
            const auto linhas = medicoesReais(QDate::fromString(p.section(',', 0, 0), Qt::ISODate),
                                              QDate::fromString(p.section(',', 1, 1), Qt::ISODate));
            if (linhas.size() < 3)
                continue;
            ++ajustes;
            CurvaTrecho curva = curvaDe(linhas, int(menorCota(linhas)) - 200);
            AjustarCurva(curva, false);
            noLimite += curva.Busca.noLimite() ? 1 : 0;
        }
        QCOMPARE(ajustes, 10);
        QCOMPARE(noLimite, 7);

        const auto deslizante = medicoesReais(QDate(2005, 11, 14), QDate(2008, 10, 21));
        QCOMPARE(deslizante.size(), size_t(17));
        double mAnterior = 0, vazao = 0;
        for (const int abaixo : {200, 500, 1000}) {
            const int inicio = int(menorCota(deslizante)) - abaixo;
            CurvaTrecho curva = curvaDe(deslizante, inicio);
            AjustarCurva(curva, false);
            QVERIFY(curva.Busca.noLimite());
            QVERIFY(std::fabs(curva.H0 - (inicio - 1) / 100.0) < 1e-9);
            QVERIFY(curva.M > mAnterior + 2);
            mAnterior = curva.M;
            const DiagnosticoH0 d = DiagnosticarH0(curva, false);
            const double q = (*d.alternativas)[1].vazao;
            if (vazao > 0)
                QVERIFY2(std::fabs(q / vazao - 1) < 0.03, qPrintable(QString::number(q)));
            vazao = q;
        }

        const auto comPico = medicoesReais(QDate(2000, 1, 1), QDate(2002, 2, 8));
        for (const int abaixo : {200, 1000}) {
            CurvaTrecho curva = curvaDe(comPico, int(menorCota(comPico)) - abaixo);
            AjustarCurva(curva, false);
            QVERIFY(!curva.Busca.noLimite());
            QVERIFY(std::fabs(curva.H0 + 0.88) < 1e-9);
        }
    }

    // A refused refit changes nothing.
    void refazerRecusado_data() {
        QTest::addColumn<Pares>("pares");
        QTest::addColumn<double>("inicio");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("na menor cota")
            << lei() << 120.0 << "Valor de h0 deve ser inferior à menor cota da curva (120 cm)!";
        QTest::newRow("longa demais") << lei() << -2e6 << "mais de 1 km";
        QTest::newRow("uma cota") << Pares{{200, 3}, {200, 4}} << 100.0 << "não determinam";
    }
    void refazerRecusado() {
        QFETCH(Pares, pares);
        QFETCH(double, inicio);
        QFETCH(QString, mensagem);
        CurvaTrecho curva = ajustada(100, pares);
        const CurvaTrecho antes = curva;
        const QStringList original{"até a cota 400", avisoLimiteBusca()};
        QStringList validade = original;
        try {
            RefazerComInicio(curva, inicio, false, validade);
            QFAIL("refeito");
        } catch (const ErroLumeno& e) {
            QVERIFY2(e.mensagem().contains(mensagem), qPrintable(e.mensagem()));
        }
        QCOMPARE(bits(curva.H0), bits(antes.H0));
        QCOMPARE(bits(curva.K), bits(antes.K));
        QCOMPARE(curva.Grau, antes.Grau);
        QCOMPARE(curva.Busca.inicio, antes.Busca.inicio);
        QCOMPARE(validade, original);
    }
};

LUMENO_TESTE(TesteDiagnosticoH0)
#include "tst_DiagnosticoH0.moc"
