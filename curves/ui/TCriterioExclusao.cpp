#include "curves/ui/TCriterioExclusao.h"

#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"
#include "components/LarguraColunas.h"
#include "curves/CriteriosExclusao.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>

namespace lumeno {

namespace {
QWidget* par(QWidget* pai, QWidget* de, QWidget* ate) {
    auto* w = new QWidget(pai);
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(new QLabel(QStringLiteral("de"), w));
    l->addWidget(de);
    l->addWidget(new QLabel(QStringLiteral("até"), w));
    l->addWidget(ate);
    return w;
}
}  // namespace

TCriterioExclusao::TCriterioExclusao(Interacao& interacao, CriteriosExclusao& criterios,
                                     QWidget* pai)
    : QDialog(pai), interacao_(interacao), criterios_(criterios) {
    setWindowTitle(QStringLiteral("Definir critérios para excluir pontos"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* topo = new QHBoxLayout;
    topo->addWidget(new QLabel(QStringLiteral("Define"), this));
    cboTipo = new QComboBox(this);
    for (int t = 0; t <= 5; ++t)
        cboTipo->addItem(CriteriosExclusao::nomeTipo(t));
    topo->addWidget(cboTipo);
    caixas_ = new QStackedWidget(this);
    edtDataDe = new QLineEdit(this);
    edtDataAte = new QLineEdit(this);
    for (QLineEdit* e : {edtDataDe, edtDataAte}) {
        e->setInputMask(QStringLiteral("99/99/9999;_"));
        e->setPlaceholderText(QStringLiteral("dd/mm/aaaa"));
    }
    edtMedicaoDe = new QSpinBox(this);
    edtMedicaoAte = new QSpinBox(this);
    for (QSpinBox* s : {edtMedicaoDe, edtMedicaoAte})
        s->setRange(-99999999, 99999999);
    edtValorDe = new EditorNumero(this);
    edtValorAte = new EditorNumero(this);
    caixas_->addWidget(par(caixas_, edtDataDe, edtDataAte));
    caixas_->addWidget(par(caixas_, edtValorDe, edtValorAte));
    caixas_->addWidget(par(caixas_, edtMedicaoDe, edtMedicaoAte));
    topo->addWidget(caixas_, 1);
    layout->addLayout(topo);
    grCriterio = new QTableWidget(1, 3, this);
    grCriterio->setHorizontalHeaderLabels(
        {QStringLiteral("Critério"), QStringLiteral("de"), QStringLiteral("até")});
    grCriterio->verticalHeader()->setVisible(false);
    grCriterio->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grCriterio->setSelectionBehavior(QAbstractItemView::SelectRows);
    grCriterio->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grCriterio);
    auto* botoes = new QHBoxLayout;
    bo_insere = new QPushButton(QStringLiteral("&Insere critério"), this);
    bo_deleta = new QPushButton(QStringLiteral("&Deleta critério"), this);
    bo_inicializa = new QPushButton(QStringLiteral("&I&nicializa critérios"), this);
    botoes->addWidget(bo_insere);
    botoes->addWidget(bo_deleta);
    botoes->addWidget(bo_inicializa);
    layout->addLayout(botoes);
    setFixedSize(520, 320);
    connect(cboTipo, &QComboBox::currentIndexChanged, this,
            comando(interacao_, [this] { mostrarCaixas(); }));
    connect(bo_insere, &QPushButton::clicked, this, comando(interacao_, [this] { InsereClick(); }));
    connect(bo_deleta, &QPushButton::clicked, this, comando(interacao_, [this] { DeletaClick(); }));
    connect(bo_inicializa, &QPushButton::clicked, this,
            comando(interacao_, [this] { InicializaClick(); }));
}

void TCriterioExclusao::showEvent(QShowEvent* e) {
    cboTipo->setCurrentIndex(CriteriosExclusao::Periodo);
    mostrarCaixas();
    limparCaixas();
    preencherGrade();
    QDialog::showEvent(e);
    cboTipo->setFocus();
}

void TCriterioExclusao::mostrarCaixas() {
    const int tipo = cboTipo->currentIndex();
    caixas_->setCurrentIndex(tipo == CriteriosExclusao::Periodo    ? 0
                             : tipo == CriteriosExclusao::Medicoes ? 2
                                                                   : 1);
}

void TCriterioExclusao::limparCaixas() {
    edtDataDe->clear();
    edtDataAte->clear();
    edtValorDe->definirValor(0);
    edtValorAte->definirValor(0);
    edtMedicaoDe->setValue(0);
    edtMedicaoAte->setValue(0);
}

void TCriterioExclusao::preencherGrade() {
    const int total = criterios_.total();
    grCriterio->clearContents();
    grCriterio->setRowCount(std::max(1, total));
    for (int i = 0; i < total; ++i) {
        const auto& c = criterios_.criterio(i);
        grCriterio->setItem(i, 0, new QTableWidgetItem(CriteriosExclusao::nomeTipo(c.tipo)));
        grCriterio->setItem(i, 1, new QTableWidgetItem(c.de));
        grCriterio->setItem(i, 2, new QTableWidgetItem(c.ate));
    }
    ajustarColunasEJanela(this, grCriterio);
}

void TCriterioExclusao::InsereClick() {
    const int tipo = cboTipo->currentIndex();
    QString de, ate;
    if (tipo == CriteriosExclusao::Periodo) {
        for (QLineEdit* caixa : {edtDataDe, edtDataAte}) {
            try {
                lerData(caixa->text());
            } catch (const ErroConversao&) {
                interacao_.mensagem(QStringLiteral("Data inválida!"), QStringLiteral("Erro"));
                caixa->setFocus();
                return;
            }
        }
        de = edtDataDe->text();
        ate = edtDataAte->text();
    } else if (tipo == CriteriosExclusao::Medicoes) {
        de = fixo2(edtMedicaoDe->value());
        ate = fixo2(edtMedicaoAte->value());
    } else {
        try {
            de = fixo2(edtValorDe->valor());
            ate = fixo2(edtValorAte->valor());
        } catch (const ErroConversao& e) {
            interacao_.mensagem(e.mensagem(), QStringLiteral("Erro"));
            return;
        }
    }
    try {
        criterios_.inserir(tipo, de, ate);
    } catch (const ErroLumeno& e) {
        interacao_.mensagem(e.mensagem(), e.titulo());
        return;
    }
    preencherGrade();
    limparCaixas();
}

void TCriterioExclusao::DeletaClick() {
    if (criterios_.total() <= 0)
        return;
    if (!interacao_.pergunta(QStringLiteral("O critério será removido. Continua?"), QString()))
        return;
    const int linha = std::max(0, grCriterio->currentRow());
    criterios_.remover(std::min(linha, criterios_.total() - 1));
    preencherGrade();
}

void TCriterioExclusao::InicializaClick() {
    if (!interacao_.pergunta(QStringLiteral("Todos os critérios serão removidos. Continua?"),
                             QString()))
        return;
    criterios_.LimpaCriterios();
    preencherGrade();
}

}  // namespace lumeno
