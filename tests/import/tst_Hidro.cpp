#include "import/FonteHidro.h"
#include "import/ImportacaoHidro.h"
#include "import/LeitorHidroWeb.h"
#include "import/LeitorMdbLib.h"
#include "import/LeitorMdbProcesso.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace lumeno;
using lumeno::teste::BancoTeste;

namespace {

const QString pastaHidro = QStringLiteral(LUMENO_SHARED_DIR "/fixtures/hidro");
const QString fixture = pastaHidro + QStringLiteral("/hidro_paraiba.mdb");

#define EXIGIR_FIXTURE()         \
    if (!QFile::exists(fixture)) \
    QSKIP("Sem os arquivos de ../shared/fixtures/hidro (hidro_paraiba.mdb): teste ignorado.")

QString csv(const char* nome) {
    return pastaHidro + QStringLiteral("/hidroweb_csv/") + QLatin1String(nome);
}

QByteArray resumo(const QString& arquivo) {
    QFile f(arquivo);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString erroDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroLumeno& e) {
        return e.mensagem();
    }
    return QString();
}

QString escrever(const QTemporaryDir& dir, const QString& nome, const QByteArray& conteudo,
                 bool executavel = false) {
    const QString caminho = dir.filePath(nome);
    QFile f(caminho);
    f.open(QIODevice::WriteOnly);
    f.write(conteudo);
    f.close();
    if (executavel)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return caminho;
}

FonteHidro fonteAccess(FonteHidro::Uso uso) {
    LeitorMdbProcesso leitor(fixture);
    return FonteHidro::doAccess(leitor, uso);
}

QList<int> numeros(const std::vector<MedicaoHidro>& lista) {
    QList<int> r;
    for (const auto& m : lista)
        r << m.numero;
    return r;
}

MedicaoHidro medicao(int numero, QDate data, int nivel, std::optional<double> cota,
                     std::optional<double> vazao, int ordem) {
    MedicaoHidro m;
    m.numero = numero;
    m.data = data;
    m.nivel = nivel;
    m.cota = cota;
    m.vazao = vazao;
    m.ordem = ordem;
    return m;
}

}  // namespace

