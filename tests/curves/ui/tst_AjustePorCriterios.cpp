#include "analysis/DadosEstacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "app/ui/TSelecionarEstacao.h"
#include "app/ui/TfrmDigitarData.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/ArvoreFormatada.h"
#include "components/EditorNumero.h"
#include "components/PainelGrafico.h"
#include "curves/AjusteCurva.h"
#include "curves/CriteriosExclusao.h"
#include "curves/TabelaDesvios.h"
#include "curves/ui/TAjusteFixo.h"
#include "curves/ui/TAjusteFixoGeral.h"
#include "curves/ui/TCriterioExclusao.h"
#include "curves/ui/TDigitarParametrosCurva.h"
#include "curves/ui/TDigitarPontoObrigatorio.h"
#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "curves/ui/TfrmParmsCurva.h"
#include "support/ExecutorTestes.h"
#include "support/ui/AmbientePrograma.h"
#include "support/ui/FecharTelaMedicao.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

// A station whose measurements follow Q = 40·(H − 1)² from 150 to 300 cm and
// Q = 20·(H − 0.5)^1.8 from 350 to 600 cm.
struct Estacao {
    AmbientePrograma a;
    int id = 0;
    QList<QPair<double, double>> pontos;

    Estacao() {
        id = a.estacao(58110002, "Ponte");
        int n = 1;
        for (double h : {150.0, 175.0, 200.0, 250.0, 300.0}) {
            pontos << qMakePair(h, 40 * std::pow(h / 100 - 1, 2));
            a.medida(id, n, h, pontos.last().second, QDate(1989 + n, 3, 25));
            ++n;
        }
        for (double h : {350.0, 400.0, 500.0, 600.0}) {
            pontos << qMakePair(h, 20 * std::pow(h / 100 - 0.5, 1.8));
            a.medida(id, n, h, pontos.last().second, QDate(1989 + n, 3, 25));
            ++n;
        }
        a.selecionarEstacao(id);
    }
    TTelaMedicao& tela() { return *a.ctx().TelaMedicao; }

    // Opens the window; `acao` runs while it is shown and closes it.
    void abrir(const std::function<void(TTelaMedicao&)>& acao) {
        a.roteiro.esperaDialogo<TTelaMedicao>([this, acao](TTelaMedicao& t) {
            acao(t);
            fecharSemSalvar(t, a.roteiro);
        });
        tela().Abrir(id);
    }
};

NoFormatado* noDoLink(TfrmParmsCurva& d, const QString& href) {
    for (NoFormatado* no : d.trvCurva->nos())
        if (no->legenda().contains(QStringLiteral("href=\"%1\"").arg(href)))
            return no;
    return nullptr;
}

void clicar(TfrmParmsCurva& d, const QString& href) {
    d.linkClicado(noDoLink(d, href), href);
}

std::function<void(TfrmDigitarNumero&)> digitar(const QString& valor,
                                                const QString& titulo = QString()) {
    return [=](TfrmDigitarNumero& p) {
        if (!titulo.isEmpty())
            QCOMPARE(p.windowTitle(), titulo);
        p.edtNumero->setText(valor);
        p.bo_ok->click();
    };
}

// Colour red and power law with h0 = 100 cm chosen in the dialog.
void escolherCorEAlgoritmo(InteracaoRoteirizada& r, TfrmParmsCurva& d) {
    r.esperaCor(QColor(255, 0, 0));
    clicar(d, "cor_curva");
    r.esperaDialogo<TfrmDigitarNumero>(digitar("100", "H0 inicial (cm)"));
    d.algoritmoEscolhido(noDoLink(d, "algoritmo"), "Potencial (Ostrel)");
}

QString legenda(TfrmParmsCurva& d, const QString& href) {
    return ArvoreFormatada::textoSimples(noDoLink(d, href)->legenda());
}

}  // namespace

