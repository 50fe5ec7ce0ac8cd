#include "curves/ui/TfrmDefaultCurvas.h"

#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "components/LarguraColunas.h"
#include "curves/ui/TfrmDadosDefaultCurva.h"
#include "data/TDM.h"

#include <QAction>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lumeno {

TfrmDefaultCurvas::TfrmDefaultCurvas(Contexto& contexto, TfrmDadosDefaultCurva& dados, QWidget* pai)
    : QDialog(pai), contexto_(contexto), dados_(dados) {
    setWindowTitle(QStringLiteral("Configuração de default de curvas"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    lstTrechos = new QTreeWidget(this);
    lstTrechos->setRootIsDecorated(false);
    lstTrechos->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstTrechos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstTrechos->setContextMenuPolicy(Qt::ActionsContextMenu);
    mniInserir = new QAction(QStringLiteral("&Inserir trecho"), this);
    mniAlterar = new QAction(QStringLiteral("Alterar trecho"), this);
    mniDeletar = new QAction(QStringLiteral("Deletar trecho"), this);
    lstTrechos->addActions({mniInserir, mniAlterar, mniDeletar});
    layout->addWidget(lstTrechos);
    setFixedSize(270, 260);
    connect(mniInserir, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { InserirClick(); }));
    connect(mniAlterar, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { AlterarClick(); }));
    connect(mniDeletar, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { DeletarClick(); }));
    connect(lstTrechos, &QTreeWidget::itemDoubleClicked, this,
            comando(contexto_.interacao, [this] { AlterarClick(); }));
}

void TfrmDefaultCurvas::showEvent(QShowEvent* e) {
    carregarAoMostrar(contexto_.interacao, *this, [this] { recarregar(); });
    QDialog::showEvent(e);
}

void TfrmDefaultCurvas::hideEvent(QHideEvent* e) {
    contexto_.dm.tbCurvaDefault.fechar();
    QDialog::hideEvent(e);
}

void TfrmDefaultCurvas::recarregar() {
    Tabela& t = contexto_.dm.tbCurvaDefault;
    t.fechar();
    t.abrir();
    lstTrechos->clear();
    lstTrechos->setColumnCount(2);
    lstTrechos->setHeaderLabels(
        {QStringLiteral("Trecho"), QStringLiteral("Algoritmo e parâmetro")});
    for (t.primeiro(); !t.eof(); t.proximo()) {
        auto* item = new QTreeWidgetItem(lstTrechos);
        item->setText(0, t.campo(QStringLiteral("Trecho")).comoTexto());
        item->setText(1, t.campo(QStringLiteral("descricao_algoritmo")).comoTexto());
        item->setIcon(0, QIcon(quadradoCor(corQt(static_cast<std::uint32_t>(
                             t.campo(QStringLiteral("Cor")).comoReal())))));
    }
    ajustarColunasEJanela(this, lstTrechos, {50, 176});
}

void TfrmDefaultCurvas::InserirClick() {
    dados_.prepararInsercao();
    contexto_.interacao.executar(dados_);
    recarregar();
}

void TfrmDefaultCurvas::AlterarClick() {
    QTreeWidgetItem* item = lstTrechos->currentItem();
    if (!item || !item->isSelected())
        return;
    Tabela& t = contexto_.dm.tbCurvaDefault;
    if (!t.localizar(QStringLiteral("Trecho"), item->text(0).toInt()))
        return;
    dados_.prepararAlteracao(t.campo(QStringLiteral("Trecho")).comoInteiro(),
                             static_cast<std::uint32_t>(t.campo(QStringLiteral("Cor")).comoReal()),
                             t.campo(QStringLiteral("Algoritmo")).comoInteiro(),
                             static_cast<int>(t.campo(QStringLiteral("Parm")).comoReal()));
    contexto_.interacao.executar(dados_);
    recarregar();
}

void TfrmDefaultCurvas::DeletarClick() {
    QTreeWidgetItem* item = lstTrechos->currentItem();
    if (!item || !item->isSelected())
        return;
    if (!contexto_.interacao.pergunta(
            QStringLiteral("Confirma remoção de valores default para trecho?"),
            QStringLiteral("Confirmar")))
        return;
    Tabela& t = contexto_.dm.tbCurvaDefault;
    if (t.localizar(QStringLiteral("Trecho"), item->text(0).toInt()))
        t.excluir();
    recarregar();
}

}  // namespace lumeno
