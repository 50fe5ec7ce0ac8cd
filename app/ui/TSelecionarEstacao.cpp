#include "app/ui/TSelecionarEstacao.h"

#include "app/ui/Comando.h"
#include "app/ui/ListaEstacoes.h"
#include "data/TDM.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumeno {

TSelecionarEstacao::TSelecionarEstacao(Interacao& interacao, TDM& dm, QWidget* pai)
    : QDialog(pai), interacao_(interacao), dm_(dm) {
    setWindowTitle(QStringLiteral("Seleção de estação"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Escolha a estação:"), this));
    lstEstacao = new QTreeWidget(this);
    lstEstacao->setRootIsDecorated(false);
    lstEstacao->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstEstacao->setSelectionMode(QAbstractItemView::SingleSelection);
    lstEstacao->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstEstacao->setUniformRowHeights(true);
    lstEstacao->header()->setStretchLastSection(false);
    layout->addWidget(lstEstacao);
    bo_ok = new QPushButton(QStringLiteral("   &Ok"), this);
    bo_ok->setDefault(true);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bo_ok);
    layout->addLayout(botoes);
    connect(bo_ok, &QPushButton::clicked, this, comando(interacao_, [this] { bo_okClick(); }));
    connect(lstEstacao, &QTreeWidget::itemDoubleClicked, this,
            comando(interacao_, [this] { bo_okClick(); }));
    setFixedSize(520, 360);
}

void TSelecionarEstacao::showEvent(QShowEvent* e) {
    Escolhida = false;
    carregarAoMostrar(interacao_, *this, [this] { preencher(); });
    QDialog::showEvent(e);
}

void TSelecionarEstacao::preencher() {
    ListaEstacoes::preencher(lstEstacao, dm_.qu_estacao1, QString());
    // The first station stands selected, so that Return (the default button) picks it.
    if (QTreeWidgetItem* primeira = lstEstacao->topLevelItem(0))
        lstEstacao->setCurrentItem(primeira);
    lstEstacao->setFocus();
}

void TSelecionarEstacao::bo_okClick() {
    const int id = ListaEstacoes::idSelecionado(lstEstacao);
    if (id != 0 && dm_.qu_estacao1.localizar(QStringLiteral("IdEstacao"), id))
        Escolhida = true;
    close();
}

}  // namespace lumeno
