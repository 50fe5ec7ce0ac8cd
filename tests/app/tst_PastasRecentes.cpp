#include "app/PastasRecentes.h"
#include "support/ExecutorTestes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace lumeno;
using Tipo = PastasRecentes::Tipo;

class TestePastasRecentes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tipoDoDialogo() {
        QCOMPARE(PastasRecentes::tipoDoDialogo(false, "Arquivos Hidro (*.mdb)"), Tipo::Importacao);
        QCOMPARE(PastasRecentes::tipoDoDialogo(false, "Imagens (*.png)"), Tipo::Importacao);
        QCOMPARE(PastasRecentes::tipoDoDialogo(
                     true, "Arquivo BMP (*.bmp);;Arquivo PNG (*.png);;Arquivo SVG (*.svg)"),
                 Tipo::Figura);
        QCOMPARE(PastasRecentes::tipoDoDialogo(
                     true, "Arquivos Excel (*.xls);;Pasta de trabalho (*.xlsx)"),
                 Tipo::Exportacao);
        QCOMPARE(PastasRecentes::tipoDoDialogo(true, "Texto separado (*.csv)"), Tipo::Exportacao);
    }

    // Each kind opens where it was used last, kept between runs; a kind never used opens
    // where any was used last, and a folder that is gone is passed over.
    void pastaPorTipo() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("config/pastas.ini");
        const QString importacoes = dir.filePath("medições");
        const QString planilhas = dir.filePath("planilhas");
        QDir().mkpath(importacoes);
        QDir().mkpath(planilhas);
        {
            PastasRecentes p(ini);
            QCOMPARE(p.pasta(Tipo::Importacao), QDir::homePath());
            p.lembrar(Tipo::Importacao, importacoes + "/estacao.cop");
            QCOMPARE(p.pasta(Tipo::Importacao), importacoes);
            QCOMPARE(p.pasta(Tipo::Figura), importacoes);
            p.lembrar(Tipo::Exportacao, planilhas + "/desvios.xls");
            // A file in a folder that does not exist is not remembered.
            p.lembrar(Tipo::Figura, dir.filePath("nenhuma/figura.bmp"));
        }
        PastasRecentes p(ini);
        QCOMPARE(p.pasta(Tipo::Importacao), importacoes);
        QCOMPARE(p.pasta(Tipo::Exportacao), planilhas);
        QCOMPARE(p.pasta(Tipo::Figura), planilhas);
        QVERIFY(QDir(importacoes).removeRecursively());
        QCOMPARE(p.pasta(Tipo::Importacao), planilhas);
    }
};

LUMENO_TESTE(TestePastasRecentes)
#include "tst_PastasRecentes.moc"
