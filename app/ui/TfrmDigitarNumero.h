// Number prompt: the caller sets the caption (the question), the decimals and the
// initial value, shows it, and reads `Confirmado` and the value afterwards.
#pragma once

#include <QDialog>

class QPushButton;

namespace lumeno {

class EditorNumero;

class TfrmDigitarNumero : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDigitarNumero(QWidget* pai = nullptr);

    // Prepares the prompt: caption, decimals and the value shown.
    void preparar(const QString& titulo, int casas, double valor);
    double valor() const;

    bool Confirmado = false;
    EditorNumero* edtNumero;
    QPushButton* bo_ok;

protected:
    void showEvent(QShowEvent* e) override;
};

}  // namespace lumeno
