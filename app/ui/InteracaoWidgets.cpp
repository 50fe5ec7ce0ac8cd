#include "app/ui/InteracaoWidgets.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

namespace lumeno {

namespace {

// "xlsx" of "Pasta de trabalho (*.xlsx)"; empty when the filter names no single extension.
QString extensaoDoFiltro(const QString& filtro) {
    const qsizetype inicio = filtro.indexOf(QStringLiteral("(*."));
    const qsizetype fim = filtro.indexOf(QLatin1Char(')'), inicio);
    if (inicio < 0 || fim < 0)
        return QString();
    const QString extensao = filtro.mid(inicio + 3, fim - inicio - 3);
    return extensao.contains(QLatin1Char('*')) || extensao.contains(QLatin1Char(' ')) ? QString()
                                                                                      : extensao;
}

// Qt's own file dialog opens too small, its size, type and date columns cut at fixed
// widths: it opens larger (within the screen), those columns as wide as their titles and
// values, the name taking the rest.
void dimensionar(QFileDialog& dialogo) {
    QSize tamanho(860, 500);
    if (const QScreen* tela = dialogo.screen())
        tamanho = tamanho.boundedTo(tela->availableSize());
    dialogo.resize(tamanho.expandedTo(dialogo.sizeHint()));
    if (auto* detalhes = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* cabecalho = detalhes->header();
        cabecalho->setStretchLastSection(false);
        cabecalho->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < cabecalho->count(); ++c)
            cabecalho->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
}

}  // namespace

QWidget* InteracaoWidgets::janelaAtiva() const {
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    if (QWidget* w = QApplication::activeWindow())
        return w;
    return pai_;
}

void InteracaoWidgets::mensagem(const QString& texto, const QString& titulo) {
    QMessageBox caixa(QMessageBox::NoIcon, titulo, texto, QMessageBox::Ok, janelaAtiva());
    if (titulo.startsWith(QStringLiteral("Erro")))
        caixa.setIcon(QMessageBox::Critical);
    else if (titulo.startsWith(QStringLiteral("Atenção")))
        caixa.setIcon(QMessageBox::Warning);
    caixa.exec();
}

bool InteracaoWidgets::pergunta(const QString& texto, const QString& titulo) {
    QMessageBox caixa(QMessageBox::Question, titulo, texto, QMessageBox::Yes | QMessageBox::No,
                      janelaAtiva());
    caixa.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    caixa.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    return caixa.exec() == QMessageBox::Yes;
}

Interacao::Resposta InteracaoWidgets::perguntaSimNaoCancelar(const QString& texto,
                                                             const QString& titulo) {
    QMessageBox caixa(QMessageBox::Question, titulo, texto,
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, janelaAtiva());
    caixa.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    caixa.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    caixa.button(QMessageBox::Cancel)->setText(QStringLiteral("&Cancelar"));
    caixa.setEscapeButton(QMessageBox::Cancel);
    switch (caixa.exec()) {
        case QMessageBox::Yes:
            return Resposta::Sim;
        case QMessageBox::No:
            return Resposta::Nao;
        default:
            return Resposta::Cancelar;
    }
}

std::optional<QString> InteracaoWidgets::escolherPasta(const QString& titulo, const QString& raiz) {
    // The browser only opens on (and accepts) a folder that exists: a missing one is made
    // while the browser shows, and removed again unless it is chosen or no longer empty.
    const bool provisoria = !raiz.isEmpty() && !QFileInfo::exists(raiz) &&
                            QFileInfo(raiz).dir().exists() && QDir().mkdir(raiz);
    QFileDialog dialogo(janelaAtiva(), titulo, raiz);
    dialogo.setFileMode(QFileDialog::Directory);
    dialogo.setOption(QFileDialog::ShowDirsOnly);
    dimensionar(dialogo);
    const QString pasta = dialogo.exec() == QDialog::Accepted && !dialogo.selectedFiles().isEmpty()
                              ? dialogo.selectedFiles().constFirst()
                              : QString();
    if (provisoria && (pasta.isEmpty() ||
                       QFileInfo(pasta).canonicalFilePath() != QFileInfo(raiz).canonicalFilePath()))
        QDir().rmdir(raiz);
    if (pasta.isEmpty())
        return std::nullopt;
    return pasta;
}

std::optional<QString> InteracaoWidgets::abrirArquivo(const QString& titulo, const QString& filtro,
                                                      const QString& pastaInicial) {
    const auto tipo = PastasRecentes::tipoDoDialogo(false, filtro);
    const QString inicio = pastaInicial.isEmpty() && pastas_ ? pastas_->pasta(tipo) : pastaInicial;
    QFileDialog dialogo(janelaAtiva(), titulo, inicio, filtro);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dimensionar(dialogo);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return std::nullopt;
    const QString arquivo = dialogo.selectedFiles().constFirst();
    if (pastas_)
        pastas_->lembrar(tipo, arquivo);
    return arquivo;
}

std::optional<QString> InteracaoWidgets::salvarArquivo(const QString& titulo, const QString& filtro,
                                                       const QString& extensaoPadrao) {
    const auto escolhido = salvarArquivoComFiltro(titulo, filtro, extensaoPadrao);
    if (!escolhido)
        return std::nullopt;
    return escolhido->caminho;
}

std::optional<Interacao::ArquivoEscolhido> InteracaoWidgets::salvarArquivoComFiltro(
    const QString& titulo, const QString& filtro, const QString& extensaoPadrao) {
    const auto tipo = PastasRecentes::tipoDoDialogo(true, filtro);
    QFileDialog dialogo(janelaAtiva(), titulo, pastas_ ? pastas_->pasta(tipo) : QString(), filtro);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setDefaultSuffix(extensaoPadrao);
    dimensionar(dialogo);
    // A name typed without an extension takes the one of the file type chosen.
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo,
                     [&dialogo](const QString& escolhido) {
                         const QString extensao = extensaoDoFiltro(escolhido);
                         if (!extensao.isEmpty())
                             dialogo.setDefaultSuffix(extensao);
                     });
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return std::nullopt;
    const QString arquivo = dialogo.selectedFiles().constFirst();
    if (pastas_)
        pastas_->lembrar(tipo, arquivo);
    return ArquivoEscolhido{arquivo, dialogo.selectedNameFilter()};
}

std::optional<QColor> InteracaoWidgets::escolherCor(const QColor& inicial) {
    const QColor cor = QColorDialog::getColor(inicial, janelaAtiva());
    if (!cor.isValid())
        return std::nullopt;
    return cor;
}

int InteracaoWidgets::executar(QDialog& dialogo) {
    return dialogo.exec();
}

}  // namespace lumeno
