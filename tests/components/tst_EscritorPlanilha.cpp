#include "app/ErroLumeno.h"
#include "components/EscritorPlanilha.h"
#include "support/ExecutorTestes.h"
#include "support/LeitorPlanilhaExterno.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lumeno;
using namespace lumeno::teste;

namespace {
void escreverExemplo(EscritorPlanilha& p) {
    p.escreverTexto(1, 0, "Código: 58110002");
    const char* cabecalho[] = {"Número", "Cota", "Vazão", "Área", "Velocidade", "Data"};
    for (int c = 0; c < 6; ++c)
        p.escreverTexto(c + 1, 1, QString::fromUtf8(cabecalho[c]));
    p.escreverNumero(1, 2, 7);
    p.escreverNumero(2, 2, 150.25);
    p.escreverNumero(3, 2, -3.21);
    p.escreverNumero(4, 2, 1234567.891);
    p.escreverNumero(5, 2, 0.1);
    p.escreverTexto(6, 2, "05/03/1998");
    p.escreverTexto(3, 4, "m³/s");
    p.escreverNumero(0, 5, 99);
    p.escreverNumero(0, 5, 100);  // replaces
}
}  // namespace

class TesteEscritorPlanilha : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void biff5LidoPorXlrdESsconvert() {
        QTemporaryDir dir;
        const QString arquivo = dir.filePath("medicoes.xls");
        EscritorPlanilha p(arquivo);
        escreverExemplo(p);
        p.fechar();

        const LeituraXlrd x = lerComXlrd(arquivo);
        QVERIFY2(x.ok, qPrintable(x.erro));
        QCOMPARE(x.versaoBiff, 50);
        QCOMPARE(x.nomePlanilha, QString("Sheet1"));
        QCOMPARE(x.celulas.value({0, 1}).toString(), QString("Código: 58110002"));
        QCOMPARE(x.celulas.value({1, 3}).toString(), QString("Vazão"));
        QCOMPARE(x.celulas.value({1, 4}).toString(), QString("Área"));
        QCOMPARE(x.celulas.value({2, 1}).toDouble(), 7.0);
        QCOMPARE(x.celulas.value({2, 3}).toDouble(), -3.21);
        QCOMPARE(x.celulas.value({2, 4}).toDouble(), 1234567.891);
        QCOMPARE(x.celulas.value({2, 6}).typeId(), QMetaType::QString);
        QCOMPARE(x.celulas.value({2, 6}).toString(), QString("05/03/1998"));
        QCOMPARE(x.celulas.value({4, 3}).toString(), QString("m³/s"));
        QCOMPARE(x.celulas.value({5, 0}).toDouble(), 100.0);
        QCOMPARE(x.celulas.size(), 15);

        const LeituraSsconvert s = lerComSsconvert(arquivo);
        QVERIFY2(s.ok, qPrintable(s.erro));
        QCOMPARE(s.celula(0, 1), QString("Código: 58110002"));
        QCOMPARE(s.celula(1, 3), QString("Vazão"));
        QCOMPARE(s.celula(2, 2).toDouble(), 150.25);
        QCOMPARE(s.celula(2, 3).toDouble(), -3.21);
        QCOMPARE(s.celula(2, 6), QString("05/03/1998"));
        QCOMPARE(s.celula(5, 0).toDouble(), 100.0);
    }

    void planilhaVazia() {
        QTemporaryDir dir;
        const QString arquivo = dir.filePath("vazia.xls");
        EscritorPlanilha p(arquivo);
        p.fechar();
        const LeituraXlrd x = lerComXlrd(arquivo);
        QVERIFY2(x.ok, qPrintable(x.erro));
        QCOMPARE(x.versaoBiff, 50);
        QVERIFY(x.celulas.isEmpty());
        QVERIFY2(lerComSsconvert(arquivo).ok, "ssconvert");
    }

    void registrosDaPlanilha() {
        EscritorPlanilha p("x.xls");
        p.escreverTexto(2, 3, "a");
        p.escreverNumero(1, 5, 1);
        const QByteArray f = p.fluxoBiff5();
        // DIMENSIONS of the sheet: rows 3..5, columns 1..2.
        const int dim = f.indexOf(QByteArray("\x00\x02\x0a\x00", 4));
        QVERIFY(dim > 0);
        const auto u16 = [&](int i) { return quint8(f[i]) | (quint8(f[i + 1]) << 8); };
        QCOMPARE(u16(dim + 4), 3);
        QCOMPARE(u16(dim + 6), 6);
        QCOMPARE(u16(dim + 8), 1);
        QCOMPARE(u16(dim + 10), 3);
        // WINDOW2 shows grid lines and headings.
        const int janela = f.indexOf(QByteArray("\x3e\x02\x0a\x00", 4));
        QVERIFY(janela > 0);
        QCOMPARE(u16(janela + 4) & 0x0006, 0x0006);
    }

    void textoCodigo1252() {
        QCOMPARE(textoCp1252("Vazão m³/s €"), QByteArray("Vaz\xe3o m\xb3/s \x80"));
        QCOMPARE(textoCp1252(QString::fromUtf8("ǅ")), QByteArray("?"));
        EscritorPlanilha p("x.xls");
        p.escreverTexto(0, 0, QString(300, 'a'));
        QVERIFY(p.fluxoBiff5().contains(QByteArray(255, 'a')));
        QVERIFY(!p.fluxoBiff5().contains(QByteArray(256, 'a')));
    }

    void xlsx() {
        QTemporaryDir dir;
        const QString arquivo = dir.filePath("medicoes.XLSX");
        EscritorPlanilha p(arquivo);
        escreverExemplo(p);
        p.fechar();
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(2), QByteArray("PK"));
        const LeituraSsconvert s = lerComSsconvert(arquivo);
        QVERIFY2(s.ok, qPrintable(s.erro));
        QCOMPARE(s.celula(1, 4), QString("Área"));
        QCOMPARE(s.celula(2, 3).toDouble(), -3.21);
        QCOMPARE(s.celula(4, 3), QString("m³/s"));
    }

    void arquivoQueNaoPodeSerGravado_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("xls") << "a.xls";
        QTest::newRow("xlsx") << "a.xlsx";
    }
    void arquivoQueNaoPodeSerGravado() {
        QFETCH(QString, nome);
        EscritorPlanilha p("/pasta/que/nao/existe/" + nome);
        p.escreverNumero(0, 0, 1);
        try {
            p.fechar();
            QFAIL("written");
        } catch (const ErroLumeno& e) {
            QVERIFY2(e.mensagem().contains(nome), qPrintable(e.mensagem()));
        }
    }
};

LUMENO_TESTE(TesteEscritorPlanilha)
#include "tst_EscritorPlanilha.moc"
