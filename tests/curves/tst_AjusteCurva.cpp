#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "curves/AjusteCurva.h"
#include "curves/AvisoAjuste.h"
#include "curves/Logaritmos.h"
#include "support/Bits.h"
#include "support/ExecutorTestes.h"

#include <QTest>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

using namespace lumeno;

using lumeno::teste::bits;

namespace {

using Pares = std::vector<std::pair<double, double>>;  // (cota cm, vazao m³/s)

// A curve as CriarCurvaTrecho leaves it: rows in order, extremes of the selection.
CurvaTrecho criarCurva(int algoritmo, int parametro, const Pares& pares) {
    CurvaTrecho curva;
    curva.Algoritmo = algoritmo;
    curva.Grau = parametro;
    curva.H0 = parametro;
    curva.medicoesAbertas = true;
    double menorVazao = 0;
    bool primeira = true;
    for (const auto& [cota, vazao] : pares) {
        LinhaMedida linha;
        linha.numero = double(curva.Medicoes.size() + 1);
        linha.cota = cota;
        linha.vazao = vazao;
        curva.Medicoes.push_back(linha);
        curva.CotaMax = std::max(curva.CotaMax, cota);
        curva.CotaMin = std::min(curva.CotaMin, cota);
        curva.VazaoMax = std::max(curva.VazaoMax, vazao);
        curva.VazaoMin = std::min(curva.VazaoMin, vazao);
        if (primeira || vazao < menorVazao) {
            menorVazao = vazao;
            curva.CotaVazaoMin = cota;
        }
        primeira = false;
    }
    return curva;
}

CurvaTrecho potencial(int parametro, const Pares& pares) {
    return criarCurva(AlgoritmoCurva::Potencial, parametro, pares);
}

CurvaTrecho polinomio(int grau, const Pares& pares) {
    return criarCurva(AlgoritmoCurva::Polinomial, grau, pares);
}

const Pares exatos = {{150, 10}, {200, 40}, {300, 160}};  // Q = 40·(H − 1)²

struct Parametros {
    ResultadoAjuste resultado;
    double H0, K, M, R;
    // Every candidate with its r (NaN where it decided nothing), and the index kept.
    std::vector<double> candidatos = {}, r = {};
    int vencedor = -1;
};

// The search read literally: every row for every candidate, each expression as written.
Parametros ajusteDireto(const CurvaTrecho& curva, bool possuiSecao) {
    int n = 0;
    for (const LinhaMedida& linha : curva.Medicoes)
        n += linha.vazao > 0 ? 1 : 0;
    if (n == 0)
        return {ResultadoAjuste::TrechoIndefinido, curva.H0, curva.K, curva.M, curva.R};
    const double s = possuiSecao ? curva.CotaMinSecao : curva.H0;
    Parametros p{ResultadoAjuste::Indeterminado, 0, 0, 0, -10};
    for (int i = 1;; ++i) {
        p.r.push_back(std::nan(""));
        double c = (i + s - 1) / 100;
        bool ultimo = false;
        if (!(c < curva.CotaMin / 100 && (!possuiSecao || c < curva.CotaVazaoMin / 100))) {
            c = c - i / 100.0;
            ultimo = true;
        }
        double Sx = 0, Sy = 0, Sxx = 0, Syy = 0, Sxy = 0;
        bool primeiro = true, variado = false;
        double x0 = 0;
        for (const LinhaMedida& linha : curva.Medicoes) {
            if (!(linha.vazao > 0))
                continue;
            const double y = std::log(linha.vazao);
            const double H = linha.cota / 100;
            // The search's own logarithm, one difference at a time.
            double x = 0;
            LogaritmosAcimaDe(&H, c, 0.00001, &x, 1);
            if (primeiro)
                x0 = x;
            else if (x != x0)
                variado = true;
            primeiro = false;
            Sx += x;
            Sy += y;
            Sxx += x * x;
            Syy += y * y;
            Sxy += x * y;
        }
        if (variado) {
            p.resultado = ResultadoAjuste::Ajustado;
            const double Sxyl = Sxy - Sx * Sy / n;
            const double Sxxl = Sxx - Sx * Sx / n;
            const double Syyl = Syy - Sy * Sy / n;
            const double r = Sxxl * Syyl > 0 ? Sxyl / std::sqrt(Sxxl * Syyl) : 0;
            p.r.back() = r;
            if (r > p.R) {
                p.R = r;
                p.M = Sxyl / Sxxl;
                p.K = std::exp((Sxx * Sy - Sx * Sxy) / (n * Sxx - Sx * Sx));
                p.H0 = c;
                p.vencedor = i - 1;
            }
        }
        p.candidatos.push_back(c);
        if (ultimo)
            break;
    }
    if (p.resultado == ResultadoAjuste::Indeterminado)
        p.R = 0;
    return p;
}

// Measurements scattered around Q = k·(H − h0)^m.
Pares aleatorios(unsigned semente, int linhas, double cotaMin, double faixa, bool centimetros) {
    std::mt19937_64 gerador(semente);
    std::uniform_real_distribution<double> cota(cotaMin, cotaMin + faixa);
    std::lognormal_distribution<double> ruido(0, 0.15);
    Pares pares;
    for (int i = 0; i < linhas; ++i) {
        double h = cota(gerador);
        if (centimetros)
            h = std::round(h);
        pares.emplace_back(h, 25 * std::pow(h / 100 - (cotaMin - 80) / 100, 1.7) * ruido(gerador));
    }
    return pares;
}

}  // namespace

