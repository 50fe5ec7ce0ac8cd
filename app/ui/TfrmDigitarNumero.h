// Number prompt: the caller sets the caption (the question), the decimals and the
// initial value, shows it, and reads `Confirmado` and the value afterwards. "&Ok" takes
// only a value the box accepts.
#pragma once

#include <QDialog>

class QPushButton;

namespace lumeno {

class EditorNumero;
class Interacao;

class TfrmDigitarNumero : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDigitarNumero(Interacao& interacao, QWidget* pai = nullptr);

    // Prepares the prompt: caption, decimals and the value shown.
    void preparar(const QString& titulo, int casas, double valor);
    double valor() const;

    bool Confirmado = false;
    EditorNumero* edtNumero;
    QPushButton* bo_ok;

protected:
    void showEvent(QShowEvent* e) override;

private:
    Interacao& interacao_;
};

}  // namespace lumeno
