#include "analysis/DadosEstacao.h"
#include "analysis/ui/ComandosAjustesSalvos.h"
#include "analysis/ui/ComandosExtrapolacao.h"
#include "analysis/ui/TAjustesSalvos.h"
#include "analysis/ui/TSalvarAjuste.h"
#include "analysis/ui/TTabelaCotaVazao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "analysis/ui/TfrmDadosEstacao.h"
#include "app/Formato.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/ArvoreFormatada.h"
#include "components/EditorNumero.h"
#include "components/PainelGrafico.h"
#include "curves/AjustesSalvos.h"
#include "curves/AvisoAjuste.h"
#include "curves/CriteriosAjuste.h"
#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "editing/ui/TDigitarEstacao.h"
#include "hydraulics/ui/TDadosCotaExtrapolacao.h"
#include "hydraulics/ui/TDigitarKManning.h"
#include "support/Bits.h"
#include "support/ExecutorTestes.h"
#include "support/LeitorPlanilhaExterno.h"
#include "support/ui/AmbientePrograma.h"
#include "support/ui/ColunasVisiveis.h"
#include "support/ui/ContextoTeste.h"
#include "support/ui/FecharTelaMedicao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <bit>
#include <cmath>

using namespace lumeno;
using namespace lumeno::teste;

using lumeno::teste::bits;

namespace {

using Resposta = Interacao::Resposta;

// A station measured on two segments with a gap between them: Q = 10·(H − 0.5)² from 100 to
// 240 cm and Q = 12·(H − 0.8)^1.8 from 300 to 600 cm, a few percent off the curves, on a
// channel with its bed at 50 cm and banks at 900 and 800 cm. Two curves wait to be fitted
// when the window opens: a power law below 270 cm and a polynomial above.
struct Janela : ContextoTeste {
    DadosEstacao dados;
    TfrmDigitarNumero numero{roteiro};
    TMostrarPontosExtrapolados pontos{ctx};
    TDadosCotaExtrapolacao dialogoCota{ctx};
    TDigitarKManning dialogoK;
    TTelaMedicao tela{ctx, dados};
    TfrmDadosEstacao* resumo = new TfrmDadosEstacao(ctx, dados, tela);  // the window's child
    int id = 0;

    Janela() {
        ctx.frmDigitarNumero = &numero;
        ctx.MostrarPontosExtrapolados = &pontos;
        ctx.TelaMedicao = &tela;
        ctx.DadosCotaExtrapolacao = &dialogoCota;
        ctx.DigitarKManning = &dialogoK;
        ctx.frmDadosEstacao = resumo;
        ctx.dadosEstacao = &dados;
        id = b.estacao(58110002, "Ponte");
        int n = 1;
        for (double h = 100; h <= 240; h += 20, ++n)
            b.medida(id, n, h, 10 * std::pow(h / 100 - 0.5, 2) * (1 + 0.03 * std::sin(n)),
                     QDate(1990, 1, n), 0, 0);
        for (double h = 300; h <= 600; h += 30, ++n)
            b.medida(id, n, h, 12 * std::pow(h / 100 - 0.8, 1.8) * (1 + 0.03 * std::cos(n)),
                     QDate(1995, 3, n), 0, 0);
        for (auto [x, y] : {std::pair{0.0, 900.0}, {10, 50}, {40, 50}, {50, 800}})
            b.ponto(id, x, y);
        b.dm().qu_estacao1.abrir();
        b.dm().qu_estacao1.localizar("IdEstacao", id);
        tela.CurvasPendentes = {{"cota < 270", "até a cota 270", 1, 0, 0x0000FF},
                                {"cota >= 270", "iniciando na cota 270", 2, 2, 0xFF0000}};
    }

    // Opens the window (with the pending curves fitted when `pendentes`), runs `acao`
    // while it is shown and closes it without keeping unsaved curves.
    void abrir(std::function<void(TTelaMedicao&)> acao, bool pendentes = true) {
        roteiro.esperaDialogo<TTelaMedicao>([this, acao](TTelaMedicao& t) {
            acao(t);
            fecharSemSalvar(t, roteiro);
        });
        tela.ReiniciarConsulta = true;
        tela.GerarAoMostrar = pendentes;
        ctx.interacao.executar(tela);
    }

    ComandosAjustesSalvos& comandos() { return tela.ComandosAjustes(); }

    // The save dialog answered with a name and a period (`ate` invalid: open end).
    void salvarComo(const QString& nome, QDate de = QDate(1990, 1, 1), QDate ate = QDate(),
                    const QString& observacao = QString()) {
        roteiro.esperaDialogo<TSalvarAjuste>([=](TSalvarAjuste& d) {
            d.edtNome->setText(nome);
            d.edtValidoDe->setDate(de);
            d.chkEmAberto->setChecked(!ate.isValid());
            if (ate.isValid())
                d.edtValidoAte->setDate(ate);
            d.edtObservacao->setPlainText(observacao);
            d.bo_ok->click();
        });
    }

