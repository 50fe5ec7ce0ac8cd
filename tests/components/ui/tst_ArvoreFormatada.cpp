#include "components/ArvoreFormatada.h"
#include "support/ExecutorTestes.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace lumeno;

namespace {
struct Contador {
    static inline int destruidos = 0;
    int valor = 0;
    Contador() = default;
    explicit Contador(int v) : valor(v) {}
    Contador(const Contador& o) = default;
    ~Contador() { ++destruidos; }
};

const QString corCurva = QStringLiteral(
    "Cor da curva: <U><A href=\"cor_curva\"><FONT bgcolor=\"#FF0000\" color=\"#FF0000\">  xxxx     "
    "        </FONT></A></U>");
const QString periodo = QStringLiteral(
    "de <U><A href=\"periodo_inicio\"><FONT color=\"clGray\">(não selecionado)</FONT></A></U>");
const QString equacao = QStringLiteral(
    "<font face=\"Arial\" size = \"8\" color=\"#0000FF\">  Q = 12.5000 * ( h + 0.30)</font>"
    "<font face=\"Arial\" size = \"7\" color=\"#0000FF\"><sup>1.6000</sup></font>");
// The pixel size of the text drawn for each part of a caption, as the tree
// lays it out over `fonte`; `sobrescrito` tells the superscripts.
struct TrechoDesenhado {
    QString texto;
    bool sobrescrito;
    qreal pixels;
};
QList<TrechoDesenhado> trechosDesenhados(const QString& legenda, const QFont& fonte) {
    const auto doc = ArvoreFormatada::documento(legenda, fonte);
    doc->size();  // lays the text out
    QList<TrechoDesenhado> r;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            const QTextFragment fragmento = f.fragment();
            for (const QGlyphRun& g : fragmento.glyphRuns())
                r << TrechoDesenhado{
                    fragmento.text(),
                    fragmento.charFormat().verticalAlignment() == QTextCharFormat::AlignSuperScript,
                    g.rawFont().pixelSize()};
        }
    return r;
}
}  // namespace

