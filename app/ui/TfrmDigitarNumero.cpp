#include "app/ui/TfrmDigitarNumero.h"

#include "app/ErroLumeno.h"
#include "app/ui/Comando.h"
#include "app/ui/Interacao.h"
#include "components/EditorNumero.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace lumeno {

TfrmDigitarNumero::TfrmDigitarNumero(Interacao& interacao, QWidget* pai)
    : QDialog(pai), interacao_(interacao) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QHBoxLayout(this);
    edtNumero = new EditorNumero(this);
    edtNumero->setMinimumWidth(130);
    layout->addWidget(edtNumero);
    bo_ok = new QPushButton(QStringLiteral("&Ok"), this);
    bo_ok->setDefault(true);
    layout->addWidget(bo_ok);
    connect(bo_ok, &QPushButton::clicked, this, comando(interacao_, [this] {
                // What is not a number the box takes is refused here, with the dialog still open.
                try {
                    edtNumero->valor();
                } catch (const ErroConversao& e) {
                    interacao_.mensagem(e.mensagem(), QStringLiteral("Erro"));
                    edtNumero->setFocus();
                    return;
                }
                Confirmado = true;
                accept();
            }));
    setFixedSize(280, 56);
}

void TfrmDigitarNumero::preparar(const QString& titulo, int casas, double valor) {
    setWindowTitle(titulo);
    edtNumero->definirCasas(casas);
    edtNumero->definirValor(valor);
}

double TfrmDigitarNumero::valor() const {
    return edtNumero->valor();
}

void TfrmDigitarNumero::showEvent(QShowEvent* e) {
    Confirmado = false;
    QDialog::showEvent(e);
    edtNumero->setFocus();
    edtNumero->selectAll();
}

}  // namespace lumeno