class TesteAjustePorCriterios : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void faixaDeCotas() {
        Estacao e;
        CriteriosDaCurva lidos;
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                QVERIFY(!d.Confirmado);
                QCOMPARE(legenda(d, "cota_inicio"), QString("de (não selecionado)"));
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("150", "Cota (cm)"));
                clicar(d, "cota_inicio");
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("300"));
                clicar(d, "cota_fim");
                QCOMPARE(legenda(d, "cota_inicio"), QString("iniciando na cota 150"));
                escolherCorEAlgoritmo(e.a.roteiro, d);
                QCOMPARE(legenda(d, "algoritmo"),
                         QString("Algoritmo para cálculo da curva: potencial (Ostrel), h0=100 cm"));
                QVERIFY(noDoLink(d, "cor_curva")->legenda().contains("bgcolor=\"#FF0000\""));
                lidos = d.criterios();
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.TotalCurvas, 1);
            QVERIFY(t.AjusteAtivo);
            const CurvaTrecho& c = t.Trechos[1];
            QCOMPARE(c.totalLinhas(), 5);
            QCOMPARE(c.Cor, 0x0000FFu);
            QVERIFY(std::abs(c.H0 - 1.0) < 1e-9);
            QVERIFY(std::abs(c.K - 40) < 1e-6);
            QCOMPARE(t.trvLegenda->nos().size(), 2);
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
        QCOMPARE(lidos.condicoes, (QStringList{"(cota >= 150 and ponto_obrigatorio = 0)", " and ",
                                               "(cota <= 300 and ponto_obrigatorio = 0)"}));
        QCOMPARE(lidos.descricoes, (QStringList{"iniciando na cota 150", "até a cota 300"}));
    }

    void periodo() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                e.a.roteiro.esperaDialogo<TfrmDigitarData>([](TfrmDigitarData& p) {
                    QCOMPARE(p.edtData->date(), QDate::currentDate());
                    p.edtData->setDate(QDate(1993, 3, 25));
                    p.bo_ok->click();
                });
                clicar(d, "periodo_inicio");
                QCOMPARE(legenda(d, "periodo_inicio"), QString("a partir de 25/03/1993"));
                const CriteriosDaCurva c = d.criterios();
                QCOMPARE(c.condicoes,
                         QStringList{"(data >= '03/25/1993' and ponto_obrigatorio = 0)"});
                QCOMPARE(c.descricoes, QStringList{"a partir de 25/03/1993"});
                escolherCorEAlgoritmo(e.a.roteiro, d);
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            // Measurements 4 to 9 (dates 25/03/1993 onward).
            QCOMPARE(t.Trechos[1].totalLinhas(), 6);
            QCOMPARE(t.Trechos[1].Medicoes.front().numero, 4.0);
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }

    void pontoObrigatorio() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                // Weight 1 refused, then 3 accepted.
                e.a.roteiro.esperaDialogo<TDigitarPontoObrigatorio>(
                    [&](TDigitarPontoObrigatorio& p) {
                        QCOMPARE(p.edPeso->text(), QString("0"));
                        p.edCota->setText("120");
                        p.edVazao->setText("3.5");
                        p.edPeso->setText("1");
                        p.bo_ok->click();
                        QVERIFY(p.isVisible());
                        // Above 999 the packed text would read back a tenth of it.
                        p.edPeso->setText("1000");
                        p.bo_ok->click();
                        QVERIFY(p.isVisible());
                        p.edPeso->setText("2");
                        p.bo_cancela->click();
                    });
                e.a.roteiro.esperaMensagemComTitulo("Peso do ponto deve ser maior que 1!",
                                                    QString());
                e.a.roteiro.esperaMensagemComTitulo("Peso do ponto deve ser no máximo 999!",
                                                    QString());
                clicar(d, "ponto_obr");
                QVERIFY(!noDoLink(d, "ponto_obr")->childCount());
                e.a.roteiro.esperaDialogo<TDigitarPontoObrigatorio>(
                    [](TDigitarPontoObrigatorio& p) {
                        p.edCota->setText("120");
                        p.edVazao->setText("3.5");
                        p.edPeso->setText("3");
                        p.bo_ok->click();
                    });
                clicar(d, "ponto_obr");
                NoFormatado* ponto = ArvoreFormatada::no(noDoLink(d, "ponto_obr")->child(0));
                QCOMPARE(ArvoreFormatada::textoSimples(ponto->legenda()),
                         QString("cota 120.00, vazão 3.50, peso 3"));
                QCOMPARE(ponto->registro<tDadosItem>()->Texto, QString("0000120.000000003.50003"));
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("150"));
                clicar(d, "cota_inicio");
                escolherCorEAlgoritmo(e.a.roteiro, d);
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(e.a.escalar("select count(*) from medida where ponto_obrigatorio = 1").toInt(),
                     3);
            QCOMPARE(
                e.a.escalar("select min(numero) from medida where ponto_obrigatorio = 1").toInt(),
                10000);
            QCOMPARE(
                e.a.escalar("select max(numero) from medida where ponto_obrigatorio = 1").toInt(),
                10002);
            QCOMPARE(t.Trechos[1].totalLinhas(), 12);
            // The mandatory rows drawn as diamonds in the curve's colour.
            int losangos = 0;
            for (int i = 0; i < t.Grafico->totalItens(); ++i)
                if (t.Grafico->item(i).tipo == PainelGrafico::Item::Tipo::Marca &&
                    t.Grafico->item(i).marca == PainelGrafico::Marca::Losango)
                    ++losangos;
            QCOMPARE(losangos, 3);
            // Summarised as one point of weight 3.
            DadosEstacao& dados = *e.a.ctx().dadosEstacao;
            const NoDados* grupo = DadosEstacao::AcharFilho(dados.AcharNo(20, 1), -90);
            QVERIFY(grupo);
            QCOMPARE(grupo->filhos.size(), size_t(1));
            QCOMPARE(grupo->filhos[0]->dados.texto, QString("cota 120, vazão 3.5, peso 3"));
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
        // Reopening the station removes them.
        e.abrir([](TTelaMedicao&) {});
        QCOMPARE(e.a.escalar("select count(*) from medida where ponto_obrigatorio <> 0").toInt(),
                 0);
    }

    // A measurement of discharge 0 in the selection is left out of the power law: the fit
    // says so and the curve's validity lines list it.
    void vazaoNulaInformada() {
        Estacao e;
        e.a.medida(e.id, 20, 160, 0);
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("150"));
                clicar(d, "cota_inicio");
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("300"));
                clicar(d, "cota_fim");
                escolherCorEAlgoritmo(e.a.roteiro, d);
                e.a.roteiro.esperaMensagemComTitulo(
                    "1 medição com vazão nula ou negativa foi ignorada no ajuste", "Atenção");
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.Trechos[1].totalLinhas(), 6);
            QVERIFY(std::abs(t.Trechos[1].K - 40) < 1e-6);
            const auto& itens = e.a.ctx().dadosEstacao->lstItens();
            QVERIFY(!itens.empty());
            QCOMPARE(itens.back().item.validade,
                     (QStringList{"iniciando na cota 150", "até a cota 300",
                                  "Ignoradas (vazão nula ou negativa): 20"}));
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }

    // Minimising and restoring the window keeps the adjustment: curves, deviations and
    // mandatory points are still there.
    void restaurarMantemAjuste() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                e.a.roteiro.esperaDialogo<TDigitarPontoObrigatorio>(
                    [](TDigitarPontoObrigatorio& p) {
                        p.edCota->setText("120");
                        p.edVazao->setText("3.5");
                        p.edPeso->setText("2");
                        p.bo_ok->click();
                    });
                clicar(d, "ponto_obr");
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("300"));
                clicar(d, "cota_fim");
                escolherCorEAlgoritmo(e.a.roteiro, d);
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.TotalCurvas, 1);
            const QString desvio = t.TabelaDesvios.texto(2);
            QVERIFY(desvio != TabelaDesvios::semDesvio);
            const int itens = t.Grafico->totalItens();

            t.showMinimized();
            QApplication::processEvents();
            t.showNormal();
            QApplication::processEvents();

            QCOMPARE(t.TotalCurvas, 1);
            QVERIFY(t.AjusteAtivo);
            QCOMPARE(t.Trechos[1].totalLinhas(), 7);
            QCOMPARE(t.TabelaDesvios.texto(2), desvio);
            QCOMPARE(t.Grafico->totalItens(), itens);
            QVERIFY(t.om_RelacaoVazoes->isEnabled());
            QCOMPARE(e.a.escalar("select count(*) from medida where ponto_obrigatorio = 1").toInt(),
                     2);
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }

    // A start value of the h0 search far below the stages is refused before the search,
    // by the command's message; the window goes on.
    void buscaDeH0LongaRecusada() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                e.a.roteiro.esperaCor(QColor(255, 0, 0));
                clicar(d, "cor_curva");
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("-200000"));
                d.algoritmoEscolhido(noDoLink(d, "algoritmo"), "Potencial (Ostrel)");
                e.a.roteiro.esperaMensagemComTitulo(
                    "A busca de h0 partiria de -200000 cm, mais de 1 km (100000 cm) abaixo da "
                    "menor cota das medições, 150 cm. Verifique o h0 inicial e a cota mínima da "
                    "seção transversal.",
                    "Atenção");
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QVERIFY(!t.AjusteAtivo);
            QVERIFY(t.isVisible());
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }

    void grauEH0Recusados() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                NoFormatado* algoritmo = noDoLink(d, "algoritmo");
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("9", "Grau do polinômio"));
                e.a.roteiro.esperaMensagemComTitulo("Grau do polinômio deve estar entre 1 e 8",
                                                    "Atenção");
                d.algoritmoEscolhido(algoritmo, "Polinomial");
                QVERIFY(!d.AlgoritmoEscolhido);
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("8"));
                d.algoritmoEscolhido(algoritmo, "Polinomial");
                QCOMPARE(d.Parametro, 8);
                QCOMPARE(legenda(d, "algoritmo"),
                         QString("Algoritmo para cálculo da curva: polinomial, grau 8"));
                // h0 equal to the lowest stage (150 cm): refused, the link keeps its value.
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("150", "H0 inicial (cm)"));
                e.a.roteiro.esperaMensagemComTitulo(
                    "Valor de h0 deve ser inferior à menor cota da estação!", "Erro");
                d.algoritmoEscolhido(algoritmo, "Potencial (Ostrel)");
                QCOMPARE(d.Algoritmo, 2);
                QCOMPARE(legenda(d, "algoritmo"),
                         QString("Algoritmo para cálculo da curva: polinomial, grau 8"));
                // OK without a colour.
                e.a.roteiro.esperaMensagemComTitulo("Selecione a cor da curva", "Atenção!");
                d.bo_ok->click();
                d.bo_cancela->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.TotalCurvas, 0);
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }

    void valoresPadrao() {
        Estacao e;
        auto q = e.a.dm().novaConsulta();
        q->SQL
            << "insert into curva_default (trecho, cor, algoritmo, parm) values (1, 255, 1, 100)";
        q->executar();
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                QVERIFY(d.Confirmado && d.CorEscolhida && d.AlgoritmoEscolhido);
                QVERIFY(noDoLink(d, "cor_curva")
                            ->legenda()
                            .contains("bgcolor=\"#FF0000\" color=\"#FF0000\""));
                QCOMPARE(legenda(d, "algoritmo"),
                         QString("Algoritmo para cálculo da curva: Potencial (Ostrel), h0=100"));
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.TotalCurvas, 1);
            QCOMPARE(t.Trechos[1].totalLinhas(), 9);
            QCOMPARE(t.Trechos[1].Cor, 255u);
            // No defaults for curve 2.
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                QVERIFY(!d.Confirmado && !d.CorEscolhida && !d.AlgoritmoEscolhido);
                QCOMPARE(legenda(d, "cor_curva"), QString("Cor da curva: (não selecionado)"));
                d.close();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.TotalCurvas, 1);
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }

    void selecaoVaziaRecarrega() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("400"));
                clicar(d, "cota_inicio");
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("200"));
                clicar(d, "cota_fim");
                escolherCorEAlgoritmo(e.a.roteiro, d);
                e.a.roteiro.esperaMensagemComTitulo("Há trecho indefinido!", "Atenção")
                    .esperaMensagemComTitulo(
                        "Não é possível calcular parâmetros: trecho indefinido!", "Atenção");
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.TotalCurvas, 0);
            QVERIFY(!t.AjusteAtivo);
            QCOMPARE(t.lbPercentual->text(), QString("---"));
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }
};

