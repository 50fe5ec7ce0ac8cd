#include "analysis/ui/TTelaMedicao.h"
#include "app/Configuracao.h"
#include "app/ErroLumeno.h"
#include "app/ui/AplicacaoLumeno.h"
#include "app/ui/Comando.h"
#include "app/ui/Figuras.h"
#include "app/ui/TAboutBox.h"
#include "app/ui/TInicial.h"
#include "app/ui/TSelecionarEstacao.h"
#include "app/ui/TfrmDigitarData.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/EditorNumero.h"
#include "support/BancoTeste.h"
#include "support/ExecutorTestes.h"
#include "support/ui/ColunasVisiveis.h"
#include "support/ui/InteracaoRoteirizada.h"

#include <QAction>
#include <QCalendarWidget>
#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace lumeno;
using lumeno::teste::InteracaoRoteirizada;

namespace {

// A main window over temporary INI and location files.
struct Ambiente {
    QTemporaryDir dir;
    LocalizacoesBanco localizacoes{dir.filePath("localizacoes.ini")};
    Configuracao configuracao{dir.filePath("lumeno.INI")};
    InteracaoRoteirizada roteiro;
    TDM dm{localizacoes};
    std::unique_ptr<TInicial> janela;

    QString novaPasta(const QString& nome) {
        const QString p = dir.filePath(nome);
        QDir().mkpath(p);
        return p;
    }
    void criarJanela() {
        janela = std::make_unique<TInicial>(roteiro, dm, localizacoes, configuracao);
    }
    CriteriosExclusao& criterios() { return janela->contexto().criterios; }
    QString conteudo(const QString& arquivo) {
        QFile f(dir.filePath(arquivo));
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }
};

// HOME points at another folder while it lives.
struct CasaTrocada {
    explicit CasaTrocada(const QString& casa) : antes_(qgetenv("HOME")) {
        qputenv("HOME", casa.toLocal8Bit());
    }
    ~CasaTrocada() { qputenv("HOME", antes_); }
    QByteArray antes_;
};

const QString msgConfigurar =
    QStringLiteral("É necessário configurar a localização do banco de dados da aplicação!");

}  // namespace

