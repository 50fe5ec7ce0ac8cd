#include "analysis/DadosEstacao.h"
#include "analysis/EscalaGrafico.h"
#include "analysis/LegendaCurva.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include <QTest>

using namespace lumeno;
using lumeno::teste::BancoTeste;

class TesteEscalaELegenda : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void margens_data() {
        QTest::addColumn<double>("minimo");
        QTest::addColumn<double>("maximo");
        QTest::addColumn<double>("baixo");
        QTest::addColumn<double>("alto");
        QTest::newRow("5 a 105") << 5.0 << 105.0 << 2.0 << 108.0;
        QTest::newRow("1 a 101") << 1.0 << 101.0 << 0.01 << 101.99;
        QTest::newRow("zero") << 0.0 << 100.0 << -3.0 << 103.0;
        QTest::newRow("cotas") << 150.0 << 300.0 << 145.5 << 304.5;
    }
    void margens() {
        QFETCH(double, minimo);
        QFETCH(double, maximo);
        QFETCH(double, baixo);
        QFETCH(double, alto);
        const FaixaEixo f = faixaComMargem(minimo, maximo);
        QVERIFY(qAbs(f.minimo - baixo) < 1e-12);
        QVERIFY(qAbs(f.maximo - alto) < 1e-12);
    }

    void equacoes_data() {
        QTest::addColumn<int>("algoritmo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("potencial h0 negativo")
            << 1
            << "<font face=\"Arial\" size = \"8\" color=\"#FF0000\">  Q = 12.5000 * ( h + "
               "0.30)</font>"
               "<font face=\"Arial\" size = \"7\" color=\"#FF0000\"><sup>1.6000</sup></font>";
        QTest::newRow("polinomial")
            << 2
            << "<font face=\"Arial\" size = \"8\" color=\"#FF0000\">  Q ="
               "<font face=\"Arial\" size = \"8\" color=\"#FF0000\"> - 1.50000h</font>"
               "<font face=\"Arial\" size = \"7\" color=\"#FF0000\"><sup>0</sup></font>"
               "<font face=\"Arial\" size = \"8\" color=\"#FF0000\"> + 2.00000h</font>"
               "<font face=\"Arial\" size = \"7\" color=\"#FF0000\"><sup>1</sup></font>"
               "<font face=\"Arial\" size = \"8\" color=\"#FF0000\"> - 0.25000h</font>"
               "<font face=\"Arial\" size = \"7\" color=\"#FF0000\"><sup>2</sup></font>";
        QTest::newRow("outro") << 3 << QString();
    }
    void equacoes() {
        QFETCH(int, algoritmo);
        QFETCH(QString, esperado);
        CurvaTrecho c;
        c.Algoritmo = algoritmo;
        c.Cor = 0x0000FF;  // red
        c.K = 12.5;
        c.H0 = -0.3;
        c.M = 1.6;
        if (algoritmo == 2) {
            c.Grau = 2;
            c.Coeficientes = {-1.5, 2, -0.25};
        }
        QCOMPARE(GeraLegendaTexto(c), esperado);
    }

    void equacaoPotencialPositiva() {
        CurvaTrecho c;
        c.Algoritmo = 1;
        c.Cor = 0xFF0000;  // blue
        c.K = 40;
        c.H0 = 1;
        c.M = 2;
        QVERIFY(
            GeraLegendaTexto(c).contains("color=\"#0000FF\">  Q = 40.0000 * ( h - 1.00)</font>"));
        QCOMPARE(cabecalhoLegenda("58110002", "Ponte"),
                 QString("<font face=\"Arial\" size = \"8\"><b>58110002 Ponte</b></font>"));
        // A polynomial that first term is non-negative starts without a sign.
        c.Algoritmo = 2;
        c.Grau = 1;
        c.Coeficientes = {0.5, 0.1};
        QVERIFY(GeraLegendaTexto(c).contains("> 0.50000h</font>"));
    }
};

