#include "import/ui/TMostrarEstacoesHidro.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumeno {

TMostrarEstacoesHidro::TMostrarEstacoesHidro(QWidget* pai) : QDialog(pai) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Escolha uma estação:"), this));
    lstEstacoes = new QTreeWidget(this);
    lstEstacoes->setRootIsDecorated(false);
    lstEstacoes->setSelectionMode(QAbstractItemView::SingleSelection);
    lstEstacoes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstEstacoes->setUniformRowHeights(true);
    lstEstacoes->setColumnCount(4);
    lstEstacoes->setHeaderLabels({QStringLiteral("Código"), QStringLiteral("Nome"),
                                  QStringLiteral("Rio"), QStringLiteral("Código do rio")});
    lstEstacoes->setColumnHidden(RioCodigo, true);
    lstEstacoes->header()->setStretchLastSection(false);
    lstEstacoes->header()->setSectionResizeMode(Rio, QHeaderView::Stretch);
    layout->addWidget(lstEstacoes);
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bo_ok);
    layout->addLayout(botoes);
    connect(bo_ok, &QPushButton::clicked, this, [this] {
        Confirmado = true;
        accept();
    });
    resize(480, 340);
}

void TMostrarEstacoesHidro::carregar(const std::vector<EstacaoHidro>& estacoes) {
    estacoes_ = estacoes;
    lstEstacoes->clear();
    QList<QTreeWidgetItem*> itens;
    for (const EstacaoHidro& e : estacoes) {
        auto* item = new QTreeWidgetItem;
        item->setText(Codigo, QString::number(e.codigo));
        item->setCheckState(Codigo, Qt::Unchecked);
        item->setText(Nome, e.nome);
        item->setText(Rio, e.nomeRio);
        item->setText(RioCodigo, e.rioCodigo.toString());
        itens << item;
    }
    lstEstacoes->addTopLevelItems(itens);
    // At least the widths the list was drawn with, and never a clipped name: the dialog
    // grows to the names (up to a limit), the river column takes what is left.
    const int minimas[] = {72, 168, 161};
    int largura = 0;
    for (int c = 0; c < 3; ++c) {
        lstEstacoes->resizeColumnToContents(c);
        lstEstacoes->setColumnWidth(c, std::max(minimas[c], lstEstacoes->columnWidth(c) + 12));
        largura += lstEstacoes->columnWidth(c);
    }
    if (!itens.isEmpty())
        lstEstacoes->setCurrentItem(itens.first());
    const int margens =
        2 * lstEstacoes->frameWidth() + lstEstacoes->verticalScrollBar()->sizeHint().width() + 40;
    resize(std::clamp(largura + margens, 480, 1100), height());
}

std::vector<EstacaoHidro> TMostrarEstacoesHidro::marcadas() const {
    std::vector<EstacaoHidro> lista;
    for (int i = 0; i < lstEstacoes->topLevelItemCount(); ++i)
        if (lstEstacoes->topLevelItem(i)->checkState(Codigo) == Qt::Checked)
            lista.push_back(estacoes_[static_cast<size_t>(i)]);
    return lista;
}

void TMostrarEstacoesHidro::showEvent(QShowEvent* e) {
    Confirmado = false;
    QDialog::showEvent(e);
}

}  // namespace lumeno
