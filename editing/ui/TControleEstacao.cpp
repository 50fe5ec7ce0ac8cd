#include "editing/ui/TControleEstacao.h"

#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "app/ui/ListaEstacoes.h"
#include "curves/AjustesSalvos.h"
#include "data/TDM.h"
#include "editing/ui/TDigitarEstacao.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>

namespace lumeno {

TControleEstacao::TControleEstacao(Contexto& contexto, QWidget* pai)
    : QDialog(pai), contexto_(contexto) {
    setWindowTitle(QStringLiteral("Banco de Estações"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QHBoxLayout(this);
    lstEstacoes = new QTreeWidget(this);
    lstEstacoes->setRootIsDecorated(false);
    lstEstacoes->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstEstacoes->setSelectionMode(QAbstractItemView::SingleSelection);
    lstEstacoes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstEstacoes->setUniformRowHeights(true);
    layout->addWidget(lstEstacoes, 1);
    auto* botoes = new QVBoxLayout;
    auto criar = [&](const QString& texto) {
        auto* b = new QPushButton(texto, this);
        botoes->addWidget(b);
        return b;
    };
    bo_inserir = criar(QStringLiteral("&Inserir estação"));
    bo_editar = criar(QStringLiteral("&Editar estação"));
    bo_deletar = criar(QStringLiteral("&Deletar estação"));
    botoes->addSpacing(12);
    bo_medicoes = criar(QStringLiteral("&Medições de vazão"));
    bo_secao = criar(QStringLiteral("&Seção transversal"));
    botoes->addSpacing(12);
    bo_analisar = criar(QStringLiteral("A&nalisar dados"));
    bo_ajustar = criar(QStringLiteral("&Ajustar curvas"));
    botoes->addStretch();
    layout->addLayout(botoes);
    setFixedSize(660, 380);

    connect(bo_deletar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_deletarClick(); }));
    connect(bo_inserir, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_inserirClick(); }));
    connect(bo_editar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_editarClick(); }));
    connect(bo_analisar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_analisarClick(); }));
    connect(bo_ajustar, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_ajustarClick(); }));
    connect(bo_medicoes, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_medicoesClick(); }));
    connect(bo_secao, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bo_secaoClick(); }));
}

void TControleEstacao::showEvent(QShowEvent* e) {
    carregarAoMostrar(contexto_.interacao, *this, [this] {
        Tabela& estacao = contexto_.dm.tb_estacao;
        estacao.fechar();
        estacao.definirIndice(QString());
        estacao.abrir();
        recarregar();
    });
    QDialog::showEvent(e);
}

void TControleEstacao::hideEvent(QHideEvent* e) {
    contexto_.dm.qu_estacao1.fechar();
    contexto_.dm.tb_estacao.fechar();
    QDialog::hideEvent(e);
}

void TControleEstacao::recarregar() {
    Consulta& estacoes = contexto_.dm.qu_estacao1;
    const int antes = ListaEstacoes::idSelecionado(lstEstacoes);
    estacoes.fechar();
    ListaEstacoes::preencher(lstEstacoes, estacoes, QStringLiteral("#P"));
    // A station always stands selected — the one chosen before, else the first — so that
    // the buttons act on what the list shows as chosen.
    ListaEstacoes::selecionar(lstEstacoes, antes);
    const bool algum = lstEstacoes->topLevelItemCount() > 0;
    bo_inserir->setEnabled(true);
    for (QPushButton* b : {bo_deletar, bo_editar, bo_medicoes, bo_secao})
        b->setEnabled(algum);
    // Windows that need one of the later parts of the program.
    bo_analisar->setEnabled(algum && contexto_.abrirAnaliseDados);
    bo_ajustar->setEnabled(algum && contexto_.abrirAjusteCurvas);
    bo_medicoes->setEnabled(algum && contexto_.abrirMedicoes);
    bo_secao->setEnabled(algum && contexto_.abrirSecao);
}

