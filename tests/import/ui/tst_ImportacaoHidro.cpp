#include "analysis/ui/TTelaMedicao.h"
#include "app/ui/TInicial.h"
#include "components/EditorNumero.h"
#include "curves/ui/TfrmParmsCurva.h"
#include "editing/ui/TDigitarEstacao.h"
#include "import/GravacaoImportacao.h"
#include "import/LeitorMdb.h"
#include "import/ui/ImportadorHidro.h"
#include "import/ui/TImportaDados.h"
#include "import/ui/TMostrarEstacoesHidro.h"
#include "import/ui/TMostrarPerfisHidro.h"
#include "import/ui/TfrmConfigImport.h"
#include "support/ExecutorTestes.h"
#include "support/ui/AmbientePrograma.h"
#include "support/ui/ColunasVisiveis.h"
#include "support/ui/FecharTelaMedicao.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace lumeno;
using namespace lumeno::teste;

namespace {

const QString pastaHidro = QStringLiteral(LUMENO_SHARED_DIR "/fixtures/hidro");
const QString fixture = pastaHidro + QStringLiteral("/hidro_paraiba.mdb");
const QString zip58110000 =
    pastaHidro + QStringLiteral("/hidroweb_csv/ResumoDescarga_C_58110000.zip");
const QString zip58110002 =
    pastaHidro + QStringLiteral("/hidroweb_csv/ResumoDescarga_C_58110002.zip");

#define EXIGIR_FIXTURE()         \
    if (!QFile::exists(fixture)) \
    QSKIP("Sem os arquivos de ../shared/fixtures/hidro (hidro_paraiba.mdb): teste ignorado.")

QByteArray resumoArquivo(const QString& arquivo) {
    QFile f(arquivo);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

struct Ambiente : AmbientePrograma {
    QTemporaryDir dir;

    int contar(const QString& sql) { return escalar(sql).toInt(); }

    // Every row of the tables the imports touch, as text.
    QStringList despejo() {
        QStringList linhas;
        for (const char* sql :
             {"select codigo, descricao, rio from estacao order by codigo",
              "select idrio, nome from rio order by idrio",
              "select estacao, numero, data, cota, vazao, area, velocidade, ponto_obrigatorio "
              "from medida order by estacao, numero",
              "select estacao, x, y, perfil from ponto order by idponto"}) {
            auto q = dm().novaConsulta();
            q->SQL << QString::fromLatin1(sql);
            q->abrir();
            for (q->primeiro(); !q->eof(); q->proximo()) {
                QStringList campos;
                for (int i = 0; i < q->nomesCampos().size(); ++i)
                    campos << q->valor(i).toString();
                linhas << campos.join('|');
            }
        }
        return linhas;
    }

    // The measurements of a station, as text (number, date, stage, discharge, area, velocity).
    QStringList medicoes(int codigo) {
        QStringList linhas;
        auto q = dm().novaConsulta();
        q->SQL << QString(
                      "select m.numero, m.data, m.cota, m.vazao, m.area, m.velocidade from "
                      "medida m, estacao e where m.estacao = e.idestacao and e.codigo = %1 "
                      "order by m.numero")
                      .arg(codigo);
        q->abrir();
        for (q->primeiro(); !q->eof(); q->proximo()) {
            QStringList campos;
            for (int i = 0; i < 6; ++i)
                campos << q->valor(i).toString();
            linhas << campos.join('|');
        }
        return linhas;
    }

    // The station choice with `codigos` ticked.
    void esperaEstacoes(const QList<int>& codigos, bool confirmar = true) {
        roteiro.esperaDialogo<TMostrarEstacoesHidro>([=](TMostrarEstacoesHidro& d) {
            for (int i = 0; i < d.lstEstacoes->topLevelItemCount(); ++i) {
                QTreeWidgetItem* item = d.lstEstacoes->topLevelItem(i);
                QCOMPARE(item->checkState(TMostrarEstacoesHidro::Codigo), Qt::Unchecked);
                if (codigos.contains(item->text(TMostrarEstacoesHidro::Codigo).toInt()))
                    item->setCheckState(TMostrarEstacoesHidro::Codigo, Qt::Checked);
            }
            if (confirmar)
                d.bo_ok->click();
            else
                d.reject();
        });
    }

    // The station dialog for a network station: confirmed as it comes, or cancelled.
    void esperaNovaEstacao(const QString& codigo, const QString& nome, bool confirmar = true) {
        roteiro.esperaDialogo<TDigitarEstacao>([=](TDigitarEstacao& d) {
            QCOMPARE(d.windowTitle(), QString("Inserir nova estação"));
            QCOMPARE(d.edtCodigo->text(), codigo);
            QCOMPARE(d.edtDescricao->text(), nome);
            (confirmar ? d.bo_ok : d.bo_cancela)->click();
        });
    }

    // The parameters dialog: all boxes cleared, then ticked as `caixas` says (I, T, R, B, C).
    void esperaParametros(int codigo, const QString& caixas) {
        roteiro.esperaDialogo<TfrmConfigImport>([=](TfrmConfigImport& d) {
            QCOMPARE(d.windowTitle(), QString("Parâmetros para carga"));
            QCOMPARE(d.lblCodigo->text(), QString::number(codigo));
            const QList<QPair<QChar, QCheckBox*>> caixasDialogo = {{'I', d.chkImportado},
                                                                   {'T', d.chkTemporario},
                                                                   {'R', d.chkRemovido},
                                                                   {'B', d.chkBruto},
                                                                   {'C', d.chkConsistido}};
            for (const auto& [letra, caixa] : caixasDialogo) {
                QVERIFY(!caixa->isChecked());
                caixa->setChecked(caixas.contains(letra));
            }
            d.bo_ok->click();
        });
    }

    void esperaPerfil(const QString& data, int verticais) {
        roteiro.esperaDialogo<TMostrarPerfisHidro>([=](TMostrarPerfisHidro& d) {
            for (int i = 0; i < d.lstPerfis->topLevelItemCount(); ++i) {
                QTreeWidgetItem* item = d.lstPerfis->topLevelItem(i);
                if (item->text(TMostrarPerfisHidro::Data) == data &&
                    item->text(TMostrarPerfisHidro::Verticais).toInt() == verticais)
                    d.lstPerfis->setCurrentItem(item);
            }
            QCOMPARE(d.lstPerfis->currentItem()->text(TMostrarPerfisHidro::Data), data);
            d.bo_ok->click();
        });
    }
};

const QString aviso58110002 = QString::fromUtf8(
    "Estação 58110002:\n"
    "22 medições sem cota ou sem vazão não foram importadas.\n"
    "31 medições com números já usados por outras medições receberam os números 64 a 94, por "
    "ordem de data.");

}  // namespace

class TesteImportacaoHidro : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void medicoesDeDuasEstacoes() {
        EXIGIR_FIXTURE();
        const QByteArray antes = resumoArquivo(fixture);
        Ambiente a;
        a.roteiro.esperaAbrirArquivo(fixture);
        a.roteiro.esperaDialogo<TMostrarEstacoesHidro>([](TMostrarEstacoesHidro& d) {
            QCOMPARE(d.windowTitle(), fixture);
            QCOMPARE(d.lstEstacoes->topLevelItemCount(), 3);
            QCOMPARE(d.lstEstacoes->topLevelItem(0)->text(0), QString("58110000"));
            QCOMPARE(d.lstEstacoes->topLevelItem(2)->text(TMostrarEstacoesHidro::Rio),
                     QString::fromUtf8("CÓRREGO SEM NOME AFLUENTE DA MARGEM ESQUERDA"));
            QCOMPARE(lumeno::teste::colunasCortadas(d.lstEstacoes), QString());
            d.lstEstacoes->topLevelItem(1)->setCheckState(0, Qt::Checked);
            d.lstEstacoes->topLevelItem(2)->setCheckState(0, Qt::Checked);
            d.bo_ok->click();
        });
        a.esperaNovaEstacao("58110002", QString::fromUtf8("JACAREÍ"));
        a.esperaParametros(58110002, "C");
        a.roteiro.esperaMensagemComTitulo(aviso58110002, "58110002");
        a.esperaNovaEstacao("99000001", QString::fromUtf8("POSTO SINTÉTICO DE TESTE DOS F"));
        a.esperaParametros(99000001, "BC");
        a.roteiro.esperaMensagemComTitulo(
            QString::fromUtf8("Estação 99000001:\n"
                              "1 medição sem cota ou sem vazão não foi importada.\n"
                              "6 medições repetidas (a mesma medição em outro nível de "
                              "consistência, ou registrada duas vezes) foram deixadas de lado; "
                              "ficaram as de nível mais alto."),
            "99000001");
        bool progressoVisivel = false;
        QObject::connect(a.ctx().ImportaDados->pbProgresso, &QProgressBar::valueChanged,
                         [&] { progressoVisivel = a.ctx().ImportaDados->isVisible(); });
        a.janela().Hidromdb1->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.roteiro.ultimoFiltro, QString("Arquivos Hidro (*.mdb)"));
        QVERIFY(progressoVisivel);
        QVERIFY(!a.ctx().ImportaDados->isVisible());
        QCOMPARE(a.ctx().ImportaDados->windowTitle(), QString("Resumo de medições (.MDB)"));

