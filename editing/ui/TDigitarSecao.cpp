#include "editing/ui/TDigitarSecao.h"

#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "components/LarguraColunas.h"
#include "components/PainelGrafico.h"
#include "data/TDM.h"
#include "editing/ui/DesenhoSecao.h"
#include "editing/ui/TDigitarPontoSecao.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QTreeWidget>

namespace lumeno {

QString tituloSecao(Contexto& contexto) {
    const Consulta& q = contexto.dm.qu_estacao1;
    return q.campo(QStringLiteral("Codigo")).comoTexto() + QStringLiteral("  ") +
           q.campo(QStringLiteral("Descricao")).comoTexto() + QStringLiteral(" (") +
           q.campo(QStringLiteral("nome")).comoTexto() + QLatin1Char(')');
}

TDigitarSecao::TDigitarSecao(Contexto& contexto, TDigitarPontoSecao& ponto, QWidget* pai)
    : QDialog(pai), contexto_(contexto), ponto_(ponto) {
    setWindowTitle(QStringLiteral("Dados de Seção"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QHBoxLayout(this);
    menu = new QMenuBar(this);
    layout->setMenuBar(menu);
    QMenu* secao = menu->addMenu(QStringLiteral("Seção transversal"));
    omInserirPonto = secao->addAction(QStringLiteral("&Inserir ponto"));
    omAlterarPonto = secao->addAction(QStringLiteral("&Alterar ponto"));
    omDeletarPonto = secao->addAction(QStringLiteral("&Deletar ponto"));
    secao->addSeparator();
    omLimparSecao = secao->addAction(QStringLiteral("&Limpar seção transversal"));
    DesenhoSecao = new PainelGrafico(this);
    layout->addWidget(DesenhoSecao, 1);
    lstPontos = new QTreeWidget(this);
    lstPontos->setRootIsDecorated(false);
    lstPontos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstPontos->setColumnCount(2);
    lstPontos->setHeaderLabels({QStringLiteral("Distância"), QStringLiteral("Cota")});
    QFont negrito = lstPontos->header()->font();
    negrito.setBold(true);
    lstPontos->header()->setFont(negrito);
    lstPontos->header()->setStyleSheet(QStringLiteral("color: navy"));
    for (int c = 0; c < 2; ++c)
        lstPontos->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    lstPontos->setFixedWidth(150);
    layout->addWidget(lstPontos);
    setFixedSize(640, 400);
    connect(omInserirPonto, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { InserirPontoClick(); }));
    connect(omAlterarPonto, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { AlterarPontoClick(); }));
    connect(omDeletarPonto, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { DeletarPontoClick(); }));
    connect(omLimparSecao, &QAction::triggered, this,
            comando(contexto_.interacao, [this] { LimparSecaoClick(); }));
    // The list offers the same commands on its context menu (a right click also makes the
    // point under it the current one), and a double click on a point changes it.
    auto* separador = new QAction(lstPontos);
    separador->setSeparator(true);
    lstPontos->addActions(
        {omInserirPonto, omAlterarPonto, omDeletarPonto, separador, omLimparSecao});
    lstPontos->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(lstPontos, &QTreeWidget::itemDoubleClicked, this,
            comando(contexto_.interacao, [this] { AlterarPontoClick(); }));
}

void TDigitarSecao::showEvent(QShowEvent* e) {
    carregarAoMostrar(contexto_.interacao, *this, [this] {
        setWindowTitle(tituloSecao(contexto_));
        Desenhar();
    });
    QDialog::showEvent(e);
}

void TDigitarSecao::Desenhar() {
    desenharSecao(contexto_.dm, *DesenhoSecao);
    Consulta& pontos = contexto_.dm.qu_ponto1;
    lstPontos->clear();
    for (int i = 1; i <= pontos.totalRegistros(); ++i) {
        pontos.irPara(i);
        auto* item = new QTreeWidgetItem(lstPontos);
        item->setText(0, pontos.campo(QStringLiteral("X")).textoExibicao());
        item->setText(1, pontos.campo(QStringLiteral("Y")).textoExibicao());
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::UserRole, i);
    }
    // The list keeps its designed width (60 and 48 per column) unless its titles or values
    // need more; the window grows by as much.
    const int largura = ajustarColunas(lstPontos, {60, 48});
    if (largura > lstPontos->width()) {
        alargarJanela(this, lstPontos, largura);
        lstPontos->setFixedWidth(largura);
    }
    pontos.primeiro();
    if (lstPontos->topLevelItemCount() > 0)
        lstPontos->setCurrentItem(lstPontos->topLevelItem(0));
    const bool algum = !pontos.vazio();
    omAlterarPonto->setEnabled(algum);
    omDeletarPonto->setEnabled(algum);
}

bool TDigitarSecao::selecionado() {
    const QTreeWidgetItem* item = lstPontos->currentItem();
    if (!item)
        return false;
    contexto_.dm.qu_ponto1.irPara(item->data(0, Qt::UserRole).toInt());
    return true;
}

void TDigitarSecao::InserirPontoClick() {
    ponto_.Inserindo = true;
    ponto_.Estacao = contexto_.dm.qu_estacao1.campo(QStringLiteral("IdEstacao")).comoInteiro();
    ponto_.redesenhar = [this] { Desenhar(); };
    contexto_.interacao.executar(ponto_);
    if (ponto_.Gravou)
        Desenhar();
}

void TDigitarSecao::AlterarPontoClick() {
    if (!selecionado())
        return;
    ponto_.Inserindo = false;
    ponto_.IdPonto = contexto_.dm.qu_ponto1.campo(QStringLiteral("IdPonto")).comoInteiro();
    ponto_.redesenhar = [this] { Desenhar(); };
    contexto_.interacao.executar(ponto_);
    if (ponto_.Gravou)
        Desenhar();
}

void TDigitarSecao::DeletarPontoClick() {
    if (!selecionado())
        return;
    if (!contexto_.interacao.pergunta(QStringLiteral("Confirma deleção de ponto de seção?"),
                                      QStringLiteral("Deleção")))
        return;
    Tabela& ponto = contexto_.dm.tb_ponto;
    ponto.abrir();
    if (!ponto.localizar(QStringLiteral("IdPonto"),
                         contexto_.dm.qu_ponto1.campo(QStringLiteral("IdPonto")).valor()))
        return;
    ponto.excluir();
    Desenhar();
}

void TDigitarSecao::LimparSecaoClick() {
    if (!contexto_.interacao.pergunta(
            QStringLiteral("Confirma remoção de pontos de seção transversal"),
            QStringLiteral("Atenção")))
        return;
    auto q = contexto_.dm.novaConsulta();
    q->SQL << QStringLiteral("delete from ponto where Estacao = :est");
    q->definirParametro(QStringLiteral("est"),
                        contexto_.dm.qu_estacao1.campo(QStringLiteral("IdEstacao")).valor());
    q->executar();
    DesenhoSecao->limpar();
    Desenhar();
}

void TDigitarSecao::done(int resultado) {
    contexto_.dm.tb_ponto.fechar();
    QDialog::done(resultado);
}

TMostrarSecao::TMostrarSecao(Contexto& contexto, QWidget* pai)
    : QWidget(pai, Qt::Window), contexto_(contexto) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    DesenhoSecao = new PainelGrafico(this);
    layout->addWidget(DesenhoSecao);
    resize(520, 320);
}

void TMostrarSecao::Mostrar() {
    setWindowTitle(tituloSecao(contexto_));
    desenharSecao(contexto_.dm, *DesenhoSecao);
    show();
    raise();
}

}  // namespace lumeno
