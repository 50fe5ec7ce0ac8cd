#include "app/ErroLumeno.h"
#include "curves/TabelaCotaVazao.h"
#include "support/ExecutorTestes.h"
#include "support/LeitorPlanilhaExterno.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

CurvaDoAjuste potencia(int numero, double k, double h0, double m, double de, double ate) {
    CurvaDoAjuste c;
    c.numero = numero;
    c.curva.Algoritmo = AlgoritmoCurva::Potencial;
    c.curva.K = k;
    c.curva.H0 = h0;
    c.curva.M = m;
    c.curva.CotaMin = de;
    c.curva.CotaMax = ate;
    return c;
}

double lei(double k, double h0, double m, double cota) {
    return cota / 100 > h0 ? k * std::pow(cota / 100 - h0, m) : 0;
}

// Points of an extrapolation from `de` to `ate` whose discharge grows linearly with the stage.
RegistroExtrapolacao extrapolacao(int curva, double de, double ate, double a, double b) {
    RegistroExtrapolacao e = NovaExtrapolacao(MetodoExtrapolacao::Stevens, de, ate, 0x00FF00);
    for (auto& p : e.pontos)
        p.vazao = a + b * p.cota;
    e.curva = curva;
    return e;
}

// Two power-law segments, 100–250 cm and 300–500 cm (a gap from 250 to 300, its middle at
// 275), extrapolated above 500 cm by curve 2 and, less far, by curve 1.
ChaveCotaVazao duasCurvas() {
    return ChaveCotaVazao({potencia(1, 10, 0.5, 2, 100, 250), potencia(2, 12, 0.8, 1.8, 300, 500)},
                          {extrapolacao(2, 500, 800, -200, 2), extrapolacao(1, 250, 600, 0, 1)});
}

void comparar(double obtido, double esperado) {
    QVERIFY2(std::fabs(obtido - esperado) <= 1e-12 * std::max(1.0, std::fabs(esperado)),
             qPrintable(QString("%1 != %2").arg(obtido, 0, 'g', 17).arg(esperado, 0, 'g', 17)));
}

// The CSV read back by Python's csv module.
QList<QStringList> lerCsvComPython(const QString& arquivo, const QString& separador) {
    QProcess p;
    p.start("/usr/bin/python3",
            {"-c",
             "import csv, json, sys\n"
             "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
             "    print(json.dumps(list(csv.reader(f, delimiter=sys.argv[2]))))\n",
             arquivo, separador});
    p.waitForFinished(30000);
    QList<QStringList> linhas;
    for (const QJsonValue& l : QJsonDocument::fromJson(p.readAllStandardOutput()).array()) {
        QStringList campos;
        for (const QJsonValue& c : l.toArray())
            campos << c.toString();
        linhas << campos;
    }
    return linhas;
}

}  // namespace