class TesteArvoreFormatada : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversao_data() {
        QTest::addColumn<QString>("legenda");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("contem");
        QTest::newRow("cor com nome") << periodo << "de (não selecionado)"
                                      << "color:#808080";
        QTest::newRow("fundo") << corCurva << "Cor da curva:   xxxx             "
                               << "background-color:#FF0000";
        QTest::newRow("tamanho com espacos") << equacao << "  Q = 12.5000 * ( h + 0.30)1.6000"
                                             << "font-size:8pt";
        QTest::newRow("negrito") << "<font face=\"Arial\" size = \"8\"><b>58110002 Ponte</b></font>"
                                 << "58110002 Ponte"
                                 << "font-family:'Arial'";
        QTest::newRow("azul")
            << "<U><A href=\"algoritmo\"><FONT color=\"clBlue\">Polinomial</FONT></A></U>"
            << "Polinomial"
            << "color:#0000FF";
    }
    void conversao() {
        QFETCH(QString, legenda);
        QFETCH(QString, texto);
        QFETCH(QString, contem);
        QCOMPARE(ArvoreFormatada::textoSimples(legenda), texto);
        QVERIFY2(ArvoreFormatada::paraRichText(legenda).contains(contem),
                 qPrintable(ArvoreFormatada::paraRichText(legenda)));
    }

    // Exponents are legible: at least 70 % of the text they follow and never under 8
    // pixels, and the row is high enough to show them whole.
    void sobrescritosLegiveis_data() {
        QTest::addColumn<QString>("legenda");
        QTest::addColumn<QFont>("fonte");
        QTest::addColumn<int>("sobrescritos");
        QTest::newRow("equação potencial") << equacao << QFont("Arial", 8) << 1;
        QTest::newRow("polinômio")
            << "<font face=\"Arial\" size = \"8\" color=\"#FF0000\">  Q = - 1.50000h</font>"
               "<font face=\"Arial\" size = \"7\" color=\"#FF0000\"><sup>0</sup></font>"
               "<font face=\"Arial\" size = \"8\" color=\"#FF0000\"> + 2.00000h</font>"
               "<font face=\"Arial\" size = \"7\" color=\"#FF0000\"><sup>1</sup></font>"
            << QFont("Arial", 8) << 2;
        QTest::newRow("sem tamanho, fonte miúda") << "m<sup>3</sup>/s" << QFont("Arial", 6) << 1;
        QTest::newRow("sem tamanho, fonte grande") << "h<sup>2</sup>" << QFont("Arial", 16) << 1;
        QTest::newRow("sobrescrito maior que o texto")
            << "<font size = \"8\">Q</font><font size = \"12\"><sup>2</sup></font>"
            << QFont("Arial", 8) << 1;
    }
    void sobrescritosLegiveis() {
        QFETCH(QString, legenda);
        QFETCH(QFont, fonte);
        QFETCH(int, sobrescritos);
        const QList<TrechoDesenhado> trechos = trechosDesenhados(legenda, fonte);
        int vistos = 0;
        for (int i = 1; i < trechos.size(); ++i) {
            const TrechoDesenhado& s = trechos[i];
            if (!s.sobrescrito)
                continue;
            ++vistos;
            const TrechoDesenhado& base = trechos[i - 1];
            QVERIFY(!base.sobrescrito);
            const QString qual = QStringLiteral("'%1': %2 px depois de %3 px")
                                     .arg(s.texto)
                                     .arg(s.pixels)
                                     .arg(base.pixels);
            QVERIFY2(s.pixels >= 0.7 * base.pixels, qPrintable(qual));
            QVERIFY2(s.pixels >= ArvoreFormatada::sobrescritoMinimo, qPrintable(qual));
            QVERIFY2(s.pixels <= base.pixels, qPrintable(qual));
        }
        QCOMPARE(vistos, sobrescritos);

        // In a tree asked for rows lower than the caption, its row grows to hold it.
        ArvoreFormatada a;
        a.setFont(fonte);
        a.definirAlturaLinha(12);
        a.resize(400, 200);
        NoFormatado* raiz = a.adicionarRaiz("Estação");
        NoFormatado* no = a.adicionarFilho(raiz, legenda);
        a.expandAll();
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        const auto doc = ArvoreFormatada::documento(legenda, a.font());
        QVERIFY(a.visualItemRect(no).height() >= doc->size().height());
        QVERIFY(a.visualItemRect(raiz).height() >= 12);
    }

    // A superscript keeps the smaller size its caption gave it.
    void sobrescritoMantemSeuTamanho() {
        const QList<TrechoDesenhado> trechos = trechosDesenhados(equacao, QFont("Arial", 8));
        QCOMPARE(trechos.size(), 2);
        QCOMPARE(trechos[1].pixels, qreal(QFontInfo(QFont("Arial", 7)).pixelSize()));
    }

    void textoDoLink() {
        QCOMPARE(ArvoreFormatada::textoLink(periodo, "periodo_inicio"),
                 QString("(não selecionado)"));
        QCOMPARE(ArvoreFormatada::textoLink(periodo, "outro"), QString());
    }

    void ordemERegistros() {
        Contador::destruidos = 0;
        {
            ArvoreFormatada a;
            NoFormatado* raiz = a.adicionarRaiz("Estação 1 Ponte");
            NoFormatado* p = a.adicionarFilho(raiz, "Período");
            a.adicionarFilho(p, periodo)->definirRegistro(Contador(1));
            NoFormatado* c = a.adicionarFilho(raiz, "Cotas");
            c->definirRegistro(Contador(2));
            QStringList ordem;
            for (NoFormatado* n : a.nos())
                ordem << ArvoreFormatada::textoSimples(n->legenda()).left(5);
            QCOMPARE(ordem, (QStringList{"Estaç", "Perío", "de (n", "Cotas"}));
            QCOMPARE(c->registro<Contador>()->valor, 2);
            QVERIFY(!raiz->registro<Contador>());
            a.expandAll();
            QVERIFY(p->isExpanded());
            a.selecionar(raiz);
            QCOMPARE(a.selecionado(), raiz);
            Contador::destruidos = 0;
            delete c;
            QCOMPARE(Contador::destruidos, 1);
        }
        QCOMPARE(Contador::destruidos, 2);
    }

    void cliqueNoLink() {
        ArvoreFormatada a;
        a.resize(400, 200);
        NoFormatado* raiz = a.adicionarRaiz("Estação");
        NoFormatado* no = a.adicionarFilho(raiz, periodo);
        a.expandAll();
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        QSignalSpy cliques(&a, &ArvoreFormatada::linkClicado);
        const QRect link = a.retanguloLink(no, "periodo_inicio");
        QVERIFY(!link.isEmpty());
        QCOMPARE(a.linkEm(link.center()), QString("periodo_inicio"));
        QTest::mouseClick(a.viewport(), Qt::LeftButton, {}, link.center());
        QCOMPARE(cliques.count(), 1);
        QCOMPARE(cliques.first().at(0).value<NoFormatado*>(), no);
        QCOMPARE(cliques.first().at(1).toString(), QString("periodo_inicio"));
        // Beside the link ("de "): no report.
        QTest::mouseClick(a.viewport(), Qt::LeftButton, {},
                          QPoint(link.left() - 8, link.center().y()));
        QCOMPARE(cliques.count(), 1);
    }

    void listaDeValores() {
        ArvoreFormatada a;
        a.resize(500, 200);
        NoFormatado* no = a.adicionarRaiz(
            "Algoritmo para cálculo da curva: <U><A href=\"algoritmo\"><FONT "
            "color=\"clBlue\">Polinomial, grau 3</FONT></A></U>");
        a.definirValores("algoritmo", {"Potencial (Ostrel)", "Polinomial"});
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        QStringList oferecidos;
        a.seletorValores = [&](const QStringList& v, const QPoint&) -> std::optional<QString> {
            oferecidos = v;
            return v.first();
        };
        QSignalSpy escolhas(&a, &ArvoreFormatada::valorEscolhido);
        QSignalSpy cliques(&a, &ArvoreFormatada::linkClicado);
        QTest::mouseClick(a.viewport(), Qt::LeftButton, {},
                          a.retanguloLink(no, "algoritmo").center());
        QCOMPARE(oferecidos, (QStringList{"Potencial (Ostrel)", "Polinomial"}));
        QCOMPARE(escolhas.count(), 1);
        QCOMPARE(cliques.count(), 0);
        QCOMPARE(escolhas.first().at(2).toString(), QString("Potencial (Ostrel)"));
        QCOMPARE(escolhas.first().at(3).toString(), QString("Polinomial, grau 3"));
        // Nothing chosen: nothing reported.
        a.seletorValores = [](const QStringList&, const QPoint&) -> std::optional<QString> {
            return std::nullopt;
        };
        QTest::mouseClick(a.viewport(), Qt::LeftButton, {},
                          a.retanguloLink(no, "algoritmo").center());
        QCOMPARE(escolhas.count(), 1);
    }
};

LUMENO_TESTE(TesteArvoreFormatada)
#include "tst_ArvoreFormatada.moc"
