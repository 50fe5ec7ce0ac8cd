#include "curves/AjusteCurva.h"
#include "support/ExecutorTestes.h"
#include "validation/DesviosTempo.h"
#include "validation/ValidacaoCurva.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace lumeno;

namespace {

const QString pastaMedicoes = QStringLiteral(LUMENO_SHARED_DIR "/fixtures/measurements");

bool perto(double a, double b, double tol = 1e-12) {
    return std::fabs(a - b) <= tol * std::max(1.0, std::fabs(b));
}

// A fitted power law Q = 20·(h/100 − 0.5)^1.6 and rows at the given stages (cm), each
// off the curve by the factor exp(ε): ln Q − ln Qc = ε.
CurvaTrecho potencial(const std::vector<double>& cotas, const std::vector<double>& eps) {
    CurvaTrecho c;
    c.Algoritmo = AlgoritmoCurva::Potencial;
    c.K = 20;
    c.H0 = 0.5;
    c.M = 1.6;
    if (!cotas.empty()) {
        c.CotaMin = *std::min_element(cotas.begin(), cotas.end());
        c.CotaMax = *std::max_element(cotas.begin(), cotas.end());
    }
    for (size_t i = 0; i < cotas.size(); ++i) {
        LinhaMedida l;
        l.numero = static_cast<double>(i + 1);
        l.cota = cotas[i];
        l.vazao = 20 * std::pow(cotas[i] / 100 - 0.5, 1.6) * std::exp(eps[i]);
        l.data = QDate(2000, 1, 1).addDays(static_cast<qint64>(i) * 30);
        c.Medicoes.push_back(l);
    }
    return c;
}

std::vector<double> escada(int n, double de = 100, double passo = 20) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i)
        v.push_back(de + passo * i);
    return v;
}

// The figures straight from their formulas, for rows (stage cm, Q, Qc) of a curve with
// p parameters and h0 in metres.
struct Esperado {
    int N = 0;
    double Se = 0;
    int P = 0;
    double zSinais = 0;
    int S = 0;
    double zSequencias = 0;
    double media = 0;
    double tVies = 0;
    double xMedio = 0;
    double sxx = 0;
};

struct Linha {
    double cota, q, qc;
};

Esperado calcular(std::vector<Linha> linhas, int p, double h0) {
    Esperado e;
    const int N = static_cast<int>(linhas.size());
    e.N = N;
    double soma2 = 0, somaPct = 0, somaX = 0;
    for (const Linha& l : linhas) {
        const double d = std::log(l.q / l.qc);
        soma2 += d * d;
        e.P += d > 0;
        somaPct += (l.qc - l.q) / l.q * 100;
        somaX += std::log(l.cota / 100 - h0);
    }
    e.Se = std::sqrt(soma2 / (N - p));
    e.zSinais = (std::fabs(e.P - N / 2.0) - 0.5) / (0.5 * std::sqrt(double(N)));
    std::stable_sort(linhas.begin(), linhas.end(),
                     [](const Linha& a, const Linha& b) { return a.cota < b.cota; });
    for (size_t i = 1; i < linhas.size(); ++i)
        e.S += (linhas[i].q > linhas[i].qc) != (linhas[i - 1].q > linhas[i - 1].qc);
    e.zSequencias = (std::fabs(e.S - (N - 1) / 2.0) - 0.5) / (0.5 * std::sqrt(N - 1.0));
    e.media = somaPct / N;
    double var = 0;
    for (const Linha& l : linhas) {
        const double pct = (l.qc - l.q) / l.q * 100;
        var += (pct - e.media) * (pct - e.media);
    }
    e.tVies = e.media / (std::sqrt(var / (N - 1)) / std::sqrt(double(N)));
    e.xMedio = somaX / N;
    for (const Linha& l : linhas)
        e.sxx += std::pow(std::log(l.cota / 100 - h0) - e.xMedio, 2);
    return e;
}

std::vector<Linha> linhasDe(const CurvaTrecho& c) {
    std::vector<Linha> v;
    for (const LinhaMedida& l : c.Medicoes)
        if (l.pontoObrigatorio < 1 && l.vazao > 0 && l.cota / 100 > c.H0)
            v.push_back({l.cota, l.vazao, VazaoCurva(c, l.cota)});
    return v;
}

