// "Diagnóstico de h0…" (Lumeno › Ajuste manual) of the curve-adjustment window: how the h0
// search of a power-law curve decided (TDiagnosticoH0), and the curve fitted again from
// another start value. Also the equations panel's note under a curve whose h0 the start
// value chose (the curve's validity lines say so, AvisoAjuste).
//
// A refit changes the curve in place, as the manual adjustments do: its parameters, search
// and lines about h0, the summary's record of it, the logarithmic extrapolations drawn from
// it (their discharges come from the curve; Stevens and Manning do not depend on it), the
// deviations, the chart and the equations panel.
#pragma once

#include <QString>

class QAction;

namespace lumeno {

struct Contexto;
class NoFormatado;
class TDiagnosticoH0;
class TTelaMedicao;

class ComandosDiagnosticoH0 {
public:
    // Adds "Diagnóstico de h0…" to the window's manual-adjustment menu.
    ComandosDiagnosticoH0(Contexto& contexto, TTelaMedicao& tela);

    // The question of "Refazer com h0 inicial…" and the refusal without a power law.
    static const QString tituloInicio;
    static const QString semPotencial;

    QAction* om_DiagnosticoH0;
    TDiagnosticoH0* dlgDiagnostico;  // a child of the window

    // The menu command: the dialog for a power-law curve — the last one whose start value
    // chose h0, else the last power law.
    void om_DiagnosticoH0Click();
    // Fits curve `numero` again with its h0 search from `inicio` (cm), and brings the window
    // up to date. Throws ErroLumeno (nothing changed) when the refit is refused.
    void Refazer(int numero, double inicio);

    // Under the equation of curve `numero` (node `no` of the equations panel), the note that
    // the start value chose its h0, when its validity lines say so.
    void AnotarLegenda(int numero, NoFormatado* no);

private:
    void mostrar(int numero);
    // The number prompt for the start value of curve `numero`, then Refazer.
    void pedirInicio(int numero);
    void redesenhar();

    Contexto& contexto_;
    TTelaMedicao& tela_;
};

}  // namespace lumeno
