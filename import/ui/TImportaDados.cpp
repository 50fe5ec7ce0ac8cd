#include "import/ui/TImportaDados.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace lumeno {

TImportaDados::TImportaDados(QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Aguarde . . . importando dados"), this));
    pbProgresso = new QProgressBar(this);
    pbProgresso->setRange(0, 100);
    layout->addWidget(pbProgresso);
    setFixedSize(300, 80);
}

void TImportaDados::iniciar(const QString& titulo) {
    setWindowTitle(titulo);
    pbProgresso->setValue(0);
    show();
    raise();
    repaint();
}

void TImportaDados::avancar(int percentual) {
    pbProgresso->setValue(percentual);
    pbProgresso->repaint();
}

}  // namespace lumeno
