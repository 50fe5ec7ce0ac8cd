#include "editing/ui/TMedicoesEstacao.h"

#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "app/ui/TSelecionarEstacao.h"
#include "components/EscritorPlanilha.h"
#include "components/LarguraColunas.h"
#include "data/TDM.h"
#include "editing/ui/TDigitarMedicao.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include <cmath>

namespace lumeno {

TMedicoesEstacao::TMedicoesEstacao(Contexto& contexto, TDigitarMedicao& digitar, QWidget* pai)
    : QDialog(pai), contexto_(contexto), digitar_(digitar) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QHBoxLayout(this);
    lstMedicoes = new QTreeWidget(this);
    lstMedicoes->setRootIsDecorated(false);
    lstMedicoes->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstMedicoes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstMedicoes->setUniformRowHeights(true);
    lstMedicoes->setColumnCount(5);
    lstMedicoes->setHeaderLabels({QStringLiteral("Cota"), QStringLiteral("Vazão"),
                                  QStringLiteral("Área"), QStringLiteral("Velocidade"),
                                  QStringLiteral("Data")});
    for (int c = 0; c < 4; ++c)
        lstMedicoes->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(lstMedicoes, 1);
    auto* botoes = new QVBoxLayout;
    bo_inserir = new QPushButton(QStringLiteral("&Inserir medição"), this);
    bo_editar = new QPushButton(QStringLiteral("&Editar medição"), this);
    bo_deletar = new QPushButton(QStringLiteral("&Deletar medição"), this);
    bo_exportar = new QPushButton(QStringLiteral("&Exportar medições"), this);
    for (QPushButton* b : {bo_inserir, bo_editar, bo_deletar, bo_exportar})
        botoes->addWidget(b);
    botoes->addStretch();
    layout->addLayout(botoes);
    resize(560, 380);
    connect(bo_inserir, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_inserirClick(); }));
    connect(bo_editar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_editarClick(); }));
    connect(bo_deletar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_deletarClick(); }));
    connect(bo_exportar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_exportarClick(); }));
    connect(lstMedicoes, &QTreeWidget::itemDoubleClicked, this,
            comando(contexto_.interacao, [this] { bo_editarClick(); }));
}

void TMedicoesEstacao::AbrirPeloMenu() {
    Consulta& estacoes = contexto_.dm.qu_estacao1;
    estacoes.fechar();
    estacoes.abrir();
    contexto_.interacao.executar(*contexto_.SelecionarEstacao);
    if (!contexto_.SelecionarEstacao->Escolhida)
        return;
    setWindowTitle(estacoes.campo(QStringLiteral("Codigo")).comoTexto());
    Tabela& estacao = contexto_.dm.tb_estacao;
    estacao.abrir();
    estacao.definirIndice(QString());
    estacao.localizar(QStringLiteral("IdEstacao"),
                      estacoes.campo(QStringLiteral("IdEstacao")).valor());
    contexto_.interacao.executar(*this);
}

void TMedicoesEstacao::showEvent(QShowEvent* e) {
    carregarAoMostrar(contexto_.interacao, *this, [this] { recarregar(); });
    QDialog::showEvent(e);
}

void TMedicoesEstacao::hideEvent(QHideEvent* e) {
    contexto_.dm.qu_medida1.fechar();
    QDialog::hideEvent(e);
}

