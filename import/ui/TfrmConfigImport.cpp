#include "import/ui/TfrmConfigImport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumeno {

TfrmConfigImport::TfrmConfigImport(QWidget* pai) : QDialog(pai) {
    setWindowTitle(QStringLiteral("Parâmetros para carga"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Estação"), this));
    lblCodigo = new QLabel(this);
    QFont negrito = lblCodigo->font();
    negrito.setBold(true);
    lblCodigo->setFont(negrito);
    layout->addWidget(lblCodigo);

    auto* situacao = new QGroupBox(QStringLiteral("Situação das medições"), this);
    auto* caixasSituacao = new QVBoxLayout(situacao);
    chkImportado = new QCheckBox(QStringLiteral("Importado"), situacao);
    chkTemporario = new QCheckBox(QStringLiteral("Temporario"), situacao);
    chkRemovido = new QCheckBox(QStringLiteral("Removido"), situacao);
    for (QCheckBox* c : {chkImportado, chkTemporario, chkRemovido})
        caixasSituacao->addWidget(c);
    layout->addWidget(situacao);

    auto* consistencia = new QGroupBox(QStringLiteral("Consistência das medições"), this);
    auto* caixasConsistencia = new QVBoxLayout(consistencia);
    chkBruto = new QCheckBox(QStringLiteral("Dado bruto"), consistencia);
    chkConsistido = new QCheckBox(QStringLiteral("Dado consistido"), consistencia);
    caixasConsistencia->addWidget(chkBruto);
    caixasConsistencia->addWidget(chkConsistido);
    layout->addWidget(consistencia);

    bo_ok = new QPushButton(QStringLiteral("Ok"), this);
    bo_ok->setDefault(true);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bo_ok);
    botoes->addStretch();
    layout->addLayout(botoes);
    connect(bo_ok, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(260);
}

void TfrmConfigImport::definirEstacao(int codigo) {
    lblCodigo->setText(QString::number(codigo));
}

FiltroMedicoes TfrmConfigImport::filtro() const {
    FiltroMedicoes f;
    f.importado = chkImportado->isChecked();
    f.temporario = chkTemporario->isChecked();
    f.removido = chkRemovido->isChecked();
    f.bruto = chkBruto->isChecked();
    f.consistido = chkConsistido->isChecked();
    return f;
}

void TfrmConfigImport::showEvent(QShowEvent* e) {
    for (QCheckBox* c : {chkImportado, chkTemporario, chkRemovido, chkBruto, chkConsistido})
        c->setChecked(false);
    QDialog::showEvent(e);
}

}  // namespace lumeno