    // The list of saved ratings answered with the row of that name.
    void escolher(const QString& nome) {
        roteiro.esperaDialogo<TAjustesSalvos>([nome](TAjustesSalvos& d) {
            const auto itens = d.lstAjustes->findItems(nome, Qt::MatchExactly, 0);
            QCOMPARE(itens.size(), 1);
            d.lstAjustes->setCurrentItem(itens.first());
            d.bo_ok->click();
        });
    }

    // The fit by criteria as its command does it: curve N over the stages from 200 to 270 cm
    // with a mandatory point of weight 3.
    void curvaComPontoObrigatorio(TTelaMedicao& t) {
        QVERIFY(t.ReservarCurva());
        t.Grafico->removerUltimo();
        const int n = t.TotalCurvas;
        inserirPontoObrigatorio(b.dm().conexao(), id, n, {90, 0.9, 3}, t.ContadorObrigatorios);
        const QString condicao =
            condicaoCurva({"(cota >= 200 and cota < 270 and ponto_obrigatorio = 0)"}, id, n);
        QCOMPARE(t.AjustarETracar(n, {condicao}, {"iniciando na cota 200"}, 1, 0, 0x00A000), 6);
        t.GeraLegenda(n);
    }
};

// Every parameter and range of two curves, bit for bit.
void mesmaCurva(const CurvaTrecho& a, const CurvaTrecho& b) {
    QCOMPARE(a.Algoritmo, b.Algoritmo);
    QCOMPARE(a.Grau, b.Grau);
    QCOMPARE(a.Cor, b.Cor);
    for (const auto& [x, y] : {std::pair{a.H0, b.H0},
                               {a.K, b.K},
                               {a.M, b.M},
                               {a.R, b.R},
                               {a.CotaMin, b.CotaMin},
                               {a.CotaMax, b.CotaMax},
                               {a.VazaoMin, b.VazaoMin},
                               {a.VazaoMax, b.VazaoMax}})
        QCOMPARE(bits(x), bits(y));
    for (size_t i = 0; i < a.Coeficientes.size(); ++i)
        QCOMPARE(bits(a.Coeficientes[i]), bits(b.Coeficientes[i]));
    QCOMPARE(a.totalLinhas(), b.totalLinhas());
    for (int i = 0; i < a.totalLinhas(); ++i)
        QCOMPARE(a.Medicoes[static_cast<size_t>(i)].numero,
                 b.Medicoes[static_cast<size_t>(i)].numero);
}

// What the chart shows, exactly: each item's kind, shape, colour, width, style and points.
struct Grafico {
    std::vector<PainelGrafico::Item> itens;
    PainelGrafico::Faixa x, y;
};
Grafico copiar(const PainelGrafico& g) {
    Grafico r{{}, g.faixa(PainelGrafico::Eixo::X), g.faixa(PainelGrafico::Eixo::Y)};
    for (int i = 0; i < g.totalItens(); ++i)
        r.itens.push_back(g.item(i));
    return r;
}
void mesmoGrafico(const Grafico& a, const Grafico& b) {
    QCOMPARE(a.itens.size(), b.itens.size());
    for (size_t i = 0; i < a.itens.size(); ++i) {
        const auto& p = a.itens[i];
        const auto& q = b.itens[i];
        QVERIFY2(p.tipo == q.tipo && p.marca == q.marca && p.cor == q.cor &&
                     p.largura == q.largura && p.estilo == q.estilo &&
                     p.pontos.size() == q.pontos.size(),
                 qPrintable(QString("item %1").arg(i)));
        for (int k = 0; k < p.pontos.size(); ++k)
            QVERIFY2(bits(p.pontos[k].x()) == bits(q.pontos[k].x()) &&
                         bits(p.pontos[k].y()) == bits(q.pontos[k].y()),
                     qPrintable(QString("item %1, point %2").arg(i).arg(k)));
    }
    QCOMPARE(bits(a.x.minimo), bits(b.x.minimo));
    QCOMPARE(bits(a.x.maximo), bits(b.x.maximo));
    QCOMPARE(bits(a.y.minimo), bits(b.y.minimo));
    QCOMPARE(bits(a.y.maximo), bits(b.y.maximo));
}

int linhasTracejadas(const PainelGrafico& g) {
    int n = 0;
    for (int i = 0; i < g.totalItens(); ++i)
        if (g.item(i).estilo == Qt::DashLine)
            ++n;
    return n;
}

QStringList textosDaLegenda(const ArvoreFormatada& a) {
    QStringList r;
    for (const NoFormatado* no : a.nos())
        r << no->legenda();
    return r;
}

}  // namespace