void TMedicoesEstacao::recarregar() {
    Consulta& q = contexto_.dm.qu_medida1;
    q.fechar();
    q.definirParametro(QStringLiteral("est"),
                       contexto_.dm.qu_estacao1.campo(QStringLiteral("IdEstacao")).valor());
    q.abrir();
    lstMedicoes->clear();
    QList<QTreeWidgetItem*> itens;
    for (q.primeiro(); !q.eof(); q.proximo()) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, q.campo(QStringLiteral("Cota")).textoExibicao());
        item->setText(
            1, formatar(q.campo(QStringLiteral("Vazao")).comoReal(), QStringLiteral("0.00")));
        item->setText(2,
                      formatar(q.campo(QStringLiteral("Area")).comoReal(), QStringLiteral("0.00")));
        item->setText(
            3, formatar(q.campo(QStringLiteral("Velocidade")).comoReal(), QStringLiteral("0.00")));
        item->setText(4, q.campo(QStringLiteral("Data")).comoTexto());
        for (int c = 0; c < 4; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::UserRole, q.numeroRegistro());
        itens << item;
    }
    lstMedicoes->addTopLevelItems(itens);
    ajustarColunasEJanela(this, lstMedicoes);
    if (!itens.isEmpty())
        lstMedicoes->setCurrentItem(itens.first());
    q.primeiro();
    const bool alguma = !q.vazio();
    bo_editar->setEnabled(alguma);
    bo_deletar->setEnabled(alguma);
    bo_exportar->setEnabled(alguma);
}

bool TMedicoesEstacao::selecionada() {
    QTreeWidgetItem* item = lstMedicoes->currentItem();
    if (!item)
        return false;
    contexto_.dm.qu_medida1.irPara(item->data(0, Qt::UserRole).toInt());
    return true;
}

void TMedicoesEstacao::bo_inserirClick() {
    digitar_.Inserindo = true;
    digitar_.Estacao = contexto_.dm.qu_estacao1.campo(QStringLiteral("IdEstacao")).comoInteiro();
    contexto_.interacao.executar(digitar_);
    recarregar();
}

void TMedicoesEstacao::bo_editarClick() {
    if (!selecionada())
        return;
    Consulta& q = contexto_.dm.qu_medida1;
    if (q.campo(QStringLiteral("Ponto_obrigatorio")).comoInteiro() > 0) {
        contexto_.interacao.mensagem(QStringLiteral("Não é permitido alterar ponto obrigatório!"),
                                     QStringLiteral("Erro"));
        return;
    }
    digitar_.Inserindo = false;
    digitar_.IdMedida = q.campo(QStringLiteral("Id_medida")).comoInteiro();
    contexto_.interacao.executar(digitar_);
    recarregar();
}

void TMedicoesEstacao::bo_deletarClick() {
    if (!selecionada())
        return;
    if (!contexto_.interacao.pergunta(QStringLiteral("Confirma deleção de medição?"),
                                      QStringLiteral("Deleção")))
        return;
    Tabela& medida = contexto_.dm.tb_medida;
    medida.abrir();
    if (medida.localizar(QStringLiteral("Id_medida"),
                         contexto_.dm.qu_medida1.campo(QStringLiteral("Id_medida")).valor()))
        medida.excluir();
    medida.fechar();
    recarregar();
}

void TMedicoesEstacao::bo_exportarClick() {
    const auto arquivo = pedirArquivoPlanilha(contexto_.interacao);
    if (!arquivo)
        return;
    ExportarMedicoes(*arquivo, contexto_.dm.qu_medida1);
}

void TMedicoesEstacao::ExportarMedicoes(const QString& arquivo, Consulta& medidas) {
    EscritorPlanilha planilha(arquivo, QStringLiteral("Sheet1"));
    medidas.primeiro();
    const char* cabecalho[] = {"Número", "Cota", "Vazão", "Área", "Velocidade", "Data"};
    for (int c = 0; c < 6; ++c)
        planilha.escreverTexto(c + 1, 1, QString::fromUtf8(cabecalho[c]));
    int r = 2;
    for (; !medidas.eof(); medidas.proximo()) {
        if (medidas.campo(QStringLiteral("Ponto_obrigatorio")).comoInteiro() != 0)
            continue;
        planilha.escreverNumero(1, r,
                                std::round(medidas.campo(QStringLiteral("Numero")).comoReal()));
        const char* campos[] = {"Cota", "Vazao", "Area", "Velocidade"};
        for (int c = 0; c < 4; ++c)
            planilha.escreverNumero(c + 2, r, medidas.campo(QLatin1String(campos[c])).comoReal());
        planilha.escreverTexto(6, r, medidas.campo(QStringLiteral("Data")).comoTexto());
        ++r;
    }
    planilha.fechar();
    medidas.primeiro();
}

}  // namespace lumeno
