// "Colorir pontos": selects a station's measurements by period, stage, discharge or
// measurement number and colours them as a new point set of the data-analysis window;
// also removes all colouring. Stays open after each command.
#pragma once

#include "analysis/ConjuntoPontos.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace lumeno {

struct Contexto;
class EditorNumero;
class TGraficos;

class TColorirPontos : public QDialog {
    Q_OBJECT
public:
    TColorirPontos(Contexto& contexto, TGraficos& graficos, QWidget* pai = nullptr);

    // The colours of the list, in order: Windows value (0x00BBGGRR) and name.
    struct CorNomeada {
        std::uint32_t valor;
        const char* nome;
    };
    static const CorNomeada cores[16];

    // The selection of the option chosen, as typed.
    SelecaoPontos selecao() const;
    // The colour chosen; black when none is.
    std::uint32_t corEscolhida() const;

    void bu_colorirClick();
    void bu_descolorirClick();

    QRadioButton* rbPeriodo;
    QRadioButton* rbCota;
    QRadioButton* rbVazao;
    QRadioButton* rbMedicao;
    QLineEdit* edData1;
    QLineEdit* edData2;
    EditorNumero* edCota1;
    EditorNumero* edCota2;
    EditorNumero* edVazao1;
    EditorNumero* edVazao2;
    QSpinBox* edMedicao1;
    QSpinBox* edMedicao2;
    QComboBox* cbCor;
    QPushButton* bu_colorir;
    QPushButton* bu_descolorir;
    QPushButton* bu_fechar;

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Enables the two fields of the chosen option and disables the six others.
    void habilitarCampos();

    Contexto& contexto_;
    TGraficos& graficos_;
};

}  // namespace lumeno
