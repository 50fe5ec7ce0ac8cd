#include "import/ui/TMostrarPerfisHidro.h"

#include "app/Formato.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumeno {

namespace {

QString textoNivel(const QVariant& nivel) {
    if (nivel.isNull())
        return QString();
    switch (nivel.toInt()) {
        case 1:
            return QStringLiteral("1 - Bruto");
        case 2:
            return QStringLiteral("2 - Consistido");
        default:
            return nivel.toString();
    }
}

}  // namespace

TMostrarPerfisHidro::TMostrarPerfisHidro(QWidget* pai) : QDialog(pai) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Escolha um perfil:"), this));
    lstPerfis = new QTreeWidget(this);
    lstPerfis->setRootIsDecorated(false);
    lstPerfis->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstPerfis->setSelectionMode(QAbstractItemView::SingleSelection);
    lstPerfis->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstPerfis->setUniformRowHeights(true);
    lstPerfis->setColumnCount(5);
    lstPerfis->setHeaderLabels({QStringLiteral("Data"), QStringLiteral("Hora"),
                                QStringLiteral("NumLevantamento"), QStringLiteral("Consistência"),
                                QStringLiteral("Verticais")});
    lstPerfis->header()->setStretchLastSection(true);
    layout->addWidget(lstPerfis);
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bo_ok);
    layout->addLayout(botoes);
    connect(bo_ok, &QPushButton::clicked, this, &TMostrarPerfisHidro::bo_okClick);
    connect(lstPerfis, &QTreeWidget::itemDoubleClicked, this, &TMostrarPerfisHidro::bo_okClick);
    resize(500, 380);
}

void TMostrarPerfisHidro::carregar(int codigo, const std::vector<PerfilHidro>& perfis) {
    setWindowTitle(QStringLiteral("Perfis transversais da estação %1").arg(codigo));
    lstPerfis->clear();
    QList<QTreeWidgetItem*> itens;
    for (const PerfilHidro& p : perfis) {
        auto* item = new QTreeWidgetItem;
        item->setText(Data, dataTexto(p.data));
        item->setText(Hora,
                      p.hora.isValid() ? p.hora.toString(QStringLiteral("HH:mm")) : QString());
        item->setText(NumLevantamento, p.numLevantamento.toString());
        item->setText(Nivel, textoNivel(p.nivel));
        item->setText(Verticais, QString::number(p.verticais));
        for (int c : {NumLevantamento, Verticais})
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        itens << item;
    }
    lstPerfis->addTopLevelItems(itens);
    const int minimas[] = {76, 76, 78, 0, 0};
    int largura = 0;
    for (int c = 0; c < 5; ++c) {
        lstPerfis->resizeColumnToContents(c);
        lstPerfis->setColumnWidth(c, std::max(minimas[c], lstPerfis->columnWidth(c) + 12));
        largura += lstPerfis->columnWidth(c);
    }
    const int margens =
        2 * lstPerfis->frameWidth() + lstPerfis->verticalScrollBar()->sizeHint().width() + 40;
    resize(std::max(largura + margens, 400), height());
    if (!itens.isEmpty())
        lstPerfis->setCurrentItem(itens.first());
}

void TMostrarPerfisHidro::showEvent(QShowEvent* e) {
    Escolhido = false;
    indiceEscolhido = -1;
    QDialog::showEvent(e);
}

void TMostrarPerfisHidro::bo_okClick() {
    QTreeWidgetItem* item = lstPerfis->currentItem();
    if (item) {
        indiceEscolhido = lstPerfis->indexOfTopLevelItem(item);
        Escolhido = indiceEscolhido >= 0;
    }
    accept();
}

}  // namespace lumeno
