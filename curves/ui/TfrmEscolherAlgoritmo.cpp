#include "curves/ui/TfrmEscolherAlgoritmo.h"

#include "app/ui/Comando.h"
#include "app/ui/Interacao.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace lumeno {

TfrmEscolherAlgoritmo::TfrmEscolherAlgoritmo(Interacao& interacao, QWidget* pai)
    : QDialog(pai), interacao_(interacao) {
    setWindowTitle(QStringLiteral("Algoritmo"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QHBoxLayout(this);
    cboAlgoritmo = new QComboBox(this);
    cboAlgoritmo->addItems({QStringLiteral("Potencial (Ostrel)"), QStringLiteral("Polinomial")});
    layout->addWidget(cboAlgoritmo, 1);
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    layout->addWidget(bo_ok);
    setFixedSize(280, 56);
    connect(bo_ok, &QPushButton::clicked, this, comando(interacao_, [this] {
                if (cboAlgoritmo->currentIndex() < 0) {
                    interacao_.mensagem(
                        QStringLiteral("Deve ser selecionado um algoritmo para traçar a curva"),
                        QStringLiteral("Atenção"));
                    return;
                }
                Confirmado = true;
                accept();
            }));
}

int TfrmEscolherAlgoritmo::algoritmo() const {
    return cboAlgoritmo->currentIndex() + 1;
}

void TfrmEscolherAlgoritmo::showEvent(QShowEvent* e) {
    Confirmado = false;
    cboAlgoritmo->setCurrentIndex(-1);
    QDialog::showEvent(e);
}

}  // namespace lumeno
