#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "support/ExecutorTestes.h"
#include "support/LeitorPlanilhaExterno.h"
#include "support/ui/ColunasVisiveis.h"
#include "support/ui/ContextoTeste.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

struct Listagem : ContextoTeste {
    TMostrarPontosExtrapolados dialogo{ctx};

    Listagem() {
        dialogo.Codigo = "58110002";
        // Rows in measurement order, as the listing of the curve-adjustment window gives them.
        dialogo.preencher({"", "", "Vazão calc ", "Desvio%    ", "", ""},
                          {{"510.00", "1000.00", "1032.10", "3.21%", "1", "15/03/2004"},
                           {"150.00", "150.00", "", "---", "2", "02/01/1990"},
                           {"230.00", "300.00", "290.37", "-3.21%", "3", "20/11/1998"},
                           {"120.00", "90.00", "101.16", "12.40%", "4", "05/06/2001"}});
    }
    QStringList coluna(int c) const {
        QStringList r;
        for (int i = 0; i < dialogo.GradePontosExtrap->rowCount(); ++i)
            r << dialogo.GradePontosExtrap->item(i, c)->text();
        return r;
    }
    // Sorts as a click on the column's header does.
    void ordenar(int c, Qt::SortOrder ordem) {
        dialogo.GradePontosExtrap->horizontalHeader()->setSortIndicator(c, ordem);
    }
};

}  // namespace

class TestePontosCalculados : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Numbers sort by value, dates by date, and a row without a deviation goes last.
    void colunasOrdenamPorValor() {
        Listagem l;
        QCOMPARE(l.coluna(4), (QStringList{"1", "2", "3", "4"}));  // as listed until sorted
        l.ordenar(1, Qt::AscendingOrder);
        QCOMPARE(l.coluna(1), (QStringList{"90.00", "150.00", "300.00", "1000.00"}));
        l.ordenar(0, Qt::DescendingOrder);
        QCOMPARE(l.coluna(0), (QStringList{"510.00", "230.00", "150.00", "120.00"}));
        l.ordenar(5, Qt::AscendingOrder);
        QCOMPARE(l.coluna(5),
                 (QStringList{"02/01/1990", "20/11/1998", "05/06/2001", "15/03/2004"}));
        l.ordenar(3, Qt::AscendingOrder);
        QCOMPARE(l.coluna(3), (QStringList{"-3.21%", "3.21%", "12.40%", "---"}));
        // Filling again lists the rows in their own order.
        l.dialogo.preencher({}, {{"1.00"}, {"10.00"}, {"2.00"}});
        QCOMPARE(l.coluna(0), (QStringList{"1.00", "10.00", "2.00"}));
    }

    // Titles and values show whole: the two titles padded to 11 characters, the dates.
    void colunasInteiras() {
        Listagem l;
        l.dialogo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l.dialogo));
        QCOMPARE(colunasCortadas(l.dialogo.GradePontosExtrap), QString());
    }

    // The export writes the rows in the order shown.
    void exportacaoSegueOrdemMostrada() {
        Listagem l;
        QTemporaryDir dir;
        const QString arquivo = dir.filePath("desvios.xls");
        l.ordenar(1, Qt::AscendingOrder);
        l.roteiro.esperaSalvarArquivo(arquivo).esperaMensagemComTitulo(
            "Arquivo gravado com sucesso!", QString());
        l.dialogo.bo_exportar->click();
        QVERIFY2(l.roteiro.concluido(), l.roteiro.relatorio());
        const LeituraXlrd x = lerComXlrd(arquivo);
        QVERIFY2(x.ok, qPrintable(x.erro));
        QList<double> vazoes, numeros;
        for (int r = 2; r < 6; ++r) {
            vazoes << x.celulas.value({r, 2}).toDouble();
            numeros << x.celulas.value({r, 5}).toDouble();
        }
        QCOMPARE(vazoes, (QList<double>{90, 150, 300, 1000}));
        QCOMPARE(numeros, (QList<double>{4, 2, 3, 1}));
        QCOMPARE(x.celulas.value({2, 6}).toString(), QString("05/06/2001"));
    }
};

LUMENO_TESTE(TestePontosCalculados)
#include "tst_PontosCalculados.moc"
