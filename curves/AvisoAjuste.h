// What a fit tells the user about itself, once when the curve is fitted and then in the
// curve's validity lines (which a saved rating keeps and gives back as they were):
//  - the rows the power law left out: it takes no row whose discharge is zero or negative
//    (its logarithm does not exist);
//  - an h0 at the edge of its search: the first or the last candidate (the two lowest,
//    set by the start value) won, so r was still rising toward the start value and that
//    value, not the data, chose h0 — and with it m;
//  - an h0 above the lowest point of the cross-section: water there would flow below the
//    stage of zero discharge.
#pragma once

#include "curves/CurvaTrecho.h"

#include <QString>
#include <QStringList>

namespace lumeno {

// "2 medições com vazão nula ou negativa foram ignoradas no ajuste" (singular for one).
QString avisoDescartadas(int total);

// The validity lines that list the rows left out, by number, each at most `largura`
// characters: "Ignoradas (vazão nula ou negativa): 3, 7, 12"; none when no row was.
QStringList validadeDescartadas(const CurvaTrecho& curva, int largura = 60);

// "h0 no limite da busca: o valor inicial determinou h0".
QString avisoLimiteBusca();

// "h0 = 1.35 m, acima do fundo da seção (1.20 m)": h0 and the section's lowest point in m.
QString validadeAcimaDoFundo(double h0, double fundo);

// The lines about h0 of a power-law curve just fitted by its search (`curva.Busca`): the
// edge of the search, then h0 above the section's lowest point (CotaMinSecao, with
// `possuiSecao`). None for other curves, or when no candidate decided.
QStringList validadeH0(const CurvaTrecho& curva, bool possuiSecao);

// Every line a fit adds to the curve's validity lines: validadeDescartadas, validadeH0.
QStringList validadeAjuste(const CurvaTrecho& curva, bool possuiSecao);

// Whether a validity line is one that validadeH0 writes (a refit replaces them).
bool linhaValidadeH0(const QString& linha);

// Whether the equations panel shows the edge note for the curve: its validity lines hold
// it, and h0 is still the one its search chose (not set by hand since; a curve read back
// from a saved rating has no search and keeps the note of its lines).
bool mostrarAvisoLimiteBusca(const CurvaTrecho& curva, const QStringList& validade);

}  // namespace lumeno
