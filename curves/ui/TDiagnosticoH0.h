// "Diagnóstico de h0": how the h0 of a power-law curve was decided. The chart shows the
// correlation coefficient r of every candidate of the search against h0, with the one kept
// marked and the lowest point of the section and the lowest measured stage as vertical
// lines; beside it, k, m and the discharge at the median measured stage for the h0 kept and
// for h0 ± 0.5 m. "Refazer com h0 inicial…" asks the caller to fit the curve again from
// another start value; the dialog then shows the new search.
//
// The dialog only shows: the caller (ComandosDiagnosticoH0) computes the diagnostics of the
// curve chosen and refits it.
#pragma once

#include "curves/DiagnosticoH0.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace lumeno {

class Interacao;
class PainelGrafico;

class TDiagnosticoH0 : public QDialog {
    Q_OBJECT
public:
    explicit TDiagnosticoH0(Interacao& interacao, QWidget* pai = nullptr);

    struct OpcaoCurva {
        int numero = 0;
        std::uint32_t cor = 0;
    };
    // The curves offered (power laws), with `escolhida` selected; its diagnostics come
    // through `aoEscolher`.
    void preparar(const std::vector<OpcaoCurva>& curvas, int escolhida);
    // Shows the diagnostics of curve `numero`, drawn in colour `cor`.
    void mostrar(int numero, std::uint32_t cor, const DiagnosticoH0& diagnostico);
    // The curve shown; 0 when none.
    int CurvaMostrada() const { return mostrada_; }

    // Asked for the diagnostics of the curve chosen in the list.
    std::function<void(int numero)> aoEscolher;
    // "Refazer com h0 inicial…" for the curve shown.
    std::function<void(int numero)> aoRefazer;

    QComboBox* cbCurva;
    PainelGrafico* Grafico;
    QLabel* lblLinhas;
    QLabel* lblMediana;
    QTableWidget* grdAlternativas;
    QLabel* lblBusca;
    QLabel* lblAviso;
    QPushButton* bo_Refazer;
    QPushButton* bo_Fechar;

private:
    void desenhar(std::uint32_t cor, const DiagnosticoH0& d);
    void preencherTabela(const DiagnosticoH0& d);

    int mostrada_ = 0;
};

}  // namespace lumeno
