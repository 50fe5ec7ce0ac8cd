#include "analysis/DadosEstacao.h"
#include "analysis/ui/ComandosAjustesSalvos.h"
#include "analysis/ui/ComandosDiagnosticoH0.h"
#include "analysis/ui/ComandosExtrapolacao.h"
#include "analysis/ui/TAjustesSalvos.h"
#include "analysis/ui/TSalvarAjuste.h"
#include "analysis/ui/TTelaMedicao.h"
#include "analysis/ui/TfrmDadosEstacao.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/ArvoreFormatada.h"
#include "components/EditorNumero.h"
#include "components/PainelGrafico.h"
#include "curves/AjusteCurva.h"
#include "curves/AvisoAjuste.h"
#include "curves/ui/TDiagnosticoH0.h"
#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "support/ExecutorTestes.h"
#include "support/ui/ContextoTeste.h"
#include "support/ui/FecharTelaMedicao.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

using Eixo = PainelGrafico::Eixo;
using Item = PainelGrafico::Item;

const std::uint32_t azul = 0xFF0000;
const std::uint32_t verde = 0x00A000;

// A station without a section whose 15 measurements, from 120 to 400 cm, lie on
// Q = 30·(H − 0.8)^1.7: a search started at 100 cm never reaches the true h0 (r keeps rising
// toward the start value), one started at 50 cm finds it.
struct Janela : ContextoTeste {
    DadosEstacao dados;
    TfrmDigitarNumero numero{roteiro};
    TMostrarPontosExtrapolados pontos{ctx};
    TTelaMedicao tela{ctx, dados};
    TfrmDadosEstacao* resumo = new TfrmDadosEstacao(ctx, dados, tela);  // the window's child
    int id = 0;

    Janela() {
        ctx.frmDigitarNumero = &numero;
        ctx.MostrarPontosExtrapolados = &pontos;
        ctx.TelaMedicao = &tela;
        ctx.frmDadosEstacao = resumo;
        ctx.dadosEstacao = &dados;
        id = b.estacao(58110002, "Ponte");
        int n = 1;
        for (double h = 120; h <= 400; h += 20, ++n)
            b.medida(id, n, h, 30 * std::pow(h / 100 - 0.8, 1.7), QDate(1990, 1, n));
        b.dm().qu_estacao1.abrir();
        b.dm().qu_estacao1.localizar("IdEstacao", id);
    }

    // Opens the window with `definicoes` fitted as it loads, runs `acao` while it is shown
    // and closes it without keeping unsaved curves. `aoCarregar` scripts the prompts of the
    // load.
    void abrir(std::vector<DefinicaoCurva> definicoes, std::function<void(TTelaMedicao&)> acao,
               std::function<void()> aoCarregar = {}) {
        roteiro.esperaDialogo<TTelaMedicao>([this, acao](TTelaMedicao& t) {
            acao(t);
            fecharSemSalvar(t, roteiro);
        });
        if (aoCarregar)
            aoCarregar();
        tela.AbrirComCurvas(std::move(definicoes));
    }
};

DefinicaoCurva potencial(int inicio, std::uint32_t cor = azul) {
    return {"cota <= 400", "até a cota 400", AlgoritmoCurva::Potencial, inicio, cor};
}

// The captions of the equations panel, as text.
QStringList legenda(const ArvoreFormatada& a) {
    QStringList r;
    for (const NoFormatado* no : a.nos())
        r << ArvoreFormatada::textoSimples(no->legenda());
    return r;
}

// The notes under the equation of a curve (the children of the panel's node `indice`).
int notasSob(const ArvoreFormatada& a, int indice) {
    const NoFormatado* no = a.nos().value(indice);
    return no ? no->childCount() : -1;
}

std::vector<const Item*> itens(const PainelGrafico& g, Item::Tipo tipo) {
    std::vector<const Item*> r;
    for (int i = 0; i < g.totalItens(); ++i)
        if (g.item(i).tipo == tipo)
            r.push_back(&g.item(i));
    return r;
}

