#include "analysis/ArquivoFigura.h"
#include "analysis/ConjuntoPontos.h"
#include "analysis/EscalaGrafico.h"
#include "analysis/ExtremosMedicoes.h"
#include "app/ErroLumeno.h"
#include "data/Consulta.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include <QTest>

using namespace lumeno;
using lumeno::teste::BancoTeste;

Q_DECLARE_METATYPE(lumeno::SelecaoPontos)

namespace {

ConjuntoPontos conjunto(const QString& tipo, const QString& de, const QString& ate,
                        std::uint32_t cor = 0) {
    return {tipo, de, ate, cor};
}

LinhaConjunto linha(int numero, const ConjuntoPontos& c, const QString& algoritmo,
                    const QString& parametro) {
    return {numero, c, algoritmo, parametro};
}

QString mensagemDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroLumeno& e) {
        return e.titulo() + QStringLiteral(": ") + e.mensagem();
    }
    return QString();
}

}  // namespace

class TesteConjuntoPontos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void faixaDasAnalises() {
        const FaixaEixo f = faixaAmpliada(100, 300);
        QCOMPARE(f.minimo, 90.0);
        QCOMPARE(f.maximo, 310.0);
        const FaixaEixo v = faixaAmpliada(0.2, 1.4);
        QVERIFY(qAbs(v.minimo - 0.14) < 1e-12);
        QVERIFY(qAbs(v.maximo - 1.46) < 1e-12);
        // One measurement: the chart widens an empty range itself.
        QCOMPARE(faixaAmpliada(150, 150).minimo, 150.0);
    }

    void legendaELeitura_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("de");
        QTest::addColumn<QString>("ate");
        QTest::addColumn<QString>("legenda");
        QTest::newRow("medição") << "Medição"
                                 << "12"
                                 << "15"
                                 << "Medição   12 a 15  ";
        QTest::newRow("data") << "Data"
                              << "01/02/1990"
                              << "31/12/1995"
                              << "Data      01/02/1990 a 31/12/1995  ";
        QTest::newRow("vazão") << "Vazão"
                               << "-5.00"
                               << "1.234568E+10"
                               << "Vazão     -5.00 a 1.234568E+10  ";
        QTest::newRow("cota") << "Cota"
                              << "150.00"
                              << "300.00"
                              << "Cota      150.00 a 300.00  ";
    }
    void legendaELeitura() {
        QFETCH(QString, tipo);
        QFETCH(QString, de);
        QFETCH(QString, ate);
        QFETCH(QString, legenda);
        const ConjuntoPontos c = conjunto(tipo, de, ate, 0xFF0000);
        QCOMPARE(legendaConjunto(c), legenda);
        const ConjuntoPontos lido = lerLegendaConjunto(legenda);
        QCOMPARE(lido.Tipo, tipo);
        QCOMPARE(lido.De, de);
        QCOMPARE(lido.Ate, ate);
        QCOMPARE(lido.Cor, 0u);
        // The caption as the walk used to leave it, without the two trailing spaces.
        QCOMPARE(lerLegendaConjunto(legenda.trimmed()).Ate, ate);
    }

    void legendaIncompleta() {
        const ConjuntoPontos c = lerLegendaConjunto(QStringLiteral("Medição"));
        QCOMPARE(c.Tipo, QString("Medição"));
        QVERIFY(c.De.isEmpty());
        QVERIFY(c.Ate.isEmpty());
    }

    void caminhada() {
        ConjuntoPontos c = conjunto("Medição", "3", "3");
        QVERIFY(estenderConjunto(c, 4));
        QVERIFY(estenderConjunto(c, 5));
        QCOMPARE(legendaConjunto(c), QString("Medição   3 a 5  "));
        QVERIFY(!estenderConjunto(c, 4));  // back inside: unchanged
        QVERIFY(estenderConjunto(c, 1));
        QCOMPARE(c.De, QString("1"));
        // Sets made by a selection keep their limits.
        ConjuntoPontos cotas = conjunto("Cota", "150.00", "300.00");
        QVERIFY(!estenderConjunto(cotas, 400));
        QCOMPARE(cotas.Ate, QString("300.00"));
    }

    void condicoes_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("de");
        QTest::addColumn<QString>("ate");
        QTest::addColumn<QString>("condicao");
        QTest::newRow("data") << "Data"
                              << "01/02/1990"
                              << "31/12/1995"
                              << "(data >= '02/01/1990' and data <= '12/31/1995')";
        QTest::newRow("medição") << "Medição"
                                 << "3"
                                 << "5"
                                 << "(numero >= 3 and numero <= 5)";
        QTest::newRow("cota") << "Cota"
                              << "150.00"
                              << "300.00"
                              << "(cota >= 150.00 and cota <= 300.00)";
        QTest::newRow("vazão") << "Vazão"
                               << "-5.00"
                               << "1.234568E+10"
                               << "(vazao >= -5.00 and vazao <= 1.234568E+10)";
    }
    void condicoes() {
        QFETCH(QString, tipo);
        QFETCH(QString, de);
        QFETCH(QString, ate);
        QFETCH(QString, condicao);
        QCOMPARE(condicaoConjunto(conjunto(tipo, de, ate)), condicao);
    }

    void condicaoRecusaTextoQueNaoEValor() {
        // A value is converted before it goes into SQL text: nothing else gets through.
        QVERIFY_THROWS_EXCEPTION(ErroConversao,
                                 condicaoConjunto(conjunto("Cota", "1 or 1=1", "300.00")));
        QVERIFY_THROWS_EXCEPTION(ErroConversao,
                                 condicaoConjunto(conjunto("Medição", "3", "5); delete")));
        QVERIFY_THROWS_EXCEPTION(ErroConversao,
                                 condicaoConjunto(conjunto("Data", "01/02/1990'", "31/12/1995")));
        QVERIFY_THROWS_EXCEPTION(ErroLumeno, condicaoConjunto(conjunto("Área", "1", "2")));
    }

    void algoritmos() {
        QCOMPARE(algoritmoDoTexto("Potencial (Ostrel)"), 1);
        QCOMPARE(algoritmoDoTexto("Polinomial, grau 3"), 2);
        QCOMPARE(algoritmoDoTexto("não definido"), 0);
        QCOMPARE(algoritmoDoTexto(QString()), 0);
    }

    void definicoes() {
        const auto defs = definicoesDosConjuntos(
            {linha(1, conjunto("Cota", "150.00", "300.00", 0x0000FF), "Potencial (Ostrel)", "110"),
             linha(3, conjunto("Data", "01/02/1990", "31/12/1995", 0xFF0000), "Polinomial, grau 3",
                   "3")});
        QCOMPARE(defs.size(), size_t(2));
        QCOMPARE(defs[0].Condicao, QString("(cota >= 150.00 and cota <= 300.00)"));
        QCOMPARE(defs[0].Descricao, QString("Cota      150.00 a 300.00  "));
        QCOMPARE(defs[0].Algoritmo, 1);
        QCOMPARE(defs[0].Parametro, 110);
        QCOMPARE(defs[0].Cor, 0x0000FFu);
        QCOMPARE(defs[1].Algoritmo, 2);
        QCOMPARE(defs[1].Parametro, 3);
        QCOMPARE(defs[1].Condicao, QString("(data >= '02/01/1990' and data <= '12/31/1995')"));
    }

    void definicoesRecusadas() {
        QCOMPARE(mensagemDe([] { definicoesDosConjuntos({}); }),
                 QString("Erro: Deve selecionar ao menos um trecho para traçar curva"));
        const QString semAlgoritmo = mensagemDe([] {
            definicoesDosConjuntos(
                {linha(1, conjunto("Medição", "1", "4"), "Potencial (Ostrel)", "100"),
                 linha(2, conjunto("Medição", "5", "9"), "não definido", "não definido")});
        });
        QVERIFY2(semAlgoritmo.startsWith("Erro: O trecho 2 (Medição   5 a 9)"),
                 qPrintable(semAlgoritmo));
        std::vector<LinhaConjunto> muitas;
        for (int i = 1; i <= maximoConjuntosMarcados + 1; ++i)
            muitas.push_back(linha(i, conjunto("Medição", "1", "2"), "Polinomial, grau 1", "1"));
        QVERIFY(!mensagemDe([&] { definicoesDosConjuntos(muitas); }).isEmpty());
        muitas.pop_back();
        QCOMPARE(definicoesDosConjuntos(muitas).size(), size_t(maximoConjuntosMarcados));
    }

    void selecoes_data() {
        QTest::addColumn<SelecaoPontos>("selecao");
        QTest::addColumn<QString>("legenda");
        QTest::addColumn<QList<int>>("numeros");
        SelecaoPontos periodo;
        periodo.dataDe = "1/2/1990";  // completed as the set shows it
        periodo.dataAte = "31/12/1995";
        QTest::newRow("período") << periodo << "Data      01/02/1990 a 31/12/1995  "
                                 << QList<int>{2, 3, 4};
        SelecaoPontos cotas;
        cotas.tipo = SelecaoPontos::Cotas;
        cotas.de = 150;
        cotas.ate = 300;
        QTest::newRow("cotas") << cotas << "Cota      150.00 a 300.00  " << QList<int>{2, 3, 4};
        SelecaoPontos vazoes;
        vazoes.tipo = SelecaoPontos::Vazoes;
        vazoes.de = 12.5;
        vazoes.ate = 90;
        QTest::newRow("vazões") << vazoes << "Vazão     12.50 a 90.00  " << QList<int>{3, 4};
        SelecaoPontos medicoes;
        medicoes.tipo = SelecaoPontos::Medicoes;
        medicoes.de = 4;
        medicoes.ate = 5;
        QTest::newRow("medições") << medicoes << "Medição   4 a 5  " << QList<int>{4, 5};
        SelecaoPontos nenhuma = cotas;
        nenhuma.de = 301;
        nenhuma.ate = 399;
        QTest::newRow("nenhuma") << nenhuma << "Cota      301.00 a 399.00  " << QList<int>{};
    }
    void selecoes() {
        QFETCH(SelecaoPontos, selecao);
        QFETCH(QString, legenda);
        QFETCH(QList<int>, numeros);
        BancoTeste b;
        const int id = b.estacao(1, "A");
        const int outra = b.estacao(2, "B");
        b.medida(id, 1, 110, 5, QDate(1990, 1, 31));
        b.medida(id, 2, 150, 12, QDate(1990, 2, 1));
        b.medida(id, 3, 200, 12.5, QDate(1993, 5, 1));
        b.medida(id, 4, 300, 90, QDate(1995, 12, 31));
        b.medida(id, 5, 400, 180, QDate(1996, 1, 1));
        b.medida(outra, 3, 200, 30, QDate(1993, 5, 1));
        QCOMPARE(legendaConjunto(conjuntoDaSelecao(selecao, 0x0000FF)), legenda);
        Consulta q(b.dm().conexao());
        prepararSelecao(q, selecao, id);
        q.abrir();
        QList<int> lidos;
        for (q.primeiro(); !q.eof(); q.proximo()) {
            QCOMPARE(q.campo("estacao").comoInteiro(), id);
            lidos << q.campo("numero").comoInteiro();
        }
        std::sort(lidos.begin(), lidos.end());
        QCOMPARE(lidos, numeros);
    }

    void selecaoComDataInvalida() {
        SelecaoPontos s;
        s.dataDe = "";
        s.dataAte = "31/12/1995";
        QVERIFY_THROWS_EXCEPTION(ErroConversao, conjuntoDaSelecao(s, 0));
        s.dataDe = "31/02/1990";
        QVERIFY_THROWS_EXCEPTION(ErroConversao, conjuntoDaSelecao(s, 0));
    }

    void extremos() {
        BancoTeste b;
        const int id = b.estacao(1, "A");
        const int vazia = b.estacao(2, "B");
        b.medida(id, 1, 100, 5, QDate(2000, 1, 1), 20, 0.25);
        b.medida(id, 2, 300, 80, QDate(2000, 1, 2), 90, 0.9);
        b.medida(id, 3, 200, 30, QDate(2000, 1, 3), 50, 0.6);
        const ExtremosMedicoes e = lerExtremosMedicoes(b.dm().conexao(), id);
        QCOMPARE(e.cota.minimo, 100.0);
        QCOMPARE(e.cota.maximo, 300.0);
        QCOMPARE(e.vazao.maximo, 80.0);
        QCOMPARE(e.area.minimo, 20.0);
        QCOMPARE(e.velocidade.maximo, 0.9);
        const ExtremosMedicoes nada = lerExtremosMedicoes(b.dm().conexao(), vazia);
        QCOMPARE(nada.cota.minimo, 0.0);
        QCOMPARE(nada.velocidade.maximo, 0.0);
    }

    void nomesDeFiguras() {
        QCOMPARE(arquivoFigura("/tmp/x/curva.final.png", "bmp"), QString("/tmp/x/curva.bmp"));
        QCOMPARE(arquivoFigura("/tmp/x.y/curva", "bmp"), QString("/tmp/x.y/curva.bmp"));
        QCOMPARE(arquivoFigura("C:\\dados.1\\curva.bmp", "bmp"), QString("C:\\dados.1\\curva.bmp"));
        QCOMPARE(arquivoFigura("/tmp/curva.final.PNG", "png", true),
                 QString("/tmp/curva.final.PNG"));
        QCOMPARE(arquivoFigura("/tmp/curva.final.bmp", "svg", true), QString("/tmp/curva.svg"));
    }
};

LUMENO_TESTE(TesteConjuntoPontos)
#include "tst_ConjuntoPontos.moc"
