#include "analysis/ui/ComandosValidacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "analysis/ui/TfrmDadosEstacao.h"
#include "app/ui/TInicial.h"
#include "app/ui/TfrmDigitarData.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/ArvoreFormatada.h"
#include "components/EditorNumero.h"
#include "components/PainelGrafico.h"
#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "curves/ui/TfrmParmsCurva.h"
#include "editing/ui/TDigitarEstacao.h"
#include "import/ui/TMostrarEstacoesHidro.h"
#include "import/ui/TfrmConfigImport.h"
#include "support/ExecutorTestes.h"
#include "support/LeitorPlanilhaExterno.h"
#include "support/ui/AmbientePrograma.h"
#include "support/ui/FecharTelaMedicao.h"
#include "validation/DesviosTempo.h"
#include "validation/ValidacaoCurva.h"
#include "validation/ui/CamadaFaixaConfianca.h"
#include "validation/ui/PainelValidacao.h"
#include "validation/ui/TDesviosTempo.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

const QString fixture = QStringLiteral(LUMENO_SHARED_DIR "/fixtures/hidro/hidro_paraiba.mdb");

// Q = 20·(H − 0.5)^1.6 at 20 stages, each off by exp(ε); measurement 5 far off (0.5).
const double desvios[] = {0.01,  -0.01, 0.02, -0.02, 0.5,  0.01,  -0.01, 0.02, -0.01, 0.01,
                          -0.02, 0.01,  0.02, -0.01, 0.01, -0.02, 0.01,  0.02, -0.02, -0.01};
constexpr int totalMedicoes = 20;

struct Estacao {
    AmbientePrograma a;
    int id = 0;

    explicit Estacao(int medicoes = totalMedicoes) {
        id = a.estacao(60000001, "Sintética");
        for (int i = 0; i < medicoes; ++i) {
            const double h = 100 + 20 * i;
            a.medida(id, i + 1, h, 20 * std::pow(h / 100 - 0.5, 1.6) * std::exp(desvios[i]),
                     QDate(2000, 1, 1).addMonths(i));
        }
        a.selecionarEstacao(id);
    }
    TTelaMedicao& tela() { return *a.ctx().TelaMedicao; }

    // Opens the window with the curves fitted; `acao` runs while it is shown.
    void abrir(std::vector<DefinicaoCurva> curvas, const std::function<void(TTelaMedicao&)>& acao) {
        a.roteiro.esperaDialogo<TTelaMedicao>([this, acao](TTelaMedicao& t) {
            acao(t);
            fecharSemSalvar(t, a.roteiro);
        });
        tela().AbrirComCurvas(std::move(curvas));
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
    }
};

DefinicaoCurva todas(int algoritmo = 1, int parametro = 40, std::uint32_t cor = 0x0000FF) {
    return {QStringLiteral("ponto_obrigatorio = 0"), QStringLiteral("todas"), algoritmo, parametro,
            cor};
}

NoFormatado* noDoLink(TfrmParmsCurva& d, const QString& href) {
    for (NoFormatado* no : d.trvCurva->nos())
        if (no->legenda().contains(QStringLiteral("href=\"%1\"").arg(href)))
            return no;
    return nullptr;
}

QString legenda(TfrmParmsCurva& d, const QString& href) {
    return ArvoreFormatada::textoSimples(noDoLink(d, href)->legenda());
}

// In the criteria dialog: a period bound typed, then the colour and a power law with the
// h0 search starting at −300 cm.
void periodo(InteracaoRoteirizada& r, TfrmParmsCurva& d, const QString& href, const QDate& data) {
    r.esperaDialogo<TfrmDigitarData>([data](TfrmDigitarData& p) {
        p.edtData->setDate(data);
        p.bo_ok->click();
    });
    d.linkClicado(noDoLink(d, href), href);
}

