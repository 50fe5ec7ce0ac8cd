#include "app/ErroLumeno.h"
#include "import/EstacaoExemplo.h"
#include "import/LeitorTexto.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lumeno;
using lumeno::teste::BancoTeste;

namespace {

const QString copDemo = QStringLiteral(LUMENO_FONTE_DIR "/demo/estacao_demo.cop");
const QString secDemo = QStringLiteral(LUMENO_FONTE_DIR "/demo/secao_demo.sec");
constexpr int codigoDemo = 99990001;

// Every row of the tables an import touches, in a fixed order.
QStringList conteudo(BancoTeste& b) {
    QStringList linhas;
    auto q = b.dm().novaConsulta();
    q->SQL << "select 'e', IdEstacao, Codigo, Descricao, Rio from estacao"
           << "union all select 'r', IdRio, Nome, null, null from rio"
           << "union all select 'm', Estacao, Numero, Data || ' ' || Cota || ' ' || Vazao || ' ' "
              "|| Area || ' ' || Velocidade, Ponto_obrigatorio from medida"
           << "union all select 'p', Estacao, X, Y, Perfil from ponto order by 1, 2, 3, 4";
    q->abrir();
    for (q->primeiro(); !q->eof(); q->proximo()) {
        QStringList campos;
        for (int i = 0; i < 5; ++i)
            campos << q->valor(i).toString();
        linhas << campos.join('|');
    }
    return linhas;
}

QString gravar(QTemporaryDir& dir, const QString& nome, const QByteArray& dados) {
    const QString caminho = dir.filePath(nome);
    QFile f(caminho);
    f.open(QIODevice::WriteOnly);
    f.write(dados);
    return caminho;
}

}  // namespace

class TesteEstacaoExemplo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importaEDepoisNaoTocaMais() {
        BancoTeste b;
        const EstacaoExemplo e = importarEstacaoExemplo(b.dm().conexao(), copDemo, secDemo);
        QVERIFY(e.importada);
        QCOMPARE(e.codigo, codigoDemo);
        QCOMPARE(e.medicoes, 40);
        QCOMPARE(e.pontos, 21);
        QCOMPARE(b.escalar("select count(*) from medida where ponto_obrigatorio = 0").toInt(), 40);
        QCOMPARE(b.escalar("select count(*) from ponto").toInt(), 21);
        QCOMPARE(b.escalar("select IdEstacao from estacao where codigo = 99990001").toInt(),
                 e.idEstacao);
        QCOMPARE(b.escalar("select descricao from estacao").toString(),
                 QString("Estação de demonstração"));
        QCOMPARE(b.escalar("select r.nome from estacao e join rio r on e.rio = r.idrio").toString(),
                 QString("Rio Demonstração"));
        // Line 2 of the file, as the menu's import stores it.
        QCOMPARE(b.escalar("select data || ' ' || cota || ' ' || vazao from medida "
                           "where numero = 1")
                     .toString(),
                 QString("1995-04-27 125.0 11.64"));

