#include "app/ErroLumeno.h"
#include "curves/CriacaoCurva.h"
#include "curves/CriteriosExclusao.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include <QTest>

using namespace lumeno;
using lumeno::teste::BancoTeste;

namespace {
QList<double> cotasDe(const CurvaTrecho& c) {
    QList<double> r;
    for (const auto& l : c.Medicoes)
        r << l.cota;
    return r;
}
}  // namespace

class TesteCriacaoCurva : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void extremosELinhas() {
        BancoTeste b;
        const int id = b.estacao(1);
        const int outra = b.estacao(2);
        b.medida(id, 3, 300, 160, QDate(1991, 5, 2), 40, 2.5);
        b.medida(id, 1, 150, 10, QDate(1990, 1, 1), 12, 0.8);
        b.medida(id, 2, 200, 40);
        b.medida(id, 4, 400, 350);
        b.medida(outra, 1, 50, 1);
        b.ponto(id, 0, 180);
        b.ponto(id, 5, 120);
        CurvaTrecho c;
        QVERIFY(CriarCurvaTrecho(c, {"cota <= 300"}, AlgoritmoCurva::Potencial, 100, 0xFF0000, id,
                                 b.dm().conexao(), {}));
        QCOMPARE(c.Algoritmo, 1);
        QCOMPARE(c.Grau, 100);
        QCOMPARE(c.H0, 100.0);
        QCOMPARE(c.Cor, 0xFF0000u);
        QCOMPARE(c.CotaMax, 300.0);
        QCOMPARE(c.CotaMin, 150.0);
        QCOMPARE(c.VazaoMax, 160.0);
        QCOMPARE(c.VazaoMin, 10.0);
        QCOMPARE(c.CotaVazaoMin, 150.0);
        QCOMPARE(c.CotaMinSecao, 120.0);
        QCOMPARE(cotasDe(c), (QList<double>{150, 200, 300}));
        QCOMPARE(c.Medicoes[0].numero, 1.0);
        QCOMPARE(c.Medicoes[0].data, QDate(1990, 1, 1));
        QCOMPARE(c.Medicoes[0].area.toDouble(), 12.0);
        QCOMPARE(c.Medicoes[2].velocidade.toDouble(), 2.5);
        QVERIFY(c.medicoesAbertas);
    }

    void selecaoVazia() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.medida(id, 1, 150, 10);
        b.ponto(id, 0, 120);
        CurvaTrecho c;
        c.CotaMinSecao = 55;  // stale value of an earlier curve
        QVERIFY(!CriarCurvaTrecho(c, {"cota >= 300", " and ", "cota <= 150"}, 2, 2, 0, id,
                                  b.dm().conexao(), {}));
        QCOMPARE(c.totalLinhas(), 0);
        QCOMPARE(c.CotaMax, 0.0);
        QCOMPARE(c.VazaoMin, 0.0);
        QCOMPARE(c.CotaVazaoMin, 0.0);
        QCOMPARE(c.CotaMinSecao, 0.0);  // section not read for an empty selection
    }

    void semCondicaoUsaTodas() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.medida(id, 2, 200, 40);
        b.medida(id, 1, 150, 10);
        CurvaTrecho c;
        QVERIFY(CriarCurvaTrecho(c, {}, 1, 100, 0, id, b.dm().conexao(), {}));
        QCOMPARE(c.totalLinhas(), 2);
        QCOMPARE(c.CotaMinSecao, 0.0);
    }

    // The exclusion clauses apply to every branch of a condition with an "or".
    void exclusaoAlcancaTodoOuDaCondicao() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.medida(id, 1, 150, 10);
        b.medida(id, 2, 200, 40);
        b.medida(id, 10000, 250, 90, QDate(), 0, 0, 1);
        CriteriosExclusao criterios;
        criterios.inserir(CriteriosExclusao::Cota, "240.00", "260.00");
        const QString cond = QString(
                                 "(cota >= 150 and ponto_obrigatorio = 0) or ( estacao = %1 and "
                                 "ponto_obrigatorio = 1)")
                                 .arg(id);
        CurvaTrecho c;
        QVERIFY(CriarCurvaTrecho(c, {cond}, 1, 100, 0, id, b.dm().conexao(),
                                 [&](Consulta& q) { criterios.FormatQuery(q); }));
        QCOMPARE(cotasDe(c), (QList<double>{150, 200}));
        QCOMPARE(c.CotaMax, 200.0);
        CurvaTrecho semCriterio;
        CriarCurvaTrecho(semCriterio, {cond}, 1, 100, 0, id, b.dm().conexao(), {});
        QCOMPARE(cotasDe(semCriterio), (QList<double>{150, 200, 250}));
    }
};

