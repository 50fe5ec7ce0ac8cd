#include "app/ui/AplicacaoLumeno.h"
#include "app/ui/TInicial.h"
#include "components/EditorNumero.h"
#include "editing/ui/TDigitarEstacao.h"
#include "import/LeitorTexto.h"
#include "import/ui/TImportaDados.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"
#include "support/ui/AmbientePrograma.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

struct Ambiente : AmbientePrograma {
    QTemporaryDir dir;

    QString arquivo(const QString& nome, const QByteArray& conteudo) {
        const QString caminho = dir.filePath(nome);
        QFile f(caminho);
        f.open(QIODevice::WriteOnly);
        f.write(conteudo);
        return caminho;
    }
    int contar(const QString& sql) { return escalar(sql).toInt(); }
    // The station dialog: confirmed with a new river, or cancelled.
    void esperaNovaEstacao(bool confirmar, const QString& titulo = "Inserir nova estação",
                           const QString& codigo = QString()) {
        roteiro.esperaDialogo<TDigitarEstacao>([=](TDigitarEstacao& d) {
            QCOMPARE(d.windowTitle(), titulo);
            if (!codigo.isEmpty())
                QCOMPARE(d.edtCodigo->text(), codigo);
            if (!confirmar) {
                d.bo_cancela->click();
                return;
            }
            d.cboRio->setEditText("Rio Demonstração");
            d.bo_ok->click();
        });
        if (confirmar)
            roteiro.esperaPergunta(
                "O rio \"Rio Demonstração\" não está cadastrado. Deseja incluí-lo?", true);
    }
};

QString erroDe(const std::function<void()>& f) {
    try {
        f();
    } catch (const ErroLumeno& e) {
        return e.mensagem();
    }
    return QString();
}

}  // namespace