class TesteLeitorMdb : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valoresComoGuardados() {
        EXIGIR_FIXTURE();
        const QByteArray antes = resumo(fixture);
        LeitorMdbProcesso leitor(fixture);
        const auto tabelas = leitor.lerTabelas({{"ResumoDescarga",
                                                 {{"RegistroID", TipoColuna::Inteiro},
                                                  {"Vazao", TipoColuna::Real},
                                                  {"Data", TipoColuna::Data},
                                                  {"Hora", TipoColuna::Data},
                                                  {"Tecnico", TipoColuna::Texto}}},
                                                {"Estacao",
                                                 {{"Codigo", TipoColuna::Inteiro},
                                                  {"Nome", TipoColuna::Texto},
                                                  {"Historico", TipoColuna::Texto}}}});
        QCOMPARE(tabelas.size(), size_t(2));
        const TabelaMdb& r = tabelas[0];
        QCOMPARE(r.totalLinhas(), 448);
        QMap<qint64, QVector<QVariant>> porId;
        for (const auto& l : r.linhas)
            porId.insert(l[0].toLongLong(), l);
        // A Single keeps the decimal it was written with.
        QCOMPARE(porId[8][1].toDouble(), 37.475);
        QCOMPARE(porId[8][2].toDateTime().date(), QDate(2022, 4, 27));
        QCOMPARE(porId[8][3].toDateTime().time(), QTime(9, 50));
        QCOMPARE(porId[438][3].toDateTime(),
                 QDateTime(QDate(1899, 12, 30), QTime(9, 15), QTimeZone::utc()));
        QCOMPARE(porId[438][4].toString(), QString::fromUtf8("José – equipe 2"));
        QVERIFY(porId[455][1].isNull());
        const TabelaMdb& e = tabelas[1];
        QCOMPARE(e.totalLinhas(), 3);
        QCOMPARE(e.linhas[0][1].toString(), QString::fromUtf8("JACAREÍ"));
        QCOMPARE(e.linhas[2][2].toString(),
                 QString::fromUtf8("Criada para testes.\r\nNão existe na rede."));
        QCOMPARE(resumo(fixture), antes);
    }

    // The answer that crosses the process boundary is the table libmdb read.
    void processoEBibliotecaConcordam() {
        EXIGIR_FIXTURE();
        const auto pedidos = FonteHidro::pedidos(FonteHidro::Uso::Secoes);
        LeitorMdbLib local(fixture);
        LeitorMdbProcesso processo(fixture);
        const auto a = local.lerTabelas(pedidos);
        const auto b = processo.lerTabelas(pedidos);
        QCOMPARE(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(b[i].nome, a[i].nome);
            QCOMPARE(b[i].colunas, a[i].colunas);
            QCOMPARE(b[i].linhas.size(), a[i].linhas.size());
            for (size_t l = 0; l < a[i].linhas.size(); ++l)
                QCOMPARE(b[i].linhas[l], a[i].linhas[l]);
        }
        QCOMPARE(a[4].totalLinhas(), 2904);
    }

    void arquivosRuins_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("erro");
        QTest::newRow("texto") << "texto"
                               << "não é um banco de dados Access";
        QTest::newRow("metade") << "metade"
                                << "está truncado ou danificado: a tabela";
        QTest::newRow("cortado") << "cortado"
                                 << "não é um número inteiro de páginas";
        QTest::newRow("ausente") << "ausente"
                                 << "não foi encontrado";
        QTest::newRow("tabela") << "tabela"
                                << "não tem a tabela Vertedouro.";
        QTest::newRow("coluna") << "coluna"
                                << "não tem a coluna Largura na tabela Rio.";
        QTest::newRow("tipo") << "tipoColuna"
                              << "tem a coluna Nome da tabela Rio com um tipo";
    }
    void arquivosRuins() {
        QFETCH(QString, tipo);
        QFETCH(QString, erro);
        EXIGIR_FIXTURE();
        QTemporaryDir dir;
        QFile f(fixture);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        QString arquivo = fixture;
        PedidoTabela pedido{"Rio", {{"Codigo", TipoColuna::Inteiro}}};
        if (tipo == "texto")
            arquivo = escrever(dir, "hidro.mdb", "Codigo;Nome\r\n58000100;Rio\r\n");
        else if (tipo == "metade")
            arquivo = escrever(dir, "metade.mdb", bytes.left(bytes.size() / 4096 / 2 * 4096));
        else if (tipo == "cortado")
            arquivo = escrever(dir, "cortado.mdb", bytes.left(bytes.size() - 1000));
        else if (tipo == "ausente")
            arquivo = dir.filePath("nenhum.mdb");
        else if (tipo == "tabela")
            pedido.tabela = "Vertedouro";
        else if (tipo == "coluna")
            pedido.colunas << ColunaMdb{"Largura", TipoColuna::Presente};
        else
            pedido.colunas << ColunaMdb{"Nome", TipoColuna::Data};
        if (tipo == "metade")
            pedido = {"PerfilTransversalVert", {{"Cota", TipoColuna::Real}}};
        LeitorMdbProcesso leitor(arquivo);
        const QString mensagem = erroDe([&] { leitor.lerTabelas({pedido}); });
        QVERIFY2(mensagem.contains(erro), qPrintable(mensagem));
        QVERIFY2(mensagem.contains(QFileInfo(arquivo).fileName()), qPrintable(mensagem));
    }

    // A reader that dies, hangs or talks nonsense costs a message, not the program.
    void leitorQueFalha_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("erro");
        QTest::newRow("cai") << QByteArray("#!/bin/sh\nkill -SEGV $$\n")
                             << "terminou de forma anormal";
        QTest::newRow("trava") << QByteArray("#!/bin/sh\nexec sleep 30\n") << "parou de responder";
        QTest::newRow("lixo") << QByteArray("#!/bin/sh\ncat >/dev/null\necho lixo\n")
                              << "não conseguiu lê-lo";
        QTest::newRow("ausente") << QByteArray() << "não foi encontrado junto ao programa";
        // Still reading after the waiting time, signalling as it goes: not taken for a hang.
        QTest::newRow("lento") << QByteArray("#!/bin/sh\ncat >/dev/null\nfor i in 1 2 3 4 5 6 7 8 9 "
                                             "10 11 12; do printf '\\000'; sleep 0.1; done\n")
                               << "não conseguiu lê-lo";
    }
    void leitorQueFalha() {
        QFETCH(QByteArray, script);
        QFETCH(QString, erro);
        EXIGIR_FIXTURE();
        QTemporaryDir dir;
        const QString executavel =
            script.isEmpty() ? dir.filePath("nenhum") : escrever(dir, "leitor", script, true);
        LeitorMdbProcesso leitor(fixture, executavel, 500);
        QElapsedTimer tempo;
        tempo.start();
        const QString mensagem = erroDe([&] {
            leitor.lerTabelas({{"Rio", {{"Codigo", TipoColuna::Inteiro}}}});
        });
        QVERIFY2(mensagem.contains(erro), qPrintable(mensagem));
        QVERIFY(tempo.elapsed() < 10000);
    }

    void numerosEDatas() {
        QCOMPARE(decimalCurto(37.475f), 37.475);
        QCOMPARE(decimalCurto(0.1f), 0.1);
        QCOMPARE(decimalCurto(129.341f), 129.341);
        QCOMPARE(decimalCurto(16777217.0f), 16777216.0);
        // 27/04/2022 09:50, day 0 09:15, and before day 0 (fraction counted forwards).
        QCOMPARE(dataAccess(44678.0 + 590.0 / 1440),
                 QDateTime(QDate(2022, 4, 27), QTime(9, 50), QTimeZone::utc()));
        QCOMPARE(dataAccess(555.0 / 1440),
                 QDateTime(QDate(1899, 12, 30), QTime(9, 15), QTimeZone::utc()));
        QCOMPARE(dataAccess(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0), QTimeZone::utc()));
        QVERIFY(!dataAccess(1e12).isValid());
        QVERIFY(!dataAccess(std::nan("")).isValid());
    }
};