class TesteDadosEstacao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reiniciado() {
        DadosEstacao d;
        QVERIFY(!d.AcharNo(20, 1));
        QVERIFY(d.lstItens().empty());
        d.AdicionarCategoria("Curvas", TipoLista::Curva);
        d.AdicionarCategoria("Curvas", TipoLista::Curva);
        QCOMPARE(d.lstEstacao().size(), size_t(1));
        d.Reiniciar();
        QVERIFY(d.lstEstacao().empty());
    }

    void cargaEDuasCurvas() {
        BancoTeste b;
        const int id = b.estacao(58110002, "Ponte");
        b.medida(id, 7, 150, 10, QDate(1998, 3, 12), 20, 0.5);
        b.medida(id, 8, 300, 160, QDate(1999, 1, 2), 80, 2);
        b.medida(id, 10000, 120, 3.5, QDate(), 0, 0, 2);
        b.medida(id, 10001, 120, 3.5, QDate(), 0, 0, 2);
        b.medida(id, 10002, 120, 3.5, QDate(), 0, 0, 2);
        Consulta& q = b.dm().qu_medida1;
        q.SQL << "and ponto_obrigatorio = 0";
        q.SQL.swapItemsAt(3, 4);
        q.definirParametro("est", id);
        q.abrir();
        DadosEstacao d;
        d.PreencherCarga("58110002", "Ponte", q, 150, 300, 10, 160);

        QCOMPARE(d.lstEstacao().size(), size_t(2));
        QCOMPARE(d.lstEstacao()[0].legenda, QString("Medições da estação"));
        QCOMPARE(d.lstEstacao()[1].tipoLista, TipoLista::Limite);
        QCOMPARE(d.lstItens().size(), size_t(6));
        QCOMPARE(d.lstItens()[0].legenda, QString("007  12/03/1998"));
        QCOMPARE(d.lstItens()[0].subItem, QString("1"));
        QCOMPARE(d.lstItens()[0].item.area.toDouble(), 20.0);
        QCOMPARE(d.lstItens()[3].legenda, QString("Cota máxima: 300.00"));
        QCOMPARE(d.lstItens()[5].item.valor, 160.0);
        const auto nos = d.nos();
        QCOMPARE(nos[0]->legenda, QString("Estação 58110002 Ponte"));
        QCOMPARE(nos[2]->legenda, QString("<U><A href=\"7\">12/03/1998</A></U>"));
        QCOMPARE(nos[2]->dados.texto, QString("7 12/03/1998"));
        QCOMPARE(nos[3]->legenda, QString("<U><A href=\"c7\">cota  150.00</A></U>"));
        QCOMPARE(nos[3]->dados.valor, 150.0);
        // Limits: sub-groups named after the last measurement.
        const NoDados* limites = nos[0]->filhos[1].get();
        QCOMPARE(limites->filhos[0]->dados.texto, QString("8 02/01/1999"));
        QCOMPARE(limites->filhos[1]->filhos[1]->legenda,
                 QString("<U><A href=\"c8\">vazão max 160.00</A></U>"));

        CurvaTrecho potencial;
        potencial.Algoritmo = 1;
        potencial.Cor = 0x0000FF;
        potencial.K = 40;
        potencial.M = 2;
        potencial.H0 = 1;
        potencial.R = 1;
        potencial.CotaMin = 150;
        potencial.CotaMax = 300;
        potencial.Estacao = id;
        d.MontaDadosCurva(potencial, 1, {}, b.dm().conexao());
        CurvaTrecho polinomio;
        polinomio.Algoritmo = 2;
        polinomio.Grau = 2;
        polinomio.Coeficientes = {0, 0, 0.0001};
        polinomio.Cor = 0xFF0000;
        polinomio.Estacao = id;
        d.MontaDadosCurva(polinomio, 2, {"iniciando na cota 150", "até a cota 300"},
                          b.dm().conexao());

        QCOMPARE(d.lstEstacao().size(), size_t(3));
        QCOMPARE(d.lstEstacao()[2].legenda, QString("Curvas"));
        QCOMPARE(d.lstItens().size(), size_t(8));
        const ItemDadosEstacao& primeira = d.lstItens()[6].item;
        QCOMPARE(d.lstItens()[6].legenda, QString("Potencial"));
        QCOMPARE(primeira.validade, QStringList{"Todos as medições da estação"});
        QCOMPARE(d.figuras()[static_cast<size_t>(d.lstItens()[7].figura)].cor, 0xFF0000u);
        QCOMPARE(d.lstItens()[7].legenda, QString("Polinomial, grau 2"));

        const NoDados* curva1 = d.AcharNo(20, 1);
        QVERIFY(curva1);
        QCOMPARE(curva1->legenda,
                 QString("<U><A href=\"curva1\"><FONT color=\"#FF0000\">Potencial</FONT></A></U>"));
        const NoDados* parametros = DadosEstacao::AcharFilho(curva1, -20);
        QCOMPARE(parametros->filhos.size(), size_t(4));
        QCOMPARE(parametros->filhos[0]->dados.texto, QString("40.000000"));
        QCOMPARE(
            parametros->filhos[3]->legenda,
            QString("<U><A href=\"parmExpH0\"><FONT color=\"#FF0000\">R  1.00000</FONT></A></U>"));
        QCOMPARE(curva1->filhos[1]->filhos[0]->dados.tipo, -21);
        // Range lines after one validity line: kind −22.
        QCOMPARE(curva1->filhos[2]->filhos[1]->dados.texto, QString("cota máx 300.00"));
        QCOMPARE(curva1->filhos[2]->filhos[1]->dados.tipo, -22);
        // Mandatory points of curve 2: one point of weight 3.
        QCOMPARE(curva1->filhos.size(), size_t(3));
        const NoDados* curva2 = d.AcharNo(20, 2);
        QCOMPARE(curva2->filhos.size(), size_t(4));
        const NoDados* obrigatorios = DadosEstacao::AcharFilho(curva2, -90);
        QCOMPARE(obrigatorios->filhos.size(), size_t(1));
        QCOMPARE(obrigatorios->filhos[0]->dados.texto, QString("cota 120, vazão 3.5, peso 3"));
        QVERIFY(obrigatorios->filhos[0]->legenda.contains(">cota 120.00, vazão 3.50, peso 3<"));
        QCOMPARE(DadosEstacao::AcharFilho(curva2, -20)->filhos.size(), size_t(3));
        QCOMPARE(DadosEstacao::AcharFilho(curva2, -20)->filhos[2]->dados.texto,
                 QString("0.000100000"));
        QCOMPARE(curva2->filhos[2]->filhos[0]->dados.tipo, -23);
        // Both curves under the one "Curvas" group.
        QCOMPARE(curva1->pai, curva2->pai);
        // The validity lines as recorded (the default line for curve 1), kept whole.
        QCOMPARE(d.ValidadeCurva(1), QStringList{"Todos as medições da estação"});
        QCOMPARE(d.ValidadeCurva(2), QStringList({"iniciando na cota 150", "até a cota 300"}));
        QCOMPARE(d.ValidadeCurva(3), QStringList());
    }

    // What a fit told about itself follows the lines of its selection (or the default
    // line); a refit replaces the curve's parameters and validity lines in place.
    void notasEAtualizacao() {
        BancoTeste b;
        const int id = b.estacao(1, "Um");
        DadosEstacao d;
        CurvaTrecho c;
        c.Algoritmo = 1;
        c.Cor = 0x0000FF;
        c.K = 40;
        c.M = 2;
        c.H0 = 1;
        c.Estacao = id;
        d.MontaDadosCurva(c, 1, {}, b.dm().conexao(), {"nota"});
        d.MontaDadosCurva(c, 2, {"até a cota 300"}, b.dm().conexao(), {"nota 1", "nota 2"});
        QCOMPARE(d.ValidadeCurva(1), QStringList({"Todos as medições da estação", "nota"}));
        QCOMPARE(d.ValidadeCurva(2), QStringList({"até a cota 300", "nota 1", "nota 2"}));

        c.K = 12.5;
        c.H0 = 0.8;
        QVERIFY(d.AtualizarCurva(c, 2, {"até a cota 300", "outra"}));
        QCOMPARE(d.ValidadeCurva(2), QStringList({"até a cota 300", "outra"}));
        QCOMPARE(d.ValidadeCurva(1), QStringList({"Todos as medições da estação", "nota"}));
        QCOMPARE(d.lstItens().back().item.validade, QStringList({"até a cota 300", "outra"}));
        const NoDados* curva2 = d.AcharNo(20, 2);
        const NoDados* parametros = DadosEstacao::AcharFilho(curva2, -20);
        QCOMPARE(parametros->filhos.size(), size_t(4));
        QCOMPARE(parametros->filhos[0]->dados.texto, QString("12.500000"));
        QCOMPARE(parametros->filhos[2]->dados.valor, 0.8);
        // The range lines are numbered after the two validity lines, as a new record would.
        QCOMPARE(curva2->filhos[2]->filhos[0]->dados.tipo, -23);
        QCOMPARE(curva2->filhos.size(), size_t(3));
        QVERIFY(!d.AtualizarCurva(c, 3, {"x"}));
    }

    // Two extrapolations of one curve: one category, one group under the curve, two
    // entries; a curve without a node records nothing.
    void extrapolacoes() {
        BancoTeste b;
        const int id = b.estacao(1, "Um");
        b.medida(id, 1, 150, 10);
        b.dm().qu_medida1.definirParametro("est", id);
        b.dm().qu_medida1.abrir();
        DadosEstacao d;
        d.PreencherCarga("1", "Um", b.dm().qu_medida1, 150, 150, 10, 10);
        QCOMPARE(d.codigoEstacao(), QString("1"));
        CurvaTrecho c;
        c.Algoritmo = 1;
        c.Cor = 0x0000FF;
        c.Estacao = id;
        d.MontaDadosCurva(c, 1, {}, b.dm().conexao());
        const size_t itens = d.lstItens().size();

        RegistroExtrapolacao r = NovaExtrapolacao(MetodoExtrapolacao::Stevens, 250, 400, 0x00FF00);
        QVERIFY(!d.MontaDadosExtrapolacao(2, 0xFF0000, 1, r));
        QCOMPARE(d.lstItens().size(), itens);
        QCOMPARE(d.lstEstacao().size(), size_t(3));

        QVERIFY(d.MontaDadosExtrapolacao(1, c.Cor, 1, r));
        r.metodo = MetodoExtrapolacao::Manning;
        QVERIFY(d.MontaDadosExtrapolacao(1, c.Cor, 2, r));
        QCOMPARE(d.lstEstacao().size(), size_t(4));
        QCOMPARE(d.lstEstacao()[3].legenda, QString("Extrapolações"));
        QCOMPARE(d.lstItens().size(), itens + 2);
        const EntradaItem& e = d.lstItens().back();
        QCOMPARE(e.legenda, QString("Manning"));
        QCOMPARE(e.subItem, QString("4"));
        QCOMPARE(e.item.numero, 1);
        QCOMPARE(e.item.numeroExtrapolacao, 2);
        QCOMPARE(e.item.cotaExtrapolada, 400.0);
        QCOMPARE(d.figuras()[static_cast<size_t>(e.figura)].tipo, FiguraItem::Extrapolacao);
        QCOMPARE(d.figuras()[static_cast<size_t>(e.figura)].cor, 0x00FF00u);

        const NoDados* grupo = DadosEstacao::AcharFilho(d.AcharNo(20, 1), -80);
        QVERIFY(grupo);
        QCOMPARE(grupo->legenda, QString("Extrapolações"));
        QCOMPARE(grupo->filhos.size(), size_t(2));
        const NoDados* segunda = grupo->filhos[1].get();
        QCOMPARE(segunda->legenda,
                 QString("<U><A href=\"extrap2\"><FONT color=\"#00FF00\">Manning</FONT></A></U>"));
        QCOMPARE(segunda->dados.tipo, -81);
        QCOMPARE(segunda->dados.valor, 2.0);
        QCOMPARE(segunda->dados.cor, 0x0000FFu);
        QCOMPARE(segunda->filhos[0]->legenda,
                 QString("<U><A href=\"Cotaextrp1\"><FONT color=\"#00FF00\">Trecho extrapolado: "
                         "400.00</FONT></A></U>"));
        QCOMPARE(segunda->filhos[0]->dados.tipo, -82);
        QCOMPARE(grupo->filhos[0]->dados.texto, QString("Stevens"));
        QCOMPARE(DadosEstacao::rotuloMetodo(1), QString("Logarítmo"));
    }
};

LUMENO_TESTE(TesteEscalaELegenda)
LUMENO_TESTE(TesteDadosEstacao)
#include "tst_ResumoEstacao.moc"
