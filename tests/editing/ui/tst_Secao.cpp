#include "app/ui/Contexto.h"
#include "components/EditorNumero.h"
#include "components/PainelGrafico.h"
#include "curves/CriteriosExclusao.h"
#include "editing/ui/TDigitarPontoSecao.h"
#include "editing/ui/TDigitarSecao.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"
#include "support/ui/ContextoTeste.h"
#include "support/ui/InteracaoRoteirizada.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace lumeno;
using namespace lumeno::teste;

namespace {
struct Janela : ContextoTeste {
    TDigitarPontoSecao ponto{ctx};
    TDigitarSecao secao{ctx, ponto};
    int id = 0;
    int outra = 0;

    Janela() {
        b.rio(1, "Doce");
        id = b.estacao(58110002, "Ponte", 1);
        outra = b.estacao(2, "Outra");
        b.ponto(outra, 0, 100);
        b.dm().qu_estacao1.abrir();
        b.dm().qu_estacao1.localizar("IdEstacao", id);
    }
    int linhas() const { return secao.lstPontos->topLevelItemCount(); }
};
}  // namespace

class TesteSecao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void semPontosEUmPonto() {
        Janela j;
        j.secao.show();
        QCOMPARE(j.secao.windowTitle(), QString("58110002  Ponte (Doce)"));
        QVERIFY(!j.secao.omAlterarPonto->isEnabled());
        QVERIFY(!j.secao.omDeletarPonto->isEnabled());
        j.b.ponto(j.id, 5, 300);
        j.secao.Desenhar();
        QCOMPARE(j.linhas(), 1);
        QCOMPARE(j.secao.DesenhoSecao->totalItens(), 0);
        QVERIFY(j.secao.omAlterarPonto->isEnabled());
    }

    void insercaoRedesenhaNaHora() {
        Janela j;
        j.b.ponto(j.id, 0, 500);
        j.b.ponto(j.id, 10, 100);
        j.secao.show();
        j.roteiro.esperaDialogo<TDigitarPontoSecao>([&](TDigitarPontoSecao& d) {
            QVERIFY(d.edtX->isEnabled());
            // Empty fields are refused: the point would be drawn at (0, 0).
            j.roteiro.esperaMensagemComTitulo("Digite a margem e a cota do ponto.", "Erro");
            d.bo_ok->click();
            QTest::keyClicks(d.edtX, "5");
            j.roteiro.esperaMensagemComTitulo("Digite a margem e a cota do ponto.", "Erro");
            d.bo_ok->click();
            QCOMPARE(j.linhas(), 2);
            QTest::keyClicks(d.edtY, "50,5");
            d.bo_ok->click();
            // Still open for the next point, and the profile already has the new one.
            QVERIFY(d.isVisible());
            QVERIFY(d.edtX->text().isEmpty());
            QCOMPARE(j.linhas(), 3);
            QTest::keyClicks(d.edtX, "99");
            d.close();
        });
        j.secao.omInserirPonto->trigger();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(
            j.b.escalar(QString("select count(*) from ponto where estacao = %1").arg(j.id)).toInt(),
            3);
        QCOMPARE(j.b.escalar("select count(*) from ponto where x is null or y is null").toInt(), 0);
        // Joined in stored order: the point at 5 m comes after the one at 10 m.
        QCOMPARE(j.secao.lstPontos->topLevelItem(2)->text(0), QString("5.00"));
        QCOMPARE(j.secao.lstPontos->topLevelItem(2)->text(1), QString("50.50"));
        QCOMPARE(j.secao.DesenhoSecao->totalItens(), 1);
        QCOMPARE(j.secao.DesenhoSecao->itemMaisProximo({5, 50}).value(), QPointF(5, 50.5));
    }

    void edicaoSoDaCota() {
        Janela j;
        j.b.ponto(j.id, 0, 500);
        j.b.ponto(j.id, 10, 100);
        j.secao.show();
        j.secao.lstPontos->setCurrentItem(j.secao.lstPontos->topLevelItem(1));
        j.roteiro.esperaDialogo<TDigitarPontoSecao>([](TDigitarPontoSecao& d) {
            QVERIFY(!d.edtX->isEnabled());
            QCOMPARE(d.edtX->text(), QString("10.00"));
            d.edtY->setText("120");
            d.bo_ok->click();
        });
        j.secao.omAlterarPonto->trigger();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.secao.lstPontos->topLevelItem(1)->text(1), QString("120.00"));
    }

    // Besides the menu bar: a double click on a point changes that point, and a right click
    // on one offers the same commands for it.
    void duploCliqueEMenuDeContexto() {
        Janela j;
        j.b.ponto(j.id, 0, 500);
        j.b.ponto(j.id, 10, 100);
        j.b.ponto(j.id, 20, 400);
        j.secao.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j.secao));
        QTreeWidget* lista = j.secao.lstPontos;
        const auto centro = [lista](int linha) {
            return lista->visualItemRect(lista->topLevelItem(linha)).center();
        };
        j.roteiro.esperaDialogo<TDigitarPontoSecao>([](TDigitarPontoSecao& d) {
            QCOMPARE(d.edtX->text(), QString("20.00"));
            d.edtY->setText("410");
            d.bo_ok->click();
        });
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, centro(2));
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, centro(2));
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(lista->topLevelItem(2)->text(1), QString("410.00"));

        QStringList oferecidos;
        QTimer::singleShot(0, [&oferecidos] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* a : menu->actions())
                if (!a->isSeparator())
                    oferecidos << a->text();
            menu->setActiveAction(menu->actions().at(2));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        j.roteiro.esperaPergunta("Confirma deleção de ponto de seção?", true);
        // The press makes the point current; the menu follows it (as the platform sends it).
        QTest::mousePress(lista->viewport(), Qt::RightButton, {}, centro(1));
        QContextMenuEvent pedido(QContextMenuEvent::Mouse, centro(1),
                                 lista->viewport()->mapToGlobal(centro(1)));
        QApplication::sendEvent(lista->viewport(), &pedido);
        QTest::mouseRelease(lista->viewport(), Qt::RightButton, {}, centro(1));
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(oferecidos, QStringList({"&Inserir ponto", "&Alterar ponto", "&Deletar ponto",
                                          "&Limpar seção transversal"}));
        // The point right-clicked is the one deleted.
        QCOMPARE(j.linhas(), 2);
        QCOMPARE(lista->topLevelItem(1)->text(0), QString("20.00"));
        QCOMPARE(
            j.b.escalar(
                   QString("select count(*) from ponto where estacao = %1 and x = 10").arg(j.id))
                .toInt(),
            0);
    }

    void deletarELimpar() {
        Janela j;
        j.b.ponto(j.id, 0, 500);
        j.b.ponto(j.id, 10, 100);
        j.b.ponto(j.id, 20, 400);
        j.secao.show();
        j.secao.lstPontos->setCurrentItem(j.secao.lstPontos->topLevelItem(0));
        j.roteiro.esperaPergunta("Confirma deleção de ponto de seção?", true);
        j.secao.omDeletarPonto->trigger();
        QCOMPARE(j.linhas(), 2);
        j.roteiro.esperaPergunta("Confirma remoção de pontos de seção transversal", false);
        j.secao.omLimparSecao->trigger();
        QCOMPARE(j.linhas(), 2);
        j.roteiro.esperaPergunta("Confirma remoção de pontos de seção transversal", true);
        j.secao.omLimparSecao->trigger();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.linhas(), 0);
        QCOMPARE(j.b.escalar(QString("select count(*) from ponto where estacao = %1").arg(j.outra))
                     .toInt(),
                 1);
    }

    void vista() {
        Janela j;
        j.b.ponto(j.id, 0, 500);
        j.b.ponto(j.id, 10, 100);
        TMostrarSecao vista(j.ctx);
        vista.Mostrar();
        QVERIFY(vista.isVisible());
        QCOMPARE(vista.DesenhoSecao->totalItens(), 1);
        QCOMPARE(vista.windowTitle(), QString("58110002  Ponte (Doce)"));
    }
};

LUMENO_TESTE(TesteSecao)
#include "tst_Secao.moc"