class TesteTabelaCotaVazao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The curve and the flag of each stage: inside a range, in the gap on either side of its
    // middle, below the lowest curve (nothing at and below its h0), along the extrapolation
    // of the highest curve and beyond every extrapolation.
    void curvaPorCota() {
        // (A copy that outlives its original.)
        const ChaveCotaVazao chave = [] {
            const ChaveCotaVazao original = duasCurvas();
            return ChaveCotaVazao(original);
        }();
        QCOMPARE(chave.cotaMinima(), 100.0);
        QCOMPARE(chave.cotaMaxima(), 800.0);
        using S = SituacaoCota;
        const struct {
            double cota;
            int curva;
            S situacao;
            double vazao;
        } casos[] = {
            {40, 1, S::Extrapolada, 0},
            {50, 1, S::Extrapolada, 0},
            {80, 1, S::Extrapolada, lei(10, 0.5, 2, 80)},
            {100, 1, S::Medida, lei(10, 0.5, 2, 100)},
            {175.5, 1, S::Medida, lei(10, 0.5, 2, 175.5)},
            {250, 1, S::Medida, lei(10, 0.5, 2, 250)},
            {260, 1, S::Interpolada, lei(10, 0.5, 2, 260)},
            {275, 1, S::Interpolada, lei(10, 0.5, 2, 275)},
            {275.01, 2, S::Interpolada, lei(12, 0.8, 1.8, 275.01)},
            {299, 2, S::Interpolada, lei(12, 0.8, 1.8, 299)},
            {300, 2, S::Medida, lei(12, 0.8, 1.8, 300)},
            {500, 2, S::Medida, lei(12, 0.8, 1.8, 500)},
            {500.5, 2, S::Extrapolada, -200 + 2 * 500.5},  // curve 2's, not curve 1's
            {650, 2, S::Extrapolada, 1100},
            {800, 2, S::Extrapolada, 1400},
            {801, 2, S::Extrapolada, lei(12, 0.8, 1.8, 801)},
        };
        for (const auto& c : casos) {
            const CotaAvaliada a = chave.avaliar(c.cota);
            QCOMPARE(a.cota, c.cota);
            QVERIFY2(a.curva == c.curva && a.situacao == c.situacao,
                     qPrintable(QString("cota %1: curva %2, %3")
                                    .arg(c.cota)
                                    .arg(a.curva)
                                    .arg(textoSituacao(a.situacao))));
            comparar(a.vazao, c.vazao);
        }
        // Only curve 1 reaches above 500: its extrapolation serves.
        const ChaveCotaVazao soUma(
            {potencia(1, 10, 0.5, 2, 100, 250), potencia(2, 12, 0.8, 1.8, 300, 500)},
            {extrapolacao(1, 250, 600, 0, 1)});
        const CotaAvaliada a = soUma.avaliar(550);
        QCOMPARE(a.curva, 1);
        comparar(a.vazao, 550);
    }

    // Overlapping ranges give the stage to the higher number, whatever the order of the
    // curves; a polynomial continued below its data gives no negative discharge; a curve
    // without a range or algorithm is left out.
    void sobreposicaoENegativos() {
        CurvaDoAjuste p;
        p.numero = 1;
        p.curva.Algoritmo = AlgoritmoCurva::Polinomial;
        p.curva.Grau = 1;
        p.curva.Coeficientes[0] = -50;
        p.curva.Coeficientes[1] = 0.5;
        p.curva.CotaMin = 200;
        p.curva.CotaMax = 300;
        CurvaDoAjuste semFaixa = potencia(3, 1, 0, 1, 10000, -10000);
        CurvaDoAjuste semAlgoritmo = potencia(4, 1, 0, 1, 0, 1000);
        semAlgoritmo.curva.Algoritmo = 0;
        const ChaveCotaVazao chave({potencia(2, 10, 0.5, 2, 250, 400), p, semFaixa, semAlgoritmo},
                                   {});
        QCOMPARE(chave.curvas().size(), size_t(2));
        QCOMPARE(chave.avaliar(260).curva, 2);
        QCOMPARE(chave.avaliar(240).curva, 1);
        comparar(chave.avaliar(240).vazao, 70);
        QCOMPARE(chave.avaliar(50).curva, 1);
        QCOMPARE(chave.avaliar(50).vazao, 0.0);  // −25 read from the line
        comparar(chave.avaliar(120).vazao, 10);
        QCOMPARE(chave.avaliar(120).situacao, SituacaoCota::Extrapolada);
    }

    void tabelaEDecimetros() {
        const auto tabela = MontarTabelaCotaVazao(duasCurvas(), 40, 820, 1);
        QCOMPARE(tabela.size(), size_t(781));
        QCOMPARE(tabela.front().cota, 40.0);
        QCOMPARE(tabela.back().cota, 820.0);
        QCOMPARE(tabela[276 - 40].curva, 2);
        QCOMPARE(tabela[275 - 40].curva, 1);

        const auto linhas = TabelaDecimetrica(tabela);
        QCOMPARE(linhas.size(), size_t(79));
        QCOMPARE(linhas.front().cota, 40LL);
        QCOMPARE(linhas.back().cota, 820LL);
        const LinhaDecimetro& l270 = linhas[(270 - 40) / 10];
        QCOMPARE(l270.cota, 270LL);
        for (int cm = 0; cm < 10; ++cm) {
            QVERIFY(l270.celulas[cm]);
            QCOMPARE(l270.celulas[cm]->cota, 270.0 + cm);
            QCOMPARE(l270.celulas[cm]->situacao, SituacaoCota::Interpolada);
            QCOMPARE(l270.celulas[cm]->curva, cm <= 5 ? 1 : 2);
        }
        QVERIFY(linhas.back().celulas[0]);
        QVERIFY(!linhas.back().celulas[1]);

        // A tenth of a centimetre: stages without float dust; only whole centimetres go into
        // the classic layout, and a start off the centimetre leaves cells empty.
        const auto fina = MontarTabelaCotaVazao(duasCurvas(), 249.95, 251, 0.1);
        QCOMPARE(fina.size(), size_t(11));
        QCOMPARE(fina[4].cota, 250.35);
        QCOMPARE(fina.back().cota, 250.95);
        const auto finaDm = TabelaDecimetrica(MontarTabelaCotaVazao(duasCurvas(), 248, 251, 0.1));
        QCOMPARE(finaDm.size(), size_t(2));
        QVERIFY(finaDm[0].celulas[8] && finaDm[0].celulas[9] && finaDm[1].celulas[1]);
        QVERIFY(!finaDm[0].celulas[7]);
        // Negative stages fall into their own decimetre.
        const auto negativas = TabelaDecimetrica(MontarTabelaCotaVazao(duasCurvas(), -12, -9, 1));
        QCOMPARE(negativas.size(), size_t(2));
        QCOMPARE(negativas[0].cota, -20LL);
        QCOMPARE(negativas[0].celulas[8]->cota, -12.0);
        QCOMPARE(negativas[1].cota, -10LL);
        QCOMPARE(negativas[1].celulas[1]->cota, -9.0);
    }

    void recusas() {
        const ChaveCotaVazao chave = duasCurvas();
        const struct {
            double de, ate, passo;
            const char* mensagem;
        } casos[] = {
            {100, 200, 0, "O passo da tabela deve ser maior que zero."},
            {100, 200, -1, "O passo da tabela deve ser maior que zero."},
            {200, 100, 1, "A cota final da tabela deve ser igual ou maior que a cota inicial."},
            {100, NAN, 1, "As cotas e o passo da tabela devem ser números."},
            {0, 100000, 0.5,
             "A tabela teria 200001 cotas; o máximo é 100000. Aumente o passo ou reduza a faixa "
             "de cotas."},
        };
        for (const auto& c : casos) {
            try {
                MontarTabelaCotaVazao(chave, c.de, c.ate, c.passo);
                QFAIL(c.mensagem);
            } catch (const ErroLumeno& e) {
                QCOMPARE(e.mensagem(), QString::fromUtf8(c.mensagem));
            }
        }
        QCOMPARE(MontarTabelaCotaVazao(chave, 0, 99999, 1).size(), size_t(100000));
        QVERIFY_THROWS_EXCEPTION(ErroLumeno,
                                 MontarTabelaCotaVazao(ChaveCotaVazao({}, {}), 0, 10, 1));
    }

    // The list and the classic layout written as .xls, .xlsx and CSV and read back by
    // outside readers.
    void exportacoesLidasDeVolta() {
        QTemporaryDir dir;
        const auto tabela = MontarTabelaCotaVazao(duasCurvas(), 245, 305, 1);
        const CabecalhoTabela cab{"99990001 Estação Demonstração", "Cheia; \"2004\""};
        const GradeExportacao lista = GradeLista(cab, tabela);
        const GradeExportacao classica = GradeDecimetrica(cab, TabelaDecimetrica(tabela));

        const QString xls = dir.filePath("lista.xls");
        ExportarTabela(lista, xls, FormatoTabela::Xls, false);
        const LeituraXlrd x = lerComXlrd(xls);
        QVERIFY2(x.ok, qPrintable(x.erro));
        QCOMPARE(x.versaoBiff, 50);
        QCOMPARE(x.celulas.value({0, 0}).toString(),
                 QString("Estação: 99990001 Estação Demonstração"));
        QCOMPARE(x.celulas.value({3, 1}).toString(), QString("Vazão (m³/s)"));
        QCOMPARE(x.celulas.value({3, 3}).toString(), QString("Situação"));
        for (size_t i = 0; i < tabela.size(); ++i) {
            const int r = static_cast<int>(i) + 4;
            QCOMPARE(x.celulas.value({r, 0}).toDouble(), tabela[i].cota);
            QCOMPARE(x.celulas.value({r, 1}).toDouble(), tabela[i].vazao);
            QCOMPARE(x.celulas.value({r, 2}).toDouble(), double(tabela[i].curva));
            QCOMPARE(x.celulas.value({r, 3}).toString(), textoSituacao(tabela[i].situacao));
        }
        QCOMPARE(x.celulas.value({4 + 30, 3}).toString(), QString("interpolada"));  // 275

        const QString xlsx = dir.filePath("classica.xlsx");
        ExportarTabela(classica, xlsx, FormatoTabela::Xlsx, false);
        const LeituraSsconvert s = lerComSsconvert(xlsx);
        QVERIFY2(s.ok, qPrintable(s.erro));
        QCOMPARE(s.celula(1, 0), QString("Ajuste: Cheia; \"2004\""));
        QCOMPARE(s.celula(3, 0), QString("Cota (cm)"));
        QCOMPARE(s.celula(3, 10).toDouble(), 9.0);
        QCOMPARE(s.celula(4, 0).toDouble(), 240.0);
        QCOMPARE(s.celula(4, 1), QString());  // 240 is not in the table
        // (ssconvert writes 15 significant digits.)
        comparar(s.celula(4, 6).toDouble(), tabela[0].vazao);
        comparar(s.celula(7, 6).toDouble(), tabela[30].vazao);   // 275
        comparar(s.celula(10, 1).toDouble(), tabela[55].vazao);  // 300
        comparar(s.celula(10, 6).toDouble(), tabela[60].vazao);  // 305
        QCOMPARE(s.celula(10, 7), QString());

        // CSV for a Portuguese spreadsheet: ";" and decimal commas, every digit kept.
        const QString csv = dir.filePath("lista.csv");
        ExportarTabela(lista, csv, FormatoTabela::Csv, true);
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("\xEF\xBB\xBF"));
        const auto linhas = lerCsvComPython(csv, ";");
        QCOMPARE(linhas.size(), 4 + static_cast<int>(tabela.size()));
        QCOMPARE(linhas[1][0], QString("Ajuste: Cheia; \"2004\""));
        QCOMPARE(linhas[3], QStringList({"Cota (cm)", "Vazão (m³/s)", "Curva", "Situação"}));
        for (size_t i = 0; i < tabela.size(); ++i) {
            const QStringList& l = linhas[static_cast<int>(i) + 4];
            QCOMPARE(l.size(), 4);
            QVERIFY(!l[1].contains('.'));
            QCOMPARE(QString(l[1]).replace(',', '.').toDouble(), tabela[i].vazao);
            QCOMPARE(l[0].toDouble(), tabela[i].cota);
            QCOMPARE(l[3], textoSituacao(tabela[i].situacao));
        }
        ExportarTabela(classica, csv, FormatoTabela::Csv, false);
        const auto classicas = lerCsvComPython(csv, ",");
        QCOMPARE(classicas[4].size(), 11);
        QCOMPARE(classicas[4][6].toDouble(), tabela[0].vazao);
        QCOMPARE(classicas[4][5], QString());
    }

    void formatosENomes() {
        QCOMPARE(formatoPorExtensao("a/Tabela.XLS"), std::optional(FormatoTabela::Xls));
        QCOMPARE(formatoPorExtensao("t.xlsx"), std::optional(FormatoTabela::Xlsx));
        QCOMPARE(formatoPorExtensao("t.csv"), std::optional(FormatoTabela::Csv));
        QCOMPARE(formatoPorExtensao("t.txt"), std::optional<FormatoTabela>());
        QCOMPARE(TextoCsv({{QString("a,b"), 0.1, 1e21, -0.0}}, false),
                 QString("\"a,b\",0.1,1e+21,-0\r\n"));
        QCOMPARE(TextoCsv({{QString("a,b"), 2.5}}, true), QString("a,b;2,5\r\n"));

        // An .xls sheet holds 16,384 rows: a longer table is refused before anything is
        // written.
        QTemporaryDir dir;
        const auto tabela = MontarTabelaCotaVazao(duasCurvas(), 0, 20000, 1);
        const QString xls = dir.filePath("longa.xls");
        try {
            ExportarTabela(GradeLista({"1 A", "B"}, tabela), xls, FormatoTabela::Xls, false);
            QFAIL("wrote more rows than an .xls sheet holds");
        } catch (const ErroLumeno& e) {
            QVERIFY(
                e.mensagem().startsWith("A tabela tem 20005 linhas e uma planilha .xls "
                                        "comporta 16384."));
        }
        QVERIFY(!QFile::exists(xls));
        QVERIFY_THROWS_EXCEPTION(ErroLumeno,
                                 ExportarTabela(GradeLista({"1 A", "B"}, {}), dir.filePath("x.xls"),
                                                FormatoTabela::Xlsx, false));
    }
};

LUMENO_TESTE(TesteTabelaCotaVazao)
#include "tst_TabelaCotaVazao.moc"