Q_DECLARE_METATYPE(Pares)

class TesteAjusteCurva : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void potencialExato() {
        CurvaTrecho curva = potencial(100, exatos);
        QCOMPARE(AjustarCurva(curva, false), ResultadoAjuste::Ajustado);
        QVERIFY(std::fabs(curva.H0 - 1.0) < 1e-9);
        QVERIFY(std::fabs(curva.K - 40) < 1e-9);
        QVERIFY(std::fabs(curva.M - 2) < 1e-9);
        QVERIFY(std::fabs(curva.R - 1) < 1e-9);
        QCOMPARE(curva.linhasDescartadas, 0);
        QVERIFY(std::fabs(VazaoCurva(curva, 250) - 90) < 1e-9);
    }

    // Start value s (cm), limits CotaMin and CotaVazaoMin: the candidates are s/100 …
    // below the limit in centimetre steps, then (s − 1)/100.
    void candidatos_data() {
        QTest::addColumn<int>("parametro");
        QTest::addColumn<bool>("possuiSecao");
        QTest::addColumn<double>("cotaMinSecao");
        QTest::addColumn<double>("cotaMin");
        QTest::addColumn<double>("cotaVazaoMin");
        QTest::addColumn<double>("primeiro");
        QTest::addColumn<int>("quantos");
        QTest::newRow("sem secao") << 100 << false << 0.0 << 150.0 << 150.0 << 1.00 << 51;
        QTest::newRow("vazao minima ignorada sem secao")
            << 100 << false << 0.0 << 150.0 << 120.0 << 1.00 << 51;
        QTest::newRow("inicio na cota minima")
            << 150 << false << 0.0 << 150.0 << 150.0 << 1.49 << 1;
        QTest::newRow("inicio acima") << 200 << false << 0.0 << 150.0 << 150.0 << 1.99 << 1;
        QTest::newRow("secao de 120") << 100 << true << 120.0 << 150.0 << 150.0 << 1.20 << 31;
        QTest::newRow("secao, outro parametro")
            << 0 << true << 120.0 << 150.0 << 150.0 << 1.20 << 31;
        QTest::newRow("secao limitada pela vazao minima")
            << 100 << true << 120.0 << 150.0 << 130.0 << 1.20 << 11;
        QTest::newRow("secao negativa") << 100 << true << -5.0 << 3.0 << 3.0 << -0.05 << 9;
        QTest::newRow("cota fracionaria") << 100 << false << 0.0 << 110.5 << 110.5 << 1.00 << 12;
    }
    void candidatos() {
        QFETCH(int, parametro);
        QFETCH(bool, possuiSecao);
        QFETCH(double, cotaMinSecao);
        QFETCH(double, cotaMin);
        QFETCH(double, cotaVazaoMin);
        QFETCH(double, primeiro);
        QFETCH(int, quantos);
        CurvaTrecho curva = potencial(parametro, {});
        curva.CotaMinSecao = cotaMinSecao;
        curva.CotaMin = cotaMin;
        curva.CotaVazaoMin = cotaVazaoMin;
        const std::vector<double> c = CandidatosH0(curva, possuiSecao);
        QCOMPARE(int(c.size()), quantos);
        const double s = possuiSecao ? cotaMinSecao : parametro;
        for (int i = 0; i + 1 < quantos; ++i)
            QVERIFY2(std::fabs(c[i] - (primeiro + i / 100.0)) < 1e-12,
                     qPrintable(QString::number(i)));
        QVERIFY(std::fabs(c.back() - (s - 1) / 100) < 1e-12);
        if (quantos > 1)
            QVERIFY(c[quantos - 2] < cotaMin / 100);
    }

    // The optimised search gives, bit for bit, what the literal reading gives.
    void igualAoAjusteDireto_data() {
        QTest::addColumn<Pares>("pares");
        QTest::addColumn<int>("parametro");
        QTest::addColumn<bool>("possuiSecao");
        QTest::addColumn<double>("cotaMinSecao");
        QTest::newRow("exatos") << exatos << 100 << false << 0.0;
        QTest::newRow("aleatorios") << aleatorios(1, 200, 300, 400, false) << 150 << false << 0.0;
        QTest::newRow("centimetros repetidos")
            << aleatorios(2, 500, 300, 60, true) << 100 << false << 0.0;
        QTest::newRow("secao") << aleatorios(3, 120, 250, 300, true) << 0 << true << 180.0;
        QTest::newRow("linhas abaixo do candidato")
            << aleatorios(4, 80, 300, 300, true) << 420 << false << 0.0;
        QTest::newRow("abaixo, fracionarias")
            << aleatorios(5, 80, 300, 300, false) << 350 << false << 0.0;
        Pares poucasRepetidas = aleatorios(7, 100, 200, 300, false);
        for (int i = 0; i < 5; ++i)
            poucasRepetidas[20 + 11 * i].first = poucasRepetidas[i].first;
        QTest::newRow("poucas cotas repetidas") << poucasRepetidas << 100 << false << 0.0;
        Pares comZeros = aleatorios(6, 60, 200, 200, true);
        comZeros[3].second = 0;
        comZeros[17].second = -2.5;
        QTest::newRow("vazoes nao positivas") << comZeros << 100 << false << 0.0;
        QTest::newRow("duas linhas") << Pares{{210, 3}, {180, 1}} << 120 << false << 0.0;
        QTest::newRow("vazoes iguais")
            << Pares{{210, 3}, {180, 3}, {250, 3}} << 120 << false << 0.0;
    }
    void igualAoAjusteDireto() {
        QFETCH(Pares, pares);
        QFETCH(int, parametro);
        QFETCH(bool, possuiSecao);
        QFETCH(double, cotaMinSecao);
        CurvaTrecho curva = potencial(parametro, pares);
        curva.CotaMinSecao = cotaMinSecao;
        const std::vector<double> c = CandidatosH0(curva, possuiSecao);
        const Parametros esperado = ajusteDireto(curva, possuiSecao);
        QCOMPARE(AjustarPotencial(curva, possuiSecao), esperado.resultado);
        QCOMPARE(bits(curva.H0), bits(esperado.H0));
        QCOMPARE(bits(curva.K), bits(esperado.K));
        QCOMPARE(bits(curva.M), bits(esperado.M));
        QCOMPARE(bits(curva.R), bits(esperado.R));
        QVERIFY(curva.K > 0);
        bool candidato = false;
        for (const double v : c)
            candidato = candidato || bits(v) == bits(curva.H0);
        QVERIFY(candidato);
    }

    // Split across threads, the search gives the sequential result bit for bit: uneven
    // blocks, more blocks than candidates, and exact ties on every block boundary.
    void buscaParalelaIgualASequencial_data() {
        QTest::addColumn<Pares>("pares");
        QTest::addColumn<int>("parametro");
        QTest::addColumn<int>("tarefas");
        QTest::newRow("2 blocos") << aleatorios(11, 300, 300, 400, false) << 150 << 2;
        // 151 candidates in 3 blocks of 50, 50 and 51.
        QTest::newRow("3 blocos desiguais") << aleatorios(12, 200, 300, 400, false) << 150 << 3;
        QTest::newRow("7 blocos, centimetros") << aleatorios(13, 500, 300, 60, true) << 100 << 7;
        QTest::newRow("mais blocos que candidatos") << exatos << 100 << 64;
        // ln 1 = 0: every candidate has r = 0 exactly, so the first one must win.
        QTest::newRow("empates em todas as fronteiras")
            << Pares{{210, 1}, {180, 1}, {250, 1}, {300, 1}} << 100 << 4;
        Pares comZeros = aleatorios(14, 90, 200, 200, true);
        comZeros[5].second = 0;
        QTest::newRow("vazao nula, 5 blocos") << comZeros << 60 << 5;
    }
    void buscaParalelaIgualASequencial() {
        QFETCH(Pares, pares);
        QFETCH(int, parametro);
        QFETCH(int, tarefas);
        CurvaTrecho sequencial = potencial(parametro, pares);
        CurvaTrecho paralela = sequencial;
        const double primeiro = CandidatosH0(sequencial, false).front();
        const Parametros esperado = ajusteDireto(sequencial, false);
        QCOMPARE(AjustarPotencial(sequencial, false, ParalelismoBusca{1, 0}), esperado.resultado);
        QCOMPARE(AjustarPotencial(paralela, false, ParalelismoBusca{tarefas, 0}),
                 esperado.resultado);
        for (const CurvaTrecho* c : {&sequencial, &paralela}) {
            QCOMPARE(bits(c->H0), bits(esperado.H0));
            QCOMPARE(bits(c->K), bits(esperado.K));
            QCOMPARE(bits(c->M), bits(esperado.M));
            QCOMPARE(bits(c->R), bits(esperado.R));
        }
        if (QByteArray(QTest::currentDataTag()).startsWith("empates")) {
            QCOMPARE(paralela.R, 0.0);
            QCOMPARE(bits(paralela.H0), bits(primeiro));
        }
    }

    // The r of every candidate, as the search hands it back, is what the literal search
    // computes, value for value — on one core or split across several — and the index kept
    // is the candidate of H0; the parameters do not change for keeping it.
    void serieDeCorrelacoes_data() {
        QTest::addColumn<Pares>("pares");
        QTest::addColumn<int>("parametro");
        QTest::addColumn<bool>("possuiSecao");
        QTest::addColumn<int>("tarefas");
        QTest::newRow("exatos") << exatos << 100 << false << 1;
        QTest::newRow("aleatorios, 3 blocos")
            << aleatorios(21, 300, 300, 400, false) << 150 << false << 3;
        QTest::newRow("centimetros repetidos, 4 blocos")
            << aleatorios(22, 500, 300, 60, true) << 100 << false << 4;
        QTest::newRow("secao, 2 blocos") << aleatorios(23, 120, 250, 300, true) << 0 << true << 2;
        Pares comZeros = aleatorios(24, 60, 200, 200, true);
        comZeros[3].second = 0;
        QTest::newRow("vazao nula") << comZeros << 100 << false << 2;
        // One stage: no spread in x for any candidate, all NaN and none kept.
        QTest::newRow("candidatos sem decisao")
            << Pares{{210, 3}, {210, 1}, {210, 4}} << 150 << false << 3;
        QTest::newRow("todas abaixo do candidato") << exatos << 400 << false << 1;
        QTest::newRow("um candidato") << exatos << 160 << false << 1;
    }
    void serieDeCorrelacoes() {
        QFETCH(Pares, pares);
        QFETCH(int, parametro);
        QFETCH(bool, possuiSecao);
        QFETCH(int, tarefas);
        CurvaTrecho curva = potencial(parametro, pares);
        curva.CotaMinSecao = 180;
        const Parametros esperado = ajusteDireto(curva, possuiSecao);
        CurvaTrecho semSerie = curva;
        BuscaH0 busca;
        busca.r = {5, 5};  // leftovers of an earlier search are replaced
        QCOMPARE(AjustarPotencial(curva, possuiSecao, ParalelismoBusca{tarefas, 0}, &busca),
                 esperado.resultado);
        AjustarPotencial(semSerie, possuiSecao, ParalelismoBusca{tarefas, 0});
        QCOMPARE(busca.inicio, possuiSecao ? 180.0 : double(parametro));
        QCOMPARE(busca.candidatos.size(), esperado.candidatos.size());
        QCOMPARE(busca.r.size(), esperado.r.size());
        for (std::size_t i = 0; i < busca.r.size(); ++i) {
            QCOMPARE(bits(busca.candidatos[i]), bits(esperado.candidatos[i]));
            QVERIFY2(bits(busca.r[i]) == bits(esperado.r[i]) ||
                         (std::isnan(busca.r[i]) && std::isnan(esperado.r[i])),
                     qPrintable(QString("candidato %1: %2 em vez de %3")
                                    .arg(i)
                                    .arg(busca.r[i], 0, 'g', 17)
                                    .arg(esperado.r[i], 0, 'g', 17)));
        }
        QCOMPARE(busca.vencedor, esperado.vencedor);
        if (busca.vencedor >= 0) {
            QCOMPARE(bits(busca.candidatos[std::size_t(busca.vencedor)]), bits(curva.H0));
            QCOMPARE(bits(busca.r[std::size_t(busca.vencedor)]), bits(curva.R));
        }
        for (const auto& [a, b] : {std::pair{curva.H0, semSerie.H0},
                                   {curva.K, semSerie.K},
                                   {curva.M, semSerie.M},
                                   {curva.R, semSerie.R}})
            QCOMPARE(bits(a), bits(b));
    }

    // The fit of a curve keeps its search; a polynomial fit or an empty selection leaves
    // none, and a refused search leaves the one kept before.
    void buscaGuardadaNaCurva() {
        CurvaTrecho curva = potencial(100, exatos);
        QCOMPARE(AjustarCurva(curva, false), ResultadoAjuste::Ajustado);
        QCOMPARE(curva.Busca.candidatos.size(), size_t(51));
        QCOMPARE(curva.Busca.vencedor, 0);
        const BuscaH0 guardada = curva.Busca;
        curva.H0 = -1e7;
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, AjustarCurva(curva, false));
        QCOMPARE(curva.Busca.r, guardada.r);
        curva.Algoritmo = AlgoritmoCurva::Polinomial;
        curva.Grau = 2;
        AjustarCurva(curva, false);
        QVERIFY(curva.Busca.vazia());
        CurvaTrecho vazia = potencial(100, {{150, 0}});
        vazia.Busca = guardada;
        QCOMPARE(AjustarCurva(vazia, false), ResultadoAjuste::TrechoIndefinido);
        QVERIFY(vazia.Busca.vazia());
    }

    void correlacaoEntreMenosUmEUm() {
        for (unsigned semente = 10; semente < 40; ++semente) {
            CurvaTrecho curva =
                potencial(0, aleatorios(semente, 40, 100 + semente * 7, 500, semente % 2));
            QCOMPARE(AjustarPotencial(curva, false), ResultadoAjuste::Ajustado);
            QVERIFY2(curva.R >= -1 - 1e-12 && curva.R <= 1 + 1e-12,
                     qPrintable(QString::number(curva.R, 'g', 17)));
        }
    }

    void inicioAcimaDaCotaMinima() {
        // Single candidate 1.59 m: the row at 150 cm enters with x = 0.00001.
        CurvaTrecho curva = potencial(160, exatos);
        QCOMPARE(AjustarPotencial(curva, false), ResultadoAjuste::Ajustado);
        QVERIFY(std::fabs(curva.H0 - 1.59) < 1e-12);
        const double x[] = {0.00001, std::log(2.0 - curva.H0), std::log(3.0 - curva.H0)};
        const double y[] = {std::log(10.0), std::log(40.0), std::log(160.0)};
        double mx = 0, my = 0;
        for (int i = 0; i < 3; ++i) {
            mx += x[i] / 3;
            my += y[i] / 3;
        }
        double sxy = 0, sxx = 0;
        for (int i = 0; i < 3; ++i) {
            sxy += (x[i] - mx) * (y[i] - my);
            sxx += (x[i] - mx) * (x[i] - mx);
        }
        QVERIFY(std::fabs(curva.M - sxy / sxx) < 1e-9);
        QVERIFY(std::fabs(std::log(curva.K) - (my - sxy / sxx * mx)) < 1e-9);
    }

    void secaoDefineOInicio() {
        CurvaTrecho a = potencial(100, exatos);
        CurvaTrecho b = potencial(30, exatos);
        a.CotaMinSecao = b.CotaMinSecao = 120;
        QCOMPARE(AjustarPotencial(a, true), ResultadoAjuste::Ajustado);
        QCOMPARE(AjustarPotencial(b, true), ResultadoAjuste::Ajustado);
        QCOMPARE(bits(a.H0), bits(b.H0));
        QCOMPARE(bits(a.K), bits(b.K));
        // The true h0 (1.00 m) lies below the start: the last candidate, 1.19 m, is nearest.
        QVERIFY(std::fabs(a.H0 - 1.19) < 1e-12);
        QVERIFY(a.R < 1);
    }

    void vazoesNaoPositivasDescartadas() {
        Pares pares = exatos;
        pares.insert(pares.begin() + 1, {120, 0});
        pares.push_back({250, -3});
        CurvaTrecho curva = potencial(100, pares);
        QCOMPARE(AjustarPotencial(curva, false), ResultadoAjuste::Ajustado);
        QCOMPARE(curva.linhasDescartadas, 2);
        QVERIFY(std::fabs(curva.H0 - 1.0) < 1e-9);
        QVERIFY(std::fabs(curva.K - 40) < 1e-9);
        QVERIFY(std::fabs(curva.M - 2) < 1e-9);
        QVERIFY(std::isfinite(curva.R) && std::fabs(curva.R - 1) < 1e-9);
    }

    // The rows left out are told: once per fit and, by number, in the validity lines.
    void descartadasInformadas() {
        Pares pares = exatos;
        pares.insert(pares.begin() + 1, {120, 0});
        pares.push_back({250, -3});
        const CurvaTrecho curva = potencial(100, pares);
        QCOMPARE(NumerosDescartados(curva), (std::vector<double>{2, 5}));
        QCOMPARE(avisoDescartadas(2),
                 QString("2 medições com vazão nula ou negativa foram ignoradas no ajuste"));
        QCOMPARE(avisoDescartadas(1),
                 QString("1 medição com vazão nula ou negativa foi ignorada no ajuste"));
        QCOMPARE(validadeDescartadas(curva),
                 QStringList{"Ignoradas (vazão nula ou negativa): 2, 5"});
        QVERIFY(validadeDescartadas(potencial(100, exatos)).isEmpty());
        QVERIFY(validadeDescartadas(polinomio(1, pares)).isEmpty());

        // Many of them wrap into lines of the given width, none lost.
        Pares muitos = exatos;
        for (int i = 0; i < 40; ++i)
            muitos.push_back({400.0 + i, 0});
        const QStringList linhas = validadeDescartadas(potencial(100, muitos), 60);
        QVERIFY(linhas.size() > 1);
        QString todas;
        for (const QString& l : linhas) {
            QVERIFY2(l.size() <= 60, qPrintable(l));
            todas += l;
        }
        for (int n = 4; n <= 43; ++n)
            QVERIFY(todas.contains(QString(" %1,").arg(n)) ||
                    todas.endsWith(QString(" %1").arg(n)));
    }

    // A start value far below the stages would search for hours (or, when a centimetre no
    // longer moves the candidate, for ever): refused before the search, naming both values.
    void buscaLongaRecusada_data() {
        QTest::addColumn<double>("inicio");
        QTest::addColumn<bool>("secao");
        QTest::addColumn<bool>("recusada");
        QTest::newRow("1 km abaixo") << 150.0 - 100000 << false << false;
        QTest::newRow("1 km e 1 cm abaixo") << 150.0 - 100001 << false << true;
        QTest::newRow("h0 digitado") << -2e6 << false << true;
        QTest::newRow("seção −1e20 cm") << -1e20 << true << true;
        QTest::newRow("seção sem número") << std::nan("") << true << true;
    }
    void buscaLongaRecusada() {
        QFETCH(double, inicio);
        QFETCH(bool, secao);
        QFETCH(bool, recusada);
        CurvaTrecho curva = potencial(0, exatos);
        if (secao)
            curva.CotaMinSecao = inicio;
        else
            curva.H0 = inicio;
        if (!recusada) {
            QCOMPARE(CandidatosH0(curva, secao).size(), size_t(maximoCandidatosH0 + 1));
            QCOMPARE(AjustarPotencial(curva, secao), ResultadoAjuste::Ajustado);
            return;
        }
        try {
            AjustarPotencial(curva, secao);
            QFAIL("searched");
        } catch (const ErroLumeno& e) {
            QVERIFY2(e.mensagem().contains(numeroTexto(inicio) + " cm") &&
                         e.mensagem().contains("150 cm"),
                     qPrintable(e.mensagem()));
        }
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, CandidatosH0(curva, secao));
        QCOMPARE(curva.K, 0.0);
    }

    // Without a usable row the curve keeps its values.
    void trechoIndefinido_data() {
        QTest::addColumn<Pares>("pares");
        QTest::addColumn<int>("descartadas");
        QTest::newRow("vazio") << Pares{} << 0;
        QTest::newRow("so vazoes nulas") << Pares{{150, 0}, {200, -1}} << 2;
    }
    void trechoIndefinido() {
        QFETCH(Pares, pares);
        QFETCH(int, descartadas);
        CurvaTrecho curva = potencial(100, pares);
        curva.K = 3;
        curva.R = 0.5;
        QCOMPARE(AjustarCurva(curva, false), ResultadoAjuste::TrechoIndefinido);
        QCOMPARE(curva.H0, 100.0);
        QCOMPARE(curva.K, 3.0);
        QCOMPARE(curva.R, 0.5);
        QCOMPARE(curva.linhasDescartadas, descartadas);
    }

    // Rows without spread in ln(H − H0) determine no line: no NaN, the curve gives 0.
    void potencialIndeterminado_data() {
        QTest::addColumn<Pares>("pares");
        QTest::addColumn<int>("parametro");
        QTest::newRow("uma linha") << Pares{{150, 10}} << 100;
        QTest::newRow("uma cota") << Pares{{150, 10}, {150, 12}, {150, 11}} << 100;
        QTest::newRow("uma cota usavel") << Pares{{150, 10}, {170, 0}, {150, 11}} << 100;
        QTest::newRow("todas abaixo do candidato") << exatos << 400;
    }
    void potencialIndeterminado() {
        QFETCH(Pares, pares);
        QFETCH(int, parametro);
        CurvaTrecho curva = potencial(parametro, pares);
        QCOMPARE(AjustarCurva(curva, false), ResultadoAjuste::Indeterminado);
        QCOMPARE(curva.H0, 0.0);
        QCOMPARE(curva.K, 0.0);
        QCOMPARE(curva.M, 0.0);
        QCOMPARE(curva.R, 0.0);
        QCOMPARE(VazaoCurva(curva, 200), 0.0);
    }

    void polinomioGrauDois() {
        CurvaTrecho curva = polinomio(2, {{100, 1}, {200, 4}, {300, 9}});
        curva.Coeficientes.fill(7);
        QCOMPARE(AjustarCurva(curva, false), ResultadoAjuste::Ajustado);
        QCOMPARE(curva.Grau, 2);
        QVERIFY(std::fabs(curva.Coeficientes[0]) < 1e-6);
        QVERIFY(std::fabs(curva.Coeficientes[1]) < 1e-8);
        QVERIFY(std::fabs(curva.Coeficientes[2] - 0.0001) < 1e-12);
        for (int i = 3; i < 10; ++i)
            QCOMPARE(curva.Coeficientes[i], 0.0);
        QVERIFY(std::fabs(VazaoCurva(curva, 250) - 6.25) < 1e-6);
    }

    // Known polynomials through more rows than coefficients, in an order that needs
    // pivoting; the fit reproduces them over the data range.
    void polinomioRecuperado_data() {
        QTest::addColumn<int>("grau");
        QTest::addColumn<QList<double>>("a");
        QTest::addColumn<double>("cotaMin");
        QTest::newRow("reta") << 1 << QList<double>{-3, 0.05} << 80.0;
        QTest::newRow("cubica") << 3 << QList<double>{2, -0.01, 2e-4, 3e-7} << 50.0;
        QTest::newRow("grau 5") << 5 << QList<double>{1, 0.1, 1e-3, -2e-6, 1e-9, 1e-12} << 100.0;
        QTest::newRow("grau 0") << 0 << QList<double>{4.5} << 100.0;
    }
    void polinomioRecuperado() {
        QFETCH(int, grau);
        QFETCH(QList<double>, a);
        QFETCH(double, cotaMin);
        auto avaliar = [&](double h) {
            double q = 0, p = 1;
            for (double ai : a) {
                q += ai * p;
                p *= h;
            }
            return q;
        };
        Pares pares;
        for (int i = 0; i < 25; ++i) {
            const double h = cotaMin + (i * 37 % 25) * 8;
            pares.emplace_back(h, avaliar(h));
        }
        CurvaTrecho curva = polinomio(grau, pares);
        QCOMPARE(AjustarPolinomio(curva), ResultadoAjuste::Ajustado);
        for (const auto& [h, q] : pares)
            QVERIFY2(std::fabs(VazaoCurva(curva, h) - q) < 1e-6 * (1 + std::fabs(q)),
                     qPrintable(QStringLiteral("h=%1: %2 em vez de %3")
                                    .arg(h)
                                    .arg(VazaoCurva(curva, h), 0, 'g', 12)
                                    .arg(q, 0, 'g', 12)));
    }

    void poucosPontos_data() {
        QTest::addColumn<int>("grau");
        QTest::addColumn<Pares>("pares");
        QTest::newRow("grau igual ao numero de linhas") << 3 << exatos;
        QTest::newRow("grau maior") << 5 << exatos;
        QTest::newRow("grau -1 conta como 255") << -1 << exatos;
        QTest::newRow("selecao vazia") << 1 << Pares{};
        QTest::newRow("grau 0, selecao vazia") << 0 << Pares{};
    }
    void poucosPontos() {
        QFETCH(int, grau);
        QFETCH(Pares, pares);
        CurvaTrecho curva = polinomio(grau, pares);
        curva.Coeficientes.fill(5);
        try {
            AjustarCurva(curva, false);
            QFAIL("sem erro");
        } catch (const ErroLumeno& e) {
            QCOMPARE(e.mensagem(), QStringLiteral("CalcPolyFit: not enough data points"));
        }
        for (double a : curva.Coeficientes)
            QCOMPARE(a, 0.0);
        QCOMPARE(curva.Grau, grau);
    }

    // A degree beyond the ten coefficients (or a failed fit's −1 refitted on many rows)
    // is refused instead of reading past the power sums.
    void grauForaDoIntervalo_data() {
        QTest::addColumn<int>("grau");
        QTest::newRow("9") << 9;
        QTest::newRow("-1 com 300 linhas") << -1;
        QTest::newRow("256") << 256;
    }
    void grauForaDoIntervalo() {
        QFETCH(int, grau);
        Pares pares;
        for (int i = 0; i < 300; ++i)
            pares.emplace_back(100 + i, 1 + i * 0.5);
        CurvaTrecho curva = polinomio(grau, pares);
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, AjustarPolinomio(curva));
        for (double a : curva.Coeficientes)
            QCOMPARE(a, 0.0);
    }

    void mesmaCota_data() {
        QTest::addColumn<int>("grau");
        QTest::addColumn<double>("cota");
        QTest::newRow("grau 1") << 1 << 200.0;
        QTest::newRow("grau 2") << 2 << 150.0;
        QTest::newRow("grau 3") << 3 << 87.0;
        QTest::newRow("meio centimetro") << 2 << 120.5;
        QTest::newRow("decimal inexato, grau 1") << 1 << 123.4;
        QTest::newRow("decimal inexato, grau 3") << 3 << 97.3;
    }
    void mesmaCota() {
        QFETCH(int, grau);
        QFETCH(double, cota);
        CurvaTrecho curva = polinomio(grau, {{cota, 10}, {cota, 12}, {cota, 11}, {cota, 9}});
        QCOMPARE(AjustarCurva(curva, false), ResultadoAjuste::Indeterminado);
        QCOMPARE(curva.Grau, -1);
        for (double a : curva.Coeficientes)
            QCOMPARE(a, 0.0);
        QCOMPARE(VazaoCurva(curva, cota), 0.0);
    }

    void vazaoCurva_data() {
        QTest::addColumn<int>("algoritmo");
        QTest::addColumn<int>("grau");
        QTest::addColumn<QList<double>>("parametros");  // H0, K, M or a0, a1, …
        QTest::addColumn<double>("cota");
        QTest::addColumn<double>("esperado");
        const int pot = AlgoritmoCurva::Potencial, pol = AlgoritmoCurva::Polinomial;
        QTest::newRow("potencial") << pot << 0 << QList<double>{0.5, 10, 2} << 150.0 << 10.0;
        QTest::newRow("potencial, expoente")
            << pot << 0 << QList<double>{0.5, 10, 1.5} << 450.0 << 80.0;
        QTest::newRow("potencial em H0") << pot << 0 << QList<double>{0.5, 10, 2} << 50.0 << 0.0;
        QTest::newRow("potencial abaixo de H0")
            << pot << 0 << QList<double>{0.5, 10, 0.5} << 20.0 << 0.0;
        QTest::newRow("potencial, H0 negativo")
            << pot << 0 << QList<double>{-1, 2, 1} << 0.0 << 2.0;
        QTest::newRow("grau 1") << pol << 1 << QList<double>{0, 0.1} << 150.0 << 15.0;
        QTest::newRow("grau 3") << pol << 3 << QList<double>{1, 0, 0, 1e-6} << 100.0 << 2.0;
        QTest::newRow("acima do grau ignorado")
            << pol << 1 << QList<double>{1, 2, 5} << 10.0 << 21.0;
        QTest::newRow("grau -1") << pol << -1 << QList<double>{3, 2} << 10.0 << 3.0;
        QTest::newRow("outro algoritmo") << 3 << 1 << QList<double>{1, 2, 3} << 100.0 << 0.0;
    }
    void vazaoCurva() {
        QFETCH(int, algoritmo);
        QFETCH(int, grau);
        QFETCH(QList<double>, parametros);
        QFETCH(double, cota);
        QFETCH(double, esperado);
        CurvaTrecho curva;
        curva.Algoritmo = algoritmo;
        curva.Grau = grau;
        if (algoritmo == AlgoritmoCurva::Potencial) {
            curva.H0 = parametros[0];
            curva.K = parametros[1];
            curva.M = parametros[2];
        } else {
            for (int i = 0; i < parametros.size(); ++i)
                curva.Coeficientes[i] = parametros[i];
        }
        const double q = VazaoCurva(curva, cota);
        QVERIFY2(std::fabs(q - esperado) < 1e-12 * (1 + esperado),
                 qPrintable(QString::number(q, 'g', 17)));
    }

    void outroAlgoritmoNaoAjusta() {
        CurvaTrecho curva = criarCurva(0, 100, exatos);
        QCOMPARE(AjustarCurva(curva, false), ResultadoAjuste::NaoAjustado);
        QCOMPARE(curva.H0, 100.0);
        QCOMPARE(curva.K, 0.0);
        QCOMPARE(curva.R, 0.0);
    }

    void liberar() {
        CurvaTrecho curva = potencial(100, exatos);
        QCOMPARE(AjustarCurva(curva, false), ResultadoAjuste::Ajustado);
        LiberarCurvaTrecho(curva);
        QCOMPARE(curva.totalLinhas(), 0);
        QVERIFY(!curva.medicoesAbertas);
        QCOMPARE(curva.CotaMax, -10000.0);
        QCOMPARE(curva.CotaMin, 10000.0);
        QCOMPARE(curva.VazaoMax, -10000.0);
        QCOMPARE(curva.VazaoMin, 10000.0);
        // The fitted curve still evaluates (the window may draw it until it closes).
        QVERIFY(std::fabs(VazaoCurva(curva, 200) - 40) < 1e-9);
    }
};

LUMENO_TESTE(TesteAjusteCurva)
#include "tst_AjusteCurva.moc"