void conferir(const ValidacaoCurva& v, const Esperado& e) {
    QCOMPARE(v.N(), e.N);
    QVERIFY(perto(v.Se, e.Se));
    QCOMPARE(v.sinais.contagem, e.P);
    QVERIFY(perto(v.sinais.estatistica, e.zSinais));
    QCOMPARE(v.sequencias.contagem, e.S);
    QVERIFY(perto(v.sequencias.estatistica, e.zSequencias));
    QVERIFY(perto(v.vies.media, e.media, 1e-10));
    QVERIFY(perto(v.vies.estatistica, e.tVies, 1e-10));
    QVERIFY(perto(v.vies.limite, QuantilT(0.975, e.N - 1)));
}

// Measurements of a CSV of the shared fixtures: stage (m → cm), discharge and date; rows
// of one consistency level when `nivel` is given.
std::vector<LinhaMedida> lerCsv(const QString& nome, int nivel = 0) {
    std::vector<LinhaMedida> linhas;
    QFile f(pastaMedicoes + QLatin1Char('/') + nome);
    if (!f.open(QIODevice::ReadOnly))
        return linhas;
    f.readLine();
    int numero = 0;
    while (!f.atEnd()) {
        const QStringList c = QString::fromUtf8(f.readLine()).trimmed().split(QLatin1Char(','));
        if (c.size() < 2 || (nivel != 0 && (c.size() < 4 || c[3].toInt() != nivel)))
            continue;
        LinhaMedida l;
        l.numero = ++numero;
        l.cota = std::round(c[0].toDouble() * 100 * 1000) / 1000;
        l.vazao = c[1].toDouble();
        if (c.size() > 2)
            l.data = QDate::fromString(c[2], Qt::ISODate);
        linhas.push_back(l);
    }
    return linhas;
}

CurvaTrecho ajustada(std::vector<LinhaMedida> linhas, double h0Inicial) {
    CurvaTrecho c;
    c.Algoritmo = AlgoritmoCurva::Potencial;
    c.H0 = h0Inicial;
    c.Medicoes = std::move(linhas);
    double vazaoMin = 1e300;
    for (const LinhaMedida& l : c.Medicoes) {
        c.CotaMin = std::min(c.CotaMin, l.cota);
        c.CotaMax = std::max(c.CotaMax, l.cota);
        if (l.vazao < vazaoMin) {
            vazaoMin = l.vazao;
            c.CotaVazaoMin = l.cota;
        }
    }
    AjustarPotencial(c, false);
    return c;
}

bool semNaN(const ValidacaoCurva& v) {
    for (double x : {v.Se, v.mediaLn, v.somaQuadradosLn, v.tFaixa, v.sinais.estatistica,
                     v.sequencias.estatistica, v.vies.estatistica, v.vies.media, v.vies.erroPadrao,
                     v.vies.limite})
        if (std::isnan(x))
            return false;
    for (const LinhaValidacao& l : DescreverValidacao(v))
        if (l.descricao.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
            (l.valor && std::isnan(*l.valor)))
            return false;
    return true;
}

bool textoContem(const ValidacaoCurva& v, const QString& figura, const QString& resultado) {
    for (const LinhaValidacao& l : DescreverValidacao(v))
        if (l.figura == figura)
            return l.resultado == resultado;
    return false;
}

}  // namespace