        // A second time the station is found and nothing is written.
        const QStringList antes = conteudo(b);
        const EstacaoExemplo outra = importarEstacaoExemplo(b.dm().conexao(), copDemo, secDemo);
        QVERIFY(!outra.importada);
        QCOMPARE(outra.idEstacao, e.idEstacao);
        QCOMPARE(outra.medicoes, 40);
        QCOMPARE(outra.pontos, 21);
        QCOMPARE(conteudo(b), antes);
    }

    void estacaoDoUsuarioFicaComoEsta() {
        // A station of the user's that happens to have the code, with a mandatory row
        // left over: counted without it, and nothing is imported into it.
        BancoTeste b;
        const int id = b.estacao(codigoDemo, "Minha estação");
        b.medida(id, 1, 100, 5);
        b.medida(id, 10000, 120, 7, QDate(2000, 1, 1), 0, 0, 1);
        const QStringList antes = conteudo(b);
        const EstacaoExemplo e = importarEstacaoExemplo(b.dm().conexao(), copDemo, secDemo);
        QVERIFY(!e.importada);
        QCOMPARE(e.idEstacao, id);
        QCOMPARE(e.medicoes, 1);
        QCOMPARE(e.pontos, 0);
        QCOMPARE(conteudo(b), antes);
    }

    void rioPorNomeSemDistinguirMaiusculas() {
        BancoTeste b;
        b.rio(7, " RIO DEMONSTRAÇÃO ");
        b.rio(9, "Rio Doce");
        QCOMPARE(rioPorNome(b.dm().conexao(), "rio doce"), 9);
        QCOMPARE(rioPorNome(b.dm().conexao(), "Rio Novo"), 10);
        QCOMPARE(b.escalar("select nome from rio where idrio = 10").toString(),
                 QString("Rio Novo"));

        const EstacaoExemplo e = importarEstacaoExemplo(b.dm().conexao(), copDemo, secDemo);
        QCOMPARE(b.escalar("select rio from estacao").toInt(), 7);
        QCOMPARE(b.escalar("select count(*) from rio").toInt(), 3);
        QVERIFY(e.importada);
    }

    void falhaNaoDeixaNada_data() {
        QTest::addColumn<QByteArray>("cop");
        QTest::addColumn<QByteArray>("sec");
        QTest::addColumn<QString>("erro");
        const QByteArray cop = "5\r\n05/03/98 1 150 10 1 2\r\n06/03/98 2 160 11 1 2\r\n";
        const QByteArray sec = "5\r\n0 500\r\n10 100\r\n";
        QTest::newRow("número repetido")
            << QByteArray("5\r\n05/03/98 1 150 10 1 2\r\n06/03/98 1 160 11 1 2\r\n") << sec
            << "Número de medição repetido";
        QTest::newRow("seção malformada") << cop << QByteArray("5\r\n0 5OO\r\n") << "linha 2";
        QTest::newRow("estações diferentes")
            << cop << QByteArray("6\r\n0 500\r\n") << "estações diferentes (5 e 6)";
        QTest::newRow("sem arquivo") << cop << QByteArray() << "Arquivo não encontrado";
    }
    void falhaNaoDeixaNada() {
        QFETCH(QByteArray, cop);
        QFETCH(QByteArray, sec);
        QFETCH(QString, erro);
        BancoTeste b;
        b.rio(1, "Rio Doce");
        QTemporaryDir dir;
        const QString arquivoCop = gravar(dir, "a.cop", cop);
        const QString arquivoSec =
            sec.isEmpty() ? dir.filePath("nenhum.sec") : gravar(dir, "a.sec", sec);
        const QStringList antes = conteudo(b);
        try {
            importarEstacaoExemplo(b.dm().conexao(), arquivoCop, arquivoSec);
            QFAIL("imported");
        } catch (const ErroLumeno& e) {
            QVERIFY2(e.mensagem().contains(erro), qPrintable(e.mensagem()));
        }
        QCOMPARE(conteudo(b), antes);
        // The connection is usable afterwards (no transaction left open).
        QVERIFY(importarEstacaoExemplo(b.dm().conexao(), copDemo, secDemo).importada);
    }

    void curvaSobreTodasAsMedicoes() {
        BancoTeste b;
        const int id = importarEstacaoExemplo(b.dm().conexao(), copDemo, secDemo).idEstacao;
        const int outra = b.estacao(1);
        b.medida(outra, 1, 100, 5);
        // A mandatory row of another curve of the same station is not taken.
        b.medida(id, 10000, 120, 7, QDate(2000, 1, 1), 0, 0, 2);

        DefinicaoCurva d = curvaExemplo(b.dm().conexao(), id);
        QCOMPARE(d.Algoritmo, 1);
        QCOMPARE(d.Parametro, 0);
        QCOMPARE(d.Cor, std::uint32_t(0x00FF0000));
        QCOMPARE(b.escalar("select count(*) from medida where " + d.Condicao).toInt(), 40);

        // The default of curve 1 gives the colour, and the initial h0 of a power law.
        b.executar(
            "insert into curva_default (trecho, cor, algoritmo, parm) "
            "values (1, 255, 1, 30)");
        d = curvaExemplo(b.dm().conexao(), id);
        QCOMPARE(d.Cor, std::uint32_t(255));
        QCOMPARE(d.Parametro, 30);
        QCOMPARE(d.Algoritmo, 1);
        b.executar("update curva_default set algoritmo = 2, parm = 3");
        d = curvaExemplo(b.dm().conexao(), id);
        QCOMPARE(d.Cor, std::uint32_t(255));
        QCOMPARE(d.Parametro, 0);
        QCOMPARE(d.Algoritmo, 1);
    }
};

LUMENO_TESTE(TesteEstacaoExemplo)
#include "tst_EstacaoExemplo.moc"