class TesteConfiguracao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void semConfiguracaoPerguntaPasta_data() {
        QTest::addColumn<QString>("ini");
        QTest::newRow("sem arquivo") << QString();
        QTest::newRow("sem chave") << QString("[CONFIG]\nOUTRA=1\n");
        QTest::newRow("ERROR") << QString("[CONFIG]\nPATH=ERROR\n");
    }
    void semConfiguracaoPerguntaPasta() {
        QFETCH(QString, ini);
        Ambiente a;
        if (!ini.isEmpty()) {
            QFile f(a.configuracao.arquivoIni());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(ini.toUtf8());
        }
        const QString dados = a.novaPasta("dados");
        a.roteiro.esperaMensagemComTitulo(msgConfigurar, "Erro").esperaPasta(dados);
        a.criarJanela();
        a.janela->show();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.roteiro.ultimoTitulo, QString("Escolha o diretório de dados:"));
        QCOMPARE(a.roteiro.ultimaRaiz, QDir::homePath() + "/Lumeno");
        QCOMPARE(a.configuracao.lerPasta("ERROR"), dados);
        QCOMPARE(a.localizacoes.caminho("LUMENO"), dados);
        QCOMPARE(a.localizacoes.driver("Lumeno"), QString("STANDARD"));
        QCOMPARE(a.janela->pnlDiretorio->text(), dados);
        QVERIFY(a.janela->Configurado);
        QVERIFY(QFile::exists(dados + "/lumeno.db"));
        QVERIFY(a.janela->isVisible());
    }

    // A first start offers ~/Lumeno; "OK" alone makes the folder and its database.
    void pastaSugeridaCriadaAoEscolher() {
        QTemporaryDir casa;
        const QString sugerida = casa.path() + "/Lumeno";
        CasaTrocada troca(casa.path());
        QCOMPARE(Configuracao::pastaSugerida(), sugerida);
        Ambiente a;
        a.roteiro.esperaMensagemComTitulo(msgConfigurar, "Erro").esperaPasta(sugerida);
        a.criarJanela();
        a.janela->show();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.roteiro.ultimaRaiz, sugerida);
        QCOMPARE(a.configuracao.lerPasta("ERROR"), sugerida);
        QCOMPARE(a.janela->pnlDiretorio->text(), sugerida);
        QVERIFY(QFile::exists(sugerida + "/lumeno.db"));
        a.dm.qu_estacao1.abrir();
        QCOMPARE(a.dm.qu_estacao1.totalRegistros(), 0);
    }

    void cancelarEncerraSemMudar() {
        QTemporaryDir casa;
        CasaTrocada troca(casa.path());
        Ambiente a;
        a.localizacoes.adicionar("Lumeno", "STANDARD", {{"PATH", "/antigo"}});
        const QString antes = a.conteudo("localizacoes.ini");
        a.roteiro.esperaMensagem(msgConfigurar).esperaPasta(std::nullopt);
        a.criarJanela();
        a.janela->show();
        QTRY_VERIFY(!a.janela->isVisible());
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.conteudo("localizacoes.ini"), antes);
        QVERIFY(!QFile::exists(a.configuracao.arquivoIni()));
        QVERIFY(!a.janela->Configurado);
        QVERIFY(!QFileInfo::exists(casa.path() + "/Lumeno"));
    }

    void pastaConfiguradaNaBarraDeStatus() {
        Ambiente a;
        const QString dados = a.novaPasta("dados");
        a.configuracao.gravarPasta(dados);
        a.localizacoes.adicionar("lumeno", "OUTRO", {{"PATH", "/velho"}});
        a.criarJanela();
        a.janela->show();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.janela->pnlDiretorio->text(), dados);
        QCOMPARE(a.localizacoes.caminho("Lumeno"), dados);
        QCOMPARE(a.localizacoes.driver("Lumeno"), QString("STANDARD"));
        // Shown again (as after a modal window): nothing is asked or rebuilt.
        a.localizacoes.modificarParametros("Lumeno", {{"PATH", "/marcado"}});
        a.janela->hide();
        a.janela->show();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(a.localizacoes.caminho("Lumeno"), QString("/marcado"));
    }

    void localizacaoDeDadosTrocaPasta() {
        Ambiente a;
        const QString primeira = a.novaPasta("um");
        const QString segunda = a.novaPasta("dois");
        a.configuracao.gravarPasta(primeira);
        a.criarJanela();
        a.janela->show();
        lumeno::teste::BancoTeste::inserirEstacaoEm(a.dm, 77);
        a.dm.qu_estacao1.abrir();
        QCOMPARE(a.dm.qu_estacao1.totalRegistros(), 1);

        a.roteiro.esperaPasta(std::nullopt);
        a.janela->mniLocalizacaoDados->trigger();
        QCOMPARE(a.janela->pnlDiretorio->text(), primeira);

        a.roteiro.esperaPasta(segunda);
        a.janela->mniLocalizacaoDados->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QVERIFY(a.roteiro.ultimaRaiz.isEmpty());
        QCOMPARE(a.janela->pnlDiretorio->text(), segunda);
        QCOMPARE(a.configuracao.lerPasta(QString()), segunda);
        QCOMPARE(a.localizacoes.caminho("Lumeno"), segunda);
        QVERIFY(!a.dm.qu_estacao1.ativo());
        a.dm.qu_estacao1.abrir();
        QCOMPARE(a.dm.qu_estacao1.totalRegistros(), 0);
        QCOMPARE(a.dm.conexao().pasta(), segunda);
    }

    void pastaComArquivoEstranho() {
        Ambiente a;
        const QString dados = a.novaPasta("dados");
        QFile f(dados + "/lumeno.db");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("planilha antiga");
        f.close();
        a.configuracao.gravarPasta(dados);
        a.criarJanela();
        // The refusal is shown by the default handler; the window stays up.
        a.roteiro.esperaMensagemComTitulo(
            QString("O arquivo \"%1\" não é um banco de dados do Lumeno e não foi alterado. "
                    "Escolha outro diretório de dados.")
                .arg(QDir::toNativeSeparators(dados + "/lumeno.db")),
            AplicacaoLumeno::titulo);
        a.janela->show();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QVERIFY(a.janela->isVisible());
        QVERIFY(a.janela->Configurado);
        QFile g(dados + "/lumeno.db");
        g.open(QIODevice::ReadOnly);
        QCOMPARE(g.readAll(), QByteArray("planilha antiga"));
        QCOMPARE(QDir(dados).entryList(QDir::Files), QStringList{"lumeno.db"});
    }

    void sobre() {
        Ambiente a;
        a.configuracao.gravarPasta(a.novaPasta("d"));
        a.criarJanela();
        a.janela->show();
        bool viu = false;
        a.roteiro.esperaDialogo<TAboutBox>([&](TAboutBox& d) {
            viu = d.windowTitle() == "Sobre";
            d.accept();
        });
        a.janela->mniSobre->trigger();
        QVERIFY(viu);
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
    }

    // An error that escapes a command all the same is a fault: counted, reported, and
    // still shown so that the program goes on.
    void erroForaDeComando() {
        struct Lancador : QObject {
            bool event(QEvent*) override {
                throw ErroLumeno("Já existe estação com este código!", "Erro!");
            }
        };
        InteracaoRoteirizada roteiro;
        auto* app = static_cast<AplicacaoLumeno*>(qApp);
        app->definirInteracao(&roteiro);
        const int antes = app->errosForaDeComando();
        Lancador lancador;
        QEvent evento(QEvent::User);
        roteiro.esperaMensagemComTitulo("Já existe estação com este código!", "Erro!");
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("erro escapou de um comando"));
        QCoreApplication::sendEvent(&lancador, &evento);
        QVERIFY2(roteiro.concluido(), roteiro.relatorio());
        QCOMPARE(app->errosForaDeComando(), antes + 1);
        app->zerarErrosForaDeComando();
        app->definirInteracao(nullptr);
    }

    // A command connected through `comando` shows its error itself, whatever arguments
    // the signal carries, and the next command runs normally.
    void fronteiraDeComando() {
        InteracaoRoteirizada roteiro;
        QAction acao("a");
        int vezes = 0;
        QObject::connect(&acao, &QAction::triggered, comando(roteiro, [&] {
            ++vezes;
            throw ErroLumeno("Falhou", "Erro");
        }));
        QComboBox lista;
        lista.addItems({"um", "dois"});
        int recebido = -1;
        QObject::connect(&lista, &QComboBox::currentIndexChanged, comando(roteiro, [&](int i) {
            recebido = i;
            if (i == 1)
                throw ErroConversao("'x' não é um número inteiro válido");
        }));
        roteiro.esperaMensagemComTitulo("Falhou", "Erro")
            .esperaMensagemComTitulo("'x' não é um número inteiro válido", AplicacaoLumeno::titulo);
        acao.trigger();
        lista.setCurrentIndex(1);
        QCOMPARE(vezes, 1);
        QCOMPARE(recebido, 1);
        QVERIFY(executarComando(roteiro, [&] { ++vezes; }));
        QCOMPARE(vezes, 2);
        QVERIFY2(roteiro.concluido(), roteiro.relatorio());
    }
};

