// Captions of the equations panel (formatted text: font face, size and colour, bold,
// superscript).
#pragma once

#include "curves/CurvaTrecho.h"

#include <QString>

namespace lumeno {

// Header node: the station's code and name in bold.
QString cabecalhoLegenda(const QString& codigo, const QString& descricao);

// The equation of a curve in its colour: "  Q = k * ( h - h0)" with m as a superscript
// for a power law, "  Q = a0h⁰ + a1h¹ …" for a polynomial; empty for any other algorithm.
QString GeraLegendaTexto(const CurvaTrecho& curva);

}  // namespace lumeno
