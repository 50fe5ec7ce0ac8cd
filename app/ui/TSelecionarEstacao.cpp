#include "app/ui/TSelecionarEstacao.h"

#include "app/ui/Figuras.h"
#include "data/TDM.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumeno {

namespace {
enum Coluna { Codigo, Descricao, Rio, Medicoes, Secao, IdEstacao, Perfil };
}

TSelecionarEstacao::TSelecionarEstacao(TDM& dm, QWidget* pai) : QDialog(pai), dm_(dm) {
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
    connect(bo_ok, &QPushButton::clicked, this, &TSelecionarEstacao::bo_okClick);
    connect(lstEstacao, &QTreeWidget::itemDoubleClicked, this, &TSelecionarEstacao::bo_okClick);
    setFixedSize(520, 360);
}

void TSelecionarEstacao::showEvent(QShowEvent* e) {
    Escolhida = false;
    preencher();
    QDialog::showEvent(e);
}

void TSelecionarEstacao::preencher() {
    lstEstacao->clear();
    lstEstacao->setColumnCount(7);
    lstEstacao->setHeaderLabels({QStringLiteral("Código"), QStringLiteral("Descrição"),
                                 QStringLiteral("Rio"), QStringLiteral("#Med"), QString(),
                                 QString(), QStringLiteral("Perfil")});
    const int larguras[] = {80, 154, 146, 40, 0, 0, 28};
    for (int c = 0; c < 7; ++c)
        lstEstacao->setColumnWidth(c, larguras[c]);
    lstEstacao->setColumnHidden(Secao, true);
    lstEstacao->setColumnHidden(IdEstacao, true);

    Consulta& q = dm_.qu_estacao1;
    q.abrir();
    const QIcon semSecao = figuraEstacao(1);
    const QIcon comSecao = figuraEstacao(2);
    QList<QTreeWidgetItem*> itens;
    for (q.primeiro(); !q.eof(); q.proximo()) {
        auto* item = new QTreeWidgetItem;
        item->setText(Codigo, q.campo(QStringLiteral("Codigo")).comoTexto());
        item->setText(Descricao, q.campo(QStringLiteral("Descricao")).comoTexto());
        item->setText(Rio, q.campo(QStringLiteral("nome")).comoTexto());
        item->setText(Medicoes, q.campo(QStringLiteral("total_medida")).comoTexto());
        const int secao = q.campo(QStringLiteral("total_secao")).comoInteiro();
        item->setText(Secao, QString::number(secao));
        item->setText(IdEstacao, q.campo(QStringLiteral("IdEstacao")).comoTexto());
        item->setText(Perfil, q.campo(QStringLiteral("perfil")).comoTexto());
        item->setIcon(Codigo, secao != 0 ? comSecao : semSecao);
        item->setTextAlignment(Medicoes, Qt::AlignRight);
        itens << item;
    }
    lstEstacao->addTopLevelItems(itens);
}

void TSelecionarEstacao::bo_okClick() {
    QTreeWidgetItem* item = lstEstacao->currentItem();
    if (item && item->isSelected()) {
        const int id = item->text(IdEstacao).toInt();
        if (dm_.qu_estacao1.localizar(QStringLiteral("IdEstacao"), id))
            Escolhida = true;
    }
    close();
}

}  // namespace lumeno
