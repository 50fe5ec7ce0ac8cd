#include "app/ui/AplicacaoLumeno.h"
#include "app/ui/Contexto.h"
#include "app/ui/TSelecionarEstacao.h"
#include "components/EditorNumero.h"
#include "curves/CriacaoCurva.h"
#include "curves/CriteriosAjuste.h"
#include "curves/CriteriosExclusao.h"
#include "editing/ui/TDigitarMedicao.h"
#include "editing/ui/TMedicoesEstacao.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"
#include "support/LeitorPlanilhaExterno.h"
#include "support/ui/ContextoTeste.h"
#include "support/ui/InteracaoRoteirizada.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace lumeno;
using namespace lumeno::teste;

namespace {
struct Janela : ContextoTeste {
    TDigitarMedicao digitar{ctx};
    TMedicoesEstacao lista{ctx, digitar};
    int id = 0;

    explicit Janela(int codigo = 58110002) {
        id = b.estacao(codigo, "Ponte");
        b.dm().qu_estacao1.abrir();
        b.dm().qu_estacao1.localizar("IdEstacao", id);
    }
    int linhas() const { return lista.lstMedicoes->topLevelItemCount(); }
    void selecionar(int i) {
        lista.lstMedicoes->setCurrentItem(lista.lstMedicoes->topLevelItem(i));
    }
};

void digitarTudo(TDigitarMedicao& d, const QStringList& valores) {
    const QList<QLineEdit*> caixas{d.edtNumero, d.edtData, d.edtCota,
                                   d.edtVazao,  d.edtArea, d.edtVelocidade};
    for (int i = 0; i < caixas.size(); ++i) {
        caixas[i]->clear();
        QTest::keyClicks(caixas[i], valores[i]);
    }
}
}  // namespace