        // 94 consolidated measurements with values; the consolidated data of 99000001.
        QCOMPARE(a.medicoes(58110002).size(), 94);
        QCOMPARE(a.medicoes(58110002).first(), QString("1|1995-09-08|96|98.2|192.9|0.51"));
        QCOMPARE(a.medicoes(58110002).last(), QString("94|2012-10-10|174|144|191.4|0.754"));
        const QStringList sintetica = a.medicoes(99000001);
        QCOMPARE(sintetica.size(), 7);
        QVERIFY2(sintetica.first().startsWith("1|2020-01-01|80|5.575|"),
                 qPrintable(sintetica.first()));
        QVERIFY(sintetica.last().startsWith("7|2020-07-19|140|16.734|"));
        QCOMPARE(a.contar("select count(*) from estacao where length(descricao) = 30"), 1);
        QCOMPARE(a.contar("select count(*) from estacao where rio = 58000100"), 1);
        QCOMPARE(resumoArquivo(fixture), antes);
    }

    void reimportacaoPerguntaESubstitui() {
        EXIGIR_FIXTURE();
        Ambiente a;
        const int id = a.estacao(99000001, "Sintética");
        a.medida(id, 50, 1, 1);  // typed by hand
        auto importar = [&](const QString& caixas, int existentes, bool resposta) {
            a.esperaEstacoes({99000001});
            a.esperaParametros(99000001, caixas);
            a.roteiro.esperaPergunta(perguntaSubstituicao(99000001, existentes, 7), resposta);
        };
        // "Não" keeps what the station had.
        importar("C", 1, false);
        a.janela().ImportaDadosMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.medicoes(99000001), QStringList{"50|2000-01-01|1|1|1|1"});

        importar("C", 1, true);
        a.janela().ImportaDadosMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.medicoes(99000001).size(), 7);
        QVERIFY(a.medicoes(99000001).first().startsWith("1|2020-01-01|80|5.575|"));

        // Raw data replaces the consolidated data instead of adding to it.
        importar("B", 7, true);
        a.roteiro.esperaMensagemComTitulo(
            QString::fromUtf8("Estação 99000001:\n1 medição sem cota ou sem vazão não foi "
                              "importada."),
            "99000001");
        a.janela().ImportaDadosMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.medicoes(99000001).size(), 7);
        QVERIFY(a.medicoes(99000001).first().startsWith("1|2020-01-01|80|5.52|"));

        // A filter that returns nothing leaves the measurements alone.
        const QStringList antes = a.despejo();
        a.esperaEstacoes({99000001});
        a.esperaParametros(99000001, "I");
        a.roteiro.esperaMensagemComTitulo("Sem registros para a estação", "");
        a.janela().ImportaDadosMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.despejo(), antes);
    }

    void estacaoCanceladaEncerraAImportacao() {
        EXIGIR_FIXTURE();
        Ambiente a;
        a.esperaEstacoes({58110000, 58110002});
        a.esperaNovaEstacao("58110000", QString::fromUtf8("UHE SANTA BRANCA JACAREÍ"), false);
        a.janela().ImportaDadosMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from estacao"), 0);
        QCOMPARE(a.contar("select count(*) from medida"), 0);

        // A choice closed without "&Ok" imports nothing.
        a.esperaEstacoes({58110000}, false);
        a.janela().ImportaDadosSecaoMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from estacao"), 0);
    }

    void secaoDoLevantamentoEscolhido() {
        EXIGIR_FIXTURE();
        Ambiente a;
        a.roteiro.esperaAbrirArquivo(fixture);
        a.esperaEstacoes({58110002});
        a.esperaNovaEstacao("58110002", QString::fromUtf8("JACAREÍ"));
        a.roteiro.esperaDialogo<TMostrarPerfisHidro>([](TMostrarPerfisHidro& d) {
            QCOMPARE(d.lstPerfis->topLevelItemCount(), 34);
            QTreeWidgetItem* ultimo = d.lstPerfis->topLevelItem(33);
            QCOMPARE(ultimo->text(TMostrarPerfisHidro::Data), QString("23/09/2019"));
            QCOMPARE(ultimo->text(TMostrarPerfisHidro::Hora), QString("12:30"));
            QCOMPARE(ultimo->text(TMostrarPerfisHidro::NumLevantamento), QString("25"));
            QCOMPARE(lumeno::teste::colunasCortadas(d.lstPerfis), QString());
            d.lstPerfis->setCurrentItem(ultimo);
            d.bo_ok->click();
        });
        a.janela().Hidromdb2->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.roteiro.ultimoTitulo, QString("Importação de arquivo de medições"));
        QCOMPARE(a.ctx().ImportaDados->windowTitle(), QString("Seção transversal (.MDB)"));
        QCOMPARE(a.contar("select count(*) from ponto where perfil = 456"), 263);
        QCOMPARE(
            a.contar("select count(*) from ponto p1, ponto p2 where p2.idponto = p1.idponto + 1 "
                     "and p2.x < p1.x"),
            0);
        QCOMPARE(a.escalar("select x from ponto order by idponto limit 1").toDouble(), 0.0);

        // Another survey replaces the points, after the question.
        a.esperaEstacoes({58110002});
        a.esperaPerfil("31/10/2018", 70);
        a.roteiro.esperaPergunta(perguntaSubstituicaoPontos(58110002, 263, 70), true);
        a.janela().ImportaDadosSecaoMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from ponto"), 70);
        QCOMPARE(a.contar("select count(*) from ponto where perfil = 457"), 70);

        // A station without profiles stops the import, before the next station.
        const QStringList antes = a.despejo();
        a.esperaEstacoes({58110000, 58110002});
        a.esperaNovaEstacao("58110000", QString::fromUtf8("UHE SANTA BRANCA JACAREÍ"));
        a.roteiro.esperaMensagemComTitulo(
            QString::fromUtf8("Não há perfis de seção para uma das estações selecionadas!"), "");
        a.janela().ImportaDadosSecaoMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from ponto"), 70);
        QCOMPARE(a.contar("select count(*) from estacao"), 2);
    }

    void rios() {
        EXIGIR_FIXTURE();
        Ambiente a;
        auto q = a.dm().novaConsulta();
        q->SQL << "insert into rio (idrio, nome) values (58000100, 'Nome antigo'), (7, 'Local')";
        q->executar();
        a.roteiro.esperaAbrirArquivo(fixture).esperaMensagemComTitulo("Dados atualizados!", "");
        a.janela().TabeladeriosHidro1->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.roteiro.ultimoTitulo, QString("Importação de tabela de rios"));
        const QStringList depois = a.despejo();
        QCOMPARE(depois,
                 (QStringList{"7|Local", QString::fromUtf8("58000100|RIO PARAÍBA DO SUL"),
                              "58000200|RIO JAGUARI", "58000300|RIO PARAITINGA",
                              QString::fromUtf8("99000100|CÓRREGO SEM NOME AFLUENTE DA M")}));
        a.roteiro.esperaAbrirArquivo(fixture).esperaMensagemComTitulo("Dados atualizados!", "");
        a.janela().TabeladeriosHidro1->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.despejo(), depois);

        // With the rivers in, a new station shows its river.
        a.esperaEstacoes({58110000});
        a.roteiro.esperaDialogo<TDigitarEstacao>([](TDigitarEstacao& d) {
            QCOMPARE(d.cboRio->currentText(), QString::fromUtf8("RIO PARAÍBA DO SUL"));
            d.bo_ok->click();
        });
        a.esperaParametros(58110000, "B");
        a.janela().ImportaDadosMDB(fixture);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.medicoes(58110000).size(), 228);
    }

    // The same station from the Access file and from the CSV download: the same rows.
    void csvIgualAoAccess() {
        EXIGIR_FIXTURE();
        Ambiente access, web;
        access.esperaEstacoes({58110000, 58110002});
        access.esperaNovaEstacao("58110000", QString::fromUtf8("UHE SANTA BRANCA JACAREÍ"));
        access.esperaParametros(58110000, "B");
        access.esperaNovaEstacao("58110002", QString::fromUtf8("JACAREÍ"));
        access.esperaParametros(58110002, "C");
        access.roteiro.esperaMensagemComTitulo(aviso58110002, "58110002");
        access.janela().ImportaDadosMDB(fixture);
        QVERIFY2(access.roteiro.concluido(), access.roteiro.relatorio());

        for (const auto& [zip, codigo, caixas] :
             {std::tuple{zip58110000, 58110000, QString("BC")},
              std::tuple{zip58110002, 58110002, QString("C")}}) {
            // One station in the file: no station choice; no name nor river in it.
            web.roteiro.esperaAbrirArquivo(zip);
            web.roteiro.esperaDialogo<TDigitarEstacao>([codigo](TDigitarEstacao& d) {
                QCOMPARE(d.edtDescricao->text(), QString("Estação código %1").arg(codigo));
                d.cboRio->setEditText("Rio Paraíba do Sul");
                d.bo_ok->click();
            });
            if (codigo == 58110000)
                web.roteiro.esperaPergunta(
                    QString::fromUtf8("O rio \"Rio Paraíba do Sul\" não está cadastrado. Deseja "
                                      "incluí-lo?"),
                    true);
            web.esperaParametros(codigo, caixas);
            if (codigo == 58110002)
                web.roteiro.esperaMensagemComTitulo(aviso58110002, "58110002");
            web.janela().HidroWeb1->trigger();
            QVERIFY2(web.roteiro.concluido(), web.roteiro.relatorio());
            QCOMPARE(web.roteiro.ultimoFiltro, QString("Arquivos HidroWeb (*.zip *.csv)"));
            QCOMPARE(web.medicoes(codigo), access.medicoes(codigo));
        }
        QCOMPARE(web.medicoes(58110000).size(), 228);
    }

    void secaoDoCsv() {
        EXIGIR_FIXTURE();
        Ambiente a;
        a.estacao(58110002, "Jacareí");
        a.roteiro.esperaAbrirArquivo(pastaHidro + "/hidroweb_csv/PerfilTransversal_C_58110002.zip");
        a.esperaPerfil("23/09/2019", 263);
        a.janela().HidroWeb2->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.contar("select count(*) from ponto where perfil is null"), 263);
        QCOMPARE(a.escalar("select min(x) from ponto").toDouble(), 0.0);
        QCOMPARE(a.escalar("select max(x) from ponto").toDouble(), 106.58);
    }

    // Bad files: a message naming the file, nothing changed, the file untouched.
    void arquivosRuinsNaoMudamNada() {
        EXIGIR_FIXTURE();
        Ambiente a;
        QFile f(fixture);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        auto escrever = [&](const QString& nome, const QByteArray& conteudo) {
            QFile s(a.dir.filePath(nome));
            s.open(QIODevice::WriteOnly);
            s.write(conteudo);
            return s.fileName();
        };
        const QString texto = escrever("texto.mdb", "EstacaoCodigo;Nome\r\n1;Um\r\n");
        const QString truncado = escrever("truncado.mdb", bytes.left(620 * 4096));
        const QString cumulativo =
            escrever("perfil.csv",
                     "EstacaoCodigo;NivelConsistencia;Data;Hora;NumLevantamento;"
                     "TipoSecao;NumVerticais;Observacoes;Verticais\r\n"
                     "58110002;1;23/09/2019;01/01/1900 12:30:00;25;1;2;;1;2;|5;6;|"
                     "7;8;|\r\n");
        const int id = a.estacao(58110002, "Jacareí");
        a.medida(id, 1, 100, 10);
        a.ponto(id, 0, 300);
        const QStringList antes = a.despejo();
        const QByteArray fixtureAntes = resumoArquivo(fixture);
        const struct {
            QString arquivo;
            QAction* acao;
            QString erro;
        } casos[] = {
            {texto, a.janela().Hidromdb1, "não é um banco de dados Access (.mdb)."},
            {truncado, a.janela().Hidromdb2,
             "está truncado ou danificado: a tabela ResumoDescarga declara 448 linhas, mas só "
             "375 puderam ser lidas."},
            {pastaHidro + "/hidroweb_csv/curvadescarga_C_58110002.zip", a.janela().HidroWeb1,
             "não contém um arquivo CSV de resumo de descarga (ResumoDescarga) do HidroWeb; nada "
             "foi importado."},
            {cumulativo, a.janela().HidroWeb2,
             "tem um erro na linha 2: o passo 1 da lista de verticais não repete o início da "
             "lista completa (vertical 1). Nada foi importado."},
        };
        for (const auto& c : casos) {
            a.roteiro.esperaAbrirArquivo(c.arquivo);
            a.roteiro.esperaMensagem(mensagemArquivo(c.arquivo, c.erro));
            c.acao->trigger();
            QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
            QVERIFY(!a.ctx().ImportaDados->isVisible());
            QCOMPARE(a.despejo(), antes);
        }
        QCOMPARE(resumoArquivo(fixture), fixtureAntes);
    }
};

