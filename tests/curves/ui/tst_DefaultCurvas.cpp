#include "app/ui/Contexto.h"
#include "components/EditorNumero.h"
#include "curves/CriteriosExclusao.h"
#include "curves/ui/TfrmDadosDefaultCurva.h"
#include "curves/ui/TfrmDefaultCurvas.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"
#include "support/ui/ContextoTeste.h"
#include "support/ui/InteracaoRoteirizada.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

using namespace lumeno;
using lumeno::teste::ContextoTeste;
using lumeno::teste::InteracaoRoteirizada;

namespace {
struct Janela : ContextoTeste {
    TfrmDadosDefaultCurva dados{ctx};
    TfrmDefaultCurvas lista{ctx, dados};

    QStringList linhas() const {
        QStringList r;
        for (int i = 0; i < lista.lstTrechos->topLevelItemCount(); ++i)
            r << lista.lstTrechos->topLevelItem(i)->text(0) + " " +
                     lista.lstTrechos->topLevelItem(i)->text(1);
        return r;
    }
    QString linhaDe(int trecho) {
        return b
            .escalar(QString("select cor || '/' || algoritmo || '/' || parm from curva_default "
                             "where trecho = %1")
                         .arg(trecho))
            .toString();
    }
};
}  // namespace

class TesteDefaultCurvas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listaDescreveAlgoritmos() {
        Janela j;
        j.b.executar(
            "insert into curva_default (trecho, cor, algoritmo, parm) values (2, 255, 2, 3)");
        j.b.executar(
            "insert into curva_default (trecho, cor, algoritmo, parm) values (1, 16711680, 1, "
            "120)");
        j.lista.show();
        QCOMPARE(j.linhas(), (QStringList{"1 Potencial (Ostrel), h0=120", "2 Polinomial, grau 3"}));
        QCOMPARE(j.lista.lstTrechos->headerItem()->text(1), QString("Algoritmo e parâmetro"));
        const QImage figura = j.lista.lstTrechos->topLevelItem(1)->icon(0).pixmap(16, 16).toImage();
        QCOMPARE(figura.pixelColor(7, 7), QColor(255, 0, 0));
        QCOMPARE(figura.pixelColor(0, 0), QColor(Qt::white));
    }

    void grauDoPolinomio_data() {
        QTest::addColumn<QString>("grau");
        QTest::addColumn<bool>("aceito");
        QTest::newRow("0") << "0" << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("8") << "8" << true;
        QTest::newRow("9") << "9" << false;
    }
    void grauDoPolinomio() {
        QFETCH(QString, grau);
        QFETCH(bool, aceito);
        Janela j;
        j.lista.show();
        j.roteiro.esperaDialogo<TfrmDadosDefaultCurva>([&](TfrmDadosDefaultCurva& d) {
            QCOMPARE(d.lblParm->text(), QString("Parâmetro"));
            d.edtTrecho->setValue(3);
            d.cboAlgoritmo->setCurrentIndex(1);
            QCOMPARE(d.lblParm->text(), QString("Grau"));
            d.edtParm->setText(grau);
            d.Button1->click();
            if (!aceito)
                d.reject();
        });
        if (!aceito)
            j.roteiro.esperaMensagemComTitulo(
                "O grau para o algoritmo polinomial deve estar entre 1 e 8", "Erro");
        j.lista.mniInserir->trigger();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
        QCOMPARE(j.linhas().size(), aceito ? 1 : 0);
        if (aceito)
            QCOMPARE(j.linhas().first(), QString("3 Polinomial, grau ") + grau);
    }

    void semAlgoritmoRecusado() {
        Janela j;
        j.lista.show();
        j.roteiro.esperaDialogo<TfrmDadosDefaultCurva>([](TfrmDadosDefaultCurva& d) {
            QCOMPARE(d.cboAlgoritmo->currentIndex(), -1);
            QCOMPARE(d.Cor, 0xFFFFFFu);
            d.Button1->click();
            QVERIFY(d.isVisible());
            d.reject();
        });
        j.roteiro.esperaMensagemComTitulo("Deve ser selecionado um algoritmo para o trecho",
                                          "Erro");
        j.lista.mniInserir->trigger();
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }

    void insercaoEAlteracao() {
        Janela j;
        j.lista.show();
        // A new curve number: inserted with the colour chosen and the rounded values.
        j.roteiro.esperaDialogo<TfrmDadosDefaultCurva>([](TfrmDadosDefaultCurva& d) {
            d.edtTrecho->setValue(2);
            QTest::mouseClick(d.edtCor, Qt::LeftButton);
            d.cboAlgoritmo->setCurrentIndex(0);
            QCOMPARE(d.lblParm->text(), QString("h0 (cm)"));
            d.edtParm->setText("110");
            d.Button1->click();
        });
        j.roteiro.esperaCor(QColor(255, 0, 0));
        j.lista.mniInserir->trigger();
        QCOMPARE(j.linhaDe(2), QString("255.0/1.0/110.0"));

        // The same number again: the row is updated, not doubled.
        j.roteiro.esperaDialogo<TfrmDadosDefaultCurva>([](TfrmDadosDefaultCurva& d) {
            d.edtTrecho->setValue(2);
            d.cboAlgoritmo->setCurrentIndex(1);
            d.edtParm->setText("4");
            d.Button1->click();
        });
        j.lista.mniInserir->trigger();
        QCOMPARE(j.b.escalar("select count(*) from curva_default").toInt(), 1);
        QCOMPARE(j.linhaDe(2), QString("16777215.0/2.0/4.0"));

        // Change by double click on the row: the number cannot be edited.
        j.lista.lstTrechos->setCurrentItem(j.lista.lstTrechos->topLevelItem(0));
        j.roteiro.esperaDialogo<TfrmDadosDefaultCurva>([](TfrmDadosDefaultCurva& d) {
            QVERIFY(!d.edtTrecho->isEnabled());
            QCOMPARE(d.edtTrecho->value(), 2);
            QCOMPARE(d.cboAlgoritmo->currentIndex(), 1);
            QCOMPARE(d.edtParm->text(), QString("4"));
            d.edtParm->setText("6");
            d.Button1->click();
        });
        Q_EMIT j.lista.lstTrechos->itemDoubleClicked(j.lista.lstTrechos->topLevelItem(0), 0);
        QCOMPARE(j.linhas(), QStringList{"2 Polinomial, grau 6"});

        j.lista.lstTrechos->setCurrentItem(j.lista.lstTrechos->topLevelItem(0));
        j.roteiro.esperaPergunta("Confirma remoção de valores default para trecho?", true);
        j.lista.mniDeletar->trigger();
        QVERIFY(j.linhas().isEmpty());
        QVERIFY2(j.roteiro.concluido(), j.roteiro.relatorio());
    }
};

LUMENO_TESTE(TesteDefaultCurvas)
#include "tst_DefaultCurvas.moc"
