#include "analysis/ui/TAjustesSalvos.h"

#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumeno {

TAjustesSalvos::TAjustesSalvos(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    lstAjustes = new QTreeWidget(this);
    lstAjustes->setRootIsDecorated(false);
    lstAjustes->setColumnCount(5);
    lstAjustes->setHeaderLabels({QStringLiteral("Nome"), QStringLiteral("Validade"),
                                 QStringLiteral("Curvas"), QStringLiteral("Salvo em"),
                                 QStringLiteral("Observação")});
    lstAjustes->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstAjustes->setSelectionMode(QAbstractItemView::SingleSelection);
    lstAjustes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstAjustes->setAllColumnsShowFocus(true);
    layout->addWidget(lstAjustes, 1);

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    bo_cancela = new QPushButton(QStringLiteral("&Cancela"), this);
    botoes->addWidget(bo_ok);
    botoes->addWidget(bo_cancela);
    layout->addLayout(botoes);
    resize(720, 300);

    Interacao& interacao = contexto_.interacao;
    connect(bo_ok, &QPushButton::clicked, this, comando(interacao, [this] { bo_okClick(); }));
    connect(lstAjustes, &QTreeWidget::itemDoubleClicked, this,
            comando(interacao, [this] { bo_okClick(); }));
    connect(bo_cancela, &QPushButton::clicked, this, [this] {
        Confirmado = false;
        reject();
    });
}

void TAjustesSalvos::preparar(const QString& titulo, std::vector<ResumoAjusteSalvo> ajustes) {
    setWindowTitle(titulo);
    ajustes_ = std::move(ajustes);
}

void TAjustesSalvos::showEvent(QShowEvent* e) {
    Confirmado = false;
    lstAjustes->clear();
    for (const ResumoAjusteSalvo& a : ajustes_) {
        auto* item = new QTreeWidgetItem(lstAjustes);
        item->setText(0, a.nome);
        item->setText(1, textoValidade(a.validoDe, a.validoAte));
        item->setText(2, QString::number(a.totalCurvas));
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(3, a.salvoEm.isValid() ? dataTexto(a.salvoEm.date()) +
                                                   a.salvoEm.toString(QStringLiteral(" HH:mm"))
                                             : QString());
        item->setText(4, a.observacao.section(QLatin1Char('\n'), 0, 0));
        item->setToolTip(4, a.observacao);
        item->setData(0, Qt::UserRole, a.id);
    }
    for (int c = 0; c < 4; ++c) {
        lstAjustes->resizeColumnToContents(c);
        lstAjustes->setColumnWidth(c, lstAjustes->columnWidth(c) + 16);
    }
    if (lstAjustes->topLevelItemCount() > 0)
        lstAjustes->setCurrentItem(lstAjustes->topLevelItem(0));
    QDialog::showEvent(e);
    lstAjustes->setFocus();
}

int TAjustesSalvos::Escolhido() const {
    const QTreeWidgetItem* item = lstAjustes->currentItem();
    if (!item || !item->isSelected())
        return 0;
    return item->data(0, Qt::UserRole).toInt();
}

QString TAjustesSalvos::NomeEscolhido() const {
    const QTreeWidgetItem* item = lstAjustes->currentItem();
    return item && item->isSelected() ? item->text(0) : QString();
}

void TAjustesSalvos::bo_okClick() {
    if (Escolhido() == 0) {
        contexto_.interacao.mensagem(QStringLiteral("Selecione um ajuste salvo."),
                                     QStringLiteral("Atenção"));
        return;
    }
    Confirmado = true;
    accept();
}

}  // namespace lumeno