// The walkthrough of the README: rivers, 58110002's consolidated measurements and its
// 2019 survey from the Access file, 58110000 from its CSV download, and a fitted curve
// for each.
class TestePasseioHidro : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importarEAjustar() {
        EXIGIR_FIXTURE();
        Ambiente a;
        auto q = a.dm().novaConsulta();
        q->SQL
            << "insert into curva_default (trecho, cor, algoritmo, parm) values (1, 255, 1, -100)";
        q->executar();
        a.roteiro.esperaAbrirArquivo(fixture).esperaMensagemComTitulo("Dados atualizados!", "");
        a.janela().TabeladeriosHidro1->trigger();

        a.roteiro.esperaAbrirArquivo(fixture);
        a.esperaEstacoes({58110002});
        a.roteiro.esperaDialogo<TDigitarEstacao>([](TDigitarEstacao& d) {
            QCOMPARE(d.cboRio->currentText(), QString::fromUtf8("RIO PARAÍBA DO SUL"));
            d.bo_ok->click();
        });
        a.esperaParametros(58110002, "C");
        a.roteiro.esperaMensagemComTitulo(aviso58110002, "58110002");
        a.janela().Hidromdb1->trigger();

        a.roteiro.esperaAbrirArquivo(fixture);
        a.esperaEstacoes({58110002});
        a.esperaPerfil("23/09/2019", 263);
        a.janela().Hidromdb2->trigger();

