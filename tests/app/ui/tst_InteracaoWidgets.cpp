#include "app/PastasRecentes.h"
#include "app/ui/InteracaoWidgets.h"
#include "support/ExecutorTestes.h"
#include "support/ui/ColunasVisiveis.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace lumeno;

namespace {

// Answers the next file dialog: notes the folder it opened in and chooses `arquivo`.
void responderDialogo(const QString& arquivo, QString& abriuEm) {
    QTimer::singleShot(0, [arquivo, &abriuEm] {
        auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialogo)
            return;
        abriuEm = dialogo->directory().absolutePath();
        dialogo->selectFile(arquivo);
        static_cast<QDialog*>(dialogo)->accept();  // as its Open or Save button
    });
}

QString criar(const QString& arquivo) {
    QFile f(arquivo);
    f.open(QIODevice::WriteOnly);
    return arquivo;
}

}  // namespace

class TesteInteracaoWidgets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The file dialogs open in the folder used last for that kind of file, not in the
    // working folder.
    void dialogosAbremNaUltimaPasta() {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("dados"));
        QDir().mkpath(dir.filePath("planilhas"));
        PastasRecentes pastas(dir.filePath("pastas.ini"));
        InteracaoWidgets interacao;
        interacao.definirPastas(&pastas);
        const QString filtroCop = QStringLiteral("Arquivos texto de medições (*.cop)");
        const QString filtroFigura = QStringLiteral("Arquivo BMP (*.bmp);;Arquivo PNG (*.png)");

        QString abriuEm;
        responderDialogo(criar(dir.filePath("dados/estacao.cop")), abriuEm);
        QCOMPARE(interacao.abrirArquivo("Importação", filtroCop, QString()),
                 std::optional<QString>(dir.filePath("dados/estacao.cop")));
        QCOMPARE(abriuEm, QDir::homePath());

        responderDialogo(dir.filePath("dados/secao.cop"), abriuEm);
        criar(dir.filePath("dados/secao.cop"));
        interacao.abrirArquivo("Importação", filtroCop, QString());
        QCOMPARE(abriuEm, dir.filePath("dados"));

        // A spreadsheet saved elsewhere; pictures, never saved yet, open there too.
        responderDialogo(dir.filePath("planilhas/desvios.xls"), abriuEm);
        const auto planilha = pedirArquivoPlanilha(interacao);
        QCOMPARE(planilha, std::optional<QString>(dir.filePath("planilhas/desvios.xls")));
        QCOMPARE(abriuEm, dir.filePath("dados"));
        responderDialogo(dir.filePath("figura.png"), abriuEm);
        interacao.salvarArquivoComFiltro("Salvar gráfico", filtroFigura, "bmp");
        QCOMPARE(abriuEm, dir.filePath("planilhas"));

        // Each kind keeps its own folder.
        responderDialogo(dir.filePath("dados/estacao.cop"), abriuEm);
        interacao.abrirArquivo("Importação", filtroCop, QString());
        QCOMPARE(abriuEm, dir.filePath("dados"));
        responderDialogo(dir.filePath("planilhas/outra.xls"), abriuEm);
        pedirArquivoPlanilha(interacao);
        QCOMPARE(abriuEm, dir.filePath("planilhas"));
        responderDialogo(dir.filePath("planilhas/figura.png"), abriuEm);
        interacao.salvarArquivoComFiltro("Salvar gráfico", filtroFigura, "bmp");
        QCOMPARE(abriuEm, dir.path());
    }

    // Qt's file dialog opens large enough to read: its size, type and date columns whole.
    void dialogoMostraColunasInteiras() {
        QTemporaryDir dir;
        criar(dir.filePath("estacao.cop"));
        InteracaoWidgets interacao;
        QString cortadas = QStringLiteral("diálogo não visto");
        int largura = 0;
        QTimer::singleShot(0, [&] {
            auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialogo)
                return;
            largura = dialogo->width();
            QTest::qWait(300);  // the folder is read in the background
            auto* detalhes = dialogo->findChild<QTreeView*>("treeView");
            cortadas = detalhes ? lumeno::teste::colunasCortadas(detalhes)
                                : QStringLiteral("sem a lista de detalhes");
            dialogo->reject();
        });
        QCOMPARE(
            interacao.abrirArquivo("Importação", "Arquivos texto de medições (*.cop)", dir.path()),
            std::nullopt);
        QCOMPARE(cortadas, QString());
        QVERIFY(largura >= std::min(800, QApplication::primaryScreen()->availableSize().width()));
    }
};

LUMENO_TESTE(TesteInteracaoWidgets)
#include "tst_InteracaoWidgets.moc"