class TesteValidacaoCurva : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void figurasDeConjuntosFeitosAMao() {
        // High, then low along the stages: signs and bias pass, the runs fail.
        {
            const CurvaTrecho c = potencial(
                escada(10), {0.05, 0.04, 0.06, 0.03, 0.05, -0.05, -0.04, -0.06, -0.03, -0.05});
            const ValidacaoCurva v = ValidarCurva(c);
            conferir(v, calcular(linhasDe(c), 2, 0.5));
            QCOMPARE(v.sinais.veredito, Veredito::Passa);
            QCOMPARE(v.sequencias.veredito, Veredito::NaoPassa);
            QCOMPARE(v.vies.veredito, Veredito::Passa);
            QCOMPARE(v.testesAprovados(), 2);
            QCOMPARE(v.testesFeitos(), 3);
        }
        // Nearly all above the curve, the one below in the middle: signs and bias fail,
        // the runs pass.
        {
            const CurvaTrecho c = potencial(
                escada(10), {0.05, 0.04, 0.06, 0.03, -0.02, 0.05, 0.02, 0.04, 0.01, 0.03});
            const ValidacaoCurva v = ValidarCurva(c);
            conferir(v, calcular(linhasDe(c), 2, 0.5));
            QCOMPARE(v.sinais.veredito, Veredito::NaoPassa);
            QCOMPARE(v.sequencias.veredito, Veredito::Passa);
            QCOMPARE(v.vies.veredito, Veredito::NaoPassa);
        }
    }

    void linhasDeixadasDeLado() {
        // A mandatory row, a row at h0, one below it and a zero discharge stay out.
        CurvaTrecho c = potencial(escada(8), {0.02, -0.01, 0.03, -0.02, 0.01, -0.03, 0.02, -0.01});
        LinhaMedida obrigatoria = c.Medicoes[2];
        obrigatoria.numero = 10000;
        obrigatoria.pontoObrigatorio = 1;
        obrigatoria.vazao *= 3;
        c.Medicoes.push_back(obrigatoria);
        c.Medicoes.push_back({0, 0, 20, QDate(2001, 1, 1), 50, 1.0, {}, {}, 0});
        c.Medicoes.push_back({0, 0, 21, QDate(2001, 1, 1), 40, 1.0, {}, {}, 0});
        c.Medicoes.push_back({0, 0, 22, QDate(2001, 1, 1), 150, 0.0, {}, {}, 0});
        const ValidacaoCurva v = ValidarCurva(c);
        QCOMPARE(v.obrigatorias, 1);
        QCOMPARE(v.deixadas, 3);
        conferir(v, calcular(linhasDe(c), 2, 0.5));
        QCOMPARE(v.medicoes.size(), size_t(8));
        QVERIFY(perto(v.medicoes[1].desvioLog, -0.01));
        QVERIFY(perto(v.medicoes[1].percentual, (std::exp(0.01) - 1) * 100, 1e-10));
    }

    void atipicas() {
        // One measurement 0.5 off: with ten rows it is over 2 Se only, with twelve over
        // 3 Se (Se from all rows, the outlier included).
        std::vector<double> eps{0.01, -0.01, 0.02, -0.02, 0.5, 0.01, -0.01, 0.02, -0.01, 0.01};
        const ValidacaoCurva dez = ValidarCurva(potencial(escada(10), eps));
        double s2 = 0;
        for (double e : eps)
            s2 += e * e;
        const double se10 = std::sqrt(s2 / 8);
        QVERIFY(perto(dez.Se, se10));
        QVERIFY(0.5 > 2 * se10 && 0.5 < 3 * se10);
        QCOMPARE(dez.medicoes[4].atipica, Atipica::Aviso);
        QCOMPARE(dez.atipicas2, 1);
        QCOMPARE(dez.atipicas3, 0);
        QVERIFY(textoContem(dez, "Atípicas (> 2 Se)", "atenção"));
        QVERIFY(textoContem(dez, "Atípicas (> 3 Se)", "passa"));

        eps.push_back(-0.02);
        eps.push_back(0.01);
        s2 += 0.0004 + 0.0001;
        const ValidacaoCurva doze = ValidarCurva(potencial(escada(12), eps));
        QVERIFY(0.5 > 3 * std::sqrt(s2 / 10));
        QCOMPARE(doze.medicoes[4].atipica, Atipica::Marcada);
        QCOMPARE(doze.atipicas2, 1);
        QCOMPARE(doze.atipicas3, 1);
        for (size_t i = 0; i < doze.medicoes.size(); ++i)
            if (i != 4)
                QCOMPARE(doze.medicoes[i].atipica, Atipica::Nao);
        QVERIFY(textoContem(doze, "Atípicas (> 3 Se)", "não passa"));

        // The flag the listing shows is the last curve's.
        CurvaTrecho outra = potencial(escada(12), std::vector<double>(12, 0.0));
        outra.Medicoes.resize(6);
        const CurvaTrecho comAtipica = potencial(escada(12), eps);
        const auto porNumero = AtipicasPorMedicao({&outra, &comAtipica});
        QCOMPARE(porNumero.at(5), Atipica::Marcada);
        QCOMPARE(AtipicasPorMedicao({&comAtipica, &outra}).at(5), Atipica::Nao);
        QCOMPARE(AtipicasPorMedicao({&comAtipica, &outra}).at(12), Atipica::Nao);
        QCOMPARE(textoAtipica(Atipica::Marcada), QString("> 3 Se"));
        QCOMPARE(textoAtipica(Atipica::Nao), QString());
    }

    void faixaDaRelacaoMedia() {
        const CurvaTrecho c = potencial(escada(9, 80, 35),
                                        {0.03, -0.02, 0.05, -0.04, 0.01, -0.03, 0.02, 0.04, -0.05});
        const ValidacaoCurva v = ValidarCurva(c);
        const Esperado e = calcular(linhasDe(c), 2, 0.5);
        QVERIFY(v.possuiFaixa);
        QVERIFY(perto(v.tFaixa, QuantilT(0.975, 7)));
        for (double h : {60.0, 80.0, 150.0, 300.0, 420.0}) {
            const double x = std::log(h / 100 - 0.5);
            const double smr = e.Se * std::sqrt(1.0 / 9 + std::pow(x - e.xMedio, 2) / e.sxx);
            QVERIFY(perto(*ErroPadraoRelacaoMedia(v, h), smr));
        }
        // Narrowest at the mean of ln(h − h0).
        const double centro = 100 * (std::exp(e.xMedio) + 0.5);
        QVERIFY(perto(*ErroPadraoRelacaoMedia(v, centro), e.Se / 3));
        QVERIFY(!ErroPadraoRelacaoMedia(v, 50));  // at h0
        const auto faixa = FaixaConfianca(c, v);
        QCOMPARE(faixa.size(), size_t(102));
        for (const PontoFaixa& p : faixa) {
            const double f = std::exp(v.tFaixa * *ErroPadraoRelacaoMedia(v, p.cota));
            QVERIFY(perto(p.vazao, VazaoCurva(c, p.cota)));
            QVERIFY(perto(p.superior, p.vazao * f));
            QVERIFY(perto(p.inferior, p.vazao / f));
        }
        // Polynomials have no band; their standard error counts their coefficients.
        CurvaTrecho poli = c;
        poli.Algoritmo = AlgoritmoCurva::Polinomial;
        poli.Grau = 2;
        poli.Coeficientes = {1, 0.1, 0.0005};
        const ValidacaoCurva vp = ValidarCurva(poli);
        QVERIFY(!vp.possuiFaixa);
        QVERIFY(FaixaConfianca(poli, vp).empty());
        QCOMPARE(vp.parametros, 3);
        std::vector<Linha> lp;
        for (const LinhaMedida& l : poli.Medicoes)
            lp.push_back({l.cota, l.vazao, VazaoCurva(poli, l.cota)});
        QVERIFY(perto(vp.Se, calcular(lp, 3, 0).Se));
        QVERIFY(textoContem(vp, "Faixa de 95 % da relação média", QString()));
    }

    void amostrasPequenasEDesviosNulos() {
        const QString insuficiente = textoVeredito(Veredito::AmostraInsuficiente);
        // Four measurements: Se and the band, no tests.
        {
            const ValidacaoCurva v = ValidarCurva(potencial(escada(4), {0.1, -0.1, 0.05, 0.02}));
            QVERIFY(v.possuiErroPadrao);
            QVERIFY(v.possuiFaixa);
            QCOMPARE(v.testesFeitos(), 0);
            QVERIFY(!v.atipicasAvaliadas);
            QVERIFY(semNaN(v));
            for (const char* f :
                 {"Teste de sinais", "Teste de sequências", "Teste de viés", "Atípicas (> 3 Se)"})
                QVERIFY2(textoContem(v, f, insuficiente), f);
        }
        // Every measurement on the curve: Se = 0, the signs and runs have nothing to count.
        {
            const ValidacaoCurva v = ValidarCurva(potencial(escada(8), std::vector<double>(8, 0)));
            QVERIFY(v.possuiErroPadrao);
            QCOMPARE(v.Se, 0.0);
            QVERIFY(semNaN(v));
            QVERIFY(textoContem(v, "Teste de sinais", insuficiente));
            QVERIFY(textoContem(v, "Teste de sequências", insuficiente));
            QCOMPARE(v.atipicas2, 0);
        }
        // A single measurement, and none: nothing computed, nothing undefined.
        for (int n : {1, 0}) {
            const ValidacaoCurva v =
                ValidarCurva(potencial(escada(n), std::vector<double>(n, 0.1)));
            QVERIFY(!v.possuiErroPadrao);
            QVERIFY(!v.possuiFaixa);
            QVERIFY(semNaN(v));
            QVERIFY(textoContem(v, "Erro padrão (Se)", insuficiente));
            QVERIFY(textoContem(v, "Faixa de 95 % da relação média", insuficiente));
        }
        // A curve without a fit.
        CurvaTrecho semAjuste = potencial(escada(8), std::vector<double>(8, 0.1));
        semAjuste.K = 0;
        const ValidacaoCurva v = ValidarCurva(semAjuste);
        QCOMPARE(v.N(), 0);
        QCOMPARE(v.deixadas, 8);
        QVERIFY(semNaN(v));
        QCOMPARE(numeroValidacao(INFINITY), QString("∞"));
        QCOMPARE(numeroValidacao(1.23456, 3), QString("1.235"));
    }

    void conjuntoReal() {
        const auto linhas = lerCsv(QStringLiteral("bdrc_krokfors.csv"));
        if (linhas.empty())
            QSKIP("Sem ../shared/fixtures/measurements/bdrc_krokfors.csv: teste ignorado.");
        const CurvaTrecho c = ajustada(linhas, 700);
        QVERIFY(c.K > 0);
        const ValidacaoCurva v = ValidarCurva(c);
        const Esperado e = calcular(linhasDe(c), 2, c.H0);
        QCOMPARE(v.N(), 27);
        conferir(v, e);
        QVERIFY(v.possuiFaixa);
        QVERIFY(perto(v.mediaLn, e.xMedio));
        QVERIFY(perto(v.somaQuadradosLn, e.sxx));
    }

    void mudancaNaEstacaoDoParaiba() {
        // The consolidated measurements of 58110002, 1995 to 2015, fitted as one curve.
        auto linhas = lerCsv(QStringLiteral("ana_58110002_measurements.csv"), 2);
        if (linhas.empty())
            QSKIP(
                "Sem ../shared/fixtures/measurements/ana_58110002_measurements.csv: teste "
                "ignorado.");
        QCOMPARE(linhas.size(), size_t(94));
        const CurvaTrecho uma = ajustada(linhas, -300);
        const ValidacaoCurva v = ValidarCurva(uma);
        conferir(v, calcular(linhasDe(uma), 2, uma.H0));
        QCOMPARE(v.sequencias.veredito, Veredito::NaoPassa);

        const SerieDesviosTempo serie = DesviosAoLongoDoTempo({&uma});
        QCOMPARE(serie.pontos.size(), size_t(v.N()));
        QVERIFY(serie.pettitt.p < 0.05);
        QCOMPARE(serie.dataMudanca, QDate(2010, 8, 19));

        // Split there, the two curves pass more of the tests.
        std::vector<LinhaMedida> antes, depois;
        for (const LinhaMedida& l : linhas)
            (l.data < serie.dataMudanca ? antes : depois).push_back(l);
        const ValidacaoCurva a = ValidarCurva(ajustada(antes, -300));
        const ValidacaoCurva b = ValidarCurva(ajustada(depois, -300));
        QVERIFY(a.testesAprovados() + b.testesAprovados() > v.testesAprovados());
        QVERIFY(a.Se < v.Se);
    }

    void serieNoTempo() {
        // Curve 2 takes over measurements 4 to 6 of curve 1; a row without a date stays out.
        CurvaTrecho c1 = potencial(escada(6), {0.01, 0.02, 0.03, 0.04, 0.05, 0.06});
        c1.Cor = 0x0000FF;
        c1.Medicoes[1].data = QDate(1999, 6, 1);  // before the first one
        c1.Medicoes[2].data = QDate();
        CurvaTrecho c2 = potencial(escada(6), {-0.1, -0.1, -0.1, -0.2, -0.2, -0.2});
        c2.Cor = 0xFF0000;
        c2.Medicoes.erase(c2.Medicoes.begin(), c2.Medicoes.begin() + 3);
        const SerieDesviosTempo s = DesviosAoLongoDoTempo({&c1, &c2});
        QCOMPARE(s.pontos.size(), size_t(5));
        const double numeros[] = {2, 1, 4, 5, 6};
        for (size_t i = 0; i < 5; ++i)
            QCOMPARE(s.pontos[i].numero, numeros[i]);
        QCOMPARE(s.pontos[0].curva, 1);
        QCOMPARE(s.pontos[0].cor, std::uint32_t(0x0000FF));
        QCOMPARE(s.pontos[2].curva, 2);
        QVERIFY(perto(s.pontos[2].percentual, (std::exp(0.2) - 1) * 100, 1e-10));
        QCOMPARE(s.pettitt.veredito, Veredito::Passa);  // five values, p ≥ 0.05
        QVERIFY(!s.dataMudanca.isValid());
        QVERIFY(perto(anoFracionario(QDate(2010, 1, 1)), 2010));
        QVERIFY(perto(anoFracionario(QDate(2012, 7, 2)), 2012 + 183.0 / 366));
    }
};

LUMENO_TESTE(TesteValidacaoCurva)
#include "tst_ValidacaoCurva.moc"
