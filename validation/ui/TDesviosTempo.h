// "Desvios ao longo do tempo": each measurement's percentage deviation from its curve
// against its date, coloured by curve, with the zero line, and Pettitt's change-point
// test of the series. The most likely date of a change is marked when the test finds one;
// a click on a measurement marks its date instead. "Nova curva a partir desta data"
// closes the window asking for a new curve from the marked date (the caller opens the
// criteria dialog).
#pragma once

#include "validation/DesviosTempo.h"

#include <QDate>
#include <QDialog>

#include <cstdint>
#include <vector>

class QLabel;
class QPushButton;

namespace lumeno {

class Interacao;
class PainelGrafico;

class TDesviosTempo : public QDialog {
    Q_OBJECT
public:
    explicit TDesviosTempo(Interacao& interacao, QWidget* pai = nullptr);

    // Draws the series; `cores` holds the colour of each curve (curve i + 1 at [i]).
    void preencher(const SerieDesviosTempo& serie, const std::vector<std::uint32_t>& cores);

    // The date marked: the change found, or the measurement clicked; invalid when none.
    QDate DataMarcada;
    // Set by "Nova curva a partir desta data".
    bool NovaCurva = false;

    PainelGrafico* Grafico;
    QLabel* lblPettitt;
    QLabel* lblLegenda;
    QLabel* lblDataMarcada;
    QPushButton* bo_NovaCurva;
    QPushButton* bo_Fechar;

    // A click on the chart at chart coordinates (fractional year, deviation %).
    void GraficoClick(const QPointF& posicao);

private:
    void marcar(const QDate& data);

    SerieDesviosTempo serie_;
    bool marcaDesenhada_ = false;
};

}  // namespace lumeno