class TesteExclusaoEAjusteManual : public QObject {
    Q_OBJECT
private:
    // Fits curve 1 over 150–300 cm (power law from 100 cm) with the colour `cor`.
    static void ajustarPrimeira(Estacao& e, TTelaMedicao& t,
                                const QColor& cor = QColor(0, 0, 255)) {
        e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
            e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("300"));
            clicar(d, "cota_fim");
            e.a.roteiro.esperaCor(cor);
            clicar(d, "cor_curva");
            e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("100"));
            d.algoritmoEscolhido(noDoLink(d, "algoritmo"), "Potencial (Ostrel)");
            d.bo_ok->click();
        });
        t.mniSelecaoCriterios->trigger();
    }

private Q_SLOTS:
    void exclusaoPelaJanela() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            e.a.roteiro.esperaDialogo<TCriterioExclusao>([&](TCriterioExclusao& c) {
                QCOMPARE(c.cboTipo->currentText(), QString("Período"));
                // A bad date is refused.
                c.edtDataDe->setText("31/02/1990");
                c.edtDataAte->setText("01/01/1991");
                c.bo_insere->click();
                c.cboTipo->setCurrentIndex(CriteriosExclusao::Cota);
                c.edtValorDe->setText("170");
                c.edtValorAte->setText("260");
                c.bo_insere->click();
                QCOMPARE(c.grCriterio->item(0, 1)->text(), QString("170.00"));
                c.cboTipo->setCurrentIndex(CriteriosExclusao::Medicoes);
                c.edtMedicaoDe->setValue(9);
                c.edtMedicaoAte->setValue(9);
                c.bo_insere->click();
                QCOMPARE(c.grCriterio->rowCount(), 2);
                c.close();
            });
            e.a.roteiro.esperaMensagemComTitulo("Data inválida!", "Erro");
            t.om_ExcluirPontos->trigger();
            // 175, 200, 250 (stage criterion) and measurement 9 are left out.
            QCOMPARE(e.a.dm().qu_medida1.totalRegistros(), 5);
            QCOMPARE(t.CotaMaxMedicoes, 500.0);
            ajustarPrimeira(e, t);
            QCOMPARE(t.Trechos[1].totalLinhas(), 2);
            // With a fit: the question comes first; deleting the first criterion keeps the second.
            e.a.roteiro.esperaPergunta("Ajuste atual será descartado. Continua?", true);
            e.a.roteiro.esperaDialogo<TCriterioExclusao>([&](TCriterioExclusao& c) {
                c.grCriterio->setCurrentCell(0, 0);
                e.a.roteiro.esperaPergunta("O critério será removido. Continua?", true);
                c.bo_deleta->click();
                QCOMPARE(c.grCriterio->item(0, 0)->text(), QString("Medições"));
                c.close();
            });
            t.om_ExcluirPontos->trigger();
            QVERIFY(!t.AjusteAtivo);
            QCOMPARE(e.a.dm().qu_medida1.totalRegistros(), 8);
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
        // Closing the window clears the criteria.
        QCOMPARE(e.a.ctx().criterios.total(), 0);
    }

    void fixandoH0() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            ajustarPrimeira(e, t);
            t.Trechos[1].H0 = 1.0042;  // as if the search had found a finer value
            e.a.roteiro.esperaDialogo<TAjusteFixo>([&](TAjusteFixo& d) {
                QCOMPARE(d.lstParametros->topLevelItem(0)->text(2), QString("1.00"));
                // At or above the lowest stage of the curve (1.50 m): refused, value kept.
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("1.5", "h0 (m)"));
                e.a.roteiro.esperaMensagemComTitulo(
                    "Valor de h0 não deve ultrapassar a menor cota das medições da estação",
                    "Erro");
                d.lstParametrosDblClick(d.lstParametros->topLevelItem(0));
                QCOMPARE(d.lstParametros->topLevelItem(0)->text(2), QString("1.00"));
                d.bo_ok->click();
            });
            t.mnuAjusteManual->setEnabled(true);
            t.om_AjusteH0->trigger();
            const CurvaTrecho& c = t.Trechos[1];
            QCOMPARE(c.H0, 1.0);
            QVERIFY(std::abs(c.K - 40) < 1e-9);
            QVERIFY(std::abs(c.M - 2) < 1e-9);
            QCOMPARE(t.TopoZoom, 0);
            QVERIFY(ArvoreFormatada::textoSimples(t.trvLegenda->nos()[1]->legenda())
                        .contains("Q = 40.0000 * ( h - 1.00)"));
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }

    void fixandoTresParametros() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            ajustarPrimeira(e, t, QColor(0, 0, 255));
            e.a.roteiro.esperaDialogo<TAjusteFixoGeral>([&](TAjusteFixoGeral& d) {
                QCOMPARE(d.lstParametros->topLevelItemCount(), 1);
                for (int i = 0; i < 11; ++i) {
                    d.lstParametros->setCurrentItem(d.lstParametros->topLevelItem(0));
                    e.a.roteiro.esperaDialogo<TDigitarParametrosCurva>(
                        [&, i](TDigitarParametrosCurva& p) {
                            p.edtK->setText(QString::number(30 + i));
                            p.edtM->setText("2");
                            p.edtH0->setText("1");
                            QTest::mouseClick(p.edtCor, Qt::LeftButton);
                            p.bo_ok->click();
                        });
                    e.a.roteiro.esperaCor(QColor(255, 0, 0));
                    d.EditarClick();
                }
                QCOMPARE(d.lstParametros->topLevelItemCount(), 10);
                QCOMPARE(d.lstParametros->topLevelItem(0)->text(1), QString("40.00000"));
                QCOMPARE(d.lstParametros->topLevelItem(9)->text(1), QString("31.00000"));
                QCOMPARE(t.Trechos[1].Cor, 0x0000FFu);  // red while trying
                d.close();
            });
            t.om_AjustaTodos->trigger();
            // Back in blue, with the parameters last typed.
            QCOMPARE(t.Trechos[1].Cor, 0xFF0000u);
            QCOMPARE(t.Trechos[1].K, 40.0);
            QVERIFY(t.mnuLumeno->isEnabled());
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }

    void parametrosRecusados() {
        Estacao e;
        e.abrir([&](TTelaMedicao& t) {
            ajustarPrimeira(e, t);
            e.a.roteiro.esperaDialogo<TAjusteFixoGeral>([&](TAjusteFixoGeral& d) {
                d.lstParametros->setCurrentItem(d.lstParametros->topLevelItem(0));
                e.a.roteiro.esperaDialogo<TDigitarParametrosCurva>([&](TDigitarParametrosCurva& p) {
                    e.a.roteiro.esperaMensagemComTitulo("Deve selecionar cor para a nova curva!",
                                                        "Atenção");
                    p.bo_ok->click();
                    e.a.roteiro.esperaCor(QColor(0, 255, 0));
                    p.escolherCor();
                    p.edtH0->setText("1.5");
                    e.a.roteiro.esperaMensagemComTitulo(
                        "Valor de h0 não deve ultrapassar a menor cota das medições da estação",
                        "Erro");
                    p.bo_ok->click();
                    p.bo_cancela->click();
                });
                d.EditarClick();
                QCOMPARE(d.lstParametros->topLevelItemCount(), 1);
                d.close();
            });
            t.om_AjustaTodos->trigger();
        });
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
    }
};

