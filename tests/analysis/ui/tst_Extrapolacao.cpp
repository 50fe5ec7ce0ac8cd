#include "analysis/DadosEstacao.h"
#include "analysis/ui/ComandosExtrapolacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "analysis/ui/TfrmDadosEstacao.h"
#include "app/ui/Contexto.h"
#include "app/ui/TInicial.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/EditorNumero.h"
#include "components/PainelGrafico.h"
#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "editing/ui/TDigitarEstacao.h"
#include "hydraulics/ui/TDadosCotaExtrapolacao.h"
#include "hydraulics/ui/TDigitarKManning.h"
#include "support/ExecutorTestes.h"
#include "support/LeitorPlanilhaExterno.h"
#include "support/ui/AmbientePrograma.h"
#include "support/ui/ContextoTeste.h"
#include "support/ui/FecharTelaMedicao.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

using Eixo = PainelGrafico::Eixo;

// A station whose nine measurements follow Q = 20·(H − 0.5)^1.6 from 100 to 500 cm, on a
// trapezoidal channel with its bed at 50 cm, the left bank at 900 cm and the right one at
// 800 cm.
struct Janela : ContextoTeste {
    DadosEstacao dados;
    TfrmDigitarNumero numero{roteiro};
    TMostrarPontosExtrapolados pontos{ctx};
    TDadosCotaExtrapolacao dialogoCota{ctx};
    TDigitarKManning dialogoK;
    TTelaMedicao tela{ctx, dados};
    TfrmDadosEstacao* resumo = new TfrmDadosEstacao(ctx, dados, tela);  // the window's child
    int id = 0;

    explicit Janela(bool comSecao = true) {
        ctx.frmDigitarNumero = &numero;
        ctx.MostrarPontosExtrapolados = &pontos;
        ctx.TelaMedicao = &tela;
        ctx.DadosCotaExtrapolacao = &dialogoCota;
        ctx.DigitarKManning = &dialogoK;
        ctx.frmDadosEstacao = resumo;
        ctx.dadosEstacao = &dados;
        id = b.estacao(58110002, "Ponte");
        int n = 1;
        for (double h = 100; h <= 500; h += 50, ++n)
            b.medida(id, n, h, 20 * std::pow(h / 100 - 0.5, 1.6), QDate(1990, 1, n), 0, 0);
        if (comSecao)
            for (auto [x, y] : {std::pair{0.0, 900.0}, {10, 50}, {40, 50}, {50, 800}})
                b.ponto(id, x, y);
        b.dm().qu_estacao1.abrir();
        b.dm().qu_estacao1.localizar("IdEstacao", id);
        // A power law over every measurement and a degree-2 polynomial above 300 cm.
        tela.CurvasPendentes = {{"cota >= 0", "todas", 1, 0, 0x0000FF},
                                {"cota >= 300", "altas", 2, 2, 0xFF0000}};
    }

    // Opens the window with its curves fitted and runs `acao` while it is shown.
    void abrir(std::function<void(TTelaMedicao&)> acao) {
        roteiro.esperaDialogo<TTelaMedicao>([this, acao](TTelaMedicao& t) {
            acao(t);
            fecharSemSalvar(t, roteiro);
        });
        tela.ReiniciarConsulta = true;
        tela.GerarAoMostrar = true;
        ctx.interacao.executar(tela);
    }

    // The stage dialog answered: curve `curva`, stage `cota`, a colour; then the answers
    // the command asks for after it.
    void escolher(int curva, double cota, QColor cor = Qt::darkGreen) {
        roteiro.esperaDialogo<TDadosCotaExtrapolacao>([=](TDadosCotaExtrapolacao& d) {
            d.edtCota->setText(QString::number(cota));
            d.lstTrechos->setCurrentItem(d.lstTrechos->topLevelItem(curva - 1));
            QTest::mouseClick(d.edtCor, Qt::LeftButton);
            d.bo_ok->click();
        });
        roteiro.esperaCor(cor);
    }
    void digitarK(const QString& k) {
        roteiro.esperaDialogo<TDigitarKManning>([k](TDigitarKManning& d) {
            d.k->setText(k);
            d.close();
        });
    }
};

