#include "analysis/DadosEstacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "app/ui/Contexto.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/ArvoreFormatada.h"
#include "components/EditorNumero.h"
#include "components/PainelGrafico.h"
#include "curves/CriteriosExclusao.h"
#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"
#include "support/LeitorPlanilhaExterno.h"
#include "support/ui/ContextoTeste.h"
#include "support/ui/FecharTelaMedicao.h"
#include "support/ui/InteracaoRoteirizada.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

// A station whose measurements follow Q = 40·(H − 1)² below 300 cm and
// Q = 20·(H − 0.5)^1.8 above, with one measurement off the curve.
struct Janela : ContextoTeste {
    DadosEstacao dados;
    TfrmDigitarNumero numero{roteiro};
    TMostrarPontosExtrapolados pontos{ctx};
    TTelaMedicao tela{ctx, dados};
    int id = 0;

    explicit Janela(bool comMedicoes = true) {
        ctx.frmDigitarNumero = &numero;
        ctx.MostrarPontosExtrapolados = &pontos;
        ctx.TelaMedicao = &tela;
        b.rio(3, "Rio Doce");
        id = b.estacao(58110002, "Ponte", 3);
        if (comMedicoes) {
            int n = 1;
            for (double h : {150.0, 200.0, 250.0, 300.0}) {
                b.medida(id, n, h, 40 * std::pow(h / 100 - 1, 2), QDate(1990, 1, n + 1));
                ++n;
            }
            b.medida(id, n++, 220, 70, QDate(1991, 2, 3));  // off the curve
            for (double h : {350.0, 400.0, 500.0}) {
                b.medida(id, n, h, 20 * std::pow(h / 100 - 0.5, 1.8), QDate(1992, 1, n));
                ++n;
            }
        }
        b.dm().qu_estacao1.abrir();
        b.dm().qu_estacao1.localizar("IdEstacao", id);
    }
    // Opens the window and runs `acao` while it is shown; closes it after. `internos`
    // scripts the prompts expected while the window is shown.
    void abrir(std::function<void(TTelaMedicao&)> acao, bool pendentes = false,
               std::function<void()> internos = {}) {
        roteiro.esperaDialogo<TTelaMedicao>([this, acao](TTelaMedicao& t) {
            acao(t);
            fecharSemSalvar(t, roteiro);
        });
        if (internos)
            internos();
        if (pendentes) {
            tela.ReiniciarConsulta = true;
            tela.GerarAoMostrar = true;
            ctx.interacao.executar(tela);
        } else {
            tela.Abrir(id);
        }
    }
};

DefinicaoCurva definicao(const QString& condicao, int algoritmo, int parametro, std::uint32_t cor) {
    return {condicao, condicao, algoritmo, parametro, cor};
}

// Why the legend panel, the yellow mark and the stored deviation disagree about the
// current measurement, or an empty text when they agree on measurement `numero`.
QString desacordo(TTelaMedicao& t, TDM& dm, int numero) {
    const Consulta& m = dm.qu_medida1;
    const int posicao = m.numeroRegistro();
    const QString atual = m.campo("numero").comoTexto();
    if (atual != QString::number(numero))
        return QStringLiteral("medição atual %1, esperada %2").arg(atual).arg(numero);
    if (t.lbNumero->text() != atual)
        return QStringLiteral("painel mostra a medição %1").arg(t.lbNumero->text());
    if (t.lbPercentual->text() != t.TabelaDesvios.texto(posicao))
        return QStringLiteral("painel mostra o desvio %1, guardado %2")
            .arg(t.lbPercentual->text(), t.TabelaDesvios.texto(posicao));
    const PainelGrafico::Item& marca = t.Grafico->item(t.Grafico->totalItens() - 1);
    const QPointF p = marca.pontos.value(0);
    if (marca.cor != QColor(255, 255, 0) || p.x() != m.campo("vazao").comoReal() ||
        p.y() != m.campo("cota").comoReal())
        return QStringLiteral("marca %1 em (%2, %3)").arg(marca.cor.name()).arg(p.x()).arg(p.y());
    return QString();
}

}  // namespace

