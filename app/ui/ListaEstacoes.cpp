#include "app/ui/ListaEstacoes.h"

#include "app/ui/Figuras.h"
#include "components/LarguraColunas.h"
#include "data/Consulta.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace lumeno::ListaEstacoes {

void preencher(QTreeWidget* lista, Consulta& estacoes, const QString& tituloSecao) {
    lista->clear();
    lista->setColumnCount(7);
    lista->setHeaderLabels({QStringLiteral("Código"), QStringLiteral("Descrição"),
                            QStringLiteral("Rio"), QStringLiteral("#Med"), tituloSecao,
                            QStringLiteral("Código"), QStringLiteral("Perfil")});
    lista->setColumnHidden(Secao, true);
    lista->setColumnHidden(IdEstacao, true);

    estacoes.abrir();
    const QIcon semSecao = figuraEstacao(1);
    const QIcon comSecao = figuraEstacao(2);
    QList<QTreeWidgetItem*> itens;
    for (estacoes.primeiro(); !estacoes.eof(); estacoes.proximo()) {
        auto* item = new QTreeWidgetItem;
        item->setText(Codigo, estacoes.campo(QStringLiteral("Codigo")).comoTexto());
        item->setText(Descricao, estacoes.campo(QStringLiteral("Descricao")).comoTexto());
        item->setText(Rio, estacoes.campo(QStringLiteral("nome")).comoTexto());
        item->setText(Medicoes, estacoes.campo(QStringLiteral("total_medida")).comoTexto());
        const int secao = estacoes.campo(QStringLiteral("total_secao")).comoInteiro();
        item->setText(Secao, QString::number(secao));
        item->setText(IdEstacao, estacoes.campo(QStringLiteral("IdEstacao")).comoTexto());
        item->setText(Perfil, estacoes.campo(QStringLiteral("perfil")).comoTexto());
        item->setIcon(Codigo, secao != 0 ? comSecao : semSecao);
        item->setTextAlignment(Medicoes, Qt::AlignRight | Qt::AlignVCenter);
        itens << item;
    }
    lista->addTopLevelItems(itens);
    // The designed widths at least; wider where a code, a name or a title needs it.
    alargarJanela(lista->window(), lista, ajustarColunas(lista, {80, 154, 146, 40, 0, 0, 28}));
}

int idSelecionado(const QTreeWidget* lista) {
    const QTreeWidgetItem* item = lista->currentItem();
    if (!item || !item->isSelected())
        return 0;
    return item->text(IdEstacao).toInt();
}

void selecionar(QTreeWidget* lista, int id) {
    QTreeWidgetItem* escolhida = lista->topLevelItem(0);
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
        if (lista->topLevelItem(i)->text(IdEstacao).toInt() == id)
            escolhida = lista->topLevelItem(i);
    if (escolhida)
        lista->setCurrentItem(escolhida);
}

}  // namespace lumeno::ListaEstacoes