class TesteFonteHidro : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The synthetic station 99000001: every filter takes exactly its rows.
    void matrizDeFiltros_data() {
        QTest::addColumn<QString>("caixas");
        QTest::addColumn<QList<int>>("esperados");
        QTest::newRow("nenhuma") << "" << QList<int>{7};
        QTest::newRow("bruto") << "B" << QList<int>{1, 2, 3, 4, 5, 6, 7, 11};
        QTest::newRow("consistido") << "C" << QList<int>{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("ambos") << "BC" << QList<int>{1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 11};
        QTest::newRow("importado") << "IC" << QList<int>{8};
        QTest::newRow("importado bruto") << "IB" << QList<int>{};
        QTest::newRow("temporario") << "TB" << QList<int>{9};
        QTest::newRow("removido") << "RC" << QList<int>{10};
        QTest::newRow("tudo") << "ITRBC" << QList<int>{};
    }
    void matrizDeFiltros() {
        QFETCH(QString, caixas);
        QFETCH(QList<int>, esperados);
        EXIGIR_FIXTURE();
        FonteHidro fonte = fonteAccess(FonteHidro::Uso::Medicoes);
        FiltroMedicoes f;
        f.importado = caixas.contains('I');
        f.temporario = caixas.contains('T');
        f.removido = caixas.contains('R');
        f.bruto = caixas.contains('B');
        f.consistido = caixas.contains('C');
        const auto lista = fonte.medicoes(99000001, f);
        QCOMPARE(numeros(lista), esperados);
        // The repeated row (RegistroID 451, level 1, number 1, 5.520) never comes: with
        // "Dado bruto" number 1 comes once, from row 438.
        if (f.bruto && !f.importado && !f.temporario && !f.removido) {
            QCOMPARE(std::count_if(lista.begin(), lista.end(),
                                   [](const auto& m) { return m.numero == 1 && m.nivel == 1; }),
                     1);
        }
        // Counts of the two real stations, level by level.
        if (caixas == "B")
            QCOMPARE(fonte.medicoes(58110002, f).size(), size_t(86));
        if (caixas == "C")
            QCOMPARE(fonte.medicoes(58110002, f).size(), size_t(116));
        if (caixas == "B")
            QCOMPARE(fonte.medicoes(58110000, f).size(), size_t(228));
    }

    void listaDeEstacoes() {
        EXIGIR_FIXTURE();
        FonteHidro fonte = fonteAccess(FonteHidro::Uso::Secoes);
        const auto estacoes = fonte.estacoes();
        QCOMPARE(estacoes.size(), size_t(3));
        QCOMPARE(estacoes[0].codigo, 58110000);
        QCOMPARE(estacoes[0].nome, QString::fromUtf8("UHE SANTA BRANCA JACAREÍ"));
        QCOMPARE(estacoes[0].nomeRio, QString::fromUtf8("RIO PARAÍBA DO SUL"));
        QCOMPARE(estacoes[1].codigo, 58110002);
        QCOMPARE(estacoes[2].codigo, 99000001);
        QCOMPARE(estacoes[2].rioCodigo.toLongLong(), 99000100);
    }

    void perfisEVerticais() {
        EXIGIR_FIXTURE();
        FonteHidro fonte = fonteAccess(FonteHidro::Uso::Secoes);
        const auto perfis = fonte.perfis(58110002);
        QCOMPARE(perfis.size(), size_t(34));
        QCOMPARE(perfis.front().data, QDate(1995, 9, 8));
        QCOMPARE(perfis.back().data, QDate(2019, 9, 23));
        QCOMPARE(perfis.back().identificador.toDouble(), 456.0);
        QCOMPARE(perfis.back().verticais, 263);
        for (size_t i = 1; i < perfis.size(); ++i)
            QVERIFY(perfis[i - 1].data <= perfis[i].data);
        QVERIFY(fonte.perfis(58110000).empty());

        // 492 has no verticals and 493 is removed; 490 loses its removed vertical.
        const auto sinteticos = fonte.perfis(99000001);
        QCOMPARE(sinteticos.size(), size_t(2));
        QCOMPARE(sinteticos[0].registroId, 490.0);
        QCOMPARE(sinteticos[1].registroId, 491.0);
        QCOMPARE(sinteticos[0].verticais, 5);
        const auto v490 = fonte.verticais(99000001, 490);
        QCOMPARE(v490.size(), size_t(5));
        for (const auto& v : v490)
            QVERIFY(!(v.distancia == 8.5 && v.cota == -20));
        QVERIFY(fonte.verticais(58110000, 490).empty());

        const auto v2019 = fonte.verticais(58110002, 456);
        QCOMPARE(v2019.size(), size_t(263));
        for (size_t i = 1; i < v2019.size(); ++i)
            QVERIFY(v2019[i - 1].distancia <= v2019[i].distancia);
    }

    // The same station from the Access file and from its CSV download.
    void accessECsvIguais_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("zip");
        QTest::addColumn<int>("linhas");
        QTest::newRow("58110002") << 58110002 << csv("ResumoDescarga_C_58110002.zip") << 202;
        QTest::newRow("58110000") << 58110000 << csv("ResumoDescarga_C_58110000.zip") << 228;
    }
    void accessECsvIguais() {
        QFETCH(int, codigo);
        QFETCH(QString, zip);
        QFETCH(int, linhas);
        EXIGIR_FIXTURE();
        FonteHidro access = fonteAccess(FonteHidro::Uso::Medicoes);
        FonteHidro web =
            FonteHidro::deTabelas(zip, LeitorHidroWeb::ler(zip, ConteudoHidroWeb::Medicoes));
        QCOMPARE(web.estacoes().size(), size_t(1));
        QCOMPARE(web.estacoes()[0].codigo, codigo);
        FiltroMedicoes f;
        f.bruto = f.consistido = true;
        const auto a = access.medicoes(codigo, f);
        const auto b = web.medicoes(codigo, f);
        QCOMPARE(int(a.size()), linhas);
        QCOMPARE(b.size(), a.size());
        for (size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(b[i].numero, a[i].numero);
            QCOMPARE(b[i].data, a[i].data);
            QCOMPARE(b[i].hora, a[i].hora);
            QCOMPARE(b[i].nivel, a[i].nivel);
            QCOMPARE(b[i].cota, a[i].cota);
            QCOMPARE(b[i].vazao, a[i].vazao);
            QCOMPARE(b[i].area, a[i].area);
            QCOMPARE(b[i].velocidade, a[i].velocidade);
        }
    }

    void verticaisDoCsv() {
        EXIGIR_FIXTURE();
        const QString zip = csv("PerfilTransversal_C_58110002.zip");
        FonteHidro web =
            FonteHidro::deTabelas(zip, LeitorHidroWeb::ler(zip, ConteudoHidroWeb::Perfis));
        FonteHidro access = fonteAccess(FonteHidro::Uso::Secoes);
        const auto perfisWeb = web.perfis(58110002);
        const auto perfisAccess = access.perfis(58110002);
        QCOMPARE(perfisWeb.size(), perfisAccess.size());
        for (size_t i = 0; i < perfisWeb.size(); ++i) {
            QCOMPARE(perfisWeb[i].data, perfisAccess[i].data);
            QVERIFY(perfisWeb[i].identificador.isNull());
            const auto a = access.verticais(58110002, perfisAccess[i].registroId);
            const auto b = web.verticais(58110002, perfisWeb[i].registroId);
            QCOMPARE(b.size(), a.size());
            for (size_t j = 0; j < a.size(); ++j) {
                QCOMPARE(b[j].distancia, a[j].distancia);
                QCOMPARE(b[j].cota, a[j].cota);
            }
        }
    }

    void verticaisCumulativas() {
        const auto tres =
            LeitorHidroWeb::decodificarVerticais("1,5;2;|1,5;2;|3;-4;|1,5;2;|3;-4;|5;6;|");
        QCOMPARE(tres.size(), size_t(3));
        QCOMPARE(tres[0].distancia, 1.5);
        QCOMPARE(tres[1].cota, -4.0);
        QCOMPARE(tres[2].distancia, 5.0);
        QVERIFY(LeitorHidroWeb::decodificarVerticais("").empty());
        QCOMPARE(LeitorHidroWeb::decodificarVerticais("7;8;|").size(), size_t(1));
        QVERIFY(erroDe([] {
                    LeitorHidroWeb::decodificarVerticais("1;2;|3;4;|");
                }).contains("não cresce uma vertical"));
        QVERIFY(erroDe([] {
                    LeitorHidroWeb::decodificarVerticais("1;2;|9;9;|3;4;|");
                }).contains("o passo 1"));
        QVERIFY(erroDe([] {
                    LeitorHidroWeb::decodificarVerticais("1;2;|1;2;|3;4;|1;2;|3;5;|5;6;|");
                }).contains("o passo 2"));
        QVERIFY(erroDe([] {
                    LeitorHidroWeb::decodificarVerticais("1;2;3;|");
                }).contains("não é um par"));
    }

    void csvComPreambuloEVazios() {
        const QByteArray texto =
            "Sistema de Informa\xe7\xf5\x65s\r\n\r\nC\xf3\x64igo da Esta\xe7\xe3o:1\r\n\r\n"
            "EstacaoCodigo;NivelConsistencia;Data;Hora;NumMedicao;Cota;Vazao;AreaMolhada;Largura;"
            "VelMedia;Profundidade;datains\r\n"
            "1;2;05/03/1998;01/01/1900 07:30:00;3;120;12,5;;10,0;0,580;;;\r\n"
            "1;1;06/03/1998;01/01/1900;4;;;;;;;;\r\n";
        const auto tabelas = LeitorHidroWeb::lerCsv(texto, "a.csv", ConteudoHidroWeb::Medicoes);
        FonteHidro fonte = FonteHidro::deTabelas("a.csv", tabelas);
        FiltroMedicoes f;
        f.bruto = f.consistido = true;
        const auto lista = fonte.medicoes(1, f);
        QCOMPARE(lista.size(), size_t(2));
        QCOMPARE(lista[0].data, QDate(1998, 3, 5));
        QCOMPARE(lista[0].hora, QTime(7, 30));
        QCOMPARE(*lista[0].vazao, 12.5);
        QCOMPARE(*lista[0].velocidade, 0.58);
        QVERIFY(!lista[0].area);
        QVERIFY(!lista[1].cota && !lista[1].vazao);
        QCOMPARE(lista[1].hora, QTime(0, 0));

        QByteArray ruim = texto;
        ruim.replace("12,5", "12,5x");
        const QString erro =
            erroDe([&] { LeitorHidroWeb::lerCsv(ruim, "a.csv", ConteudoHidroWeb::Medicoes); });
        QVERIFY2(erro.contains("linha 6") && erro.contains("Vazao"), qPrintable(erro));
    }

    void zipSemOCsvEsperado() {
        EXIGIR_FIXTURE();
        QTemporaryDir dir;
        QFile z(csv("ResumoDescarga_C_58110002.zip"));
        z.open(QIODevice::ReadOnly);
        const QString cortado = escrever(dir, "cortado.zip", z.readAll().left(1000));
        const QString texto = escrever(dir, "notas.csv", "nada a ver\r\n");
        const struct {
            QString arquivo;
            ConteudoHidroWeb conteudo;
            const char* erro;
        } casos[] = {
            {csv("curvadescarga_C_58110002.zip"), ConteudoHidroWeb::Medicoes,
             "não contém um arquivo CSV de resumo de descarga"},
            {csv("PerfilTransversal_C_58110002.zip"), ConteudoHidroWeb::Medicoes,
             "não contém um arquivo CSV de resumo de descarga"},
            {csv("ResumoDescarga_C_58110002.zip"), ConteudoHidroWeb::Perfis,
             "não contém um arquivo CSV de perfil transversal"},
            {cortado, ConteudoHidroWeb::Medicoes, "não é um arquivo zip legível"},
            {texto, ConteudoHidroWeb::Medicoes, "não é um arquivo CSV de resumo de descarga"},
        };
        for (const auto& c : casos) {
            const QString erro = erroDe([&] { LeitorHidroWeb::ler(c.arquivo, c.conteudo); });
            QVERIFY2(erro.contains(QString::fromUtf8(c.erro)), qPrintable(erro));
            QVERIFY2(erro.contains(QFileInfo(c.arquivo).fileName()), qPrintable(erro));
        }
    }
};

