#include "analysis/ui/TColorirPontos.h"

#include "analysis/ui/TGraficos.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace lumeno {

const TColorirPontos::CorNomeada TColorirPontos::cores[16] = {
    {0x000000, "Preto"},    {0x000080, "Marrom"},       {0x008000, "Verde"},
    {0x008080, "Oliva"},    {0x800000, "Azul marinho"}, {0x800080, "Roxo"},
    {0x808000, "Teal"},     {0x808080, "Cinza"},        {0xC0C0C0, "Prata"},
    {0x0000FF, "Vermelho"}, {0x00FF00, "Verde-limão"},  {0x00FFFF, "Amarelo"},
    {0xFF0000, "Azul"},     {0xFF00FF, "Magenta"},      {0xFFFF00, "Ciano"},
    {0xFFFFFF, "White"},
};

namespace {
// The text of a masked date field; empty when no digit was typed.
QString textoData(const QLineEdit* campo) {
    const QString t = campo->text();
    for (const QChar c : t)
        if (c.isDigit())
            return t;
    return QString();
}
}  // namespace

TColorirPontos::TColorirPontos(Contexto& contexto, TGraficos& graficos, QWidget* pai)
    : QDialog(pai), contexto_(contexto), graficos_(graficos) {
    setWindowTitle(QStringLiteral("Colorir pontos"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* caixa = new QGroupBox(this);
    auto* grade = new QGridLayout(caixa);
    grade->setColumnStretch(2, 1);
    grade->setColumnStretch(4, 1);
    int linha = 0;
    auto opcao = [&](const QString& texto, QWidget* de, QWidget* ate) {
        auto* rb = new QRadioButton(texto, caixa);
        grade->addWidget(rb, linha, 0);
        grade->addWidget(new QLabel(QStringLiteral("de"), caixa), linha, 1, Qt::AlignRight);
        grade->addWidget(de, linha, 2);
        grade->addWidget(new QLabel(QStringLiteral("até"), caixa), linha, 3, Qt::AlignRight);
        grade->addWidget(ate, linha, 4);
        ++linha;
        connect(rb, &QRadioButton::toggled, this, [this](bool marcado) {
            if (marcado)
                habilitarCampos();
        });
        return rb;
    };
    edData1 = new QLineEdit(caixa);
    edData2 = new QLineEdit(caixa);
    for (QLineEdit* e : {edData1, edData2}) {
        e->setInputMask(QStringLiteral("99/99/9999;_"));
        // A complete date is checked when the field is left.
        connect(e, &QLineEdit::editingFinished, this, comando(contexto_.interacao, [e] {
                    const QString texto = textoData(e);
                    if (!texto.isEmpty())
                        lerData(texto);
                }));
    }
    edCota1 = new EditorNumero(caixa);
    edCota2 = new EditorNumero(caixa);
    edVazao1 = new EditorNumero(caixa);
    edVazao2 = new EditorNumero(caixa);
    edMedicao1 = new QSpinBox(caixa);
    edMedicao2 = new QSpinBox(caixa);
    for (QSpinBox* s : {edMedicao1, edMedicao2})
        s->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    rbPeriodo = opcao(QStringLiteral("por Período"), edData1, edData2);
    rbCota = opcao(QStringLiteral("por Cotas"), edCota1, edCota2);
    rbVazao = opcao(QStringLiteral("por Vazões"), edVazao1, edVazao2);
    rbMedicao = opcao(QStringLiteral("por Medições"), edMedicao1, edMedicao2);
    layout->addWidget(caixa);

    auto* linhaCor = new QHBoxLayout;
    linhaCor->addWidget(new QLabel(QStringLiteral("Selecionar cor"), this));
    cbCor = new QComboBox(this);
    for (const CorNomeada& c : cores)
        cbCor->addItem(QIcon(quadradoCor(corQt(c.valor))), QString::fromUtf8(c.nome),
                       QVariant::fromValue(c.valor));
    cbCor->setCurrentIndex(-1);
    linhaCor->addWidget(cbCor, 1);
    layout->addLayout(linhaCor);

    auto* botoes = new QHBoxLayout;
    bu_colorir = new QPushButton(QStringLiteral("&Colorir pontos"), this);
    bu_descolorir = new QPushButton(QStringLiteral("&Descolorir"), this);
    bu_fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    botoes->addWidget(bu_colorir);
    botoes->addWidget(bu_descolorir);
    botoes->addStretch();
    botoes->addWidget(bu_fechar);
    layout->addLayout(botoes);
    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));

    connect(bu_colorir, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bu_colorirClick(); }));
    connect(bu_descolorir, &QPushButton::clicked, this,
            comando(contexto_.interacao, [this] { bu_descolorirClick(); }));
    connect(bu_fechar, &QPushButton::clicked, this, &QDialog::reject);
}

void TColorirPontos::showEvent(QShowEvent* e) {
    rbPeriodo->setChecked(true);
    edData1->clear();
    edData2->clear();
    for (EditorNumero* n : {edCota1, edCota2, edVazao1, edVazao2})
        n->definirValor(0);
    edMedicao1->setValue(0);
    edMedicao2->setValue(0);
    habilitarCampos();
    QDialog::showEvent(e);
    rbPeriodo->setFocus();
}

void TColorirPontos::habilitarCampos() {
    edData1->setEnabled(rbPeriodo->isChecked());
    edData2->setEnabled(rbPeriodo->isChecked());
    edCota1->setEnabled(rbCota->isChecked());
    edCota2->setEnabled(rbCota->isChecked());
    edVazao1->setEnabled(rbVazao->isChecked());
    edVazao2->setEnabled(rbVazao->isChecked());
    edMedicao1->setEnabled(rbMedicao->isChecked());
    edMedicao2->setEnabled(rbMedicao->isChecked());
}

SelecaoPontos TColorirPontos::selecao() const {
    SelecaoPontos s;
    if (rbPeriodo->isChecked()) {
        s.tipo = SelecaoPontos::Periodo;
        s.dataDe = textoData(edData1);
        s.dataAte = textoData(edData2);
    } else if (rbCota->isChecked()) {
        s.tipo = SelecaoPontos::Cotas;
        s.de = edCota1->valor();
        s.ate = edCota2->valor();
    } else if (rbVazao->isChecked()) {
        s.tipo = SelecaoPontos::Vazoes;
        s.de = edVazao1->valor();
        s.ate = edVazao2->valor();
    } else {
        s.tipo = SelecaoPontos::Medicoes;
        s.de = edMedicao1->value();
        s.ate = edMedicao2->value();
    }
    return s;
}

std::uint32_t TColorirPontos::corEscolhida() const {
    return cbCor->currentIndex() < 0 ? 0u : cbCor->currentData().value<std::uint32_t>();
}

void TColorirPontos::bu_colorirClick() {
    graficos_.ColorirSelecao(selecao(), corEscolhida());
}

void TColorirPontos::bu_descolorirClick() {
    if (contexto_.interacao.pergunta(QStringLiteral("Deseja realmente descolorir pontos??"),
                                     QString()))
        graficos_.Inicializar();
}

}  // namespace lumeno