class TesteAjustesSalvosTela : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A rating saved, the window closed and opened again, the rating opened: the same
    // parameters to the bit, the same chart, the same deviations and summary, the mandatory
    // rows back, and nothing asked when the window closes.
    void salvarFecharEReabrir() {
        Janela j;
        std::vector<CurvaTrecho> curvas;
        std::vector<RegistroExtrapolacao> extrapolacoes;
        Grafico grafico;
        QStringList desvios, legenda, itensResumo;
        std::vector<QStringList> validades;
        QString titulo;
        j.abrir([&](TTelaMedicao& t) {
            QCOMPARE(t.TotalCurvas, 2);
            j.curvaComPontoObrigatorio(t);
            ComandosExtrapolacao& e = t.Extrapolacao();
            QVERIFY(e.ExtrapolarStevens(2, 780, 0x008000, e.Margens()));
            QVERIFY(e.ExtrapolarLogaritmica(1, 700, 0x800080));
            t.Proximo();
            t.Anterior();
            QVERIFY(j.comandos().Modificado());

            j.salvarComo("Cheia 2004", QDate(1990, 1, 1), QDate(2004, 12, 31), "Revisada");
            t.ComandosAjustes().om_SalvarAjuste->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            QVERIFY(!j.comandos().Modificado());
            QVERIFY(t.windowTitle().endsWith(" - ajuste salvo: Cheia 2004"));

            for (int n = 1; n <= t.TotalCurvas; ++n) {
                curvas.push_back(t.Trechos[static_cast<size_t>(n)]);
                validades.push_back(j.dados.ValidadeCurva(n));
            }
            for (int q = 1; q <= t.NumExtrapolacoes; ++q)
                extrapolacoes.push_back(t.Extrapolacoes[static_cast<size_t>(q)]);
            grafico = copiar(*t.Grafico);
            for (int i = 1; i <= j.b.dm().qu_medida1.totalRegistros(); ++i)
                desvios << t.TabelaDesvios.texto(i);
            t.ReconstruirLegenda();
            legenda = textosDaLegenda(*t.trvLegenda);
            for (const EntradaItem& item : j.dados.lstItens())
                itensResumo << item.legenda;
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        // What the fits told about h0 is part of the lines kept (once, also after reopening,
        // compared below): curve 1's search ended at the section's bed, curve 3's above it.
        QCOMPARE(validades[0], QStringList({"até a cota 270", avisoLimiteBusca()}));
        QCOMPARE(validades[2], QStringList({"iniciando na cota 200",
                                            "h0 = 0.62 m, acima do fundo da seção (0.50 m)"}));
        QCOMPARE(desvios.size(), 19);
        QVERIFY(!desvios.contains("---"));
        QCOMPARE(j.b.escalar("select count(*) from PontoObrigatorioSalvo").toInt(), 1);

        j.abrir(
            [&](TTelaMedicao& t) {
                QCOMPARE(t.TotalCurvas, 0);
                QCOMPARE(
                    j.b.escalar("select count(*) from medida where ponto_obrigatorio <> 0").toInt(),
                    0);
                titulo = t.windowTitle();
                j.roteiro.esperaDialogo<TAjustesSalvos>([](TAjustesSalvos& d) {
                    QCOMPARE(d.windowTitle(), QString("Abrir ajuste salvo"));
                    QCOMPARE(d.lstAjustes->topLevelItemCount(), 1);
                    const QTreeWidgetItem* item = d.lstAjustes->topLevelItem(0);
                    QCOMPARE(item->text(0), QString("Cheia 2004"));
                    QCOMPARE(item->text(1), QString("de 01/01/1990 a 31/12/2004"));
                    QCOMPARE(item->text(2), QString("3"));
                    QCOMPARE(item->text(4), QString("Revisada"));
                    QCOMPARE(lumeno::teste::colunasCortadas(d.lstAjustes), QString());
                    d.lstAjustes->setCurrentItem(d.lstAjustes->topLevelItem(0));
                    d.bo_ok->click();
                });
                t.ComandosAjustes().om_AbrirAjuste->trigger();
                QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());

                QCOMPARE(t.TotalCurvas, 3);
                for (int n = 1; n <= 3; ++n) {
                    mesmaCurva(t.Trechos[static_cast<size_t>(n)],
                               curvas[static_cast<size_t>(n - 1)]);
                    QCOMPARE(j.dados.ValidadeCurva(n), validades[static_cast<size_t>(n - 1)]);
                }
                QCOMPARE(t.NumExtrapolacoes, 2);
                AjusteSalvo a, b;
                a.extrapolacoes = extrapolacoes;
                for (int q = 1; q <= 2; ++q)
                    b.extrapolacoes.push_back(t.Extrapolacoes[static_cast<size_t>(q)]);
                QVERIFY(mesmoConteudo(a, b));
                mesmoGrafico(copiar(*t.Grafico), grafico);
                QStringList agora;
                for (int i = 1; i <= j.b.dm().qu_medida1.totalRegistros(); ++i)
                    agora << t.TabelaDesvios.texto(i);
                QCOMPARE(agora, desvios);
                QStringList resumo;
                for (const EntradaItem& item : j.dados.lstItens())
                    resumo << item.legenda;
                QCOMPARE(resumo, itensResumo);
                QCOMPARE(textosDaLegenda(*t.trvLegenda), legenda);
                // The mandatory point is back as three rows of curve 3.
                QCOMPARE(
                    j.b.escalar("select count(*) from medida where ponto_obrigatorio = 3").toInt(),
                    3);
                QVERIFY(t.AjusteAtivo);
                QVERIFY(t.om_ExtrapStevens->isEnabled());
                QCOMPARE(t.windowTitle(), titulo + " - ajuste salvo: Cheia 2004");
                QVERIFY(!j.comandos().Modificado());
                // A manual change makes it differ from what was saved.
                t.Trechos[1].H0 = 0.45;
                t.CalcularAjusteFixo();
                t.RedesenharTudo();
                QVERIFY(j.comandos().Modificado());
            },
            false);
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // Closing with curves not saved asks: Cancelar keeps the window open, so does Sim when
    // the save dialog is cancelled; Sim with a name saves and closes; once saved, closing
    // asks nothing.
    void fecharPergunta() {
        Janela j;
        j.roteiro.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
            const QString& pergunta = ComandosAjustesSalvos::perguntaFechar;
            j.roteiro.esperaPerguntaSimNaoCancelar(pergunta, Resposta::Cancelar);
            t.close();
            QVERIFY(t.isVisible());
            QCOMPARE(t.TotalCurvas, 2);
            j.roteiro.esperaPerguntaSimNaoCancelar(pergunta, Resposta::Sim);
            j.roteiro.esperaDialogo<TSalvarAjuste>([](TSalvarAjuste& d) {
                // A first save proposes the earliest measurement of the curves, no end.
                QCOMPARE(d.edtNome->text(), QString());
                QCOMPARE(d.ValidoDe(), QDate(1990, 1, 1));
                QVERIFY(d.chkEmAberto->isChecked());
                QVERIFY(!d.edtValidoAte->isEnabled());
                d.bo_cancela->click();
            });
            t.close();
            QVERIFY(t.isVisible());
            j.roteiro.esperaPerguntaSimNaoCancelar(pergunta, Resposta::Sim);
            j.salvarComo("Antes da ponte");
            t.close();
            QVERIFY(!t.isVisible());
        });
        j.tela.ReiniciarConsulta = true;
        j.tela.GerarAoMostrar = true;
        j.ctx.interacao.executar(j.tela);
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        AjustesSalvos salvos(j.b.dm().conexao());
        const auto lista = salvos.listar(j.id);
        QCOMPARE(lista.size(), size_t(1));
        QCOMPARE(lista[0].nome, QString("Antes da ponte"));
        QVERIFY(!lista[0].validoAte.isValid());
        QCOMPARE(lista[0].totalCurvas, 2);

        // Reopened and closed at once: nothing to save, nothing asked.
        j.abrir(
            [&](TTelaMedicao& t) {
                j.escolher("Antes da ponte");
                t.ComandosAjustes().om_AbrirAjuste->trigger();
                QVERIFY(t.AjusteAtivo);
                t.close();
                QVERIFY(!t.isVisible());
            },
            false);
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // Saving under a name in use asks before replacing (Não: the dialog again); opening
    // another rating over curves not saved asks too; deleting the rating shown leaves its
    // curves unsaved.
    void substituirAbrirEExcluir() {
        Janela j;
        j.abrir([&](TTelaMedicao& t) {
            ComandosAjustesSalvos& c = j.comandos();
            // Nothing saved yet.
            j.roteiro.esperaMensagemComTitulo("Não há ajustes salvos para esta estação.",
                                              "Atenção");
            c.om_AbrirAjuste->trigger();
            j.salvarComo("A");
            c.om_SalvarAjuste->trigger();

            t.Trechos[1].Cor = 0x00FF00;  // a change
            QVERIFY(c.Modificado());
            const QString existe =
                "Já existe um ajuste salvo com o nome \"a\" para esta estação. Deseja "
                "substituí-lo?";
            j.roteiro.esperaDialogo<TSalvarAjuste>([](TSalvarAjuste& d) {
                QCOMPARE(d.edtNome->text(), QString("A"));  // the name last saved
                d.edtNome->setText("a");
                d.bo_ok->click();
            });
            j.roteiro.esperaPergunta(existe, false);
            j.roteiro.esperaDialogo<TSalvarAjuste>([](TSalvarAjuste& d) {
                QCOMPARE(d.edtNome->text(), QString("a"));
                d.edtNome->setText("B");
                d.bo_ok->click();
            });
            c.om_SalvarAjuste->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            AjustesSalvos salvos(j.b.dm().conexao());
            QCOMPARE(salvos.listar(j.id).size(), size_t(2));

            t.Trechos[1].Cor = 0x00FFFF;
            j.salvarComo("a");
            j.roteiro.esperaPergunta(existe, true);
            c.om_SalvarAjuste->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            const auto lista = salvos.listar(j.id);
            QCOMPARE(lista.size(), size_t(2));
            const AjusteSalvo a = salvos.ler(*salvos.procurar(j.id, "A"));
            QCOMPARE(a.nome, QString("a"));
            QCOMPARE(a.curvas[0].curva.Cor, 0x00FFFFu);
            QCOMPARE(salvos.ler(*salvos.procurar(j.id, "B")).curvas[0].curva.Cor, 0x00FF00u);

            // Opening "B" over a change not saved: Cancelar keeps the curves, Não opens it.
            t.Trechos[2].Cor = 0x123456;
            j.escolher("B");
            j.roteiro.esperaPerguntaSimNaoCancelar(ComandosAjustesSalvos::perguntaAbrir,
                                                   Resposta::Cancelar);
            c.om_AbrirAjuste->trigger();
            QCOMPARE(t.Trechos[2].Cor, 0x123456u);
            j.escolher("B");
            j.roteiro.esperaPerguntaSimNaoCancelar(ComandosAjustesSalvos::perguntaAbrir,
                                                   Resposta::Nao);
            c.om_AbrirAjuste->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            QCOMPARE(t.Trechos[1].Cor, 0x00FF00u);
            QCOMPARE(c.AjusteAtual()->nome, QString("B"));

            // Deleting it: asked, and the curves shown are no longer saved anywhere.
            j.escolher("B");
            j.roteiro.esperaPergunta("Confirma a exclusão do ajuste salvo \"B\"?", false);
            c.om_ExcluirAjuste->trigger();
            QCOMPARE(salvos.listar(j.id).size(), size_t(2));
            j.escolher("B");
            j.roteiro.esperaPergunta("Confirma a exclusão do ajuste salvo \"B\"?", true);
            c.om_ExcluirAjuste->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            QCOMPARE(salvos.listar(j.id).size(), size_t(1));
            QVERIFY(!c.AjusteAtual());
            QVERIFY(!t.windowTitle().contains("ajuste salvo"));
            QVERIFY(c.Modificado());
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // A saved rating overlaid on new curves: dashed lines in its colours, its name and
    // equations in the panel, kept when the chart is redrawn, gone when removed.
    void sobrepor() {
        Janela j;
        j.abrir([&](TTelaMedicao& t) {
            ComandosAjustesSalvos& c = j.comandos();
            ComandosExtrapolacao& e = t.Extrapolacao();
            QVERIFY(e.ExtrapolarStevens(2, 780, 0x008000, e.Margens()));
            j.salvarComo("Antigo", QDate(1990, 1, 1), QDate(1999, 12, 31));
            c.om_SalvarAjuste->trigger();

            // New curves: a single power law over every measurement.
            j.roteiro.esperaPergunta("Ajuste atual será descartado. Confirma reinicializar ajuste?",
                                     true);
            t.om_InicializarAjuste->trigger();
            t.CurvasPendentes = {{"cota >= 0", "todas", 1, 0, 0x000080}};
            t.GerarCurvas();
            t.ReconstruirLegenda();
            QCOMPARE(linhasTracejadas(*t.Grafico), 0);
            const int itens = t.Grafico->totalItens();

            j.escolher("Antigo");
            c.om_SobreporAjuste->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
            QCOMPARE(t.TotalCurvas, 1);
            QCOMPARE(t.Grafico->totalItens(), itens + 3);  // two curves and the extrapolation
            QCOMPARE(linhasTracejadas(*t.Grafico), 3);
            const PainelGrafico::Item& ultimo = t.Grafico->item(t.Grafico->totalItens() - 1);
            QCOMPARE(ultimo.cor, QColor(255, 255, 0));  // the current measurement, last
            const PainelGrafico::Item& extrapolacao = t.Grafico->item(t.Grafico->totalItens() - 2);
            QCOMPARE(extrapolacao.largura, 2);
            QCOMPARE(extrapolacao.cor, QColor(0, 128, 0));
            QVERIFY(t.Grafico->faixa(PainelGrafico::Eixo::Y).maximo >= 780);
            QVERIFY(t.pnlParametros->isVisible());
            QCOMPARE(t.trvLegenda->topLevelItemCount(), 2);
            const QStringList legenda = textosDaLegenda(*t.trvLegenda);
            QVERIFY(legenda[2].contains("<b>Antigo</b> (tracejado)"));
            QVERIFY(legenda[3].contains("válido de 01/01/1990 a 31/12/1999"));
            QVERIFY(legenda[4].contains("color=\"#FF0000\""));  // curve 1 of the old rating
            QCOMPARE(legenda.size(), 6);
            // Overlaid once only.
            j.escolher("Antigo");
            c.om_SobreporAjuste->trigger();
            QCOMPARE(linhasTracejadas(*t.Grafico), 3);

            t.RedesenharTudo();
            QCOMPARE(linhasTracejadas(*t.Grafico), 3);
            c.om_RemoverSobreposicoes->trigger();
            QCOMPARE(linhasTracejadas(*t.Grafico), 0);
            QCOMPARE(t.trvLegenda->topLevelItemCount(), 1);
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // The rating table of the current rating and of a saved one: the same rows when they
    // hold the same curves, the list and the decimetre layout, and the exports.
    void tabelaCotaVazao() {
        Janela j;
        QTemporaryDir dir;
        j.abrir([&](TTelaMedicao& t) {
            ComandosAjustesSalvos& c = j.comandos();
            ComandosExtrapolacao& e = t.Extrapolacao();
            QVERIFY(e.ExtrapolarStevens(2, 780, 0x008000, e.Margens()));
            const double topo1 = t.Trechos[1].CotaMax;
            const double base2 = t.Trechos[2].CotaMin;
            QCOMPARE(topo1, 240.0);
            QCOMPARE(base2, 300.0);
            std::vector<CotaAvaliada> atual;
            j.roteiro.esperaDialogo<TTabelaCotaVazao>([&](TTabelaCotaVazao& d) {
                QCOMPARE(d.cboAjuste->count(), 1);
                QCOMPARE(d.cboAjuste->itemText(0), QString("Ajuste atual (não salvo)"));
                QCOMPARE(d.edtCotaInicial->valor(), 100.0);
                QCOMPARE(d.edtCotaFinal->valor(), 780.0);
                QCOMPARE(d.edtPasso->valor(), 1.0);
                QCOMPARE(d.Tabela().size(), size_t(681));
                QCOMPARE(d.grdTabela->model()->rowCount(), 681);
                const auto& tabela = d.Tabela();
                QCOMPARE(tabela[240 - 100].situacao, SituacaoCota::Medida);
                QCOMPARE(tabela[270 - 100].curva, 1);
                QCOMPARE(tabela[270 - 100].situacao, SituacaoCota::Interpolada);
                QCOMPARE(tabela[271 - 100].curva, 2);
                QCOMPARE(tabela[700 - 100].situacao, SituacaoCota::Extrapolada);
                QCOMPARE(tabela[700 - 100].curva, 2);
                QCOMPARE(d.grdTabela->model()->index(170, 3).data().toString(),
                         QString("interpolada"));
                QCOMPARE(lumeno::teste::colunasCortadas(d.grdTabela), QString());
                d.rbDecimetros->setChecked(true);
                QCOMPARE(lumeno::teste::colunasCortadas(d.grdTabela), QString());
                QCOMPARE(d.grdTabela->model()->rowCount(), 69);
                QCOMPARE(d.grdTabela->model()->columnCount(), 10);
                QCOMPARE(d.grdTabela->model()->headerData(17, Qt::Vertical).toString(),
                         QString("270"));
                QCOMPARE(d.grdTabela->model()->index(17, 0).data().toString(),
                         formatar(tabela[170].vazao, "###0.000"));
                QCOMPARE(d.grdTabela->model()->index(68, 1).data(), QVariant());  // 781 cm

                // Exported as the layout shown; a name without extension takes the type
                // chosen.
                j.roteiro.esperaSalvarArquivo(dir.filePath("tabela"),
                                              "Pasta de trabalho Excel (*.xlsx)");
                j.roteiro.esperaMensagem("Arquivo gravado com sucesso!");
                d.bo_exportar->click();
                d.rbLista->setChecked(true);
                d.edtPasso->setText("10");
                d.bo_calcular->click();
                QCOMPARE(d.Tabela().size(), size_t(69));
                j.roteiro.esperaSalvarArquivo(dir.filePath("tabela.csv"));
                j.roteiro.esperaMensagem("Arquivo gravado com sucesso!");
                d.bo_exportar->click();
                // A step of zero is refused with its message; the table stays.
                d.edtPasso->setText("0");
                j.roteiro.esperaMensagemComTitulo("O passo da tabela deve ser maior que zero.",
                                                  "Atenção");
                d.bo_calcular->click();
                QCOMPARE(d.Tabela().size(), size_t(69));
                d.edtPasso->setText("1");
                d.bo_calcular->click();
                atual = d.Tabela();
                d.bo_fechar->click();
            });
            c.om_TabelaCotaVazao->trigger();
            QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());

            const LeituraSsconvert x = lerComSsconvert(dir.filePath("tabela.xlsx"));
            QVERIFY2(x.ok, qPrintable(x.erro));
            QCOMPARE(x.celula(0, 0), QString("Estação: 58110002 Ponte"));
            QCOMPARE(x.celula(1, 0), QString("Ajuste: Ajuste atual (não salvo)"));
            QCOMPARE(x.celula(4, 0).toDouble(), 100.0);
            QFile csv(dir.filePath("tabela.csv"));
            QVERIFY(csv.open(QIODevice::ReadOnly));
            const QStringList linhas = QString::fromUtf8(csv.readAll()).split("\r\n");
            QCOMPARE(linhas[3], QString("Cota (cm);Vazão (m³/s);Curva;Situação"));
            QVERIFY(linhas[4].startsWith("100;"));
            QCOMPARE(linhas.size(), 4 + 69 + 1);

            // Saved, the same curves give the same table from the list of saved ratings.
            j.salvarComo("Cheia");
            c.om_SalvarAjuste->trigger();
            j.roteiro.esperaDialogo<TTabelaCotaVazao>([&](TTabelaCotaVazao& d) {
                QCOMPARE(d.cboAjuste->count(), 2);
                QCOMPARE(d.cboAjuste->itemText(0), QString("Ajuste atual: Cheia"));
                QCOMPARE(d.cboAjuste->itemText(1), QString("Cheia (a partir de 01/01/1990)"));
                d.cboAjuste->setCurrentIndex(1);
                Q_EMIT d.cboAjuste->activated(1);
                const auto& salva = d.Tabela();
                QCOMPARE(salva.size(), atual.size());
                for (size_t i = 0; i < salva.size(); ++i)
                    QVERIFY(bits(salva[i].vazao) == bits(atual[i].vazao) &&
                            salva[i].curva == atual[i].curva &&
                            salva[i].situacao == atual[i].situacao);
                d.close();
            });
            c.om_TabelaCotaVazao->trigger();
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // A saved curve whose measurements are gone since: the rating opens, that curve keeps its
    // parameters but is not drawn, and the user is told which one.
    void curvaSemMedicoesHoje() {
        Janela j;
        CurvaTrecho alta;
        j.abrir([&](TTelaMedicao& t) {
            alta = t.Trechos[2];
            j.salvarComo("Antes");
            j.comandos().om_SalvarAjuste->trigger();
        });
        j.b.executar("delete from medida where cota >= 270");
        j.abrir(
            [&](TTelaMedicao& t) {
                j.escolher("Antes");
                j.roteiro.esperaMensagemComTitulo(
                    "O ajuste \"Antes\" foi aberto, mas as curvas 2 não selecionam hoje ao menos "
                    "duas medições da estação e não foram traçadas. Seus parâmetros continuam no "
                    "ajuste salvo e na sua tabela cota-vazão.",
                    "Atenção");
                j.comandos().om_AbrirAjuste->trigger();
                QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
                QCOMPARE(t.TotalCurvas, 2);
                QCOMPARE(bits(t.Trechos[2].Coeficientes[2]), bits(alta.Coeficientes[2]));
                QCOMPARE(j.comandos().ChaveAtual().curvas().size(), size_t(1));
                QVERIFY(!j.comandos().Modificado());
            },
            false);
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    // Nothing to save or tabulate: a message and nothing else.
    void semCurvas() {
        Janela j;
        j.abrir(
            [&](TTelaMedicao&) {
                ComandosAjustesSalvos& c = j.comandos();
                j.roteiro.esperaMensagemComTitulo("Não há curvas ajustadas para salvar.",
                                                  "Atenção");
                c.om_SalvarAjuste->trigger();
                j.roteiro.esperaMensagemComTitulo(
                    "Não há curvas ajustadas nem ajustes salvos desta estação para montar a "
                    "tabela.",
                    "Atenção");
                c.om_TabelaCotaVazao->trigger();
                j.roteiro.esperaMensagemComTitulo("Não há ajustes salvos para esta estação.",
                                                  "Atenção");
                c.om_SobreporAjuste->trigger();
                QVERIFY(!c.Modificado());
                // The menu stands between "&Lumeno" and "&Extrapolação".
                const auto menus = j.tela.MenuMedicao->actions();
                QCOMPARE(menus[1]->text(), QString("&Ajustes salvos"));
                QCOMPARE(menus[2]->text(), QString("&Extrapolação"));
            },
            false);
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }
};

// The demonstration station as the walkthrough goes: two segments fitted and extrapolated,
// saved, the window closed and opened again, the rating opened, a new curve compared with it
// and the rating table exported.
class TesteDemonstracaoAjustesSalvos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void salvarReabrirSobreporETabela() {
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
        const int id = a.escalar("select IdEstacao from estacao where codigo = 99990001").toInt();
        a.selecionarEstacao(id);
        TTelaMedicao& tela = *a.ctx().TelaMedicao;
        ComandosAjustesSalvos& c = tela.ComandosAjustes();
        const QString nome = "Demonstração 1995–2004";

        tela.CurvasPendentes = {{"cota >= 60 and cota <= 250", "baixa", 1, 30, 0x0000FF},
                                {"cota >= 250", "alta", 1, 30, 0xFF0000}};
        tela.GerarAoMostrar = true;
        tela.ReiniciarConsulta = true;
        CurvaTrecho alta;
        a.roteiro.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
            QVERIFY(
                t.Extrapolacao().ExtrapolarStevens(2, 780, 0x0080FF, t.Extrapolacao().Margens()));
            alta = t.Trechos[2];
            a.roteiro.esperaPerguntaSimNaoCancelar(ComandosAjustesSalvos::perguntaFechar,
                                                   Resposta::Sim);
            a.roteiro.esperaDialogo<TSalvarAjuste>([&](TSalvarAjuste& d) {
                d.edtNome->setText(nome);
                d.edtValidoDe->setDate(QDate(1995, 1, 1));
                d.chkEmAberto->setChecked(false);
                d.edtValidoAte->setDate(QDate(2004, 12, 31));
                d.bo_ok->click();
            });
            t.close();
        });
        a.ctx().interacao.executar(tela);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());

        QTemporaryDir dir;
        a.roteiro.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
            QCOMPARE(t.TotalCurvas, 0);
            a.roteiro.esperaDialogo<TAjustesSalvos>([](TAjustesSalvos& d) {
                d.lstAjustes->setCurrentItem(d.lstAjustes->topLevelItem(0));
                d.bo_ok->click();
            });
            c.om_AbrirAjuste->trigger();
            QCOMPARE(t.TotalCurvas, 2);
            QCOMPARE(t.NumExtrapolacoes, 1);
            QCOMPARE(bits(t.Trechos[2].K), bits(alta.K));
            QCOMPARE(bits(t.Trechos[2].H0), bits(alta.H0));
            QVERIFY(t.om_RelacaoVazoes->isEnabled());

            // A single curve over every measurement compared with the saved pair.
            a.roteiro.esperaPergunta("Ajuste atual será descartado. Confirma reinicializar ajuste?",
                                     true);
            t.om_InicializarAjuste->trigger();
            t.CurvasPendentes = {{"cota >= 60", "todas", 1, 30, 0x008000}};
            t.GerarCurvas();
            a.roteiro.esperaDialogo<TAjustesSalvos>([](TAjustesSalvos& d) {
                d.lstAjustes->setCurrentItem(d.lstAjustes->topLevelItem(0));
                d.bo_ok->click();
            });
            c.om_SobreporAjuste->trigger();
            QCOMPARE(linhasTracejadas(*t.Grafico), 3);

            // The table of the saved rating, 60 to 780 cm, exported as .xls.
            a.roteiro.esperaDialogo<TTabelaCotaVazao>([&](TTabelaCotaVazao& d) {
                QCOMPARE(d.cboAjuste->count(), 2);
                d.cboAjuste->setCurrentIndex(1);
                Q_EMIT d.cboAjuste->activated(1);
                QCOMPARE(d.edtCotaFinal->valor(), 780.0);
                a.roteiro.esperaSalvarArquivo(dir.filePath("demo.xls"));
                a.roteiro.esperaMensagem("Arquivo gravado com sucesso!");
                d.bo_exportar->click();
                d.bo_fechar->click();
            });
            c.om_TabelaCotaVazao->trigger();
            fecharSemSalvar(t, a.roteiro);
        });
        tela.Abrir(id);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());

        const LeituraXlrd x = lerComXlrd(dir.filePath("demo.xls"));
        QVERIFY2(x.ok, qPrintable(x.erro));
        QCOMPARE(x.celulas.value({1, 0}).toString(),
                 QString("Ajuste: ") + nome + " (de 01/01/1995 a 31/12/2004)");
        const double primeira = x.celulas.value({4, 0}).toDouble();
        QCOMPARE(primeira, 84.0);  // the lowest measurement of the demonstration station
        // 150 cm on the low segment, 400 cm on the high one, 700 cm along Stevens.
        for (const auto& [cota, curva] : {std::pair{150.0, 1.0}, {400.0, 2.0}, {700.0, 2.0}}) {
            const int r = 4 + static_cast<int>(cota - primeira);
            QCOMPARE(x.celulas.value({r, 0}).toDouble(), cota);
            QCOMPARE(x.celulas.value({r, 2}).toDouble(), curva);
        }
        QCOMPARE(x.celulas.value({4 + static_cast<int>(400 - primeira), 3}).toString(),
                 QString("medida"));
        const int r700 = 4 + static_cast<int>(700 - primeira);
        QCOMPARE(x.celulas.value({r700, 3}).toString(), QString("extrapolada"));
        QCOMPARE(x.celulas.value({4 + static_cast<int>(780 - primeira), 0}).toDouble(), 780.0);
    }
};

LUMENO_TESTE(TesteAjustesSalvosTela)
LUMENO_TESTE(TesteDemonstracaoAjustesSalvos)
#include "tst_AjustesSalvos.moc"