class TesteMedicoes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void semMedicoesSoInsere() {
        Janela j;
        j.lista.show();
        QVERIFY(j.lista.bo_inserir->isEnabled());
        QVERIFY(!j.lista.bo_editar->isEnabled());
        QVERIFY(!j.lista.bo_deletar->isEnabled());
        QVERIFY(!j.lista.bo_exportar->isEnabled());
    }

    void insercaoEmSequencia() {
        Janela j;
        j.lista.show();
        j.roteiro.esperaDialogo<TDigitarMedicao>([](TDigitarMedicao& d) {
            QCOMPARE(d.windowTitle(), QString("Inserir medição"));
            QVERIFY(!d.bo_ok->isEnabled());
            // Five boxes typed: still disabled, even with values in the sixth.
            d.edtVelocidade->blockSignals(true);
            d.edtVelocidade->setText("1.5");
            d.edtVelocidade->blockSignals(false);
            for (auto [caixa, texto] : {std::pair<QLineEdit*, const char*>{d.edtNumero, "12"},
                                        {d.edtData, "05/03/1998"},
                                        {d.edtCota, "150"},
                                        {d.edtVazao, "20.5"},
                                        {d.edtArea, "30"}})
                QTest::keyClicks(caixa, texto);
            QVERIFY(!d.bo_ok->isEnabled());
            QTest::keyClicks(d.edtVelocidade, "0");
            QVERIFY(d.bo_ok->isEnabled());
            d.bo_ok->click();
            // The next record is started at once, empty, with the focus in "Número".
            QVERIFY(d.isVisible());
            QVERIFY(!d.bo_ok->isEnabled());
            QVERIFY(d.edtNumero->text().isEmpty());
            QVERIFY(d.edtNumero->hasFocus() || !QApplication::focusWidget());
            digitarTudo(d, {"13", "06/03/1998", "160", "25", "31", "1.6"});
            d.bo_ok->click();
            QTest::keyClicks(d.edtNumero, "14");
            d.close();
        });
        j.lista.bo_inserir->click();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.linhas(), 2);
        QCOMPARE(j.b.escalar("select count(*) from medida").toInt(), 2);
        QCOMPARE(j.b.escalar("select velocidade from medida where numero = 12").toDouble(), 1.50);
        QCOMPARE(j.lista.lstMedicoes->topLevelItem(0)->text(4), QString("05/03/1998"));
        QCOMPARE(j.lista.lstMedicoes->topLevelItem(0)->text(1), QString("20.50"));
        QCOMPARE(j.b.dm().tb_medida.estado(), ConjuntoDados::Estado::Inativo);
    }

    void valoresRecusados_data() {
        QTest::addColumn<QStringList>("valores");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("acima do máximo")
            << QStringList{"1", "05/03/1998", "100000000", "1", "1", "1"}
            << "Valor acima do máximo";
        QTest::newRow("data") << QStringList{"1", "31/02/1998", "100", "1", "1", "1"}
                              << "'31/02/1998' não é uma data válida";
        QTest::newRow("vazão negativa") << QStringList{"1", "05/03/1998", "100", "-1", "1", "1"}
                                        << "A vazão não pode ser negativa.";
        QTest::newRow("área negativa") << QStringList{"1", "05/03/1998", "100", "1", "-0.5", "1"}
                                       << "A área não pode ser negativa.";
        QTest::newRow("velocidade negativa")
            << QStringList{"1", "05/03/1998", "100", "1", "1", "-2"}
            << "A velocidade não pode ser negativa.";
    }
    void valoresRecusados() {
        QFETCH(QStringList, valores);
        QFETCH(QString, mensagem);
        Janela j;
        j.lista.show();
        j.roteiro.esperaDialogo<TDigitarMedicao>([&](TDigitarMedicao& d) {
            digitarTudo(d, valores);
            d.bo_ok->click();
            QVERIFY(d.isVisible());
            d.close();
        });
        j.roteiro.esperaMensagemComTitulo(mensagem, "Erro");
        j.lista.bo_inserir->click();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.b.escalar("select count(*) from medida").toInt(), 0);
    }

    // A number the station already has is refused; the dialog stays open with what was
    // typed, and a new number stores the record.
    void numeroRepetidoMantemDialogo() {
        Janela j;
        j.b.medida(j.id, 12, 100, 1);
        j.lista.show();
        j.roteiro.esperaDialogo<TDigitarMedicao>([&](TDigitarMedicao& d) {
            digitarTudo(d, {"12", "05/03/1998", "150", "2", "3", "1"});
            j.roteiro.esperaMensagemComTitulo("Já existe medida com esta numeração!", "Erro!");
            d.bo_ok->click();
            QVERIFY(d.isVisible());
            QCOMPARE(d.edtNumero->text(), QString("12"));
            QCOMPARE(d.edtData->text(), QString("05/03/1998"));
            QCOMPARE(d.edtVazao->text(), QString("2"));
            QVERIFY(d.bo_ok->isEnabled());
            d.edtNumero->setText("13");
            d.bo_ok->click();
            QVERIFY(d.edtNumero->text().isEmpty());
            d.close();
        });
        j.lista.bo_inserir->click();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.b.escalar("select count(*) from medida").toInt(), 2);
        QCOMPARE(j.b.escalar("select cota from medida where numero = 13").toDouble(), 150.0);
        QCOMPARE(j.b.escalar("select vazao from medida where numero = 12").toDouble(), 1.0);
    }

    // A measurement typed in the dialog is a real one: a fit by criteria takes it.
    void digitadaEntraNoAjuste() {
        Janela j;
        j.b.medida(j.id, 1, 100, 10);
        j.b.medida(j.id, 2, 200, 40);
        j.lista.show();
        j.roteiro.esperaDialogo<TDigitarMedicao>([](TDigitarMedicao& d) {
            digitarTudo(d, {"3", "05/03/1998", "300", "160", "80", "2"});
            d.bo_ok->click();
            d.close();
        });
        j.lista.bo_inserir->click();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.b.escalar("select ponto_obrigatorio from medida where numero = 3").toInt(), 0);

        CurvaTrecho curva;
        const QString condicao = condicaoCurva({criterioCota(true, 150).condicao}, j.id, 1);
        QVERIFY(CriarCurvaTrecho(curva, {condicao}, AlgoritmoCurva::Potencial, 100, 0, j.id,
                                 j.b.dm().conexao(), {}));
        QCOMPARE(curva.totalLinhas(), 2);
        QCOMPARE(curva.Medicoes.back().numero, 3.0);
        QCOMPARE(curva.CotaMax, 300.0);
    }

    void edicaoEObrigatorio() {
        Janela j;
        j.b.medida(j.id, 1, 100, 10, QDate(1998, 3, 5), 20, 0.5);
        j.b.medida(j.id, 10000, 120, 3.5, QDate(), 0, 0, 1);
        j.lista.show();
        QCOMPARE(j.linhas(), 2);
        j.selecionar(0);
        j.roteiro.esperaDialogo<TDigitarMedicao>([](TDigitarMedicao& d) {
            QCOMPARE(d.windowTitle(), QString("Editar medição"));
            QVERIFY(!d.edtNumero->isEnabled());
            QVERIFY(d.bo_ok->isEnabled());
            QCOMPARE(d.edtCota->text(), QString("100"));
            d.edtVazao->setText("11.25");
            d.bo_ok->click();
        });
        j.lista.bo_editar->click();
        QCOMPARE(j.b.escalar("select vazao from medida where numero = 1").toDouble(), 11.25);

        // A mandatory point cannot be edited, but can be deleted.
        j.selecionar(1);
        j.roteiro.esperaMensagemComTitulo("Não é permitido alterar ponto obrigatório!", "Erro");
        j.lista.bo_editar->click();
        j.selecionar(1);
        j.roteiro.esperaPergunta("Confirma deleção de medição?", true);
        j.lista.bo_deletar->click();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.linhas(), 1);
        QCOMPARE(j.b.escalar("select count(*) from medida").toInt(), 1);
    }

    // A dialog that cannot load what it shows says why and closes; no error leaves it.
    void medicaoSumidaFechaDialogo() {
        Janela j;
        j.b.medida(j.id, 1, 100, 10);
        j.lista.show();
        j.selecionar(0);
        j.b.executar("delete from medida");
        j.roteiro.esperaDialogo<TDigitarMedicao>(
            [](TDigitarMedicao& d) { QVERIFY(!d.isVisible()); });
        j.roteiro.esperaMensagemComTitulo("A medição não existe mais.", AplicacaoLumeno::titulo);
        j.lista.bo_editar->click();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.linhas(), 0);
    }

    void exportacao() {
        Janela j;
        j.b.medida(j.id, 7.4, 150.25, 10.5, QDate(1998, 3, 5), 20, 0.5);
        j.b.medida(j.id, 10000, 120, 3.5, QDate(), 0, 0, 1);
        j.b.medida(j.id, 9, 160, 12, QDate(1999, 1, 2), 21, 0.6);
        j.lista.show();
        QTemporaryDir dir;
        const QString arquivo = dir.filePath("m.xls");
        j.roteiro.esperaSalvarArquivo(arquivo);
        j.lista.bo_exportar->click();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.roteiro.ultimoTitulo, QString("Salvar planilha Excel"));
        const LeituraXlrd x = lerComXlrd(arquivo);
        QVERIFY2(x.ok, qPrintable(x.erro));
        QCOMPARE(x.versaoBiff, 50);
        const QStringList cabecalho{"Número", "Cota", "Vazão", "Área", "Velocidade", "Data"};
        for (int c = 0; c < 6; ++c)
            QCOMPARE(x.celulas.value({1, c + 1}).toString(), cabecalho[c]);
        QCOMPARE(x.celulas.value({2, 1}).toDouble(), 7.0);
        QCOMPARE(x.celulas.value({2, 2}).toDouble(), 150.25);
        QCOMPARE(x.celulas.value({2, 6}).toString(), QString("05/03/1998"));
        QCOMPARE(x.celulas.value({3, 1}).toDouble(), 9.0);
        QVERIFY(!x.celulas.contains({4, 1}));
        QCOMPARE(x.celulas.size(), 18);

        // Only mandatory points: only the header.
        j.b.executar("delete from medida where ponto_obrigatorio = 0");
        j.b.dm().qu_medida1.reabrir();
        TMedicoesEstacao::ExportarMedicoes(arquivo, j.b.dm().qu_medida1);
        const LeituraXlrd soCabecalho = lerComXlrd(arquivo);
        QVERIFY2(soCabecalho.ok, qPrintable(soCabecalho.erro));
        QCOMPARE(soCabecalho.celulas.size(), 6);
    }
};

LUMENO_TESTE(TesteMedicoes)
#include "tst_Medicoes.moc"
