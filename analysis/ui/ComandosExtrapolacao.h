// The "&Extrapolação" commands of the curve-adjustment window: a fitted curve extended
// from its top stage to a stage the user gives, by the logarithmic, Stevens or Manning
// method, drawn on the window's chart as a thick line and recorded in the station-data
// summary. The records live in the window (TTelaMedicao::Extrapolacoes, numbered from 1
// and discarded by its load); this unit reads the window's measurements and section,
// asks the user, computes through the extrapolation engine and commits the result. A
// refused or failed extrapolation leaves no trace: nothing is numbered, drawn or recorded
// until the whole record is computed.
#pragma once

#include "hydraulics/Extrapolacao.h"

#include <cstdint>
#include <vector>

namespace lumeno {

struct Contexto;
class TTelaMedicao;

class ComandosExtrapolacao {
public:
    ComandosExtrapolacao(Contexto& contexto, TTelaMedicao& tela);

    // The three menu commands: the stage dialog, then the extrapolation.
    void om_ExtrapLogClick();
    void om_ExtrapStevensClick();
    void om_ExtrapManningClick();

    // The extrapolation of curve `N` up to stage `H` (cm) in colour `cor` once the stage
    // dialog has been answered: the checks with their messages, the computation and the
    // recording. Manning shows the K dialog. False when refused.
    bool ExtrapolarLogaritmica(int N, double H, std::uint32_t cor);
    bool ExtrapolarStevens(int N, double H, std::uint32_t cor, const MargensSecao& margens);
    bool ExtrapolarManning(int N, double H, std::uint32_t cor, const MargensSecao& margens);

    // The bank check of the window's station.
    MargensSecao Margens();
    // Fills FatoresMedicoes of the window and the factors and areas of `registro`, from
    // the window's measurements (as Medicoes() gives them) and section.
    void CalcularValoresDiversos(RegistroExtrapolacao& registro,
                                 const std::vector<MedicaoExtrapolacao>& medicoes);
    // Draws record `q` of the window: a line of width 2 in its colour, the ranges raised
    // to take it in.
    void TracarPontosExtrapolados(int q);
    // Records extrapolation `q` of curve `N` in the station-data summary; false (with the
    // message, and the window closed) when the curve is not in the summary.
    bool MontaDadosExtrapolacao(int N, int q);
    // Numbers, draws and records a computed extrapolation of curve `N` (also one read back
    // from a saved rating).
    void registrar(int N, const RegistroExtrapolacao& registro);

    // The window's measurements in their order, as the methods use them. The current
    // measurement stays where it was.
    std::vector<MedicaoExtrapolacao> Medicoes();

private:
    // The stage dialog; false when not confirmed.
    bool perguntarCota(int& N, double& H, std::uint32_t& cor);
    // False, with a message, when the window holds the most extrapolations it can.
    bool haEspaco();
    // Fills the K dialog's chart with the measurements' K; returns how many have none.
    int prepararGraficoK(const std::vector<MedicaoExtrapolacao>& medicoes);

    Contexto& contexto_;
    TTelaMedicao& tela_;
};

}  // namespace lumeno