int linhasDoGrafico(const PainelGrafico& g, int largura) {
    int n = 0;
    for (int i = 0; i < g.totalItens(); ++i)
        if (g.item(i).tipo == PainelGrafico::Item::Tipo::Linha && g.item(i).largura == largura)
            ++n;
    return n;
}

}  // namespace

class TesteExtrapolacaoTela : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every refusal leaves the chart, the count and the summary as they were.
    void recusas() {
        Janela j;
        j.abrir([&](TTelaMedicao& t) {
            QCOMPARE(t.TotalCurvas, 2);
            QVERIFY(t.om_ExtrapLogaritmica->isEnabled());
            QVERIFY(t.om_ExtrapStevens->isEnabled());
            QVERIFY(t.om_ExtrapManning->isEnabled());
            QCOMPARE(t.Trechos[1].CotaMax, 500.0);
            const int itens = t.Grafico->totalItens();
            const size_t entradas = j.dados.lstItens().size();
            const QString maior = "Cota a ser extrapolada é maior que a menor margem !";
            // Each method at the top stage.
            j.escolher(1, 500);
            j.roteiro.esperaMensagemComTitulo(
                "Cota a ser extrapolada menor que a maior cota das medições !", "Atenção!");
            t.om_ExtrapLogaritmica->trigger();
            j.escolher(1, 500);
            j.roteiro.esperaMensagemComTitulo(
                "Cota a ser extrapolada é menor que a maior cota da seleção!", "Atenção!");
            t.om_ExtrapStevens->trigger();
            j.escolher(1, 500);
            j.roteiro.esperaMensagemComTitulo(
                "Cota a ser extrapolada é menor que a maior cota da seleção !", "Atenção!");
            t.om_ExtrapManning->trigger();
            // Above the lower (right) bank, 800 cm.
            j.escolher(1, 801);
            j.roteiro.esperaMensagemComTitulo(maior, "Atenção!");
            t.om_ExtrapStevens->trigger();
            j.escolher(1, 801);
            j.roteiro.esperaMensagemComTitulo("Não pode ser feita extrapolação!\r" + maior,
                                              "Atenção!");
            t.om_ExtrapManning->trigger();
            // A polynomial does not extrapolate logarithmically.
            j.escolher(2, 700);
            j.roteiro.esperaMensagemComTitulo("Algoritmo não permite extrapolação logarítmica",
                                              "Erro");
            t.om_ExtrapLogaritmica->trigger();
            // Cancelling the dialog does nothing.
            j.roteiro.esperaDialogo<TDadosCotaExtrapolacao>(
                [](TDadosCotaExtrapolacao& d) { d.bo_cancela->click(); });
            t.om_ExtrapStevens->trigger();
            // A 101st extrapolation is refused instead of being written past the storage.
            t.NumExtrapolacoes = TTelaMedicao::maximoExtrapolacoes;
            j.escolher(1, 700);
            j.roteiro.esperaMensagemComTitulo(
                "O ajuste já tem 100 extrapolações, o máximo. Inicialize o ajuste para traçar "
                "outras.",
                "Atenção");
            t.om_ExtrapLogaritmica->trigger();
            t.NumExtrapolacoes = 0;
            // No point right of the bed: that bank reads as 0 and refuses every stage.
            j.b.executar("delete from ponto where x = 50");
            j.escolher(1, 501);
            j.roteiro.esperaMensagemComTitulo(maior, "Atenção!");
            t.om_ExtrapStevens->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            QCOMPARE(t.Grafico->totalItens(), itens);
            QCOMPARE(j.dados.lstItens().size(), entradas);
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // Two Stevens extrapolations of one curve: numbers 1 and 2 under one group, thick
    // lines on the chart with the ranges raised to take them in.
    void duasStevens() {
        Janela j;
        j.abrir([&](TTelaMedicao& t) {
            const auto y = t.Grafico->faixa(Eixo::Y);
            QVERIFY(y.maximo < 700);
            j.escolher(1, 700, QColor(0, 128, 0));
            t.om_ExtrapStevens->trigger();
            j.escolher(1, 780, QColor(255, 128, 0));
            t.om_ExtrapStevens->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            QCOMPARE(t.NumExtrapolacoes, 2);
            const RegistroExtrapolacao& r = t.Extrapolacoes[2];
            QCOMPARE(r.metodo, MetodoExtrapolacao::Stevens);
            QCOMPARE(r.cor, 0x0080FFu);
            QCOMPARE(r.pontos[0].cota, 500.0);
            QCOMPARE(r.pontos[29].cota, 780.0);
            QCOMPARE(t.FatoresMedicoes.size(), size_t(9));
            for (int k = 1; k < 30; ++k)
                QVERIFY(r.pontos[k].vazao > r.pontos[k - 1].vazao);
            // The line is the next to last item; the yellow mark of the first
            // measurement stays last.
            const PainelGrafico& g = *t.Grafico;
            QCOMPARE(linhasDoGrafico(g, 2), 2);
            const PainelGrafico::Item& linha = g.item(g.totalItens() - 2);
            QCOMPARE(linha.largura, 2);
            QCOMPARE(linha.cor, QColor(255, 128, 0));
            QCOMPARE(linha.pontos.size(), 30);
            QCOMPARE(linha.pontos[29], QPointF(r.pontos[29].vazao, 780));
            QCOMPARE(g.item(g.totalItens() - 1).cor, QColor(255, 255, 0));
            QCOMPARE(g.larguraCaneta(), 1);
            QVERIFY(g.faixa(Eixo::Y).maximo >= 780);
            QVERIFY(g.faixa(Eixo::X).maximo >= r.pontos[29].vazao);
            QCOMPARE(t.lbNumero->text(), QString("1"));

            const NoDados* grupo = DadosEstacao::AcharFilho(j.dados.AcharNo(20, 1), -80);
            QVERIFY(grupo);
            QCOMPARE(grupo->filhos.size(), size_t(2));
            QCOMPARE(grupo->filhos[0]->dados.valor, 1.0);
            QCOMPARE(grupo->filhos[1]->dados.valor, 2.0);
            QCOMPARE(j.dados.lstEstacao().back().legenda, QString("Extrapolações"));
            QCOMPARE(j.dados.lstItens().back().item.cotaExtrapolada, 780.0);

            // A new load discards them.
            t.FormShow();
            QCOMPARE(t.NumExtrapolacoes, 0);
            QCOMPARE(linhasDoGrafico(*t.Grafico, 2), 0);
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // Logarithmic: the curve's own power law from its top stage.
    void logaritmica() {
        Janela j;
        j.abrir([&](TTelaMedicao& t) {
            j.escolher(1, 600);
            t.om_ExtrapLogaritmica->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            const CurvaTrecho& c = t.Trechos[1];
            const RegistroExtrapolacao& r = t.Extrapolacoes[1];
            QCOMPARE(r.pontos[0].vazao, c.K * std::exp(c.M * std::log(5 - c.H0)));
            QCOMPARE(r.fatores[10], 0.0);
            QCOMPARE(j.dados.lstItens().back().legenda, QString("Logarítmo"));
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // Manning with the K dialog closed empty: 30 points of zero discharge, drawn and
    // recorded. A measurement below the bed has no K and stays off the K chart.
    void manningKZero() {
        Janela j;
        j.b.medida(j.id, 20, 40, 0.5, QDate(1995, 1, 1));
        j.abrir([&](TTelaMedicao& t) {
            j.escolher(1, 700);
            j.roteiro.esperaDialogo<TDigitarKManning>([](TDigitarKManning& d) {
                QCOMPARE(d.k->text(), QString("0"));
                QCOMPARE(d.Grafico->totalItens(), 9);
                QCOMPARE(d.lblSemK->text(),
                         QString("1 medição sem K (fator de seção nulo) fica fora do gráfico."));
                d.k->clear();
                d.close();
            });
            t.om_ExtrapManning->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            QCOMPARE(t.NumExtrapolacoes, 1);
            QCOMPARE(t.KMedicoes.size(), size_t(10));
            QVERIFY(t.KMedicoes[0]);
            QVERIFY(!t.KMedicoes[9]);  // 40 cm, below the bed; last by number
            const RegistroExtrapolacao& r = t.Extrapolacoes[1];
            QCOMPARE(r.K, 0.0);
            for (const PontoExtrapolado& p : r.pontos)
                QCOMPARE(p.vazao, 0.0);
            QVERIFY(r.fatores[29] > 0);
            QCOMPARE(linhasDoGrafico(*t.Grafico, 2), 1);
            QCOMPARE(j.dados.lstItens().back().legenda, QString("Manning"));
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // Every measurement with the same discharge: Stevens names the cause and records
    // nothing; the current measurement stays where it was.
    void stevensSemReta() {
        Janela j;
        j.b.executar("update medida set vazao = 10");
        j.tela.CurvasPendentes = {{"cota >= 0", "todas", 2, 1, 0x0000FF}};
        j.abrir([&](TTelaMedicao& t) {
            t.Proximo();
            const int itens = t.Grafico->totalItens();
            j.escolher(1, 700);
            j.roteiro.esperaMensagemComTitulo(
                "Não é possível extrapolar por Stevens: todas as medições têm a mesma vazão, e "
                "a reta entre vazão e fator de seção fica indeterminada.",
                "Atenção!");
            t.om_ExtrapStevens->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            QCOMPARE(t.NumExtrapolacoes, 0);
            QCOMPARE(t.Grafico->totalItens(), itens);
            QCOMPARE(j.b.dm().qu_medida1.numeroRegistro(), 2);
            QCOMPARE(t.lbNumero->text(), QString("2"));
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    void semSecaoSoLogaritmica() {
        Janela j(false);
        j.abrir([&](TTelaMedicao& t) {
            QVERIFY(t.om_ExtrapLogaritmica->isEnabled());
            QVERIFY(!t.om_ExtrapStevens->isEnabled());
            QVERIFY(!t.om_ExtrapManning->isEnabled());
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // A curve missing from the summary: the message, and the window closes.
    void curvaForaDoResumo() {
        Janela j;
        j.abrir([&](TTelaMedicao& t) {
            j.dados.Reiniciar();
            j.escolher(1, 600);
            j.roteiro.esperaMensagemComTitulo("Problema ao gerar dados de extrapolação", "Erro");
            j.roteiro.esperaPerguntaSimNaoCancelar(ComandosAjustesSalvos::perguntaFechar,
                                                   Interacao::Resposta::Nao);
            t.om_ExtrapLogaritmica->trigger();
            QVERIFY(!t.isVisible());
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }
};

class TesteDadosEstacaoTela : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void categoriasCurvasEExportacao() {
        Janela j;
        QTemporaryDir dir;
        const QString arquivo = dir.filePath("manning.xls");
        const QString stevens = dir.filePath("stevens.xls");
        j.abrir([&](TTelaMedicao& t) {
            j.escolher(1, 700, Qt::blue);
            j.digitarK("0.25");
            t.om_ExtrapManning->trigger();
            j.escolher(1, 650, Qt::red);
            t.om_ExtrapStevens->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            t.Trechos[1].K = 12.3456789;
            t.Trechos[1].H0 = 0.35;

            t.om_DadosEstacao->trigger();
            TfrmDadosEstacao& w = *j.resumo;
            QVERIFY(w.isVisible());
            QCOMPARE(w.windowTitle(),
                     QString("Dados de pontos, curvas e extrapolações da estação"));
            QCOMPARE(w.paineis->currentWidget(), w.pnlVazio);
            QCOMPARE(w.lstEstacao->count(), 4);
            QCOMPARE(w.lstEstacao->item(3)->text(), QString("Extrapolações"));
            QCOMPARE(w.lstItensSelecionados->count(), 0);

            // Measurements, chosen with the mouse: the window takes input while the
            // adjustment window is modal.
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCOMPARE(w.lstItensSelecionados->count(), 0);
            // (Through the window system, where a modal window blocks the others.)
            const QPoint ponto = w.lstEstacao->viewport()->mapTo(
                &w, w.lstEstacao->visualItemRect(w.lstEstacao->item(0)).center());
            QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, ponto);
            QCOMPARE(w.lstItensSelecionados->count(), 9);
            QCOMPARE(w.lstItensSelecionados->item(2)->text(), QString("003  03/01/1990"));
            w.lstItensSelecionados->setCurrentRow(2);
            QCOMPARE(w.paineis->currentWidget(), w.pnlDadosMedicao);
            QCOMPARE(w.edtCota->text(), QString("200.00"));
            QCOMPARE(w.edtVazao->text(), QString::number(20 * std::pow(1.5, 1.6), 'f', 2));
            QCOMPARE(w.edtData->text(), QString("03/01/1990"));

            // Curves: the power law, then the polynomial.
            w.lstEstacao->setCurrentRow(2);
            QCOMPARE(w.paineis->currentWidget(), w.pnlVazio);
            QCOMPARE(w.lstItensSelecionados->count(), 2);
            w.lstItensSelecionados->setCurrentRow(0);
            QCOMPARE(w.paineis->currentWidget(), w.pnlCurva);
            QCOMPARE(w.edtH0->text(), QString("0.35"));
            QCOMPARE(w.edtK->text(), QString("12.34568"));
            QCOMPARE(w.lblTrechoPotencial->text(), QString("1"));
            QVERIFY(w.pnlCurva->isTabVisible(w.pnlCurva->indexOf(w.tabCurvaPotencial)));
            QVERIFY(!w.pnlCurva->isTabVisible(w.pnlCurva->indexOf(w.tabCurvaPolinomial)));
            QCOMPARE(w.pnlCurva->currentWidget(), w.lstValidade);
            QCOMPARE(w.lstValidade->item(0)->text(), QString("todas"));
            QCOMPARE(w.edtCotaMax->text(), QString("500.00"));
            w.lstItensSelecionados->setCurrentRow(1);
            QVERIFY(w.pnlCurva->isTabVisible(w.pnlCurva->indexOf(w.tabCurvaPolinomial)));
            QVERIFY(!w.pnlCurva->isTabVisible(w.pnlCurva->indexOf(w.tabCurvaPotencial)));
            QCOMPARE(w.lblAlgoritmoPolinomial->text(), QString("Polinomial, grau 2"));
            QCOMPARE(w.lsbParametros->count(), 3);
            QVERIFY(w.lsbParametros->item(2)->text().startsWith("2  "));
            QCOMPARE(w.edtCotaMin->text(), QString("300.00"));

            // Extrapolations: Manning shows its K; a grid row shows its point.
            w.lstEstacao->setCurrentRow(3);
            QCOMPARE(w.lstItensSelecionados->count(), 2);
            w.lstItensSelecionados->setCurrentRow(0);
            QCOMPARE(w.paineis->currentWidget(), w.pnlExtrapolacao);
            QCOMPARE(w.ExtrapolacaoMostrada, 1);
            QCOMPARE(w.edtAlgoritmoExtrapolacao->text(), QString("Manning"));
            QCOMPARE(w.edtKManning->text(), QString("0.25"));
            QVERIFY(!w.edtKManning->isHidden());
            QCOMPARE(w.edtCotaExtrapolada->text(), QString("700.00"));
            QCOMPARE(w.lblTrechoExtrapolado->text(), QString("1"));
            QCOMPARE(w.grdPontosExtrapolados->rowCount(), 30);
            QCOMPARE(w.grdPontosExtrapolados->item(29, 1)->text(), QString("700.00"));
            QCOMPARE(w.grdPontosExtrapolados->item(0, 0)->text(), QString("Cota"));
            const RegistroExtrapolacao& r = t.Extrapolacoes[1];
            QCOMPARE(w.edtMedidaCota->text(), QString("500.00"));
            w.grdPontosExtrapolados->setCurrentCell(4, 1);
            QCOMPARE(w.edtMedidaVazao->text(), QString::number(r.pontos[4].vazao, 'f', 2));
            QCOMPARE(w.edtMedidaArea->text(), QString::number(r.areas[4], 'f', 2));
            QCOMPARE(w.edtMedidaRaio->text(), QString::number(r.fatores[4], 'f', 2));

            j.roteiro.esperaSalvarArquivo(arquivo).esperaMensagemComTitulo(
                "Arquivo gravado com sucesso!", QString());
            w.boExportarmedida->click();
            // Stevens: no K.
            w.lstItensSelecionados->setCurrentRow(1);
            QCOMPARE(w.edtAlgoritmoExtrapolacao->text(), QString("Stevens"));
            QVERIFY(w.edtKManning->isHidden());
            j.roteiro.esperaSalvarArquivo(stevens).esperaMensagemComTitulo(
                "Arquivo gravado com sucesso!", QString());
            w.boExportarmedida->click();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());

            // The window resets with the adjustment.
            t.FormShow();
            QCOMPARE(w.lstEstacao->count(), 2);
            QCOMPARE(w.lstItensSelecionados->count(), 0);
            QCOMPARE(w.paineis->currentWidget(), w.pnlVazio);
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QVERIFY(!j.resumo->isVisible());

        const LeituraXlrd x = lerComXlrd(arquivo);
        QVERIFY2(x.ok, qPrintable(x.erro));
        QCOMPARE(x.nomePlanilha, QString("Sheet1"));
        QCOMPARE(x.celulas.value({0, 1}).toString(), QString("Código: 58110002"));
        QCOMPARE(x.celulas.value({1, 1}).toString(), QString("Cota"));
        QCOMPARE(x.celulas.value({1, 2}).toString(), QString("Vazão"));
        QCOMPARE(x.celulas.value({1, 3}).toString(), QString("Raio hidráulico"));
        QCOMPARE(x.celulas.value({1, 4}).toString(), QString("Área calculada"));
        QCOMPARE(x.celulas.value({2, 1}).toString(), QString("Algoritmo usado: Manning"));
        QCOMPARE(x.celulas.value({2, 3}).toString(), QString("k=0.25"));
        QCOMPARE(x.celulas.value({3, 1}).toDouble(), 500.0);
        QCOMPARE(x.celulas.value({32, 1}).toDouble(), 700.0);
        QVERIFY(x.celulas.value({32, 2}).toDouble() > 0);
        QVERIFY(!x.celulas.contains({33, 1}));
        int numeros = 0;
        for (auto it = x.celulas.begin(); it != x.celulas.end(); ++it)
            numeros += it.value().typeId() == QMetaType::Double;
        QCOMPARE(numeros, 4 * 30);
        const LeituraXlrd s = lerComXlrd(stevens);
        QVERIFY2(s.ok, qPrintable(s.erro));
        QCOMPARE(s.celulas.value({2, 1}).toString(), QString("Algoritmo usado: Stevens"));
        QVERIFY(!s.celulas.contains({2, 3}));
        const LeituraSsconvert c = lerComSsconvert(arquivo);
        QVERIFY2(c.ok, qPrintable(c.erro));
        QCOMPARE(c.linhas.value(2).value(2), QString("k=0.25"));
    }
};

// The demonstration station through the whole program: its section reaches above the
// measured stages, so that the top segment extends to a flood stage by the three methods,
// and the three agree roughly there.
class TesteDemonstracao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tresMetodosNaCheia() {
        AmbientePrograma a;
        a.roteiro.esperaDialogo<TDigitarEstacao>([](TDigitarEstacao& d) {
            d.cboRio->setEditText("Rio Demonstração");
            d.bo_ok->click();
        });
        a.roteiro.esperaPergunta(
            "O rio \"Rio Demonstração\" não está cadastrado. Deseja incluí-lo?", true);
        a.roteiro.esperaMensagem("Total de registros inseridos: 40")
            .esperaMensagem("Total de registros inseridos: 21");
        a.janela().ImportaDadosCOP(LUMENO_FONTE_DIR "/demo/estacao_demo.cop");
        a.janela().ImportaDadosSEC(LUMENO_FONTE_DIR "/demo/secao_demo.sec");
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());

        Contexto& ctx = a.ctx();
        const int id = a.escalar("select IdEstacao from estacao where codigo = 99990001").toInt();
        a.selecionarEstacao(id);
        TTelaMedicao& tela = *ctx.TelaMedicao;
        tela.CurvasPendentes = {{"cota >= 60 and cota <= 250", "baixa", 1, 30, 0x0000FF},
                                {"cota >= 250", "alta", 1, 30, 0xFF0000}};
        tela.GerarAoMostrar = true;
        tela.ReiniciarConsulta = true;
        a.roteiro.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
            QCOMPARE(t.TotalCurvas, 2);
            QCOMPARE(t.Trechos[2].CotaMax, 613.0);
            QVERIFY(t.om_ExtrapStevens->isEnabled());
            const MargensSecao margens = t.Extrapolacao().Margens();
            QCOMPARE(margens.menor(), 800.0);
            QVERIFY(t.Extrapolacao().ExtrapolarLogaritmica(2, 780, 0x00A000));
            QVERIFY(t.Extrapolacao().ExtrapolarStevens(2, 780, 0x0080FF, margens));
            a.roteiro.esperaDialogo<TDigitarKManning>([](TDigitarKManning& d) {
                QCOMPARE(d.Grafico->totalItens(), 40);
                d.k->setText("0.29");
                d.close();
            });
            QVERIFY(t.Extrapolacao().ExtrapolarManning(2, 780, 0xA000A0, margens));
            QCOMPARE(t.NumExtrapolacoes, 3);
            const double log = t.Extrapolacoes[1].pontos[29].vazao;
            for (int q = 2; q <= 3; ++q) {
                const RegistroExtrapolacao& r = t.Extrapolacoes[static_cast<size_t>(q)];
                for (int k = 1; k < 30; ++k)
                    QVERIFY(r.pontos[k].vazao > r.pontos[k - 1].vazao);
                QVERIFY2(std::abs(r.pontos[29].vazao - log) < 0.15 * log,
                         qPrintable(QString::number(r.pontos[29].vazao)));
            }
            t.om_DadosEstacao->trigger();
            QVERIFY(ctx.frmDadosEstacao->isVisible());
            QCOMPARE(ctx.frmDadosEstacao->lstEstacao->count(), 4);
            fecharSemSalvar(t, a.roteiro);
        });
        ctx.interacao.executar(tela);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QVERIFY(!ctx.frmDadosEstacao->isVisible());
    }
};

LUMENO_TESTE(TesteExtrapolacaoTela)
LUMENO_TESTE(TesteDemonstracao)
LUMENO_TESTE(TesteDadosEstacaoTela)
#include "tst_Extrapolacao.moc"