class TesteImportacao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void demonstracaoPeloMenu() {
        const QString cop = QStringLiteral(LUMENO_FONTE_DIR "/demo/estacao_demo.cop");
        const QString sec = QStringLiteral(LUMENO_FONTE_DIR "/demo/secao_demo.sec");
        Ambiente a;
        bool progressoVisivel = false;
        a.roteiro.esperaAbrirArquivo(cop);
        a.esperaNovaEstacao(true, "Inserir nova estação", "99990001");
        a.roteiro.esperaMensagemComTitulo("Total de registros inseridos: 40", "99990001");
        QObject::connect(
            a.janela().contexto().ImportaDados->pbProgresso, &QProgressBar::valueChanged,
            [&] { progressoVisivel = a.janela().contexto().ImportaDados->isVisible(); });
        a.janela().Hidrologiacop1->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.roteiro.ultimoTitulo, QString("Importação de resumo de medições"));
        QCOMPARE(a.roteiro.ultimoFiltro, QString("Arquivos texto de medições (*.cop)"));
        QVERIFY(progressoVisivel);
        QVERIFY(!a.janela().contexto().ImportaDados->isVisible());
        QCOMPARE(a.janela().contexto().ImportaDados->windowTitle(),
                 QString("Resumo de medições (.COP)"));
        QCOMPARE(a.contar("select count(*) from medida"), 40);
        QCOMPARE(
            a.contar("select count(*) from estacao where descricao = 'Estação código 99990001'"),
            1);

        // The section finds the station; re-importing replaces instead of doubling.
        a.roteiro.esperaAbrirArquivo(sec).esperaMensagemComTitulo(
            "Total de registros inseridos: 21", "99990001");
        a.janela().Hidrologiasec1->trigger();
        a.roteiro.esperaAbrirArquivo(cop)
            .esperaPergunta(
                "A estação 99990001 já tem 40 medições, que serão substituídas pelas "
                "40 do arquivo. Continuar?",
                true)
            .esperaMensagemComTitulo("Total de registros inseridos: 40", "99990001");
        a.janela().Hidrologiacop1->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from medida"), 40);
        QCOMPARE(a.contar("select count(*) from ponto"), 21);
        QCOMPARE(a.contar("select count(*) from estacao"), 1);
    }

    void malformadoNaoMudaNada_data() {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QString>("erro");
        QTest::newRow("número") << QByteArray(
                                       "7\r\n05/03/98 1 150 10 1 2\r\n06/03/98 2 16O 11 1 2\r\n")
                                << "Entrada numérica inválida (linha 3)";
        QTest::newRow("data") << QByteArray("7\r\n05/13/98 1 150 10 1 2\r\n")
                              << "'05/13/1998' não é uma data válida (linha 2)";
    }
    void malformadoNaoMudaNada() {
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, erro);
        Ambiente a;
        const int id = BancoTeste::inserirEstacaoEm(a.dm(), 7, "Sete");
        auto m = a.dm().novaConsulta();
        m->SQL << QString(
                      "insert into medida (estacao, numero, cota, vazao, ponto_obrigatorio) values "
                      "(%1, 99, 1, 1, 0)")
                      .arg(id);
        m->executar();
        const QString caminho = a.arquivo("ruim.cop", conteudo);
        QCOMPARE(erroDe([&] { a.janela().ImportaDadosCOP(caminho); }), erro);
        QCOMPARE(a.contar("select count(*) from medida"), 1);
        QCOMPARE(a.contar("select numero from medida"), 99);
        // Through the menu the error is shown by the default handler and the progress
        // window closes.
        a.roteiro.esperaAbrirArquivo(caminho).esperaMensagemComTitulo(erro,
                                                                      AplicacaoLumeno::titulo);
        a.janela().Hidrologiacop1->trigger();
        QVERIFY(!a.janela().contexto().ImportaDados->isVisible());
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
    }

    // Rows the station already has (typed since the last import) are replaced only when
    // the user agrees.
    void reimportacaoPerguntaAntes() {
        Ambiente a;
        const int id = BancoTeste::inserirEstacaoEm(a.dm(), 7, "Sete");
        for (int n = 1; n <= 3; ++n)
            a.medida(id, n, 100 + n, 10);
        a.ponto(id, 0, 500);
        const QString cop = a.arquivo("sete.cop", "7\r\n05/03/98 1 150 10 1 2\r\n");
        const QString sec = a.arquivo("sete.sec", "7\r\n0 500\r\n5 400\r\n10 500\r\n");

        a.roteiro.esperaPergunta(
            "A estação 7 já tem 3 medições, que serão substituídas pela 1 "
            "do arquivo. Continuar?",
            false);
        a.janela().ImportaDadosCOP(cop);
        a.roteiro.esperaPergunta(
            "A estação 7 já tem 1 ponto de seção, que será substituído "
            "pelos 3 do arquivo. Continuar?",
            false);
        a.janela().ImportaDadosSEC(sec);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from medida"), 3);
        QCOMPARE(a.contar("select count(*) from ponto"), 1);

        a.roteiro
            .esperaPergunta(
                "A estação 7 já tem 3 medições, que serão substituídas pela 1 do "
                "arquivo. Continuar?",
                true)
            .esperaMensagemComTitulo("Total de registros inseridos: 1", "7");
        a.janela().ImportaDadosCOP(cop);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from medida"), 1);
        QCOMPARE(a.contar("select cota from medida"), 150);
    }

    // An import whose commit finds the database read by another program: a clear
    // message, nothing half-stored, and the next change really stored.
    void importacaoComBancoOcupado() {
        Ambiente a;
        const int id = BancoTeste::inserirEstacaoEm(a.dm(), 7, "Sete");
        a.dm().conexao().definirEsperaOcupado(50);
        const QString cop = a.arquivo("sete.cop",
                                      "7\r\n05/03/98 1 150 10 1 2\r\n06/03/98 2 "
                                      "160 11 1 2\r\n");
        {
            QSqlDatabase leitor = QSqlDatabase::addDatabase("QSQLITE", "leitor");
            leitor.setDatabaseName(a.dm().conexao().pasta() + "/lumeno.db");
            QVERIFY(leitor.open());
            QSqlQuery q(leitor);
            QVERIFY(q.exec("BEGIN"));
            QVERIFY(q.exec("select count(*) from medida") && q.next());
            a.roteiro.esperaAbrirArquivo(cop).esperaMensagemComTitulo(
                "O banco de dados está em uso por outro programa. Feche o outro programa (ou "
                "aguarde que ele termine) e tente novamente.\nNada desta operação foi gravado.",
                AplicacaoLumeno::titulo);
            a.janela().Hidrologiacop1->trigger();
            QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
            q.finish();
            leitor.rollback();
            leitor.close();
        }
        QSqlDatabase::removeDatabase("leitor");
        QCOMPARE(a.contar("select count(*) from medida"), 0);
        a.medida(id, 9, 100, 1);
        a.dm().desconectar();
        QCOMPARE(a.contar("select count(*) from medida"), 1);
    }

    void estacaoCanceladaNadaMuda() {
        Ambiente a;
        const QString caminho = a.arquivo("nova.cop", "123\r\n05/03/98 1 150 10 1 2\r\n");
        a.esperaNovaEstacao(false);
        a.janela().ImportaDadosCOP(caminho);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from estacao"), 0);
        QCOMPARE(a.contar("select count(*) from medida"), 0);
    }

    void codigoZero() {
        Ambiente a;
        const int zero = BancoTeste::inserirEstacaoEm(a.dm(), 0, "Zero");
        // .cop with code 0 finds the station.
        a.roteiro.esperaMensagemComTitulo("Total de registros inseridos: 0", "0");
        a.janela().ImportaDadosCOP(a.arquivo("z.cop", "0\r\n"));
        // .sec with code 0 always asks for a new station.
        a.esperaNovaEstacao(false);
        a.janela().ImportaDadosSEC(a.arquivo("z.sec", "0\r\n1 2\r\n"));
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar(QString("select count(*) from ponto where estacao = %1").arg(zero)), 0);
    }

    void rsmCriaEstacaoComTextoDoCodigo() {
        Ambiente a;
        QByteArray registro(64, '\0');
        registro[1] = 4;
        registro.replace(2, 4, "0042");
        registro[10] = 1;
        registro[20] = 5;
        registro[22] = 3;
        registro[24] = 98;
        registro[28] = static_cast<char>(129 + 7);  // 128 cm
        a.esperaNovaEstacao(true, "Inserir resumo de medições", "42");
        a.roteiro.esperaMensagemComTitulo("Total de registros inseridos: 1", "42");
        a.janela().ImportaDadosRSM(a.arquivo("a.rsm", registro));
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from estacao where descricao = 'Estação código 0042'"),
                 1);
        QCOMPARE(a.contar("select cota from medida"), 128);
    }
};

LUMENO_TESTE(TesteImportacao)
#include "tst_Importacao.moc"
