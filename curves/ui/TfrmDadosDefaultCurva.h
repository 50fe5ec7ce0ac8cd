// The default colour, algorithm and parameter of one curve number ("Valores default
// de curvas"): inserts a new row or updates the existing one.
#pragma once

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace lumeno {

struct Contexto;
class EditorNumero;

class TfrmDadosDefaultCurva : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDadosDefaultCurva(Contexto& contexto, QWidget* pai = nullptr);

    // Prepares an insert: curve number 0 (editable), white, no algorithm, parameter 0.
    void prepararInsercao();
    // Prepares the change of the row of curve `trecho` as stored.
    void prepararAlteracao(int trecho, std::uint32_t cor, int algoritmo, int parm);

    std::uint32_t Cor = 0xFFFFFF;

    QSpinBox* edtTrecho;
    QLineEdit* edtCor;
    QComboBox* cboAlgoritmo;
    EditorNumero* edtParm;
    QLabel* lblParm;
    QPushButton* Button1;

    void escolherCor();
    void Button1Click();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void mostrarCor();
    void atualizarRotulo();
    Contexto& contexto_;
};

}  // namespace lumeno