class TesteCriteriosExclusao : public QObject {
    Q_OBJECT
private:
    static QList<double> cotasRestantes(BancoTeste& b, int id, const CriteriosExclusao& criterios) {
        Consulta q(b.dm().conexao());
        q.SQL = TDM::textoBaseMedida1();
        q.definirParametro("est", id);
        criterios.FormatQuery(q);
        q.abrir();
        QList<double> r;
        for (q.primeiro(); !q.eof(); q.proximo())
            r << q.campo("cota").comoReal();
        return r;
    }

private Q_SLOTS:
    void semCriterioNadaMuda() {
        BancoTeste b;
        Consulta q(b.dm().conexao());
        q.SQL = TDM::textoBaseMedida1();
        CriteriosExclusao().FormatQuery(q);
        QCOMPARE(q.SQL, TDM::textoBaseMedida1());
    }

    void clausulasAntesDaOrdem() {
        BancoTeste b;
        CriteriosExclusao c;
        c.inserir(CriteriosExclusao::Periodo, "01/01/1990", "31/12/1990");
        c.inserir(CriteriosExclusao::Velocidade, "1.00", "2.00");
        Consulta q(b.dm().conexao());
        q.SQL = TDM::textoBaseMedida1();
        c.FormatQuery(q);
        QCOMPARE(q.SQL.size(), 6);
        QCOMPARE(q.SQL[3],
                 QString("and (medida.data<:d11 or medida.data>:d21 or medida.data is null)"));
        QCOMPARE(q.SQL[4], QString("and (medida.velocidade<:ve12 or medida.velocidade>:ve22 or "
                                   "medida.velocidade is null)"));
        QCOMPARE(q.SQL[5], QString("order by numero"));
        QCOMPARE(q.parametro("d21").toDate(), QDate(1990, 12, 31));
        QCOMPARE(q.parametro("ve12").toDouble(), 1.0);
    }

    void limitesFechados() {
        BancoTeste b;
        const int id = b.estacao(1);
        int n = 1;
        for (double cota : {99.99, 100.0, 150.0, 200.0, 200.01})
            b.medida(id, n++, cota, 1);
        CriteriosExclusao c;
        c.inserir(CriteriosExclusao::Cota, "100.00", "200.00");
        QCOMPARE(cotasRestantes(b, id, c), (QList<double>{99.99, 200.01}));
    }

    void tiposCombinadosERemocao() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.medida(id, 1, 100, 5, QDate(1990, 6, 1));
        b.medida(id, 2, 110, 50, QDate(1995, 6, 1));
        b.medida(id, 3, 300, 60, QDate(1990, 7, 1));
        b.medida(id, 4, 310, 500, QDate(2001, 1, 1));
        CriteriosExclusao c;
        c.inserir(CriteriosExclusao::Periodo, "01/01/1990", "31/12/1990");
        c.inserir(CriteriosExclusao::Vazao, "40.00", "100.00");
        QCOMPARE(cotasRestantes(b, id, c), (QList<double>{310}));
        c.remover(0);
        QCOMPARE(c.total(), 1);
        QCOMPARE(c.criterio(0).tipo, int(CriteriosExclusao::Vazao));
        QCOMPARE(cotasRestantes(b, id, c), (QList<double>{100, 310}));
        c.LimpaCriterios();
        QCOMPARE(cotasRestantes(b, id, c).size(), 4);
    }

    // A measurement without the compared value is never excluded on it.
    void valorVazioMantido() {
        BancoTeste b;
        const int id = b.estacao(1);
        b.medida(id, 1, 100, 5, QDate());
        b.medida(id, 2, 100, 5, QDate(1990, 6, 1));
        CriteriosExclusao c;
        c.inserir(CriteriosExclusao::Periodo, "01/01/1990", "31/12/1990");
        QCOMPARE(cotasRestantes(b, id, c).size(), 1);
        c.inserir(CriteriosExclusao::Area, "0.00",
                  "10.00");  // area 0 of both: the dated one is gone already
        b.executar("update medida set area = null where numero = 1");
        QCOMPARE(cotasRestantes(b, id, c).size(), 1);
    }

    void limitesInvalidosELimiteDeCriterios() {
        CriteriosExclusao c;
        QVERIFY_THROWS_EXCEPTION(ErroConversao,
                                 c.inserir(CriteriosExclusao::Periodo, "31/02/1990", "01/01/1991"));
        QVERIFY_THROWS_EXCEPTION(ErroConversao, c.inserir(CriteriosExclusao::Cota, "abc", "1"));
        QCOMPARE(c.total(), 0);
        for (int i = 0; i < CriteriosExclusao::maximo; ++i)
            c.inserir(CriteriosExclusao::Medicoes, "1.00", "2.00");
        QVERIFY_THROWS_EXCEPTION(ErroLumeno,
                                 c.inserir(CriteriosExclusao::Medicoes, "1.00", "2.00"));
        QCOMPARE(c.total(), 99);
    }
};

LUMENO_TESTE(TesteCriacaoCurva)
LUMENO_TESTE(TesteCriteriosExclusao)
#include "tst_CriacaoCurva.moc"
