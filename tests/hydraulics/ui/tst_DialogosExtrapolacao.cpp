#include "components/EditorNumero.h"
#include "curves/CurvaTrecho.h"
#include "hydraulics/ui/TDadosCotaExtrapolacao.h"
#include "hydraulics/ui/TDigitarKManning.h"
#include "support/ExecutorTestes.h"
#include "support/ui/ContextoTeste.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <array>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

struct Dialogo : ContextoTeste {
    std::array<CurvaTrecho, 13> trechos{};
    TDadosCotaExtrapolacao cota{ctx};

    Dialogo() {
        for (int n = 1; n <= 12; ++n) {
            trechos[static_cast<size_t>(n)].Algoritmo = n % 4 == 0 ? 2 : 1;
            trechos[static_cast<size_t>(n)].Grau = 3;
            trechos[static_cast<size_t>(n)].Cor = 0x000010u * static_cast<unsigned>(n);
        }
        cota.preparar(trechos.data(), 12);
    }
};

}  // namespace

class TesteDialogosExtrapolacao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // OK is refused without a curve, then without a colour; row 12 extrapolates curve 12.
    void cotaRecusaEConfirma() {
        Dialogo d;
        d.roteiro.esperaDialogo<TDadosCotaExtrapolacao>([&](TDadosCotaExtrapolacao& c) {
            QCOMPARE(c.windowTitle(), QString("Cota a ser extrapolada"));
            QCOMPARE(c.lstTrechos->topLevelItemCount(), 12);
            QCOMPARE(c.lstTrechos->topLevelItem(0)->text(0), QString("1"));
            QCOMPARE(c.lstTrechos->topLevelItem(0)->text(1), QString("Potencial"));
            QCOMPARE(c.lstTrechos->topLevelItem(3)->text(1), QString("Polinomial, grau 3"));
            QVERIFY(!c.lstTrechos->topLevelItem(11)->icon(0).isNull());
            QCOMPARE(c.edtCota->text(), QString("0"));
            c.edtCota->setText("612");
            c.bo_ok->click();
            QVERIFY(c.isVisible());
            c.lstTrechos->setCurrentItem(c.lstTrechos->topLevelItem(11));
            c.bo_ok->click();
            QVERIFY(c.isVisible());
            QVERIFY(!c.CorEscolhida);
            QTest::mouseClick(c.edtCor, Qt::LeftButton);  // colour dialog cancelled
            QVERIFY(!c.CorEscolhida);
            QTest::mouseClick(c.edtCor, Qt::LeftButton);
            QVERIFY(c.CorEscolhida);
            c.bo_ok->click();
        });
        d.roteiro.esperaMensagemComTitulo("Deve ser selecionado um trecho para extrapolação!",
                                          "Atenção");
        d.roteiro.esperaMensagemComTitulo("Selecione uma cor para traçado da extrapolação!",
                                          "Atenção");
        d.roteiro.esperaCor(std::nullopt).esperaCor(QColor(255, 0, 128));
        d.ctx.interacao.executar(d.cota);
        QVERIFY2(d.roteiro.concluido(), d.roteiro.relatorio());
        QVERIFY(d.cota.Confirmado);
        QCOMPARE(d.cota.Trecho(), 12);
        QCOMPARE(d.cota.CotaExtrapolada(), 612.0);
        QCOMPARE(d.cota.Cor(), 0x8000FFu);

        // Shown again: everything starts over; Cancela confirms nothing.
        d.cota.preparar(d.trechos.data(), 3);
        d.roteiro.esperaDialogo<TDadosCotaExtrapolacao>([&](TDadosCotaExtrapolacao& c) {
            QCOMPARE(c.lstTrechos->topLevelItemCount(), 3);
            QCOMPARE(c.Trecho(), 0);
            QVERIFY(!c.CorEscolhida);
            QVERIFY(!c.Confirmado);
            QCOMPARE(c.edtCota->valor(), 0.0);
            c.lstTrechos->setCurrentItem(c.lstTrechos->topLevelItem(2));
            c.bo_cancela->click();
        });
        d.ctx.interacao.executar(d.cota);
        QVERIFY2(d.roteiro.concluido(), d.roteiro.relatorio());
        QVERIFY(!d.cota.Confirmado);
    }

    void kManning() {
        ContextoTeste c;
        TDigitarKManning k;
        c.roteiro.esperaDialogo<TDigitarKManning>([](TDigitarKManning& d) {
            QCOMPARE(d.windowTitle(),
                     QString("Selecione o parâmetro K para o processo de Manning"));
            d.k->clear();
            d.close();
        });
        c.ctx.interacao.executar(k);
        QVERIFY2(c.roteiro.concluido(), c.roteiro.relatorio());
        QCOMPARE(k.K(), 0.0);
        c.roteiro.esperaDialogo<TDigitarKManning>([](TDigitarKManning& d) {
            QCOMPARE(d.k->text(), QString("0"));
            d.k->setText("0.031");
            d.bo_ok->click();
        });
        c.ctx.interacao.executar(k);
        QVERIFY2(c.roteiro.concluido(), c.roteiro.relatorio());
        QCOMPARE(k.K(), 0.031);
    }
};

LUMENO_TESTE(TesteDialogosExtrapolacao)
#include "tst_DialogosExtrapolacao.moc"
