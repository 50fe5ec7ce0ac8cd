#include "analysis/ui/TColorirPontos.h"
#include "analysis/ui/TGraficos.h"
#include "analysis/ui/TTelaMedicao.h"
#include "analysis/ui/TfrmPontosLumeno.h"
#include "app/ui/TSelecionarEstacao.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/EditorNumero.h"
#include "components/PainelGrafico.h"
#include "curves/ui/TfrmEscolherAlgoritmo.h"
#include "editing/ui/TControleEstacao.h"
#include "import/GravacaoImportacao.h"
#include "import/LeitorCop.h"
#include "import/LeitorTexto.h"
#include "support/ExecutorTestes.h"
#include "support/ui/AmbientePrograma.h"
#include "support/ui/ColunasVisiveis.h"
#include "support/ui/FecharTelaMedicao.h"

#include <qcustomplot.h>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

using namespace lumeno;
using namespace lumeno::teste;
using Marca = PainelGrafico::Marca;

namespace {

const QColor azul(0, 0, 255);
const QColor vermelho(255, 0, 0);

struct Medicao {
    int numero;
    double cota, vazao, area, velocidade;
    QDate data;
};

// Eight measurements of one station, lowest stage 110 cm, not in stage order.
const Medicao medicoes[] = {
    {1, 110, 5, 20, 0.25, QDate(1990, 1, 10)},   {2, 150, 12, 30, 0.40, QDate(1990, 6, 1)},
    {3, 200, 30, 45, 0.67, QDate(1991, 1, 1)},   {4, 250, 55, 60, 0.92, QDate(1992, 3, 1)},
    {5, 300, 90, 80, 1.13, QDate(1993, 5, 1)},   {6, 180, 22, 40, 0.55, QDate(1995, 12, 31)},
    {7, 350, 130, 100, 1.30, QDate(1996, 1, 1)}, {8, 400, 180, 120, 1.50, QDate(1997, 2, 2)},
};

const Medicao& medicao(int numero) {
    return medicoes[numero - 1];
}

// The program with station 58110002 and its measurements.
struct Estacao {
    AmbientePrograma a;
    int id = 0;

    Estacao() {
        id = a.estacao(58110002, "Ponte");
        for (const Medicao& m : medicoes)
            inserir(id, m);
    }
    void inserir(int estacao, const Medicao& m, int obrigatorio = 0) {
        auto q = a.dm().novaConsulta();
        q->SQL << "insert into medida (estacao, numero, data, cota, vazao, area, velocidade, "
                  "ponto_obrigatorio)"
               << "values (:e, :n, :d, :c, :v, :a, :ve, :o)";
        q->definirParametro("e", estacao);
        q->definirParametro("n", m.numero);
        q->definirParametro("d", m.data);
        q->definirParametro("c", m.cota);
        q->definirParametro("v", m.vazao);
        q->definirParametro("a", m.area);
        q->definirParametro("ve", m.velocidade);
        q->definirParametro("o", obrigatorio);
        q->executar();
    }
    void executar(const QString& sql) {
        auto q = a.dm().novaConsulta();
        q->SQL << sql;
        q->executar();
    }

