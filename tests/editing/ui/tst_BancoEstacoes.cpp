#include "app/ui/AplicacaoLumeno.h"
#include "app/ui/Contexto.h"
#include "components/EditorNumero.h"
#include "curves/AjustesSalvos.h"
#include "curves/CriteriosExclusao.h"
#include "editing/ui/TControleEstacao.h"
#include "editing/ui/TDigitarCodigoEstacao.h"
#include "editing/ui/TDigitarEstacao.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"
#include "support/ui/ContextoTeste.h"
#include "support/ui/InteracaoRoteirizada.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTreeWidget>

using namespace lumeno;
using lumeno::teste::ContextoTeste;
using lumeno::teste::InteracaoRoteirizada;

namespace {

struct Banco : ContextoTeste {
    TDigitarEstacao digitar{ctx};
    TDigitarCodigoEstacao codigo{ctx};
    TControleEstacao controle{ctx};
    bool abriuMedicoes = false;

    Banco() {
        ctx.DigitarEstacao = &digitar;
        ctx.DigitarCodigoEstacao = &codigo;
        ctx.ControleEstacao = &controle;
        ctx.abrirMedicoes = [this](const QString&) { abriuMedicoes = true; };
        ctx.abrirSecao = [] {};
    }
    int linhas() const { return controle.lstEstacoes->topLevelItemCount(); }
    void mostrar() {
        controle.show();
        QApplication::processEvents();
    }
    void selecionar(int linha) {
        controle.lstEstacoes->setCurrentItem(controle.lstEstacoes->topLevelItem(linha));
    }
};

// Types into the station dialog as a user would and presses OK.
void preencherEstacao(TDigitarEstacao& d, const QString& codigo, const QString& nome,
                      const QString& rio) {
    if (!codigo.isNull()) {
        d.edtCodigo->clear();
        QTest::keyClicks(d.edtCodigo, codigo);
    }
    d.edtDescricao->setText(nome);
    if (!rio.isNull())
        d.cboRio->setCurrentIndex(d.cboRio->findText(rio));
    d.bo_ok->click();
}

}  // namespace