std::function<void(TfrmDigitarNumero&)> digitar(const QString& valor, double preenchido) {
    return [=](TfrmDigitarNumero& p) {
        QCOMPARE(p.windowTitle(), ComandosDiagnosticoH0::tituloInicio);
        QCOMPARE(p.valor(), preenchido);
        p.edtNumero->setText(valor);
        p.bo_ok->click();
    };
}

}  // namespace

class TesteDiagnosticoH0Tela : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A fit whose start value chose h0 says so once, in its validity lines and under its
    // equation, and the equations panel comes into view; a fit that found a peak of r says
    // nothing.
    void avisoDoLimite() {
        Janela j;
        j.abrir({potencial(100), potencial(50, verde)}, [&](TTelaMedicao& t) {
            QVERIFY(t.Trechos[1].Busca.noLimite());
            QVERIFY(std::fabs(t.Trechos[1].H0 - 0.99) < 1e-12);
            QVERIFY(std::fabs(t.Trechos[2].H0 - 0.80) < 1e-12);
            QCOMPARE(j.dados.ValidadeCurva(1), QStringList({"até a cota 400", avisoLimiteBusca()}));
            QCOMPARE(j.dados.ValidadeCurva(2), QStringList{"até a cota 400"});
            QVERIFY(t.pnlParametros->isVisible());
            QVERIFY(t.om_MostrarEquacoes->isChecked());
            // Header, curve 1 and its note, curve 2.
            const QStringList textos = legenda(*t.trvLegenda);
            QCOMPARE(textos.size(), 4);
            QCOMPARE(textos[2], avisoLimiteBusca());
            QCOMPARE(notasSob(*t.trvLegenda, 1), 1);
            QCOMPARE(notasSob(*t.trvLegenda, 3), 0);
            // Rebuilt, the panel says it once.
            t.ReconstruirLegenda();
            QCOMPARE(legenda(*t.trvLegenda), textos);
            // The command sits in the manual-adjustment menu.
            QVERIFY(t.mnuAjusteManual->actions().contains(t.DiagnosticoH0().om_DiagnosticoH0));
            QCOMPARE(t.DiagnosticoH0().om_DiagnosticoH0->text(), QString("Diagnóstico de h0…"));
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());

        Janela k;
        k.abrir({potencial(50)}, [&](TTelaMedicao& t) {
            QVERIFY(!t.pnlParametros->isVisible());
            QCOMPARE(legenda(*t.trvLegenda).size(), 2);
        });
        QVERIFY2(k.roteiro.concluido(), k.roteiro.relatorio());
    }

    // The dialog shows the search of the curve whose start value chose h0; "Refazer com h0
    // inicial…" fits it again from 50 cm: the peak is found, the warning goes away
    // everywhere, and what hangs on the curve follows it (deviations, logarithmic
    // extrapolation, summary, chart).
    void dialogoERefazer() {
        Janela j;
        j.abrir(
            {potencial(50, verde),
             potencial(100),
             {"cota >= 200", "iniciando na cota 200", AlgoritmoCurva::Polinomial, 2, 0x0000FF}},
            [&](TTelaMedicao& t) {
                QVERIFY(t.Extrapolacao().ExtrapolarLogaritmica(2, 500, 0x800080));
                const QString desvioAntes = t.TabelaDesvios.texto(1);

                j.roteiro.esperaDialogo<TDiagnosticoH0>([&](TDiagnosticoH0& d) {
                    // Curves 1 and 2 offered, 2 shown: its start value chose h0.
                    QCOMPARE(d.cbCurva->count(), 2);
                    QCOMPARE(d.CurvaMostrada(), 2);
                    QCOMPARE(d.cbCurva->currentText(), QString("Curva 2"));
                    // 1.00 … 1.19 m and 0.99 m, in h0 order, each marked.
                    const auto linhas = itens(*d.Grafico, Item::Tipo::Linha);
                    QCOMPARE(linhas.size(), size_t(2));  // the series, the lowest stage
                    QCOMPARE(linhas[0]->pontos.size(), 21);
                    QCOMPARE(linhas[0]->pontos.front().x(), 0.99);
                    QCOMPARE(linhas[1]->pontos.front().x(), 1.20);
                    QCOMPARE(linhas[1]->estilo, Qt::DashDotLine);
                    const auto marcas = itens(*d.Grafico, Item::Tipo::Marca);
                    QCOMPARE(marcas.size(), size_t(22));
                    QCOMPARE(marcas.back()->marca, PainelGrafico::Marca::Disco);
                    QCOMPARE(marcas.back()->pontos[0].x(), 0.99);
                    QVERIFY(d.Grafico->faixa(Eixo::X).maximo > 1.20);
                    QCOMPARE(d.grdAlternativas->item(0, 1)->text(), QString("0.99"));
                    QCOMPARE(d.grdAlternativas->item(0, 0)->text(), QString("0.49"));
                    QCOMPARE(d.grdAlternativas->item(4, 1)->text(), QString("15"));
                    QVERIFY(d.lblAviso->text().startsWith(avisoLimiteBusca()));
                    QVERIFY(d.lblBusca->text().contains("21 candidatos"));
                    QVERIFY(d.lblMediana->text().contains("260.00 cm"));

                    // Another curve chosen: its own search, 71 candidates, no warning.
                    d.cbCurva->setCurrentIndex(0);
                    QCOMPARE(d.CurvaMostrada(), 1);
                    QCOMPARE(itens(*d.Grafico, Item::Tipo::Linha)[0]->pontos.size(), 71);
                    QVERIFY(d.lblAviso->text().isEmpty());
                    d.cbCurva->setCurrentIndex(1);

                    j.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("50", 100));
                    d.bo_Refazer->click();
                    QCOMPARE(d.CurvaMostrada(), 2);
                    QCOMPARE(itens(*d.Grafico, Item::Tipo::Linha)[0]->pontos.size(), 71);
                    QCOMPARE(d.grdAlternativas->item(0, 1)->text(), QString("0.80"));
                    QVERIFY(d.lblAviso->isHidden());
                    d.bo_Fechar->click();
                });
                t.DiagnosticoH0().om_DiagnosticoH0->trigger();
                QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());

                const CurvaTrecho& c = t.Trechos[2];
                QVERIFY(std::fabs(c.H0 - 0.80) < 1e-12);
                QCOMPARE(c.Grau, 50);
                QCOMPARE(c.Busca.inicio, 50.0);
                QCOMPARE(j.dados.ValidadeCurva(2), QStringList{"até a cota 400"});
                QCOMPARE(legenda(*t.trvLegenda).size(), 4);  // no note left
                QVERIFY(j.dados.AcharNo(20, 2));
                QCOMPARE(
                    DadosEstacao::AcharFilho(j.dados.AcharNo(20, 2), -20)->filhos[2]->dados.texto,
                    QString("0.80"));
                // Curve 2 now holds measurement 1's deviation (it is the last to draw
                // it), and is nearly exact.
                QVERIFY(t.TabelaDesvios.texto(1) != desvioAntes);
                const RegistroExtrapolacao& e = t.Extrapolacoes[1];
                for (const PontoExtrapolado& p : e.pontos)
                    QCOMPARE(p.vazao, VazaoCurva(c, p.cota));
                // The extrapolation is drawn again, thick, and the current
                // measurement's mark is the last item.
                int grossas = 0;
                for (const Item* l : itens(*t.Grafico, Item::Tipo::Linha))
                    grossas += l->largura == 2 ? 1 : 0;
                QCOMPARE(grossas, 1);
                QCOMPARE(t.Grafico->item(t.Grafico->totalItens() - 1).marca,
                         PainelGrafico::Marca::XNegrito);
            });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // A start value at or above the curve's lowest stage is refused, the curve kept; without
    // a power-law curve there is nothing to diagnose.
    void recusas() {
        Janela j;
        j.abrir({potencial(100)}, [&](TTelaMedicao& t) {
            const double h0 = t.Trechos[1].H0;
            j.roteiro.esperaDialogo<TDiagnosticoH0>([&](TDiagnosticoH0& d) {
                j.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("120", 100))
                    .esperaMensagemComTitulo(
                        "Valor de h0 deve ser inferior à menor cota da curva (120 cm)!", "Erro");
                d.bo_Refazer->click();
                j.roteiro.esperaDialogo<TfrmDigitarNumero>(
                    [](TfrmDigitarNumero& p) { p.reject(); });
                d.bo_Refazer->click();
                d.bo_Fechar->click();
            });
            t.DiagnosticoH0().om_DiagnosticoH0->trigger();
            QCOMPARE(t.Trechos[1].H0, h0);
            QCOMPARE(j.dados.ValidadeCurva(1), QStringList({"até a cota 400", avisoLimiteBusca()}));
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());

        Janela k;
        k.abrir({{"cota >= 200", "iniciando na cota 200", AlgoritmoCurva::Polinomial, 2, azul}},
                [&](TTelaMedicao& t) {
                    k.roteiro.esperaMensagemComTitulo(ComandosDiagnosticoH0::semPotencial,
                                                      "Atenção");
                    t.DiagnosticoH0().om_DiagnosticoH0->trigger();
                });
        QVERIFY2(k.roteiro.concluido(), k.roteiro.relatorio());
    }

    // Saved and opened again, a rating keeps what its fits told — once: the rows left out
    // and h0 at the edge — and its panel shows the note; the diagnostics search the curve
    // again, to the values of its fit.
    void ajusteSalvoEReaberto() {
        Janela j;
        j.b.medida(j.id, 40, 330, 0, QDate(1990, 3, 1));
        QStringList validade, textos;
        std::vector<double> correlacoes;
        j.abrir(
            {potencial(100)},
            [&](TTelaMedicao& t) {
                validade = j.dados.ValidadeCurva(1);
                textos = legenda(*t.trvLegenda);
                correlacoes = t.Trechos[1].Busca.r;
                j.roteiro.esperaDialogo<TSalvarAjuste>([](TSalvarAjuste& d) {
                    d.edtNome->setText("Limite");
                    d.edtValidoDe->setDate(QDate(1990, 1, 1));
                    d.chkEmAberto->setChecked(true);
                    d.bo_ok->click();
                });
                QVERIFY(t.ComandosAjustes().SalvarAjuste());
            },
            [&] { j.roteiro.esperaMensagemComTitulo(avisoDescartadas(1), "Atenção"); });
        QCOMPARE(validade, QStringList({"até a cota 400", "Ignoradas (vazão nula ou negativa): 40",
                                        avisoLimiteBusca()}));

        j.abrir({}, [&](TTelaMedicao& t) {
            j.roteiro.esperaDialogo<TAjustesSalvos>([](TAjustesSalvos& d) {
                d.lstAjustes->setCurrentItem(d.lstAjustes->topLevelItem(0));
                d.bo_ok->click();
            });
            t.ComandosAjustes().AbrirAjusteSalvo();
            QCOMPARE(j.dados.ValidadeCurva(1), validade);
            QCOMPARE(legenda(*t.trvLegenda), textos);
            QVERIFY(t.Trechos[1].Busca.vazia());
            j.roteiro.esperaDialogo<TDiagnosticoH0>([&](TDiagnosticoH0& d) {
                QVERIFY(d.lblBusca->text().contains("Busca refeita"));
                QVERIFY(d.lblAviso->text().startsWith(avisoLimiteBusca()));
                QCOMPARE(itens(*d.Grafico, Item::Tipo::Linha)[0]->pontos.size(),
                         int(correlacoes.size()));
                d.bo_Fechar->click();
            });
            t.DiagnosticoH0().om_DiagnosticoH0->trigger();
            QVERIFY(!t.ComandosAjustes().Modificado());
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }
};

LUMENO_TESTE(TesteDiagnosticoH0Tela)
#include "tst_DiagnosticoH0Tela.moc"