class TesteDialogosComuns : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Qt's own Portuguese texts are installed and loaded: the standard buttons and
    // choosers, and the names of the calendars' months, speak the program's language.
    void traducaoDoQt() {
        auto* app = qobject_cast<AplicacaoLumeno*>(QCoreApplication::instance());
        QVERIFY(app);
        QVERIFY2(app->carregarTraducaoQt(),
                 "qtbase_pt_BR não encontrada: instale o pacote qt6-translations-l10n");
        QVERIFY(app->carregarTraducaoQt());  // a second call keeps the one loaded
        QMessageBox caixa(QMessageBox::Question, QString(), QString(),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(caixa.button(QMessageBox::Yes)->text(), QString("&Sim"));
        QCOMPARE(caixa.button(QMessageBox::Cancel)->text(), QString("Cancelar"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QString("Procurar em:"));
        QColorDialog cores;
        QStringList rotulos;
        for (const QLabel* l : cores.findChildren<QLabel*>())
            rotulos << l->text();
        QVERIFY2(rotulos.contains("Cores &básicas"), qPrintable(rotulos.join(" | ")));
        TfrmDigitarData data;
        QCOMPARE(data.edtData->calendarWidget()->locale().monthName(3), QString("março"));
    }

    void seletorDeEstacao() {
        Ambiente a;
        const QString dados = a.novaPasta("dados");
        a.configuracao.gravarPasta(dados);
        a.criarJanela();
        a.janela->show();
        lumeno::teste::BancoTeste::inserirEstacaoEm(a.dm, 20, "Com seção");
        lumeno::teste::BancoTeste::inserirEstacaoEm(a.dm, 10, "Sem seção");
        auto pontos = a.dm.novaConsulta();
        pontos->SQL << "insert into ponto (estacao, x, y) select IdEstacao, 1, 2 from estacao "
                       "where codigo = 20";
        pontos->executar();

        // "   &Ok" with no row selected (the user took the selection away): no station.
        a.roteiro.esperaDialogo<TSelecionarEstacao>([](TSelecionarEstacao& d) {
            QCOMPARE(d.lstEstacao->topLevelItemCount(), 2);
            QCOMPARE(d.bo_ok->text(), QString("   &Ok"));
            d.lstEstacao->clearSelection();
            d.bo_ok->click();
        });
        QVERIFY(!a.janela->SelecionarEstacao());

        // The list opens with the first station selected: Return picks it, and so does a
        // double click on another row.
        a.roteiro.esperaDialogo<TSelecionarEstacao>([](TSelecionarEstacao& d) {
            QVERIFY(d.lstEstacao->topLevelItem(0)->isSelected());
            QCOMPARE(d.lstEstacao->currentItem(), d.lstEstacao->topLevelItem(0));
            QCOMPARE(lumeno::teste::colunasCortadas(d.lstEstacao), QString());
            QTest::keyClick(d.lstEstacao, Qt::Key_Return);
            QVERIFY(!d.isVisible());
        });
        QVERIFY(a.janela->SelecionarEstacao());
        QCOMPARE(a.dm.qu_estacao1.campo("codigo").comoInteiro(), 10);
        a.roteiro.esperaDialogo<TSelecionarEstacao>([](TSelecionarEstacao& d) {
            QVERIFY(d.lstEstacao->topLevelItem(0)->isSelected());
            QTreeWidgetItem* segunda = d.lstEstacao->topLevelItem(1);
            const QPoint centro = d.lstEstacao->visualItemRect(segunda).center();
            QTest::mouseClick(d.lstEstacao->viewport(), Qt::LeftButton, {}, centro);
            QTest::mouseDClick(d.lstEstacao->viewport(), Qt::LeftButton, {}, centro);
            QVERIFY(!d.isVisible());
        });
        QVERIFY(a.janela->SelecionarEstacao());
        QCOMPARE(a.dm.qu_estacao1.campo("codigo").comoInteiro(), 20);

        // Pictures: 1 without section points, 2 with them; a chosen row positions the list.
        QImage semSecao, comSecao;
        a.roteiro.esperaDialogo<TSelecionarEstacao>([&](TSelecionarEstacao& d) {
            QTreeWidgetItem* primeira = d.lstEstacao->topLevelItem(0);
            QTreeWidgetItem* segunda = d.lstEstacao->topLevelItem(1);
            QCOMPARE(primeira->text(0), QString("10"));
            QCOMPARE(d.lstEstacao->headerItem()->text(3), QString("#Med"));
            QVERIFY(d.lstEstacao->isColumnHidden(5));
            semSecao = primeira->icon(0).pixmap(16, 16).toImage();
            comSecao = segunda->icon(0).pixmap(16, 16).toImage();
            d.lstEstacao->setCurrentItem(segunda);
            d.bo_ok->click();
        });
        QVERIFY(a.janela->SelecionarEstacao());
        QCOMPARE(semSecao, figuraEstacaoImagem(1));
        QCOMPARE(comSecao, figuraEstacaoImagem(2));
        QCOMPARE(a.dm.qu_estacao1.campo("codigo").comoInteiro(), 20);

        // Closing from the title bar: no station.
        a.roteiro.esperaDialogo<TSelecionarEstacao>([](TSelecionarEstacao& d) {
            d.lstEstacao->setCurrentItem(d.lstEstacao->topLevelItem(0));
            d.close();
        });
        QVERIFY(!a.janela->SelecionarEstacao());
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
    }

    void ajustarCurvasPeloMenu() {
        Ambiente a;
        a.configuracao.gravarPasta(a.novaPasta("dados"));
        a.criarJanela();
        a.janela->show();
        const int id = lumeno::teste::BancoTeste::inserirEstacaoEm(a.dm, 58110002, "Ponte");
        auto m = a.dm.novaConsulta();
        m->SQL << QString(
                      "insert into medida (estacao, numero, cota, vazao, ponto_obrigatorio) values "
                      "(%1, 1, 150, 10, 0)")
                      .arg(id);
        m->executar();
        a.criterios().inserir(CriteriosExclusao::Cota, "1.00", "2.00");
        a.roteiro.esperaDialogo<TSelecionarEstacao>([](TSelecionarEstacao& d) {
            d.lstEstacao->setCurrentItem(d.lstEstacao->topLevelItem(0));
            d.bo_ok->click();
        });
        QString titulo;
        int criterios = -1;
        a.roteiro.esperaDialogo<TTelaMedicao>([&](TTelaMedicao& t) {
            titulo = t.windowTitle();
            criterios = a.criterios().total();
            QCOMPARE(a.dm.tb_estacao.campo("Codigo").comoInteiro(), 58110002);
            t.close();
        });
        a.janela->mniAjustarCurvas->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
        QCOMPARE(titulo, QString("Ajustar curvas - estação: 58110002 Ponte"));
        QCOMPARE(criterios, 0);
        // No station chosen: nothing opens.
        a.roteiro.esperaDialogo<TSelecionarEstacao>([](TSelecionarEstacao& d) { d.close(); });
        a.janela->mniAjustarCurvas->trigger();
        QVERIFY2(a.roteiro.concluido(), a.roteiro.relatorio());
    }

    void promptDeNumero() {
        InteracaoRoteirizada roteiro;
        TfrmDigitarNumero d(roteiro);
        d.preparar("Eixo X (cm)", 0, 12);
        QCOMPARE(d.edtNumero->text(), QString("12"));
        roteiro.esperaDialogo<TfrmDigitarNumero>([&](TfrmDigitarNumero& f) {
            QVERIFY(!f.Confirmado);
            QVERIFY(f.edtNumero->hasFocus() || !QApplication::focusWidget());
            // A box without decimals takes whole numbers only; the dialog stays open.
            f.edtNumero->clear();
            QTest::keyClicks(f.edtNumero, "1234,5");
            QCOMPARE(f.edtNumero->text(), QString("1234.5"));
            roteiro.esperaMensagemComTitulo("'1234.5' não é um número inteiro.", "Erro");
            f.bo_ok->click();
            QVERIFY(f.isVisible());
            QVERIFY(!f.Confirmado);
            f.edtNumero->setText("1234");
            f.bo_ok->click();
        });
        roteiro.executar(d);
        QVERIFY(d.Confirmado);
        QCOMPARE(d.valor(), 1234.0);
        d.preparar("Cota (cm)", 2, 0.125);
        QCOMPARE(d.edtNumero->text(), QString("0.13"));
        roteiro.esperaDialogo<TfrmDigitarNumero>([](TfrmDigitarNumero& f) { f.close(); });
        roteiro.executar(d);
        QVERIFY(!d.Confirmado);
        QVERIFY2(roteiro.concluido(), roteiro.relatorio());
    }

    void promptDeData() {
        TfrmDigitarData d;
        d.edtData->setDate(QDate(2004, 3, 5));
        QCOMPARE(d.edtData->text(), QString("05/03/2004"));
        InteracaoRoteirizada roteiro;
        roteiro.esperaDialogo<TfrmDigitarData>([](TfrmDigitarData& f) {
            QCOMPARE(f.windowTitle(), QString("Digite uma data"));
            f.edtData->setDate(QDate(1990, 3, 25));
            f.bo_ok->click();
        });
        roteiro.executar(d);
        QVERIFY(d.Confirmado);
        QCOMPARE(d.edtData->date(), QDate(1990, 3, 25));
        QVERIFY2(roteiro.concluido(), roteiro.relatorio());
    }

private:
    static QImage figuraEstacaoImagem(int n) {
        return lumeno::figuraEstacao(n).pixmap(16, 16).toImage();
    }
};

LUMENO_TESTE(TesteConfiguracao)
LUMENO_TESTE(TesteDialogosComuns)
#include "tst_TInicial.moc"