    // "Avaliar trechos", the station chosen in the picker; `acao` runs while the window is
    // shown, and the window is closed after it.
    void abrir(const std::function<void(TGraficos&)>& acao) {
        a.roteiro.esperaDialogo<TSelecionarEstacao>([](TSelecionarEstacao& d) {
            d.lstEstacao->setCurrentItem(d.lstEstacao->topLevelItem(0));
            d.bo_ok->click();
        });
        a.roteiro.esperaDialogo<TGraficos>([acao](TGraficos& g) {
            acao(g);
            g.close();
        });
        a.janela().mniAvaliarTrechos->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
    }
};

QStringList legendas(const TGraficos& g) {
    QStringList l;
    for (const QAction* a : g.mniLegenda->actions())
        l << a->text();
    return l;
}

const PainelGrafico::Item& ultimo(const PainelGrafico* p, int atras = 0) {
    return p->item(p->totalItens() - 1 - atras);
}

// The point of measurement `numero` on chart `i` of the window.
QPointF ponto(int grafico, int numero) {
    const Medicao& m = medicao(numero);
    const double x = grafico == TGraficos::CotaVazao  ? m.vazao
                     : grafico == TGraficos::CotaArea ? m.area
                                                      : m.velocidade;
    return {x, m.cota};
}

// Marks of one shape and colour on a chart, by the measurement they stand on.
QList<int> marcados(const PainelGrafico* p, int grafico, Marca marca, const QColor& cor) {
    QList<int> numeros;
    for (int i = 0; i < p->totalItens(); ++i) {
        const auto& item = p->item(i);
        if (item.tipo != PainelGrafico::Item::Tipo::Marca || item.marca != marca || item.cor != cor)
            continue;
        for (const Medicao& m : medicoes)
            if (item.pontos.constFirst() == ponto(grafico, m.numero))
                numeros << m.numero;
    }
    std::sort(numeros.begin(), numeros.end());
    return numeros;
}

// The measurement marked as current on every chart: an ordinary cross in `cor`, then
// the red disc, as the last two items.
void verificarAtual(const TGraficos& g, int numero, const QColor& cor) {
    for (int i = 0; i < 3; ++i) {
        const PainelGrafico* p = g.Grafico(i);
        QCOMPARE(ultimo(p).marca, Marca::Disco);
        QCOMPARE(ultimo(p).cor, vermelho);
        QCOMPARE(ultimo(p).pontos.constFirst(), ponto(i, numero));
        QCOMPARE(ultimo(p, 1).marca, Marca::XPequeno);
        QCOMPARE(ultimo(p, 1).cor, cor);
        QCOMPARE(ultimo(p, 1).pontos.constFirst(), ponto(i, numero));
    }
    QCOMPARE(g.lbNumero->text(), QString::number(numero));
}

}  // namespace