void corEPotencial(InteracaoRoteirizada& r, TfrmParmsCurva& d, const QColor& cor) {
    r.esperaCor(cor);
    d.linkClicado(noDoLink(d, "cor_curva"), "cor_curva");
    r.esperaDialogo<TfrmDigitarNumero>([](TfrmDigitarNumero& p) {
        p.edtNumero->setText("-300");
        p.bo_ok->click();
    });
    d.algoritmoEscolhido(noDoLink(d, "algoritmo"), "Potencial (Ostrel)");
}

// The Validação page of curve `numero` in the station-data window, as figure → result.
QMap<QString, QString> paginaValidacao(Contexto& ctx, TTelaMedicao& t, int numero,
                                       QStringList* valores = nullptr) {
    t.om_DadosEstacao->trigger();
    TfrmDadosEstacao& f = *ctx.frmDadosEstacao;
    for (int i = 0; i < f.lstEstacao->count(); ++i)
        if (f.lstEstacao->item(i)->text() == QLatin1String("Curvas"))
            f.lstEstacaoChange(i);
    f.lstItensSelecionadosChange(numero - 1);
    QMap<QString, QString> resultado;
    const QTableWidget* g = f.pnlValidacao->grdFiguras;
    for (int r = 0; r < g->rowCount(); ++r) {
        resultado[g->item(r, 0)->text()] = g->item(r, 2)->text();
        if (valores)
            *valores << g->item(r, 1)->text();
    }
    f.hide();
    return resultado;
}

// Opens "Desvios ao longo do tempo" and runs `acao` in it (which closes it).
void desviosTempo(AmbientePrograma& a, TTelaMedicao& t,
                  const std::function<void(TDesviosTempo&)>& acao) {
    a.roteiro.esperaDialogo<TDesviosTempo>(acao);
    t.Validacao().om_DesviosTempo->trigger();
}

}  // namespace