        a.roteiro.esperaAbrirArquivo(zip58110000);
        a.roteiro.esperaDialogo<TDigitarEstacao>([](TDigitarEstacao& d) {
            d.edtDescricao->setText(QString::fromUtf8("UHE Santa Branca Jacareí"));
            d.cboRio->setCurrentIndex(d.cboRio->findText(QString::fromUtf8("RIO PARAÍBA DO SUL")));
            d.bo_ok->click();
        });
        a.esperaParametros(58110000, "B");
        a.janela().HidroWeb1->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());

        for (const auto& [codigo, medicoes] : {std::pair{58110002, 94}, std::pair{58110000, 228}}) {
            const int id = a.escalar(QString("select idestacao from estacao where codigo = %1 "
                                             "and rio = 58000100")
                                         .arg(codigo))
                               .toInt();
            QVERIFY(id > 0);
            a.selecionarEstacao(id);
            a.roteiro.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
                a.roteiro.esperaDialogo<TfrmParmsCurva>([](TfrmParmsCurva& d) {
                    QVERIFY(d.Confirmado);
                    d.bo_ok->click();
                });
                t.mniSelecaoCriterios->trigger();
                QCOMPARE(t.TotalCurvas, 1);
                const CurvaTrecho curva = t.Trechos[1];
                fecharSemSalvar(t, a.roteiro);
                QCOMPARE(curva.totalLinhas(), medicoes);
                // One curve over decades of a real station: a fit, not a tight one.
                QVERIFY(curva.K > 0 && curva.M > 0 && curva.R > 0.75);
                QVERIFY(curva.H0 * 100 < curva.CotaMin);
            });
            a.ctx().TelaMedicao->Abrir(id);
            QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        }
    }
};

LUMENO_TESTE(TesteImportacaoHidro)
LUMENO_TESTE(TestePasseioHidro)
#include "tst_ImportacaoHidro.moc"
