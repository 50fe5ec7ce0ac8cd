#include "app/ui/TAboutBox.h"

#include "app/ui/Figuras.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumeno {

TAboutBox::TAboutBox(QWidget* pai) : QDialog(pai) {
    setWindowTitle(QStringLiteral("Sobre"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* figura = new QLabel(this);
    figura->setPixmap(figuraEstacao(2).pixmap(48, 48));
    figura->setAlignment(Qt::AlignCenter);
    layout->addWidget(figura);
    auto* nome = new QLabel(QStringLiteral("Lumeno"), this);
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(36);
    f.setBold(true);
    nome->setFont(f);
    nome->setStyleSheet(QStringLiteral("color: navy"));
    nome->setAlignment(Qt::AlignCenter);
    layout->addWidget(nome);
    auto* versaoTexto = new QLabel(QStringLiteral("Versão %1 de %2").arg(versao, dataVersao), this);
    versaoTexto->setAlignment(Qt::AlignCenter);
    layout->addWidget(versaoTexto);
    auto* creditos =
        new QLabel(QStringLiteral("Ajuste e extrapolação de curvas-chave de estações "
                                  "fluviométricas.\n\nDesenvolvido pela equipe do Lumeno."),
                   this);
    creditos->setAlignment(Qt::AlignCenter);
    creditos->setWordWrap(true);
    layout->addWidget(creditos);
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    setFixedSize(340, 300);
}

}  // namespace lumeno
