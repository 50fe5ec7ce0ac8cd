// Entry dialog of one measurement summary. In insert mode it stays open after "&Ok"
// and starts the next record, so that several measurements are typed one after the
// other; in edit mode "&Ok" stores and closes. A number that the station already has is
// refused and the dialog stays open with what was typed; negative discharge, area or
// velocity are refused.
#pragma once

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace lumeno {

struct Contexto;
class EditorNumero;

class TDigitarMedicao : public QDialog {
    Q_OBJECT
public:
    explicit TDigitarMedicao(Contexto& contexto, QWidget* pai = nullptr);

    // Set by the caller before showing.
    bool Inserindo = true;
    // The IdEstacao of the station whose measurements are listed (insert mode).
    int Estacao = 0;
    // The Id_medida of the measurement to edit (edit mode).
    int IdMedida = 0;

    EditorNumero* edtNumero;
    QLineEdit* edtData;
    EditorNumero* edtCota;
    EditorNumero* edtVazao;
    EditorNumero* edtArea;
    EditorNumero* edtVelocidade;
    QPushButton* bo_ok;

    // Typed flags of the six boxes, in tab order.
    std::array<bool, 6> digitados{};

    // Ends the dialog: a record started and not stored is discarded.
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void anexarRegistro();
    void iniciarRegistro();
    void carregarCampos();
    void bo_okClick();
    Contexto& contexto_;
    bool carregando_ = false;
};

}  // namespace lumeno