// From the main menu to the listing of deviations, every number checked against values
// computed here from the measurements.
class TesteAjusteCompleto : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void duasCurvasH0FixoEDesvios() {
        Estacao e;
        QStringList desvios;
        e.a.roteiro.esperaDialogo<TSelecionarEstacao>([](TSelecionarEstacao& d) {
            d.lstEstacao->setCurrentItem(d.lstEstacao->topLevelItem(0));
            d.bo_ok->click();
        });
        e.a.roteiro.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
            // Curve 1: 150–300 cm, power law.
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("300"));
                clicar(d, "cota_fim");
                escolherCorEAlgoritmo(e.a.roteiro, d);
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            // Curve 2: from 300 cm, with a mandatory point (700 cm, 330 m³/s, weight 2).
            e.a.roteiro.esperaDialogo<TfrmParmsCurva>([&](TfrmParmsCurva& d) {
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("300"));
                clicar(d, "cota_inicio");
                e.a.roteiro.esperaDialogo<TDigitarPontoObrigatorio>(
                    [](TDigitarPontoObrigatorio& p) {
                        p.edCota->setText("700");
                        p.edVazao->setText("330");
                        p.edPeso->setText("2");
                        p.bo_ok->click();
                    });
                clicar(d, "ponto_obr");
                e.a.roteiro.esperaCor(QColor(0, 128, 0));
                clicar(d, "cor_curva");
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("0"));
                d.algoritmoEscolhido(noDoLink(d, "algoritmo"), "Potencial (Ostrel)");
                d.bo_ok->click();
            });
            t.mniSelecaoCriterios->trigger();
            QCOMPARE(t.TotalCurvas, 2);
            QCOMPARE(t.Trechos[2].totalLinhas(), 7);
            // h0 of curve 2 fixed at 0.50 m.
            e.a.roteiro.esperaDialogo<TAjusteFixo>([&](TAjusteFixo& d) {
                e.a.roteiro.esperaDialogo<TfrmDigitarNumero>(digitar("0.5"));
                d.lstParametrosDblClick(d.lstParametros->topLevelItem(1));
                d.bo_ok->click();
            });
            t.om_AjusteH0->trigger();
            e.a.roteiro.esperaDialogo<TMostrarPontosExtrapolados>(
                [&](TMostrarPontosExtrapolados& d) {
                    for (int r = 0; r < d.GradePontosExtrap->rowCount(); ++r)
                        desvios << d.GradePontosExtrap->item(r, 3)->text();
                    d.accept();
                });
            t.om_RelacaoVazoes->trigger();
            fecharSemSalvar(t, e.a.roteiro);
        });
        e.a.janela().mniAjustarCurvas->trigger();
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());

        // Curve 1 passes through its measurements; curve 2, fitted at h0 = 0.5 m by least
        // squares on ln Q = ln k + m ln(H − 0.5) over its rows (300 cm and above, plus the
        // mandatory point twice), gives the deviations of measurements 5 to 9.
        QList<QPair<double, double>> linhas;
        for (const auto& p : e.pontos)
            if (p.first >= 300)
                linhas << p;
        linhas << qMakePair(700.0, 330.0) << qMakePair(700.0, 330.0);
        double sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (const auto& [h, q] : linhas) {
            const double x = std::log(h / 100 - 0.5), y = std::log(q);
            sx += x;
            sy += y;
            sxx += x * x;
            sxy += x * y;
        }
        const double n = linhas.size();
        const double m = (sxy - sx * sy / n) / (sxx - sx * sx / n);
        const double k = std::exp((sxx * sy - sx * sxy) / (n * sxx - sx * sx));
        QCOMPARE(desvios.size(), 9);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(desvios[i], QString("0.00%"));
        for (int i = 4; i < 9; ++i) {
            const auto [h, q] = e.pontos[i];
            const double qc = k * std::exp(m * std::log(h / 100 - 0.5));
            QCOMPARE(desvios[i], TabelaDesvios::textoDesvio((qc - q) / q * 100));
        }
        QVERIFY(desvios[8] != QString("0.00%"));
    }
};

LUMENO_TESTE(TesteAjustePorCriterios)
LUMENO_TESTE(TesteExclusaoEAjusteManual)
LUMENO_TESTE(TesteAjusteCompleto)
#include "tst_AjustePorCriterios.moc"