class TesteValidacao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The consolidated measurements of 58110002 fitted as one curve fail a test and show a
    // change in 2010; split there, the two curves pass more tests than the one.
    void mudancaNaEstacaoDoParaiba() {
        if (!QFile::exists(fixture))
            QSKIP("Sem ../shared/fixtures/hidro/hidro_paraiba.mdb: teste ignorado.");
        AmbientePrograma a;
        a.roteiro.esperaDialogo<TMostrarEstacoesHidro>([](TMostrarEstacoesHidro& d) {
            for (int i = 0; i < d.lstEstacoes->topLevelItemCount(); ++i)
                if (d.lstEstacoes->topLevelItem(i)->text(TMostrarEstacoesHidro::Codigo) ==
                    QLatin1String("58110002"))
                    d.lstEstacoes->topLevelItem(i)->setCheckState(0, Qt::Checked);
            d.bo_ok->click();
        });
        a.roteiro.esperaDialogo<TDigitarEstacao>([](TDigitarEstacao& d) { d.bo_ok->click(); });
        a.roteiro.esperaDialogo<TfrmConfigImport>([](TfrmConfigImport& d) {
            d.chkConsistido->setChecked(true);
            d.bo_ok->click();
        });
        a.roteiro.esperaMensagem(
            QString::fromUtf8("Estação 58110002:\n"
                              "22 medições sem cota ou sem vazão não foram importadas.\n"
                              "31 medições com números já usados por outras medições "
                              "receberam os números 64 a 94, por ordem de data."));
        a.janela().ImportaDadosMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        const int id = a.escalar("select idestacao from estacao where codigo = 58110002").toInt();
        a.selecionarEstacao(id);
        TTelaMedicao& tela = *a.ctx().TelaMedicao;
        const QDate mudanca(2010, 8, 19);

        int aprovadosUma = 0, aprovadosDuas = 0;
        double seUma = 0;
        a.roteiro.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
            // One curve over every measurement.
            a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                corEPotencial(a.roteiro, d, Qt::blue);
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.Trechos[1].totalLinhas(), 94);
            const ValidacaoCurva uma = ValidarCurva(t.Trechos[1]);
            aprovadosUma = uma.testesAprovados();
            seUma = uma.Se;
            QCOMPARE(uma.sequencias.veredito, Veredito::NaoPassa);
            const auto pagina = paginaValidacao(a.ctx(), t, 1);
            QCOMPARE(pagina.value("Teste de sequências"), QString("não passa"));
            QCOMPARE(pagina.value("Teste de sinais"), textoVeredito(uma.sinais.veredito));

            // The change, and a new curve from its date.
            desviosTempo(a, t, [&](TDesviosTempo& d) {
                QCOMPARE(d.DataMarcada, mudanca);
                QVERIFY2(d.lblPettitt->text().contains("mudança mais provável em 19/08/2010"),
                         qPrintable(d.lblPettitt->text()));
                QVERIFY(d.bo_NovaCurva->isEnabled());
                a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& p) {
                    QCOMPARE(legenda(p, "periodo_inicio"), QString("a partir de 19/08/2010"));
                    QCOMPARE(legenda(p, "periodo_fim"), QString("a (não selecionado)"));
                    corEPotencial(a.roteiro, p, Qt::red);
                    p.bo_ok->click();
                });
                d.bo_NovaCurva->click();
            });
            QCOMPARE(t.TotalCurvas, 2);
            for (const LinhaMedida& l : t.Trechos[2].Medicoes)
                QVERIFY(l.data >= mudanca);
            QCOMPARE(t.Trechos[2].totalLinhas(), 22);

            // The split: until the day before, and from the date on.
            a.roteiro.esperaPergunta("Ajuste atual será descartado. Confirma reinicializar ajuste?",
                                     true);
            t.om_InicializarAjuste->trigger();
            a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                QCOMPARE(legenda(d, "periodo_inicio"), QString("de (não selecionado)"));
                periodo(a.roteiro, d, "periodo_fim", mudanca.addDays(-1));
                corEPotencial(a.roteiro, d, Qt::blue);
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                periodo(a.roteiro, d, "periodo_inicio", mudanca);
                corEPotencial(a.roteiro, d, Qt::red);
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.Trechos[1].totalLinhas() + t.Trechos[2].totalLinhas(), 94);
            const ValidacaoCurva antes = ValidarCurva(t.Trechos[1]);
            const ValidacaoCurva depois = ValidarCurva(t.Trechos[2]);
            aprovadosDuas = antes.testesAprovados() + depois.testesAprovados();
            QVERIFY(antes.Se < seUma);
            // Split, the series shows no change any more.
            desviosTempo(a, t, [&](TDesviosTempo& d) {
                QVERIFY2(d.lblPettitt->text().contains("sem mudança significativa"),
                         qPrintable(d.lblPettitt->text()));
                d.reject();
            });
            const auto pagina2 = paginaValidacao(a.ctx(), t, 2);
            QCOMPARE(pagina2.value("Teste de sequências"),
                     textoVeredito(depois.sequencias.veredito));
            fecharSemSalvar(t, a.roteiro);
        });
        tela.Abrir(id);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QVERIFY2(aprovadosDuas > aprovadosUma,
                 qPrintable(QString("%1 contra %2").arg(aprovadosDuas).arg(aprovadosUma)));
    }

    void faixaEAtipicasNoGrafico() {
        Estacao e;
        e.abrir({todas(), todas(2, 2, 0x00FF00)}, [&](TTelaMedicao& t) {
            ComandosValidacao& v = t.Validacao();
            // Opções › Gráfico, beside "Pan"; Lumeno › Desvios ao longo do tempo.
            QCOMPARE(qobject_cast<QMenu*>(v.om_FaixaConfianca->parent())->title(),
                     QString("Gráfico"));
            QVERIFY(t.mnuLumeno->actions().contains(v.om_DesviosTempo));
            QVERIFY(v.om_FaixaConfianca->isCheckable());
            QVERIFY(!v.om_FaixaConfianca->isChecked());
            QVERIFY(!v.Faixa().visivel());
            const int itens = t.Grafico->totalItens();
            const QImage sem = t.Grafico->imagem(600, 400).toImage();

            v.om_FaixaConfianca->trigger();
            QVERIFY(v.Faixa().visivel());
            // Two lines for the power law, none for the polynomial; measurement 5 ringed.
            const CamadaFaixaConfianca::Desenho d = v.Faixa().calcular();
            QCOMPARE(d.linhas.size(), size_t(2));
            const auto faixa = FaixaConfianca(t.Trechos[1], ValidarCurva(t.Trechos[1]));
            QCOMPARE(d.linhas[0].pontos.size(), faixa.size());
            QCOMPARE(d.linhas[0].pontos[10], QPointF(faixa[10].inferior, faixa[10].cota));
            QCOMPARE(d.linhas[1].pontos[10], QPointF(faixa[10].superior, faixa[10].cota));
            QCOMPARE(d.linhas[0].cor, QColor(255, 0, 0));
            QCOMPARE(d.atipicas.size(), size_t(1));
            QCOMPARE(d.atipicas[0].y(), 180.0);
            // Drawn, but not one of the chart's items.
            QCOMPARE(t.Grafico->totalItens(), itens);
            QVERIFY(t.Grafico->imagem(600, 400).toImage() != sem);

            // A new load has no curves: nothing to draw, the option stays on.
            a_inicializar(e, t);
            QVERIFY(v.Faixa().calcular().linhas.empty());
            QVERIFY(v.om_FaixaConfianca->isChecked());
            v.om_FaixaConfianca->trigger();
            QVERIFY(!v.Faixa().visivel());
        });
    }

    void relacaoComAtipicasEExportacao() {
        Estacao e;
        QTemporaryDir dir;
        const QString arquivo = dir.filePath("desvios.xls");
        ValidacaoCurva v;
        e.abrir({todas()}, [&](TTelaMedicao& t) {
            v = ValidarCurva(t.Trechos[1]);
            e.a.roteiro.esperaDialogo<TMostrarPontosExtrapolados>(
                [&](TMostrarPontosExtrapolados& d) {
                    QTableWidget* g = d.GradePontosExtrap;
                    QCOMPARE(g->columnCount(), 7);
                    QCOMPARE(g->horizontalHeaderItem(6)->text(), QString("Atípica"));
                    for (int r = 0; r < g->rowCount(); ++r)
                        QCOMPARE(g->item(r, 6)->text(),
                                 QString(g->item(r, 4)->text() == "5" ? "> 3 Se" : ""));
                    e.a.roteiro.esperaSalvarArquivo(arquivo);
                    e.a.roteiro.esperaMensagem("Arquivo gravado com sucesso!");
                    d.bo_exportar->click();
                    d.accept();
                });
            t.om_RelacaoVazoes->trigger();
        });
        const LeituraXlrd x = lerComXlrd(arquivo);
        QVERIFY2(x.ok, qPrintable(x.erro));
        QCOMPARE(x.celulas.value({1, 7}).toString(), QString("Atípica"));
        QCOMPARE(x.celulas.value({6, 7}).toString(), QString("> 3 Se"));  // measurement 5
        QVERIFY(!x.celulas.contains({7, 7}));
        // The validation two rows below the measurements (from row 3).
        const int r0 = 2 + totalMedicoes + 1;
        QCOMPARE(x.celulas.value({r0, 1}).toString(), QString("Validação das curvas"));
        QCOMPARE(x.celulas.value({r0 + 2, 1}).toString(), QString("Curva 1 - Potencial"));
        QCOMPARE(x.celulas.value({r0 + 3, 4}).toString(), QString("Resultado"));
        QCOMPARE(x.celulas.value({r0 + 4, 1}).toString(), QString("Medições usadas"));
        QCOMPARE(x.celulas.value({r0 + 4, 3}).toDouble(), double(totalMedicoes));
        QCOMPARE(x.celulas.value({r0 + 5, 2}).toDouble(), v.Se);
        bool achou = false;
        for (int r = r0 + 4; r < r0 + 20; ++r)
            if (x.celulas.value({r, 1}).toString() == QLatin1String("Teste de sinais")) {
                achou = true;
                QCOMPARE(x.celulas.value({r, 2}).toDouble(), v.sinais.estatistica);
                QCOMPARE(x.celulas.value({r, 4}).toString(), textoVeredito(v.sinais.veredito));
            }
        QVERIFY(achou);
    }

    void desviosTempoSemMudancaEClique() {
        Estacao e;
        e.abrir({todas()}, [&](TTelaMedicao& t) {
            desviosTempo(e.a, t, [&](TDesviosTempo& d) {
                QCOMPARE(d.windowTitle(), QString("Desvios ao longo do tempo"));
                QVERIFY2(d.lblPettitt->text().contains("sem mudança significativa"),
                         qPrintable(d.lblPettitt->text()));
                QVERIFY(!d.DataMarcada.isValid());
                QVERIFY(!d.bo_NovaCurva->isEnabled());
                // The zero line, twelve measurements and no change line.
                QCOMPARE(d.Grafico->totalItens(), 1 + totalMedicoes);
                // A click near measurement 3 marks its date.
                const ValidacaoCurva v = ValidarCurva(t.Trechos[1]);
                const QPointF p(anoFracionario(QDate(2000, 3, 1)), v.medicoes[2].percentual);
                d.GraficoClick(p + QPointF(0.01, 0.05));
                QCOMPARE(d.DataMarcada, QDate(2000, 3, 1));
                QVERIFY(d.bo_NovaCurva->isEnabled());
                QVERIFY(d.lblDataMarcada->text().contains("medição nº 3"));
                QCOMPARE(d.Grafico->totalItens(), 1 + totalMedicoes + 1);
                d.GraficoClick(
                    QPointF(anoFracionario(QDate(2000, 4, 1)), v.medicoes[3].percentual));
                QCOMPARE(d.DataMarcada, QDate(2000, 4, 1));
                QCOMPARE(d.Grafico->totalItens(), 1 + totalMedicoes + 1);
                d.bo_Fechar->click();
            });
            QCOMPARE(t.TotalCurvas, 1);
        });
    }

    void desviosTempoSoDepoisDeUmAjuste() {
        Estacao e(3);
        e.abrir({}, [&](TTelaMedicao& t) {
            Q_EMIT t.mnuLumeno->aboutToShow();
            QVERIFY(!t.Validacao().om_DesviosTempo->isEnabled());
        });
        e.abrir({todas()}, [&](TTelaMedicao& t) {
            Q_EMIT t.mnuLumeno->aboutToShow();
            QVERIFY(t.Validacao().om_DesviosTempo->isEnabled());
            desviosTempo(e.a, t, [](TDesviosTempo& d) {
                QVERIFY(d.lblPettitt->text().contains("amostra insuficiente"));
                QVERIFY(!d.bo_NovaCurva->isEnabled());
                d.reject();
            });
        });
    }

    void paginaComAmostraPequena() {
        Estacao e(4);
        e.abrir({todas(), todas(2, 1, 0x00FF00)}, [&](TTelaMedicao& t) {
            QStringList valores;
            const auto pagina = paginaValidacao(e.a.ctx(), t, 1, &valores);
            const QString insuficiente = textoVeredito(Veredito::AmostraInsuficiente);
            for (const char* f : {"Teste de sinais", "Teste de sequências", "Teste de viés",
                                  "Atípicas (> 2 Se)", "Atípicas (> 3 Se)"})
                QCOMPARE(pagina.value(f), insuficiente);
            QCOMPARE(pagina.value("Erro padrão (Se)"), QString());
            for (const QString& texto : valores)
                QVERIFY2(!texto.contains("nan", Qt::CaseInsensitive), qPrintable(texto));
            QStringList poli;
            paginaValidacao(e.a.ctx(), t, 2, &poli);
            QVERIFY(poli.contains("não se aplica a curvas polinomiais"));
            QCOMPARE(e.a.ctx().frmDadosEstacao->pnlCurva->tabText(4), QString("Validação"));
        });
    }

private:
    static void a_inicializar(Estacao& e, TTelaMedicao& t) {
        e.a.roteiro.esperaPergunta("Ajuste atual será descartado. Confirma reinicializar ajuste?",
                                   true);
        t.om_InicializarAjuste->trigger();
    }
};

LUMENO_TESTE(TesteValidacao)
#include "tst_Validacao.moc"
