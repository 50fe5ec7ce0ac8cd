// New-station dialog ("Nova estação"): asks the code of a station to be created and
// refuses a code that another station already has.
#pragma once

#include <QDialog>

class QPushButton;

namespace lumeno {

struct Contexto;
class EditorNumero;

class TDigitarCodigoEstacao : public QDialog {
    Q_OBJECT
public:
    explicit TDigitarCodigoEstacao(Contexto& contexto, QWidget* pai = nullptr);

    bool Confirmado = false;
    EditorNumero* edCodigo;
    QPushButton* bo_ok;
    QPushButton* bo_cancela;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void bo_okClick();
    void bo_cancelaClick();
    Contexto& contexto_;
};

}  // namespace lumeno
