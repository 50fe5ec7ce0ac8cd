#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "support/ExecutorTestes.h"

#include <QTest>

#include <algorithm>

using namespace lumeno;

class TesteFormato : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fixoDuasCasas_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("inteiro") << 10.0 << "10.00";
        QTest::newRow("negativo") << -3.2149 << "-3.21";
        QTest::newRow("meio sobe") << 2.675 << "2.68";  // 7 significant digits first
        QTest::newRow("oito digitos") << 1234567.891 << "1234568.00";
        QTest::newRow("zero negativo") << -0.001 << "0.00";
        QTest::newRow("exponencial") << 12345678.9 << "1.234568E+7";
        QTest::newRow("pequeno") << 0.005 << "0.01";
    }
    void fixoDuasCasas() {
        QFETCH(double, valor);
        QFETCH(QString, esperado);
        QCOMPARE(fixo2(valor), esperado);
    }

    void padroes_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("padrao");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("###0.00") << 12.345 << "###0.00"
                                 << "12.35";
        QTest::newRow("###0.00 zero") << 0.0 << "###0.00"
                                      << "0.00";
        QTest::newRow("#0.00000") << 1.5 << "#0.00000"
                                  << "1.50000";
        QTest::newRow("0.00 binario") << 2.675 << "0.00"
                                      << "2.67";
        QTest::newRow("000") << 5.0 << "000"
                             << "005";
        QTest::newRow("####0") << 123.6 << "####0"
                               << "124";
        QTest::newRow("0000000.00") << 120.0 << "0000000.00"
                                    << "0000120.00";
        QTest::newRow("0000000.00 neg") << -3.5 << "0000000.00"
                                        << "-0000003.50";
        QTest::newRow("0 meio") << 2.5 << "0"
                                << "3";
        QTest::newRow("0 meio neg") << -2.5 << "0"
                                    << "-3";
        QTest::newRow("###0.000000000") << 1.0 / 3.0 << "###0.000000000"
                                        << "0.333333333";
        QTest::newRow("##0.00 grande") << 12345.678 << "##0.00"
                                       << "12345.68";
        QTest::newRow("#.## opcional") << 1.5 << "#.##"
                                       << "1.5";
    }
    void padroes() {
        QFETCH(double, valor);
        QFETCH(QString, padrao);
        QFETCH(QString, esperado);
        QCOMPARE(formatar(valor, padrao), esperado);
    }

    void numeroCurto_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("inteiro") << 150.0 << "150";
        QTest::newRow("decimal") << 0.1 << "0.1";
        QTest::newRow("metade") << 1234.5 << "1234.5";
        QTest::newRow("negativo") << -2.25 << "-2.25";
        QTest::newRow("muito pequeno") << 2.5e-7 << "2.5E-7";
    }
    void numeroCurto() {
        QFETCH(double, valor);
        QFETCH(QString, esperado);
        QCOMPARE(numeroTexto(valor), esperado);
    }

    void datas() {
        QCOMPARE(dataTexto(QDate(2004, 3, 5)), QStringLiteral("05/03/2004"));
        QCOMPARE(dataSql(QDate(1990, 3, 25)), QStringLiteral("03/25/1990"));
        QCOMPARE(lerData("05/03/2004"), QDate(2004, 3, 5));
        QCOMPARE(lerData("5/3/98"), QDate(1998, 3, 5));
        QVERIFY_THROWS_EXCEPTION(ErroConversao, lerData("31/02/2004"));
        QVERIFY_THROWS_EXCEPTION(ErroConversao, lerData("05-03-2004"));
        try {
            lerData("xx");
            QFAIL("no error");
        } catch (const ErroConversao& e) {
            QCOMPARE(e.mensagem(), QStringLiteral("'xx' não é uma data válida"));
        }
    }

    void numerosLidos() {
        QCOMPARE(lerReal(" 1234.5 "), 1234.5);
        QCOMPARE(lerReal("-1.5E2"), -150.0);
        QCOMPARE(lerReal(".5"), 0.5);
        QVERIFY_THROWS_EXCEPTION(ErroConversao, lerReal("1,5"));
        QVERIFY_THROWS_EXCEPTION(ErroConversao, lerReal(""));
        // Beyond the range of a double: not read as infinity.
        QVERIFY_THROWS_EXCEPTION(ErroConversao, lerReal("1e400"));
        QVERIFY_THROWS_EXCEPTION(ErroConversao, lerReal("-1e309"));
        QCOMPARE(lerReal("1e-400"), 0.0);
        QCOMPARE(lerInteiro("-42"), -42);
        QVERIFY_THROWS_EXCEPTION(ErroConversao, lerInteiro("4.2"));
        QVERIFY_THROWS_EXCEPTION(ErroConversao, lerInteiro("99999999999"));
    }

    // Whatever the system's locale, the program's conventions hold once fixed.
    void localeDoSistemaIgnorado() {
        const QLocale anterior;
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        fixarLocale();
        QCOMPARE(QLocale().toString(1234.5), QStringLiteral("1234.5"));
        QCOMPARE(numeroTexto(1234.5), QStringLiteral("1234.5"));
        QCOMPARE(dataTexto(QDate(2004, 3, 5)), QStringLiteral("05/03/2004"));
        QCOMPARE(QLocale().toDouble(QStringLiteral("1234.5")), 1234.5);
        QLocale::setDefault(anterior);
        fixarLocale();
    }

    // Cells sort as the values they show: the listing's discharges, deviations, dates and
    // cells without a value, shuffled, come back in this order.
    void ordemDeValores_data() {
        QTest::addColumn<QStringList>("ordenados");
        QTest::newRow("vazões") << QStringList{"-5.00",  "0.50",    "90.00",      "150.00",
                                               "300.00", "1000.00", "1.234568E+7"};
        QTest::newRow("desvios") << QStringList{"-12.40%", "-3.21%", "0.00%",
                                                "3.21%",   "25.00%", "---"};
        QTest::newRow("datas") << QStringList{"31/12/1899", "05/03/1998", "4/3/2004",
                                              "02/01/2010", "não é data", "---"};
        QTest::newRow("tipos") << QStringList{"7", "01/01/2000", "Atípica", "Sim", "  "};
    }
    void ordemDeValores() {
        QFETCH(QStringList, ordenados);
        QStringList t = ordenados;
        std::reverse(t.begin(), t.end());
        std::rotate(t.begin(), t.begin() + t.size() / 2, t.end());
        std::stable_sort(t.begin(), t.end(), [](const QString& a, const QString& b) {
            return compararValoresTexto(a, b) < 0;
        });
        QCOMPARE(t, ordenados);
        QCOMPARE(compararValoresTexto("150.00", "150"), 0);
        QCOMPARE(compararValoresTexto("---", ""), 0);
        QVERIFY(compararValoresTexto("1000.00", "90.00") > 0);
    }

    void cores() {
        QCOMPARE(corHtml(0x0000FF), QStringLiteral("FF0000"));
        QCOMPARE(corHtml(0xFF0000), QStringLiteral("0000FF"));
        QCOMPARE(corHtml(0x123456), QStringLiteral("563412"));
        QCOMPARE(corHex(0x0000FF), QStringLiteral("0000FF"));
    }
};

LUMENO_TESTE(TesteFormato)
#include "tst_Formato.moc"
