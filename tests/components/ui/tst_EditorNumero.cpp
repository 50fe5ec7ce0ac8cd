#include "app/ErroLumeno.h"
#include "components/EditorNumero.h"
#include "support/ExecutorTestes.h"

#include <QTest>

#include <limits>

using namespace lumeno;

// What the numeric box makes of what is typed: a comma is the decimal point, and a text
// that is not a number the box takes stays as typed and is refused, never read as another
// number.
class TesteEditorNumero : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void digitado_data() {
        QTest::addColumn<int>("casas");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("aceito");
        QTest::addColumn<double>("valor");
        QTest::newRow("vírgula") << 2 << "12,5"
                                 << "12.5" << true << 12.5;
        QTest::newRow("ponto") << 2 << "-0.25"
                               << "-0.25" << true << -0.25;
        QTest::newRow("expoente") << 2 << "1.5e3"
                                  << "1.5e3" << true << 1500.0;
        QTest::newRow("fora do double") << 2 << "1e400"
                                        << "1e400" << false << 0.0;
        QTest::newRow("inteiro fora do double") << 0 << "1e400"
                                                << "1e400" << false << 0.0;
        QTest::newRow("inteiro com vírgula") << 0 << "12,5"
                                             << "12.5" << false << 0.0;
        QTest::newRow("inteiro com expoente") << 0 << "2e3"
                                              << "2e3" << true << 2000.0;
        QTest::newRow("incompleto") << 2 << "1e"
                                    << "1e" << false << 0.0;
        QTest::newRow("só o sinal") << 2 << "-"
                                    << "-" << false << 0.0;
        // Keys that can begin no number are not taken; the rest stays as typed.
        QTest::newRow("letras") << 2 << "1x2"
                                << "12" << true << 12.0;
        QTest::newRow("segundo ponto") << 2 << "1,2,3"
                                       << "1.23" << true << 1.23;
    }
    void digitado() {
        QFETCH(int, casas);
        QFETCH(QString, teclas);
        QFETCH(QString, texto);
        QFETCH(bool, aceito);
        QFETCH(double, valor);
        EditorNumero e;
        e.definirCasas(casas);
        e.show();
        QTest::keyClicks(&e, teclas);
        QCOMPARE(e.text(), texto);
        QCOMPARE(e.hasAcceptableInput(), aceito);
        QCOMPARE(e.palette().color(QPalette::Text) == QColor(Qt::red), !aceito);
        if (aceito) {
            QCOMPARE(e.valor(), valor);
            QCOMPARE(e.valorCampo().toDouble(), valor);
        } else {
            QVERIFY_THROWS_EXCEPTION(ErroConversao, e.valor());
            QVERIFY_THROWS_EXCEPTION(ErroConversao, e.valorCampo());
        }
    }

    void vazioEIntervalo() {
        EditorNumero e;
        e.definirCasas(0);
        QVERIFY(e.valorCampo().isNull());
        QCOMPARE(e.valor(), 0.0);
        e.setText("99999999999");
        QVERIFY_THROWS_EXCEPTION(ErroConversao, e.valorCampo());
        QVERIFY_THROWS_EXCEPTION(ErroConversao, e.valorInteiro());
        e.setText("-2147483648");
        QCOMPARE(e.valorInteiro(), std::numeric_limits<int>::min());
        e.setText("7,0");
        QCOMPARE(e.valorInteiro(), 7);
    }
};

LUMENO_TESTE(TesteEditorNumero)
#include "tst_EditorNumero.moc"
