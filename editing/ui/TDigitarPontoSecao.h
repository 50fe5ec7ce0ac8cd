// One point of a cross-section ("Ponto de Seção"): distance ("Margem") and elevation
// ("Cota"). In insert mode it stays open after "&Ok" and starts the next point; the
// distance of an existing point cannot be changed.
#pragma once

#include <QDialog>

#include <functional>

class QPushButton;

namespace lumeno {

struct Contexto;
class EditorNumero;

class TDigitarPontoSecao : public QDialog {
    Q_OBJECT
public:
    explicit TDigitarPontoSecao(Contexto& contexto, QWidget* pai = nullptr);

    bool Inserindo = true;
    // A point was stored while the dialog was open.
    bool Gravou = false;
    // The station (insert mode) and the point (edit mode).
    int Estacao = 0;
    int IdPonto = 0;
    // Redraws the profile after each stored point.
    std::function<void()> redesenhar;

    EditorNumero* edtX;
    EditorNumero* edtY;
    QPushButton* bo_ok;

    void done(int resultado) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void iniciarPonto();
    void bo_okClick();
    Contexto& contexto_;
};

}  // namespace lumeno