class TesteGravacaoHidro : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void preparoDasMedicoes() {
        const QDate d2000(2000, 1, 1);
        std::vector<MedicaoHidro> linhas = {
            medicao(1, d2000, 1, 10, 1.0, 1),              // superseded by the next
            medicao(1, d2000, 2, 10, 1.1, 2),              // keeps 1
            medicao(1, QDate(2003, 5, 5), 2, 30, 3.0, 3),  // another measurement: 5
            medicao(2, QDate(2001, 1, 1), 2, 20, {}, 4),   // no discharge
            medicao(3, QDate(2002, 1, 1), 2, 40, 4.0, 5),  // loses 3 to the earlier one: 4
            medicao(3, QDate(2002, 1, 1), 2, 40, 4.0, 6),  // typed twice
            medicao(3, QDate(2001, 6, 1), 2, 35, 3.5, 7),  // keeps 3
        };
        const PreparoMedicoes p = prepararMedicoes(linhas);
        QCOMPARE(p.semValores, 1);
        QCOMPARE(p.repetidas, 2);
        QCOMPARE(p.renumeradas, 2);
        QCOMPARE(numeros(p.medicoes), (QList<int>{1, 3, 4, 5}));
        QCOMPARE(*p.medicoes[0].vazao, 1.1);
        QCOMPARE(p.medicoes[1].data, QDate(2001, 6, 1));
        QCOMPARE(p.medicoes[2].data, QDate(2002, 1, 1));
        QCOMPARE(p.medicoes[3].data, QDate(2003, 5, 5));
        const QString aviso = p.aviso(7);
        QVERIFY(aviso.startsWith("Estação 7:"));
        QVERIFY2(aviso.contains("receberam os números 4 a 5"), qPrintable(aviso));
        QVERIFY(prepararMedicoes({medicao(1, d2000, 2, 1, 1, 1)}).aviso(7).isEmpty());
    }

    // A failure while storing leaves the station as it was.
    void falhaNaoApagaNada() {
        BancoTeste b;
        const int id = b.estacao(7, "Sete");
        b.medida(id, 1, 100, 10);
        b.medida(id, 2, 200, 20);
        const QDate d(2001, 1, 1);
        const std::vector<MedicaoHidro> repetidas = {medicao(5, d, 2, 1, 1, 1),
                                                     medicao(5, d, 2, 2, 2, 2)};
        QVERIFY_THROWS_EXCEPTION(ErroViolacaoChave,
                                 gravarMedicoesHidro(b.dm().conexao(), id, repetidas));
        QCOMPARE(b.escalar("select count(*) from medida").toInt(), 2);
        QCOMPARE(b.escalar("select sum(cota) from medida").toDouble(), 300.0);

        // Stored: empty area and velocity stay empty.
        QCOMPARE(gravarMedicoesHidro(b.dm().conexao(), id, {medicao(5, d, 2, 1, 1, 1)}), 1);
        QCOMPARE(b.escalar("select count(*) from medida where area is null and velocidade is "
                           "null and data = '2001-01-01' and ponto_obrigatorio = 0")
                     .toInt(),
                 1);
        QCOMPARE(contarMedicoes(b.dm().conexao(), id), 1);

        QCOMPARE(gravarVerticais(b.dm().conexao(), id, {{1, 2}, {3, 4}}, 456.0), 2);
        QCOMPARE(b.escalar("select count(*) from ponto where perfil = 456").toInt(), 2);
        QCOMPARE(contarPontos(b.dm().conexao(), id), 2);
    }

    void rios() {
        BancoTeste b;
        b.rio(58000100, "Velho");
        b.rio(1, "Local");
        const std::vector<RioHidro> rios = {
            {58000100, QString::fromUtf8("RIO PARAÍBA DO SUL")},
            {99000100, QString::fromUtf8("CÓRREGO SEM NOME AFLUENTE DA MARGEM ESQUERDA")}};
        for (int vez = 0; vez < 2; ++vez) {
            QCOMPARE(atualizarRios(b.dm().conexao(), rios), 2);
            QCOMPARE(b.escalar("select count(*) from rio").toInt(), 3);
            QCOMPARE(b.escalar("select nome from rio where idrio = 58000100").toString(),
                     QString::fromUtf8("RIO PARAÍBA DO SUL"));
            QCOMPARE(b.escalar("select nome from rio where idrio = 99000100").toString(),
                     QString::fromUtf8("CÓRREGO SEM NOME AFLUENTE DA M"));
            QCOMPARE(b.escalar("select nome from rio where idrio = 1").toString(),
                     QString("Local"));
        }
    }
};

LUMENO_TESTE(TesteLeitorMdb)
LUMENO_TESTE(TesteFonteHidro)
LUMENO_TESTE(TesteGravacaoHidro)
#include "tst_Hidro.moc"