class TesteBancoEstacoes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tabelaVaziaSoInsere() {
        Banco t;
        t.mostrar();
        QCOMPARE(t.linhas(), 0);
        QVERIFY(t.controle.bo_inserir->isEnabled());
        for (QPushButton* b : {t.controle.bo_deletar, t.controle.bo_editar, t.controle.bo_medicoes,
                               t.controle.bo_secao, t.controle.bo_analisar, t.controle.bo_ajustar})
            QVERIFY(!b->isEnabled());
    }

    void inserirEditarEListar() {
        Banco t;
        t.b.rio(1, "Paraná");
        t.b.rio(2, "Doce");
        t.mostrar();
        t.roteiro.esperaDialogo<TDigitarEstacao>([](TDigitarEstacao& d) {
            QVERIFY(!d.edtCodigo->isReadOnly());
            QVERIFY(d.edtCodigo->hasFocus() || !QApplication::focusWidget());
            QCOMPARE(d.cboRio->count(), 2);
            QCOMPARE(d.cboRio->itemText(0), QString("Doce"));
            preencherEstacao(d, "58110002", "Ponte Nova", "Paraná");
        });
        t.controle.bo_inserir->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
        QCOMPARE(t.linhas(), 1);
        QTreeWidgetItem* linha = t.controle.lstEstacoes->topLevelItem(0);
        QCOMPARE(linha->text(0), QString("58110002"));
        QCOMPARE(linha->text(2), QString("Paraná"));
        QVERIFY(t.controle.bo_editar->isEnabled());

        // Editing: the code is read-only and the record's river counts as chosen.
        t.selecionar(0);
        t.roteiro.esperaDialogo<TDigitarEstacao>([](TDigitarEstacao& d) {
            QVERIFY(d.edtCodigo->isReadOnly());
            QCOMPARE(d.edtDescricao->text(), QString("Ponte Nova"));
            QCOMPARE(d.cboRio->currentText(), QString("Paraná"));
            d.edtDescricao->setText("Ponte Velha");
            d.bo_ok->click();
        });
        t.controle.bo_editar->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
        QCOMPARE(t.controle.lstEstacoes->topLevelItem(0)->text(1), QString("Ponte Velha"));
        QCOMPARE(t.b.escalar("select count(*) from estacao").toInt(), 1);
    }

    // The bank opens with the first station selected, so that its buttons act at once, and
    // keeps the station chosen selected when the list is filled again.
    void estacaoSempreSelecionada() {
        Banco t;
        t.b.rio(1, "Doce");
        t.b.estacao(10, "Alta", 1);
        t.b.estacao(20, "Baixa", 1);
        t.mostrar();
        QTreeWidget* lista = t.controle.lstEstacoes;
        QVERIFY(lista->topLevelItem(0)->isSelected());
        t.roteiro.esperaDialogo<TDigitarEstacao>([](TDigitarEstacao& d) {
            QCOMPARE(d.edtDescricao->text(), QString("Alta"));
            d.bo_cancela->click();
        });
        t.controle.bo_editar->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());

        t.selecionar(1);
        t.roteiro.esperaDialogo<TDigitarEstacao>([](TDigitarEstacao& d) {
            d.edtDescricao->setText("Baixa nova");
            d.bo_ok->click();
        });
        t.controle.bo_editar->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
        QVERIFY(lista->topLevelItem(1)->isSelected());
        QCOMPARE(lista->currentItem()->text(1), QString("Baixa nova"));
        t.controle.bo_medicoes->click();
        QVERIFY(t.abriuMedicoes);
        QCOMPARE(t.b.dm().qu_estacao1.campo("codigo").comoInteiro(), 20);
    }

    void verificacoesDoDialogo() {
        Banco t;
        t.b.rio(1, "Paraná");
        t.mostrar();
        // A new station without a river, then code 0 not typed, then cancelled.
        t.roteiro.esperaDialogo<TDigitarEstacao>([&](TDigitarEstacao& d) {
            preencherEstacao(d, QString(), "Sem rio", QString());
            QVERIFY(d.isVisible());
            d.cboRio->setCurrentIndex(0);
            d.bo_ok->click();
            QVERIFY(d.isVisible());
            d.bo_cancela->click();
        });
        t.roteiro.esperaMensagemComTitulo("Deve ser selecionado algum rio para a estação", "Erro!");
        t.roteiro.esperaMensagemComTitulo("Deve ser escolhido algum código para a estação!",
                                          "Erro!");
        t.controle.bo_inserir->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
        QVERIFY(!t.digitar.Confirmado);
        QCOMPARE(t.b.escalar("select count(*) from estacao").toInt(), 0);
        QCOMPARE(t.b.dm().tb_estacao.estado(), ConjuntoDados::Estado::Navegando);

        // A code typed and then cleared is no code: refused, not stored as 0.
        t.roteiro.esperaDialogo<TDigitarEstacao>([&](TDigitarEstacao& d) {
            QTest::keyClicks(d.edtCodigo, "5");
            QTest::keyClick(d.edtCodigo, Qt::Key_Backspace);
            QVERIFY(d.CodigoAlterado);
            preencherEstacao(d, QString(), "Apagado", "Paraná");
            QVERIFY(d.isVisible());
            d.bo_cancela->click();
        });
        t.roteiro.esperaMensagemComTitulo("Deve ser escolhido algum código para a estação!",
                                          "Erro!");
        t.controle.bo_inserir->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
        QCOMPARE(t.b.escalar("select count(*) from estacao").toInt(), 0);

        // Code 0 is accepted when typed.
        t.roteiro.esperaDialogo<TDigitarEstacao>(
            [](TDigitarEstacao& d) { preencherEstacao(d, "0", "Zero", "Paraná"); });
        t.controle.bo_inserir->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
        QCOMPARE(t.b.escalar("select count(*) from estacao where codigo = 0").toInt(), 1);
    }

    void codigoRepetidoNoBanco() {
        Banco t;
        t.b.rio(1, "Paraná");
        t.b.estacao(5, "Primeira", 1);
        t.mostrar();
        t.roteiro.esperaDialogo<TDigitarEstacao>(
            [](TDigitarEstacao& d) { preencherEstacao(d, "5", "Outra", "Paraná"); });
        t.roteiro.esperaMensagemComTitulo("Já existe estação com este código!", "Erro!");
        t.controle.bo_inserir->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
        QVERIFY(!t.digitar.Confirmado);
        QVERIFY(!t.digitar.isVisible());
        QCOMPARE(t.b.escalar("select count(*) from estacao").toInt(), 1);
    }

    void deletarLevaDados() {
        Banco t;
        const int a = t.b.estacao(1, "A");
        const int b = t.b.estacao(2, "B");
        AjustesSalvos salvos(t.b.dm().conexao());
        for (int id : {a, b}) {
            t.b.medida(id, 1, 100, 1);
            t.b.ponto(id, 0, 100);
            AjusteSalvo ajuste;
            ajuste.estacao = id;
            ajuste.nome = "Cheia";
            ajuste.curvas.resize(1);
            ajuste.curvas[0].numero = 1;
            salvos.salvar(ajuste, false);
        }
        t.mostrar();
        t.selecionar(0);
        t.roteiro.esperaPergunta("Confirma deleção de estação ?", false);
        t.controle.bo_deletar->click();
        QCOMPARE(t.linhas(), 2);
        t.roteiro.esperaPergunta("Confirma deleção de estação ?", true);
        t.controle.bo_deletar->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
        QCOMPARE(t.linhas(), 1);
        QCOMPARE(t.controle.lstEstacoes->topLevelItem(0)->text(0), QString("2"));
        QCOMPARE(
            t.b.escalar(QString("select count(*) from medida where estacao = %1").arg(a)).toInt(),
            0);
        QCOMPARE(
            t.b.escalar(QString("select count(*) from ponto where estacao = %1").arg(a)).toInt(),
            0);
        QCOMPARE(
            t.b.escalar(QString("select count(*) from medida where estacao = %1").arg(b)).toInt(),
            1);
        // Its saved ratings go with it; the other station keeps its own.
        QCOMPARE(salvos.listar(a).size(), size_t(0));
        QCOMPARE(t.b.escalar("select count(*) from CurvaSalva").toInt(), 1);
        QCOMPARE(salvos.listar(b).size(), size_t(1));
    }

    // Another program reading the database makes the deletion's commit fail: the message
    // says so, nothing is deleted, and the deletion goes through once the reader is gone.
    void deletarComBancoOcupado() {
        Banco t;
        const int a = t.b.estacao(1, "A");
        t.b.medida(a, 1, 100, 1);
        t.b.ponto(a, 0, 100);
        t.b.dm().conexao().definirEsperaOcupado(50);
        t.mostrar();
        {
            QSqlDatabase leitor = QSqlDatabase::addDatabase("QSQLITE", "leitor");
            leitor.setDatabaseName(t.b.pasta() + "/dados/lumeno.db");
            QVERIFY(leitor.open());
            QSqlQuery q(leitor);
            QVERIFY(q.exec("BEGIN"));
            QVERIFY(q.exec("select count(*) from estacao") && q.next());
            t.selecionar(0);
            t.roteiro.esperaPergunta("Confirma deleção de estação ?", true)
                .esperaMensagemComTitulo(
                    "O banco de dados está em uso por outro programa. Feche o outro programa (ou "
                    "aguarde que ele termine) e tente novamente.\nNada desta operação foi gravado.",
                    AplicacaoLumeno::titulo);
            t.controle.bo_deletar->click();
            QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
            q.finish();
            leitor.rollback();
            leitor.close();
        }
        QSqlDatabase::removeDatabase("leitor");
        QCOMPARE(t.linhas(), 1);
        QCOMPARE(t.b.escalar("select count(*) from medida").toInt(), 1);
        QCOMPARE(t.b.escalar("select count(*) from ponto").toInt(), 1);
        t.selecionar(0);
        t.roteiro.esperaPergunta("Confirma deleção de estação ?", true);
        t.controle.bo_deletar->click();
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
        QCOMPARE(t.linhas(), 0);
        t.b.dm().desconectar();
        QCOMPARE(t.b.escalar("select count(*) from estacao").toInt(), 0);
        QCOMPARE(t.b.escalar("select count(*) from medida").toInt(), 0);
    }

    void semRioListadaENenhumaSelecao() {
        Banco t;
        t.b.estacao(9, "Sem rio");
        t.mostrar();
        QCOMPARE(t.controle.lstEstacoes->topLevelItem(0)->text(2), QString());
        // No row selected: the buttons do nothing.
        t.controle.lstEstacoes->clearSelection();
        t.controle.bo_medicoes->click();
        QVERIFY(!t.abriuMedicoes);
        t.selecionar(0);
        t.controle.bo_medicoes->click();
        QVERIFY(t.abriuMedicoes);
        QCOMPARE(t.b.dm().tb_estacao.campo("Codigo").comoInteiro(), 9);
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
    }

    void novaEstacaoComCodigoExistente() {
        Banco t;
        t.b.rio(1, "Paraná");
        t.b.estacao(5, "Primeira", 1);
        t.b.dm().tb_estacao.abrir();
        t.roteiro.esperaDialogo<TDigitarCodigoEstacao>([&](TDigitarCodigoEstacao& d) {
            QCOMPARE(d.edCodigo->text(), QString("0"));
            d.edCodigo->setText("5");
            d.bo_ok->click();
            QVERIFY(d.isVisible());
            QCOMPARE(d.edCodigo->text(), QString("0"));
            QCOMPARE(t.b.dm().tb_estacao.estado(), ConjuntoDados::Estado::Navegando);
            d.edCodigo->setText("6");
            d.bo_cancela->click();
        });
        t.roteiro.esperaMensagemComTitulo("Já existe estação com este código!!", "Erro");
        t.roteiro.executar(t.codigo);
        QVERIFY(!t.codigo.Confirmado);
        QCOMPARE(t.codigo.edCodigo->text(), QString("0"));
        QVERIFY2(t.roteiro.concluido(), t.roteiro.relatorio());
    }
};

LUMENO_TESTE(TesteBancoEstacoes)
#include "tst_BancoEstacoes.moc"