class TesteTelaMedicao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void carga() {
        Janela j;
        j.b.medida(j.id, 10000, 120, 3, QDate(), 0, 0, 1);  // left by an earlier adjustment
        j.abrir([&](TTelaMedicao& t) {
            QCOMPARE(t.windowTitle(),
                     QString("Ajustar curvas - estação: 58110002 Ponte  (Rio Doce)"));
            QCOMPARE(t.lbPercentual->text(), QString("---"));
            // Origin lines, one cross per measurement and the yellow mark.
            QCOMPARE(t.Grafico->totalItens(), 2 + 8 + 1);
            QCOMPARE(
                j.b.escalar("select count(*) from medida where ponto_obrigatorio <> 0").toInt(), 0);
            QVERIFY(!t.mnuAjusteManual->isEnabled());
            QVERIFY(!t.om_RelacaoVazoes->isEnabled());
            QVERIFY(!t.om_ExtrapLogaritmica->isEnabled());
            QVERIFY(!t.om_ExtrapStevens->isEnabled());
            QVERIFY(!t.om_ExtrapManning->isEnabled());
            QVERIFY(t.om_GradeSem->isChecked());
            QVERIFY(t.om_CotaDecimal->isChecked());
            QCOMPARE(t.om_Eixos[0]->text(), QString("X = 0, Y = 0"));
            QVERIFY(t.om_Eixos[0]->isVisible());
            QVERIFY(!t.om_Eixos[1]->isVisible());
            QCOMPARE(t.lbNumero->text(), QString("1"));
            QCOMPARE(t.lbCota->text(), QString("150"));
            QVERIFY(!t.boPrimeiro->isEnabled());
            QVERIFY(t.boProximo->isEnabled());
            // Ranges with their margins.
            QCOMPARE(t.CotaMinMedicoes, 150.0);
            QCOMPARE(t.CotaMaxMedicoes, 500.0);
            QCOMPARE(t.Grafico->faixa(PainelGrafico::Eixo::Y).minimo, 150 - 0.03 * 350);
            // Summary: eight measurements and four limits.
            QCOMPARE(j.dados.lstItens().size(), size_t(12));
            QCOMPARE(ArvoreFormatada::textoSimples(
                         ArvoreFormatada::no(t.trvLegenda->topLevelItem(0))->legenda()),
                     QString("58110002 Ponte"));
            QVERIFY(!t.pnlParametros->isVisible());
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QVERIFY(!j.b.dm().qu_medida1.ativo());
    }

    // After a fit, a listing, a step and a pick the panel shows the deviation stored for
    // the measurement it shows, and that measurement is the one marked yellow.
    void painelMarcaEDesvioConcordam() {
        Janela j;
        j.tela.CurvasPendentes = {definicao("cota <= 300", 1, 100, 0xFF0000)};
        j.abrir(
            [&](TTelaMedicao& t) {
                // Just fitted: the first measurement, with its deviation.
                QCOMPARE(desacordo(t, j.b.dm(), 1), QString());
                QVERIFY(t.lbPercentual->text().endsWith('%'));
                t.Proximo();
                t.Proximo();
                QCOMPARE(desacordo(t, j.b.dm(), 3), QString());
                // The listing walks every measurement and leaves the current one as it was.
                t.om_RelacaoVazoes->trigger();
                QCOMPARE(desacordo(t, j.b.dm(), 3), QString());
                // A pick on the chart: measurement 6 (350 cm), beyond the curve.
                const double q6 = 20 * std::pow(3.5 - 0.5, 1.8);
                t.SelecionarNoGrafico(QPointF(q6, 350));
                QCOMPARE(desacordo(t, j.b.dm(), 6), QString());
                QCOMPARE(t.lbPercentual->text(), QString("---"));
                t.Anterior();
                QCOMPARE(desacordo(t, j.b.dm(), 5), QString());
                // A second fit by hand over the rest: the first measurement again.
                t.Grafico->removerUltimo();
                QVERIFY(t.ReservarCurva());
                t.AjustarETracar(t.TotalCurvas, {"cota > 300"}, {"cota > 300"}, 1, 100, 0xFF);
                QCOMPARE(desacordo(t, j.b.dm(), 1), QString());
                t.Ultimo();
                QCOMPARE(desacordo(t, j.b.dm(), 8), QString());
                QVERIFY(t.lbPercentual->text().endsWith('%'));
            },
            true,
            [&] {
                j.roteiro.esperaDialogo<TMostrarPontosExtrapolados>(
                    [](TMostrarPontosExtrapolados& d) { d.accept(); });
            });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    void curvasPendentesEDesvios() {
        Janela j;
        j.tela.CurvasPendentes = {definicao("cota <= 300 and numero <> 5", 1, 100, 0xFF0000),
                                  definicao("cota >= 300", 2, 2, 0x0000FF)};
        j.abrir(
            [&](TTelaMedicao& t) {
                QCOMPARE(t.TotalCurvas, 2);
                QVERIFY(t.AjusteAtivo);
                QVERIFY(t.mnuAjusteManual->isEnabled());
                QVERIFY(t.om_RelacaoVazoes->isEnabled());
                QCOMPARE(t.Trechos[1].Cor, 0xFF0000u);
                QCOMPARE(t.Trechos[2].Cor, 0x0000FFu);
                QCOMPARE(t.Trechos[1].totalLinhas(), 4);
                QVERIFY(std::abs(t.Trechos[1].H0 - 1.0) < 0.02);
                QCOMPARE(t.CotaMaxCurvas, 500.0);
                // Deviations: measurement 1 on curve 1; 4 (300 cm) belongs to both, the later wins.
                const double q4 = 40 * 4.0;
                const CurvaTrecho& p = t.Trechos[2];
                const double qc =
                    p.Coeficientes[0] + p.Coeficientes[1] * 300 + p.Coeficientes[2] * 90000;
                QCOMPARE(t.TabelaDesvios.texto(4),
                         TabelaDesvios::textoDesvio((qc - q4) / q4 * 100));
                // Next from the first measurement shows the second one's deviation.
                t.Primeiro();
                QCOMPARE(t.lbPercentual->text(), t.TabelaDesvios.texto(1));
                t.boProximo->click();
                QCOMPARE(t.lbNumero->text(), QString("2"));
                QCOMPARE(t.lbPercentual->text(), t.TabelaDesvios.texto(2));
                t.boAnterior->click();
                QCOMPARE(t.lbNumero->text(), QString("1"));
                // Curves drawn: the load's items, then per curve its marks and line.
                QCOMPARE(j.dados.lstEstacao().size(), size_t(3));
                QVERIFY(j.dados.AcharNo(20, 2));
            },
            true);
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    void zoomEPilha() {
        Janela j;
        j.abrir([&](TTelaMedicao& t) {
            const auto antes = t.Grafico->faixa(PainelGrafico::Eixo::X);
            for (int i = 0; i < 100; ++i) {
                QVERIFY(t.om_ZoomIn->isEnabled());
                t.om_ZoomIn->trigger();
                t.ZoomFeito();
            }
            QVERIFY(!t.om_ZoomIn->isEnabled());
            QVERIFY(!t.pop_ZoomIn->isEnabled());
            t.Grafico->definirFaixa(PainelGrafico::Eixo::X, 10, 20);
            t.om_ZoomOut->trigger();
            QVERIFY(t.om_ZoomIn->isEnabled());
            for (int i = 0; i < 99; ++i)
                t.pop_VoltarZoom->trigger();
            QVERIFY(!t.om_ZoomOut->isEnabled());
            QVERIFY(!t.pop_VoltarZoom->isEnabled());
            QCOMPARE(t.Grafico->faixa(PainelGrafico::Eixo::X).minimo, antes.minimo);
            QCOMPARE(t.Grafico->faixa(PainelGrafico::Eixo::X).maximo, antes.maximo);
            // Pan does not touch the stack.
            t.om_Pan->trigger();
            QCOMPARE(t.Grafico->modoMouse(), PainelGrafico::ModoMouse::Pan);
            t.ZoomFeito();
            QVERIFY(!t.om_ZoomOut->isEnabled());
            t.om_Pan->trigger();
            QCOMPARE(t.Grafico->modoMouse(), PainelGrafico::ModoMouse::Normal);
            // Grids and axes.
            t.om_GradeSolida->trigger();
            QVERIFY(t.om_GradeSolida->isChecked() && !t.om_GradeSem->isChecked());
            QCOMPARE(t.Grafico->grade(), PainelGrafico::Grade::Solida);
            t.om_VazaoLogaritmico->trigger();
            QVERIFY(t.Grafico->logaritmico(PainelGrafico::Eixo::X));
            QVERIFY(!t.om_VazaoDecimal->isChecked());
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    void eixosAuxiliares() {
        Janela j;
        auto digitar = [](const QString& valor) {
            return [valor](TfrmDigitarNumero& d) {
                d.edtNumero->setText(valor);
                d.bo_ok->click();
            };
        };
        auto internos = [&] {
            for (int i = 0; i < 7; ++i)
                j.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar(QString::number(100 + i)))
                    .esperaDialogo<TfrmDigitarNumero>(digitar(QString::number(200 + i)));
            j.roteiro.esperaMensagemComTitulo("Gráfico já possui o limite de eixos (8)",
                                              "Atenção!");
        };
        j.abrir(
            [&](TTelaMedicao& t) {
                const int itens = t.Grafico->totalItens();
                for (int i = 0; i < 8; ++i)
                    t.om_CriarNovoEixo->trigger();
                QCOMPARE(t.NumEixos, 8);
                QCOMPARE(t.om_Eixos[7]->text(), QString("X = 106, Y = 206"));
                QVERIFY(t.om_Eixos[7]->isVisible());
                QCOMPARE(t.Grafico->totalItens(), itens + 14);
            },
            false, internos);
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    void semMedicoesFecha() {
        Janela j(false);
        j.roteiro.esperaDialogo<TTelaMedicao>([](TTelaMedicao& t) { QVERIFY(!t.isVisible()); });
        j.roteiro.esperaMensagemComTitulo("Não há medições para esta seção !", QString());
        j.tela.Abrir(j.id);
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    void escolhaNoGrafico() {
        Janela j;
        j.abrir([&](TTelaMedicao& t) {
            t.resize(898, 554);
            QApplication::processEvents();
            t.Grafico->atualizar();
            // Near measurement 5 (70 m³/s at 220 cm).
            t.SelecionarNoGrafico({70.3, 221});
            QCOMPARE(t.lbNumero->text(), QString("5"));
            QCOMPARE(t.Grafico->itemMaisProximo({70.3, 221}).value(), QPointF(70, 220));
            // Near the origin lines only: the current measurement stays.
            t.SelecionarNoGrafico({-9990, 5});
            QCOMPARE(t.lbNumero->text(), QString("5"));
        });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    void relacaoDeVazoesExportada() {
        Janela j;
        j.tela.CurvasPendentes = {definicao("cota <= 300", 1, 100, 0xFF0000)};
        QTemporaryDir dir;
        const QString arquivo = dir.filePath("desvios.xls");
        auto internos = [&] {
            j.roteiro.esperaDialogo<TMostrarPontosExtrapolados>([&](TMostrarPontosExtrapolados& d) {
                QCOMPARE(d.windowTitle(), QString("Dados calculados"));
                QCOMPARE(d.GradePontosExtrap->rowCount(), 8);
                QCOMPARE(d.GradePontosExtrap->horizontalHeaderItem(2)->text(),
                         QString("Vazão calc "));
                QCOMPARE(d.GradePontosExtrap->item(0, 0)->text(), QString("150.00"));
                QCOMPARE(d.GradePontosExtrap->item(5, 3)->text(), QString("---"));
                QCOMPARE(d.GradePontosExtrap->item(5, 2)->text(), QString());
                d.bo_exportar->click();
                d.accept();
            });
            j.roteiro.esperaSalvarArquivo(arquivo).esperaMensagemComTitulo(
                "Arquivo gravado com sucesso!", QString());
        };
        j.abrir([&](TTelaMedicao& t) { t.om_RelacaoVazoes->trigger(); }, true, internos);
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        const LeituraXlrd x = lerComXlrd(arquivo);
        QVERIFY2(x.ok, qPrintable(x.erro));
        QCOMPARE(x.celulas.value({0, 1}).toString(), QString("Código: 58110002"));
        QCOMPARE(x.celulas.value({1, 3}).toString(), QString("Vazão calc "));
        QCOMPARE(x.celulas.value({2, 1}).toDouble(), 150.0);
        QCOMPARE(x.celulas.value({2, 6}).toString(), QString("02/01/1990"));
        QCOMPARE(x.celulas.value({6, 4}).typeId(), QMetaType::Double);
        QVERIFY(!x.celulas.contains({7, 4}));  // measurement 6: no deviation
        QCOMPARE(x.celulas.value({7, 5}).toDouble(), 6.0);
        const LeituraSsconvert s = lerComSsconvert(arquivo);
        QVERIFY2(s.ok, qPrintable(s.erro));
        // The CSV starts at the first used column (B).
        QCOMPARE(s.linhas.value(2).value(5), QString("02/01/1990"));
        QCOMPARE(s.linhas.value(0).value(0), QString("Código: 58110002"));
    }

    void limiteDeCurvasEInicializar() {
        Janela j;
        j.tela.CurvasPendentes = {definicao("cota <= 300 and numero <> 5", 1, 100, 0xFF0000)};
        j.abrir(
            [&](TTelaMedicao& t) {
                QCOMPARE(t.TotalCurvas, 1);
                // A 101st curve is refused instead of being written past the storage.
                t.TotalCurvas = TTelaMedicao::maximoCurvas;
                const int itens = t.Grafico->totalItens();
                t.GerarCurvas();
                QCOMPARE(t.TotalCurvas, TTelaMedicao::maximoCurvas);
                QCOMPARE(t.Grafico->totalItens(), itens);
                t.TotalCurvas = 1;
                // "&Inicializar ajuste": No keeps the fit, Yes discards it.
                t.om_InicializarAjuste->trigger();
                QVERIFY(t.AjusteAtivo);
                t.om_InicializarAjuste->trigger();
                QVERIFY(!t.AjusteAtivo);
                QCOMPARE(t.TotalCurvas, 0);
                QCOMPARE(t.lbPercentual->text(), QString("---"));
            },
            true,
            [&] {
                j.roteiro.esperaMensagemComTitulo(
                    "O ajuste já tem 100 curvas, o máximo. Inicialize o ajuste para traçar outras.",
                    "Atenção");
                j.roteiro
                    .esperaPergunta("Ajuste atual será descartado. Confirma reinicializar ajuste?",
                                    false)
                    .esperaPergunta("Ajuste atual será descartado. Confirma reinicializar ajuste?",
                                    true);
            });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    void equacoesEFigura() {
        Janela j;
        j.tela.CurvasPendentes = {definicao("cota <= 300 and numero <> 5", 1, 100, 0xFF0000)};
        j.abrir(
            [&](TTelaMedicao& t) {
                t.ReconstruirLegenda();
                QCOMPARE(t.trvLegenda->nos().size(), 2);
                QVERIFY(ArvoreFormatada::textoSimples(t.trvLegenda->nos()[1]->legenda())
                            .startsWith("  Q = 40.0000 * ( h - 1.00)"));
                t.om_MostrarEquacoes->trigger();
                QVERIFY(t.pnlParametros->isVisible());
                t.om_CopiarFigura->trigger();
                QVERIFY(!QApplication::clipboard()->pixmap().isNull());
            },
            true,
            [&] {
                j.roteiro.esperaMensagemComTitulo("Figura copiada para área de tranferência",
                                                  QString());
            });
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }
};

LUMENO_TESTE(TesteTelaMedicao)
#include "tst_TelaMedicao.moc"