int TControleEstacao::estacaoSelecionada() {
    const int id = ListaEstacoes::idSelecionado(lstEstacoes);
    if (id == 0 || !contexto_.dm.qu_estacao1.localizar(QStringLiteral("IdEstacao"), id))
        return 0;
    return id;
}

bool TControleEstacao::posicionarEstacao(int id) {
    Tabela& estacao = contexto_.dm.tb_estacao;
    if (!estacao.ativo())
        estacao.abrir();
    estacao.definirIndice(QString());
    return estacao.localizar(QStringLiteral("IdEstacao"), id);
}

void TControleEstacao::bo_deletarClick() {
    const int id = estacaoSelecionada();
    if (id == 0)
        return;
    if (!contexto_.interacao.pergunta(QStringLiteral("Confirma deleção de estação ?"),
                                      QStringLiteral("Deleção")))
        return;
    if (!posicionarEstacao(id))
        return;
    {
        // The station goes with all its data, or nothing goes.
        Transacao transacao(contexto_.dm.conexao());
        for (const char* tabela : {"ponto", "medida"}) {
            auto q = contexto_.dm.novaConsulta();
            q->SQL << QStringLiteral("delete from %1").arg(QLatin1String(tabela))
                   << QStringLiteral("where Estacao=:est;");
            q->definirParametro(QStringLiteral("est"), id);
            q->executar();
        }
        AjustesSalvos(contexto_.dm.conexao()).excluirDaEstacao(id);
        contexto_.dm.tb_estacao.excluir();
        transacao.confirmar();
    }
    recarregar();
}

void TControleEstacao::bo_inserirClick() {
    Tabela& estacao = contexto_.dm.tb_estacao;
    if (!estacao.ativo())
        estacao.abrir();
    estacao.anexar();
    contexto_.DigitarEstacao->definirCodigoSomenteLeitura(false);
    contexto_.interacao.executar(*contexto_.DigitarEstacao);
    estacao.cancelar();
    recarregar();
}

void TControleEstacao::bo_editarClick() {
    const int id = estacaoSelecionada();
    if (id == 0 || !posicionarEstacao(id))
        return;
    contexto_.DigitarEstacao->definirCodigoSomenteLeitura(true);
    contexto_.dm.tb_estacao.editar();
    contexto_.interacao.executar(*contexto_.DigitarEstacao);
    contexto_.dm.tb_estacao.cancelar();
    recarregar();
}

void TControleEstacao::bo_analisarClick() {
    const int id = estacaoSelecionada();
    if (id == 0 || !posicionarEstacao(id) || !contexto_.abrirAnaliseDados)
        return;
    contexto_.abrirAnaliseDados();
    recarregar();
}

void TControleEstacao::bo_ajustarClick() {
    const int id = estacaoSelecionada();
    if (id == 0 || !contexto_.abrirAjusteCurvas)
        return;
    contexto_.abrirAjusteCurvas(id);
    recarregar();
}

void TControleEstacao::bo_medicoesClick() {
    const int id = estacaoSelecionada();
    if (id == 0 || !contexto_.abrirMedicoes)
        return;
    Consulta& q = contexto_.dm.qu_estacao1;
    const QString titulo = q.campo(QStringLiteral("Codigo")).comoTexto() + QStringLiteral("  ") +
                           q.campo(QStringLiteral("Descricao")).comoTexto() + QStringLiteral(" (") +
                           q.campo(QStringLiteral("nome")).comoTexto() + QLatin1Char(')');
    if (!posicionarEstacao(id))
        return;
    contexto_.abrirMedicoes(titulo);
    recarregar();
}

void TControleEstacao::bo_secaoClick() {
    const int id = estacaoSelecionada();
    if (id == 0 || !contexto_.abrirSecao)
        return;
    contexto_.abrirSecao();
    recarregar();
}

}  // namespace lumeno
