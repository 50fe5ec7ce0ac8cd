// The validation commands of the curve-adjustment window: "Faixa de confiança (95 %)"
// (Opções › Gráfico), the band of every power-law curve and its outliers on the chart;
// "Desvios ao longo do tempo" (Lumeno), the deviations against their dates with the
// change-point test, from which a new curve can start; and the outlier column and the
// validation figures of the deviations listing. Everything is computed from the curves
// the window holds when it is asked for (validation/), so it follows any change of them.
#pragma once

#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class QAction;

namespace lumeno {

struct Contexto;
struct CurvaTrecho;
class CamadaFaixaConfianca;
class TDesviosTempo;
class TMostrarPontosExtrapolados;
class TTelaMedicao;

class ComandosValidacao {
public:
    // Adds the commands to the window's menus and the band to its chart.
    ComandosValidacao(Contexto& contexto, TTelaMedicao& tela);
    ~ComandosValidacao();

    QAction* om_FaixaConfianca;
    QAction* om_DesviosTempo;

    // Shows or hides the band (the menu item's check).
    void om_FaixaConfiancaClick();
    // The deviations over time; a new curve from the date marked there when asked for.
    void om_DesviosTempoClick();

    // Adds the outlier column ("Atípica": "> 2 Se", "> 3 Se" by the curve whose deviation
    // the row shows) to the deviations listing, and the validation of every curve to what
    // its export writes.
    void completarRelacao(QStringList& cabecalho, std::vector<QStringList>& linhas,
                          TMostrarPontosExtrapolados& dialogo) const;

    // Curves 1 … TotalCurvas of the window.
    std::vector<const CurvaTrecho*> Curvas() const;

    CamadaFaixaConfianca& Faixa() { return *faixa_; }
    TDesviosTempo& DesviosTempo() { return *desviosTempo_; }

private:
    Contexto& contexto_;
    TTelaMedicao& tela_;
    std::unique_ptr<CamadaFaixaConfianca> faixa_;
    TDesviosTempo* desviosTempo_;  // a child of the window
};

}  // namespace lumeno
