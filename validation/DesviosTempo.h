// The deviations of the measurements over time, for finding shifts of a rating: each
// measurement's percentage deviation (Qc − Q)/Q × 100 from its curve, in date order, and
// Pettitt's change-point test on that series (Estatistica.h).
//
// Which deviation: the rows each curve's validation uses (ValidacaoCurva.h); a measurement
//   held by several curves keeps the deviation of the last one, as the deviations listing
//   does. Rows without a date cannot be placed in time and stay out.
// Order: by date, then by measurement number.
// The change: when the test finds one (p < 0.05), the date of the first measurement after
//   the change, from which a new curve would start.
#pragma once

#include "validation/Estatistica.h"
#include "validation/ValidacaoCurva.h"

#include <QDate>

#include <cstdint>
#include <vector>

namespace lumeno {

struct PontoDesvioTempo {
    QDate data;
    double numero = 0;
    double percentual = 0;
    int curva = 0;  // the curve's number
    std::uint32_t cor = 0;
};

struct SerieDesviosTempo {
    std::vector<PontoDesvioTempo> pontos;
    ResultadoPettitt pettitt;
    // The date the new regime starts at; invalid when the test finds no change.
    QDate dataMudanca;
};

// `curvas`[i] is curve number i + 1.
SerieDesviosTempo DesviosAoLongoDoTempo(const std::vector<const CurvaTrecho*>& curvas);

// A date as a fractional year (2010-07-02 → about 2010.5), for a time axis.
double anoFracionario(const QDate& data);

}  // namespace lumeno