class TesteGraficos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void abertura() {
        Estacao e;
        e.executar("insert into rio (IdRio, Nome) values (7, 'Rio Doce')");
        e.executar(QString("update estacao set rio = 7 where IdEstacao = %1").arg(e.id));
        // A mandatory-point row left by an adjustment is no measurement.
        e.inserir(e.id, {10000, 120, 3, 0, 0, QDate()}, 1);
        e.abrir([&](TGraficos& g) {
            QCOMPARE(g.windowTitle(),
                     QString("Analisar dados - estacao: 58110002 Ponte  (Rio Doce)"));
            QCOMPARE(e.a.dm().tb_estacao.campo("Codigo").comoInteiro(), 58110002);
            // Stages 110 to 400 widened by a twentieth: 95.5 to 414.5 on all three charts.
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(g.Grafico(i)->faixa(PainelGrafico::Eixo::Y).minimo, 95.5);
                QCOMPARE(g.Grafico(i)->faixa(PainelGrafico::Eixo::Y).maximo, 414.5);
                // Eight crosses, then the first measurement again with the red disc.
                QCOMPARE(g.Grafico(i)->totalItens(), 8 + 2);
                QCOMPARE(marcados(g.Grafico(i), i, Marca::XPequeno, azul), QList<int>({1, 1}));
                QCOMPARE(marcados(g.Grafico(i), i, Marca::XPequeno, Qt::black),
                         QList<int>({2, 3, 4, 5, 6, 7, 8}));
            }
            QCOMPARE(g.rcCotaVelocidade->faixa(PainelGrafico::Eixo::X).minimo, 0.25 - 0.0625);
            verificarAtual(g, 1, azul);
            QCOMPARE(legendas(g), QStringList{"Medição   1 a 1  "});
            QCOMPARE(g.CotaMinMedicoes, 110.0);
            QCOMPARE(
                e.a.escalar("select count(*) from medida where ponto_obrigatorio <> 0").toInt(), 0);
            QVERIFY(g.mniGeral->isChecked());
            QVERIFY(!g.mniSalvarFigura->isEnabled());
            QVERIFY(g.mniXDecimal->isChecked() && g.mniYDecimal->isChecked());
            QVERIFY(!g.mniXLogaritmica->isChecked() && !g.mniYLogaritmica->isChecked());
            QVERIFY(g.om_ZoomIn1->isEnabled() && !g.om_ZoomOut1->isEnabled());
            QCOMPARE(g.lbCota->text(), QString("110"));
            QCOMPARE(g.lbData->text(), QString("10/01/1990"));
            QVERIFY(!g.DBNavigationButton1->isEnabled());
            QVERIFY(g.DBNavigationButton->isEnabled());
        });
    }

    void pelaBancoDeEstacoes() {
        Estacao e;
        bool aberta = false;
        e.a.roteiro.esperaDialogo<TControleEstacao>([&](TControleEstacao& c) {
            e.a.roteiro.esperaDialogo<TGraficos>([&](TGraficos& g) {
                aberta = g.windowTitle() == "Analisar dados - estacao: 58110002 Ponte";
                g.close();
            });
            c.lstEstacoes->setCurrentItem(c.lstEstacoes->topLevelItem(0));
            QVERIFY(c.bo_analisar->isEnabled());
            c.bo_analisar->click();
            c.close();
        });
        e.a.janela().mniMedicoesSecoes->trigger();
        QVERIFY2(e.a.roteiro.concluido(), e.a.roteiro.relatorio());
        QVERIFY(aberta);
    }

    void passosENovoConjunto() {
        Estacao e;
        const QColor verde(0, 128, 0);
        e.abrir([&](TGraficos& g) {
            g.DBNavigationButton->click();
            g.DBNavigationButton->click();
            QCOMPARE(legendas(g), QStringList{"Medição   1 a 3  "});
            verificarAtual(g, 3, azul);
            // A new colour starts a set at measurement 3, which the next steps widen.
            e.a.roteiro.esperaCor(verde);
            g.mniSelecionarCor->trigger();
            QCOMPARE(legendas(g), QStringList({"Medição   1 a 3  ", "Medição   3 a 3  "}));
            verificarAtual(g, 3, verde);
            g.DBNavigationButton->click();
            g.DBNavigationButton->click();
            verificarAtual(g, 5, verde);
            QCOMPARE(marcados(g.rcCotaArea, 1, Marca::XPequeno, verde), QList<int>({3, 4, 5}));
            QCOMPARE(legendas(g), QStringList({"Medição   1 a 3  ", "Medição   3 a 5  "}));
            g.DBNavigationButton1->click();
            verificarAtual(g, 4, verde);
            QCOMPARE(legendas(g), QStringList({"Medição   1 a 3  ", "Medição   3 a 5  "}));
            QCOMPARE(g.Conjuntos[0].Cor, 0xFF0000u);
            QCOMPARE(g.Conjuntos[1].Cor, 0x008000u);
            // Cancelling the colour changes nothing.
            e.a.roteiro.esperaCor(std::nullopt);
            g.mniSelecionarCor->trigger();
            QCOMPARE(legendas(g).size(), 2);
            verificarAtual(g, 4, verde);
            // At the last measurement the step forward does nothing.
            for (int i = 0; i < 10; ++i)
                g.Proximo();
            verificarAtual(g, 8, verde);
            QVERIFY(!g.DBNavigationButton->isEnabled());
            // Eight crosses, one more per step or new set, and the disc.
            QCOMPARE(g.rcCotaVazao->totalItens(), 8 + 11 + 1);
        });
    }

    void corDoMenuDoGrafico() {
        Estacao e;
        const QColor roxo(128, 0, 128);
        e.abrir([&](TGraficos& g) {
            e.a.roteiro.esperaCor(roxo);
            g.om_SelecionarCor2->trigger();
            QCOMPARE(g.CorAtual, roxo);
            QCOMPARE(g.rcCotaVazao->totalItens(), 10);  // nothing drawn
            g.Proximo();
            verificarAtual(g, 2, roxo);
            // The set keeps its swatch and grows.
            QCOMPARE(legendas(g), QStringList{"Medição   1 a 2  "});
            QCOMPARE(g.Conjuntos[0].Cor, 0xFF0000u);
        });
    }

    void colorirPorCotas() {
        Estacao e;
        e.abrir([&](TGraficos& g) {
            e.a.roteiro.esperaDialogo<TColorirPontos>([](TColorirPontos& d) {
                QVERIFY(d.rbPeriodo->isChecked());
                QVERIFY(d.edData1->isEnabled() && !d.edCota1->isEnabled());
                QCOMPARE(d.cbCor->count(), 16);
                QCOMPARE(d.cbCor->itemText(9), QString("Vermelho"));
                d.rbCota->setChecked(true);
                QVERIFY(d.edCota1->isEnabled() && !d.edData1->isEnabled());
                d.edCota1->setText("150");
                d.edCota2->setText("300");
                d.cbCor->setCurrentIndex(9);
                d.bu_colorir->click();
                d.close();
            });
            g.mniColorirPontos->trigger();
            QCOMPARE(legendas(g),
                     QStringList({"Medição   1 a 1  ", "Cota      150.00 a 300.00  "}));
            QCOMPARE(g.Conjuntos[1].Cor, 0x0000FFu);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(marcados(g.Grafico(i), i, Marca::XPequeno, vermelho),
                         QList<int>({2, 3, 4, 5, 6}));
            QCOMPARE(g.CorAtual, azul);
            // The disc stays the last item, for the next step to take away.
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(ultimo(g.Grafico(i)).marca, Marca::Disco);
                QCOMPARE(ultimo(g.Grafico(i)).pontos.constFirst(), ponto(i, 1));
            }
            // Stepping after a selection: the red crosses stay, a walked set starts.
            g.Proximo();
            verificarAtual(g, 2, azul);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(marcados(g.Grafico(i), i, Marca::XPequeno, vermelho),
                         QList<int>({2, 3, 4, 5, 6}));
            QCOMPARE(legendas(g).last(), QString("Medição   2 a 2  "));
            QCOMPARE(g.Conjuntos[1].Ate, QString("300.00"));
        });
    }

    void colorirSemPontosEDataInvalida() {
        Estacao e;
        e.abrir([&](TGraficos& g) {
            e.a.roteiro.esperaDialogo<TColorirPontos>([&](TColorirPontos& d) {
                // An empty date stops before anything is added.
                d.edData1->setText("01/02/1990");
                e.a.roteiro.esperaMensagem("'' não é uma data válida");
                d.bu_colorir->click();
                QCOMPARE(legendas(g).size(), 1);
                // A period without measurements still adds its set.
                d.edData2->setText("31/12/1989");
                e.a.roteiro.esperaMensagemComTitulo("Seleção não retornou nenhum ponto", "Atenção");
                d.bu_colorir->click();
                QVERIFY(d.isVisible());
                d.close();
            });
            g.mniColorirPontos->trigger();
            QCOMPARE(legendas(g),
                     QStringList({"Medição   1 a 1  ", "Data      01/02/1990 a 31/12/1989  "}));
            QCOMPARE(g.Conjuntos[1].Cor, 0u);  // no colour chosen: black
            QCOMPARE(g.rcCotaVazao->totalItens(), 10);
        });
    }

    void descolorirVoltaAVisaoGeral() {
        Estacao e;
        e.abrir([&](TGraficos& g) {
            e.a.roteiro.esperaDialogo<TColorirPontos>([&](TColorirPontos& d) {
                d.rbMedicao->setChecked(true);
                d.edMedicao1->setValue(2);
                d.edMedicao2->setValue(4);
                d.cbCor->setCurrentIndex(2);
                d.bu_colorir->click();
                QCOMPARE(legendas(g).last(), QString("Medição   2 a 4  "));
                e.a.roteiro.esperaPergunta("Deseja realmente descolorir pontos??", true);
                d.bu_descolorir->click();
                d.close();
            });
            g.mniColorirPontos->trigger();
            QCOMPARE(legendas(g), QStringList{"Medição   1 a 1  "});
            g.Proximo();
            g.mniCotaArea->trigger();
            g.mniYLogaritmica->trigger();
            g.ZoomIn(1);
            e.a.roteiro.esperaPergunta("Confirma ação?", false);
            g.mniDescolorir->trigger();
            QCOMPARE(legendas(g), QStringList{"Medição   1 a 2  "});
            e.a.roteiro.esperaPergunta("Confirma ação?", true);
            g.mniDescolorir->trigger();
            QCOMPARE(legendas(g), QStringList{"Medição   1 a 1  "});
            verificarAtual(g, 1, azul);
            QVERIFY(g.mniGeral->isChecked() && !g.mniCotaArea->isChecked());
            QVERIFY(g.Panel1->isVisible() && g.Panel3->isVisible());
            QVERIFY(g.mniYDecimal->isChecked() && !g.mniYLogaritmica->isChecked());
            QVERIFY(!g.rcCotaArea->logaritmico(PainelGrafico::Eixo::Y));
            QCOMPARE(g.ProfundidadeZoom(1), 0);
            QVERIFY(!g.om_ZoomOut2->isEnabled());
            QCOMPARE(g.rcCotaArea->modoMouse(), PainelGrafico::ModoMouse::Normal);
        });
    }

    void cliqueNoGraficoDeVelocidade() {
        Estacao e;
        e.abrir([&](TGraficos& g) {
            QApplication::processEvents();
            PainelGrafico* p = g.rcCotaVelocidade;
            // A few pixels beside measurement 4.
            const QPoint alvo = (p->paraPixel(ponto(2, 4)) + QPointF(3, -2)).toPoint();
            QTest::mouseClick(p->plot(), Qt::LeftButton, {}, alvo - p->plot()->pos());
            QCOMPARE(g.lbNumero->text(), QString("4"));
            QCOMPARE(ultimo(p).marca, Marca::XNegrito);
            QCOMPARE(ultimo(p).cor, azul);
            QCOMPARE(ultimo(p).pontos.constFirst(), ponto(2, 4));
            // The other charts keep the disc where it was; the set is not widened.
            QCOMPARE(ultimo(g.rcCotaVazao).marca, Marca::Disco);
            QCOMPARE(ultimo(g.rcCotaVazao).pontos.constFirst(), ponto(0, 1));
            QCOMPARE(legendas(g), QStringList{"Medição   1 a 1  "});
            // While a zoom is armed a click picks nothing.
            g.ZoomIn(2);
            QTest::mouseClick(p->plot(), Qt::LeftButton, {},
                              p->paraPixel(ponto(2, 8)).toPoint() - p->plot()->pos());
            QCOMPARE(g.lbNumero->text(), QString("4"));
        });
    }

    void zoomPorGrafico() {
        Estacao e;
        e.abrir([&](TGraficos& g) {
            const auto antes = g.rcCotaArea->faixa(PainelGrafico::Eixo::X);
            for (int i = 0; i < TGraficos::maximoZoom; ++i) {
                g.om_ZoomIn2->trigger();
                QCOMPARE(g.rcCotaArea->modoMouse(), PainelGrafico::ModoMouse::Zoom);
                g.rcCotaArea->definirFaixa(PainelGrafico::Eixo::X, 30 + i * 0.1, 60);
                g.ZoomFeito(1);
            }
            QVERIFY(!g.om_ZoomIn2->isEnabled());
            QVERIFY(g.om_ZoomIn1->isEnabled());
            QCOMPARE(g.ProfundidadeZoom(0), 0);
            g.om_ZoomOut2->trigger();
            QVERIFY(g.om_ZoomIn2->isEnabled());
            QCOMPARE(g.rcCotaArea->faixa(PainelGrafico::Eixo::X).minimo, 30 + 98 * 0.1);
            while (g.om_ZoomOut2->isEnabled())
                g.om_ZoomOut2->trigger();
            QCOMPARE(g.ProfundidadeZoom(1), 0);
            QCOMPARE(g.rcCotaArea->faixa(PainelGrafico::Eixo::X).minimo, antes.minimo);
            QCOMPARE(g.rcCotaArea->modoMouse(), PainelGrafico::ModoMouse::Normal);
        });
    }

    void layoutsEscalasEFiguras() {
        Estacao e;
        QTemporaryDir pasta;
        e.abrir([&](TGraficos& g) {
            g.mniCotaVazao->trigger();
            QVERIFY(g.Panel1->isVisible() && !g.Panel2->isVisible() && !g.Panel3->isVisible());
            QVERIFY(g.mniCotaVazao->isChecked() && !g.mniGeral->isChecked());
            QVERIFY(g.mniSalvarFigura->isEnabled());
            e.a.roteiro.esperaSalvarArquivo(pasta.filePath("curva.final.png"));
            g.mniSalvarFigura->trigger();
            QCOMPARE(e.a.roteiro.ultimoTitulo, QString("Salvar gráfico Cota x Vazão"));
            QVERIFY(e.a.roteiro.ultimoFiltro.startsWith("Arquivo BMP (*.bmp)"));
            QFile bmp(pasta.filePath("curva.bmp"));
            QVERIFY(bmp.open(QIODevice::ReadOnly));
            QCOMPARE(bmp.read(2), QByteArray("BM"));
            QVERIFY(!QFile::exists(pasta.filePath("curva.final.png")));
            e.a.roteiro.esperaSalvarArquivo(pasta.filePath("curva.final.png"),
                                            "Arquivo PNG (*.png)");
            g.mniSalvarFigura->trigger();
            QFile png(pasta.filePath("curva.final.png"));
            QVERIFY(png.open(QIODevice::ReadOnly));
            QCOMPARE(png.read(4), QByteArray("\x89PNG"));
            g.mniCotaVelocidade->trigger();
            e.a.roteiro.esperaSalvarArquivo(pasta.filePath("vel"), "Arquivo SVG (*.svg)");
            g.mniSalvarFigura->trigger();
            QCOMPARE(e.a.roteiro.ultimoTitulo, QString("Salvar gráfico Cota x Velocidade"));
            QVERIFY(QFile::exists(pasta.filePath("vel.svg")));
            g.mniGeral->trigger();
            QVERIFY(!g.mniSalvarFigura->isEnabled());

            // Logarithmic stage axes on all three charts, then decimal with the whole data.
            g.mniYLogaritmica->trigger();
            for (int i = 0; i < 3; ++i)
                QVERIFY(g.Grafico(i)->logaritmico(PainelGrafico::Eixo::Y));
            QVERIFY(!g.rcCotaVazao->logaritmico(PainelGrafico::Eixo::X));
            QVERIFY(g.mniYLogaritmica->isChecked() && !g.mniYDecimal->isChecked());
            g.mniXLogaritmica->trigger();
            QVERIFY(g.rcCotaVazao->faixa(PainelGrafico::Eixo::X).minimo > 0);
            g.mniXDecimal->trigger();
            QCOMPARE(g.rcCotaVazao->faixa(PainelGrafico::Eixo::X).minimo, 5 - 8.75);
            QVERIFY(g.mniXDecimal->isChecked() && !g.mniXLogaritmica->isChecked());
        });
    }

    void listaDeConjuntosEAlgoritmos() {
        Estacao e;
        auto& r = e.a.roteiro;
        auto algoritmo = [&r](int indice) {
            r.esperaDialogo<TfrmEscolherAlgoritmo>([indice](TfrmEscolherAlgoritmo& d) {
                d.cboAlgoritmo->setCurrentIndex(indice);
                d.bo_ok->click();
            });
        };
        auto numero = [&r](const QString& titulo, std::optional<double> valor) {
            r.esperaDialogo<TfrmDigitarNumero>([titulo, valor](TfrmDigitarNumero& d) {
                QCOMPARE(d.windowTitle(), titulo);
                if (valor) {
                    d.edtNumero->setText(QString::number(*valor));
                    d.bo_ok->click();
                } else {
                    d.close();
                }
            });
        };
        auto lista = [&](TfrmPontosLumeno& d) {
            QCOMPARE(d.lstPontos->topLevelItemCount(), 3);
            QTreeWidgetItem* primeira = d.lstPontos->topLevelItem(0);
            QCOMPARE(primeira->text(0), QString("1"));
            QCOMPARE(primeira->text(1), QString("Medição"));
            QCOMPARE(primeira->text(2), QString("1"));
            QCOMPARE(primeira->text(3), QString("3"));
            QCOMPARE(primeira->text(4), QString("não definido"));
            QCOMPARE(primeira->checkState(0), Qt::Unchecked);
            // h0 above the lowest stage (110) is refused; equal to it accepted.
            algoritmo(0);
            numero("H0 inicial (cm)", 120);
            r.esperaMensagemComTitulo(
                "H0 indicado inválido - é maior que a menor cota medida da estação!", "Erro");
            primeira->setCheckState(0, Qt::Checked);
            QCOMPARE(primeira->checkState(0), Qt::Unchecked);
            QCOMPARE(primeira->text(4), QString("não definido"));
            QCOMPARE(primeira->text(5), QString());
            algoritmo(0);
            numero("H0 inicial (cm)", 110);
            primeira->setCheckState(0, Qt::Checked);
            QCOMPARE(primeira->checkState(0), Qt::Checked);
            QCOMPARE(primeira->text(4), QString("Potencial (Ostrel)"));
            QCOMPARE(primeira->text(5), QString("110"));
            // Polynomial of degree 3; a degree the fit cannot take is refused.
            QTreeWidgetItem* segunda = d.lstPontos->topLevelItem(1);
            algoritmo(1);
            numero("Grau", 9);
            r.esperaMensagemComTitulo("Grau do polinômio deve estar entre 1 e 8", "Atenção");
            segunda->setCheckState(0, Qt::Checked);
            QCOMPARE(segunda->checkState(0), Qt::Unchecked);
            algoritmo(1);
            numero("Grau", 3);
            segunda->setCheckState(0, Qt::Checked);
            QCOMPARE(segunda->text(4), QString("Polinomial, grau 3"));
            // Closing the algorithm dialog unchecks; cancelling the number keeps the box.
            QTreeWidgetItem* terceira = d.lstPontos->topLevelItem(2);
            r.esperaDialogo<TfrmEscolherAlgoritmo>([](TfrmEscolherAlgoritmo& a) { a.close(); });
            terceira->setCheckState(0, Qt::Checked);
            QCOMPARE(terceira->checkState(0), Qt::Unchecked);
            algoritmo(0);
            numero("H0 inicial (cm)", std::nullopt);
            terceira->setCheckState(0, Qt::Checked);
            QCOMPARE(terceira->checkState(0), Qt::Checked);
            QCOMPARE(terceira->text(4), QString("não definido"));
            QCOMPARE(lumeno::teste::colunasCortadas(d.lstPontos), QString());
            // A checked row without an algorithm cannot be fitted: refused, naming the row.
            r.esperaMensagem(
                "O trecho 3 (Medição   4 a 4) não tem algoritmo definido. "
                "Desmarque-o e marque-o de novo para escolher o algoritmo.");
            d.bu_tracar->click();
            // Unchecking asks nothing; with no row checked the command refuses.
            for (QTreeWidgetItem* i : {primeira, segunda, terceira})
                i->setCheckState(0, Qt::Unchecked);
            r.esperaMensagemComTitulo("Deve selecionar ao menos um trecho para traçar curva",
                                      "Erro");
            d.bu_tracar->click();
            d.close();
        };
        e.abrir([&](TGraficos& g) {
            g.Proximo();
            g.Proximo();
            r.esperaCor(QColor(0, 128, 0));
            g.mniSelecionarCor->trigger();
            g.Proximo();
            r.esperaCor(QColor(0, 0, 128));
            g.mniSelecionarCor->trigger();
            r.esperaDialogo<TfrmPontosLumeno>(lista);
            g.mniGerarLumeno->trigger();
            QVERIFY(e.a.dm().qu_medida1.ativo());
            QCOMPARE(g.lbNumero->text(), QString("4"));
        });
    }

    void curvasDosConjuntos() {
        Estacao e;
        auto& r = e.a.roteiro;
        int curvas = 0;
        std::vector<std::vector<double>> numeros(3);
        std::vector<std::uint32_t> cores(3);
        auto lista = [&](TfrmPontosLumeno& d) {
            for (int linha : {1, 2}) {
                r.esperaDialogo<TfrmEscolherAlgoritmo>([](TfrmEscolherAlgoritmo& a) {
                    a.cboAlgoritmo->setCurrentIndex(0);
                    a.bo_ok->click();
                });
                r.esperaDialogo<TfrmDigitarNumero>([](TfrmDigitarNumero& n) {
                    n.edtNumero->setText("50");
                    n.bo_ok->click();
                });
                d.lstPontos->topLevelItem(linha)->setCheckState(0, Qt::Checked);
            }
            r.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
                curvas = t.TotalCurvas;
                for (int c = 1; c <= std::min(2, t.TotalCurvas); ++c) {
                    for (const auto& l : t.Trechos[static_cast<size_t>(c)].Medicoes)
                        numeros[static_cast<size_t>(c)].push_back(l.numero);
                    cores[static_cast<size_t>(c)] = t.Trechos[static_cast<size_t>(c)].Cor;
                }
                QVERIFY(t.AjusteAtivo);
                fecharSemSalvar(t, r);
            });
            d.bu_tracar->click();
            QVERIFY(d.isVisible());  // back in the list after the curve window
            d.close();
        };
        e.abrir([&](TGraficos& g) {
            r.esperaDialogo<TColorirPontos>([](TColorirPontos& d) {
                d.rbCota->setChecked(true);
                d.edCota1->setText("110");
                d.edCota2->setText("250");
                d.cbCor->setCurrentIndex(9);  // Vermelho
                d.bu_colorir->click();
                d.edCota1->setText("300");
                d.edCota2->setText("400");
                d.cbCor->setCurrentIndex(12);  // Azul
                d.bu_colorir->click();
                d.close();
            });
            g.mniColorirPontos->trigger();
            g.Proximo();
            r.esperaDialogo<TfrmPontosLumeno>(lista);
            g.mniGerarLumeno->trigger();
            QVERIFY(e.a.dm().qu_medida1.ativo());
            QCOMPARE(g.lbNumero->text(), QString("2"));
        });
        QCOMPARE(curvas, 2);
        QCOMPARE(numeros[1], std::vector<double>({1, 2, 3, 4, 6}));
        QCOMPARE(numeros[2], std::vector<double>({5, 7, 8}));
        QCOMPARE(cores[1], 0x0000FFu);
        QCOMPARE(cores[2], 0xFF0000u);
    }

    void estacaoSemMedicoes() {
        Estacao e;
        e.executar("delete from medida");
        e.abrir([&](TGraficos& g) {
            for (int i = 0; i < 3; ++i)
                QCOMPARE(g.Grafico(i)->totalItens(), 0);
            QVERIFY(legendas(g).isEmpty());
            QVERIFY(!g.DBNavigationButton->isEnabled() && !g.DBNavigationButton1->isEnabled());
            QCOMPARE(g.lbNumero->text(), QString());
            g.Proximo();
            g.mniSelecionarCor->trigger();  // nothing to start a set at
            e.a.roteiro.esperaMensagemComTitulo("Deve-se definir ao menos um conjunto de pontos",
                                                "Atenção");
            g.mniGerarLumeno->trigger();
        });
    }

    // The README's walkthrough on the demonstration station: two stage ranges coloured,
    // the power law for each, two curves fitted in their colours.
    void demonstracao() {
        AmbientePrograma a;
        const ArquivoCop arquivo =
            LeitorCop::ler(lerArquivo(QStringLiteral(LUMENO_FONTE_DIR "/demo/estacao_demo.cop")));
        const int id = a.estacao(arquivo.codigo, "Demonstração");
        gravarMedicoes(a.dm().conexao(), id, arquivo.medicoes, {});
        auto& r = a.roteiro;
        std::vector<CurvaTrecho> curvas;
        auto lista = [&](TfrmPontosLumeno& d) {
            for (int linha : {1, 2}) {
                r.esperaDialogo<TfrmEscolherAlgoritmo>([](TfrmEscolherAlgoritmo& e) {
                    e.cboAlgoritmo->setCurrentIndex(0);
                    e.bo_ok->click();
                });
                r.esperaDialogo<TfrmDigitarNumero>([](TfrmDigitarNumero& n) {
                    n.edtNumero->setText("30");
                    n.bo_ok->click();
                });
                d.lstPontos->topLevelItem(linha)->setCheckState(0, Qt::Checked);
            }
            r.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
                for (int c = 1; c <= t.TotalCurvas; ++c)
                    curvas.push_back(t.Trechos[static_cast<size_t>(c)]);
                fecharSemSalvar(t, r);
            });
            d.bu_tracar->click();
            d.close();
        };
        r.esperaDialogo<TSelecionarEstacao>([](TSelecionarEstacao& d) {
            d.lstEstacao->setCurrentItem(d.lstEstacao->topLevelItem(0));
            d.bo_ok->click();
        });
        r.esperaDialogo<TGraficos>([&](TGraficos& g) {
            for (int i = 0; i < 5; ++i)
                g.DBNavigationButton->click();
            r.esperaDialogo<TColorirPontos>([](TColorirPontos& d) {
                d.rbCota->setChecked(true);
                d.edCota1->setText("80");
                d.edCota2->setText("250");
                d.cbCor->setCurrentIndex(9);  // Vermelho
                d.bu_colorir->click();
                d.edCota1->setText("250");
                d.edCota2->setText("620");
                d.cbCor->setCurrentIndex(12);  // Azul
                d.bu_colorir->click();
                d.close();
            });
            g.mniColorirPontos->trigger();
            r.esperaDialogo<TfrmPontosLumeno>(lista);
            g.mniGerarLumeno->trigger();
            g.close();
        });
        a.janela().mniAvaliarTrechos->trigger();
        QVERIFY2(r.concluido(), r.relatorio());
        QCOMPARE(curvas.size(), size_t(2));
        QCOMPARE(curvas[0].Cor, 0x0000FFu);
        QCOMPARE(curvas[1].Cor, 0xFF0000u);
        QCOMPARE(curvas[0].totalLinhas() + curvas[1].totalLinhas(), 40);
        for (const CurvaTrecho& c : curvas) {
            QCOMPARE(c.Algoritmo, 1);
            QVERIFY2(c.R > 0.99, qPrintable(QString::number(c.R)));
        }
    }

    void consultaSemClausulasAntigas() {
        Estacao e;
        // Clauses of an adjustment closed long ago, whose criteria are gone.
        Consulta& m = e.a.dm().qu_medida1;
        m.SQL = TDM::textoBaseMedida1();
        m.SQL.insert(3, "and (medida.cota<:c11 or medida.cota>:c21 or medida.cota is null)");
        m.definirParametro("c11", 100);
        m.definirParametro("c21", 500);
        e.abrir([&](TGraficos& g) {
            QCOMPARE(m.totalRegistros(), 8);
            QCOMPARE(g.rcCotaVazao->totalItens(), 10);
        });
    }
};

LUMENO_TESTE(TesteGraficos)
#include "tst_Graficos.moc"
