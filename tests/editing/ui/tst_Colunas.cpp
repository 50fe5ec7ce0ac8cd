#include "app/ui/Contexto.h"
#include "components/PainelGrafico.h"
#include "curves/CriteriosExclusao.h"
#include "editing/ui/TControleEstacao.h"
#include "editing/ui/TDigitarMedicao.h"
#include "editing/ui/TDigitarPontoSecao.h"
#include "editing/ui/TDigitarSecao.h"
#include "editing/ui/TMedicoesEstacao.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"
#include "support/ui/ColunasVisiveis.h"
#include "support/ui/ContextoTeste.h"

#include <QTest>
#include <QTreeWidget>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

// A station with wide values: an eight-digit code, a long name and river, discharges of
// five digits before the point, sections kilometres wide and deep below the datum.
struct Estacao : ContextoTeste {
    int id = 0;
    Estacao() {
        b.rio(1, "Rio Paraíba do Sul");
        id = b.estacao(99990001, "UHE Santa Branca Jacareí montante", 1);
        b.estacao(58110002, "Ponte");
        b.medida(id, 1, 150, 12345.67, QDate(2004, 12, 31), 98765.43, 12.34);
        b.medida(id, 2, 13500, 0.5, QDate(1998, 3, 5), 1.5, 0.01);
        b.ponto(id, 12345.67, -1234.56);
        b.ponto(id, 0, 830);
        b.dm().qu_estacao1.abrir();
        b.dm().qu_estacao1.localizar("IdEstacao", id);
    }
};

}  // namespace

class TesteColunas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each list of the station windows shows every title and value whole when it opens.
    void bancoDeEstacoes() {
        Estacao e;
        TControleEstacao controle{e.ctx};
        controle.show();
        QVERIFY(QTest::qWaitForWindowExposed(&controle));
        QCOMPARE(controle.lstEstacoes->topLevelItemCount(), 2);
        QCOMPARE(colunasCortadas(controle.lstEstacoes), QString());
        // Filled again (after each command), the list and its window keep their width.
        const int largura = controle.width();
        for (int i = 0; i < 3; ++i)
            controle.recarregar();
        QCOMPARE(controle.width(), largura);
        QCOMPARE(colunasCortadas(controle.lstEstacoes), QString());
    }

    void medicoes() {
        Estacao e;
        TDigitarMedicao digitar{e.ctx};
        TMedicoesEstacao lista{e.ctx, digitar};
        lista.show();
        QVERIFY(QTest::qWaitForWindowExposed(&lista));
        QCOMPARE(lista.lstMedicoes->topLevelItem(0)->text(1), QString("12345.67"));
        QCOMPARE(colunasCortadas(lista.lstMedicoes), QString());
    }

    void secao() {
        Estacao e;
        TDigitarPontoSecao ponto{e.ctx};
        TDigitarSecao secao{e.ctx, ponto};
        const int largura = secao.width();
        secao.show();
        QVERIFY(QTest::qWaitForWindowExposed(&secao));
        QCOMPARE(secao.lstPontos->topLevelItem(0)->text(1), QString("-1234.56"));
        QCOMPARE(colunasCortadas(secao.lstPontos), QString());
        // The profile keeps its room: the window grew by what the list took.
        QVERIFY(secao.width() >= largura);
        QVERIFY(secao.DesenhoSecao->width() > secao.lstPontos->width());
        // Drawn again after every point typed: no wider each time.
        const int aberta = secao.width();
        for (int i = 0; i < 3; ++i)
            secao.Desenhar();
        QCOMPARE(secao.width(), aberta);
    }
};

LUMENO_TESTE(TesteColunas)
#include "tst_Colunas.moc"
