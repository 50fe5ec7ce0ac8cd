// How the h0 of a power-law curve was decided, for the user to judge it: the correlation
// coefficient r of every candidate of the search against h0, the lowest point of the
// cross-section and the lowest stage of the curve's rows beside them, and the curve refitted
// with h0 fixed half a metre below and above the one kept, with the discharge each gives at
// the median measured stage. When r keeps rising toward the start value, h0 and m slide
// with it while the discharges over the measured range barely move: h0 is then not a
// figure the data determine.
//
// Units: h0 in metres, stages in centimetres, discharge in m³/s.
// Method: the series is the curve's own search (BuscaH0, kept by the fit); a curve read
//   back from a saved rating keeps no search, so it is searched again over its current
//   rows from its start value (InicioBuscaH0, the creation parameter kept in Grau), without
//   touching the curve. k and m at a fixed h0 by least squares on ln Q against ln(H − h0)
//   (CalcularKMComH0Fixo), rows at or below that h0 and rows with Q ≤ 0 left out.
// Decided edge cases: candidates that decided nothing (NaN r) are not in the series; the
//   median of an even number of stages is the mean of the middle two; mandatory-point
//   rows are not measured stages (all rows count only when the curve has nothing else);
//   an alternative whose rows have no two distinct stages above its h0, or whose h0 is
//   not below the median stage, gives no discharge (`definida` false).
#pragma once

#include "curves/CurvaTrecho.h"

#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace lumeno {

// One point of the series: a candidate h0 (m) and its r.
struct PontoBuscaH0 {
    double h0 = 0;
    double r = 0;
};

// The curve refitted at a fixed h0.
struct AlternativaH0 {
    double H0 = 0;  // m
    double K = 0;   // 0 when the rows do not determine the line
    double M = 0;
    double vazao = 0;  // at the median measured stage, m³/s
    int medicoes = 0;  // rows used (above h0, positive discharge)
    bool definida = false;
};

struct DiagnosticoH0 {
    BuscaH0 busca;                     // the curve's search, or the one redone
    bool refeita = false;              // searched again: the curve had none kept
    std::vector<PontoBuscaH0> serie;   // in increasing h0
    double cotaMediana = 0;            // cm
    double menorCota = 0;              // the lowest stage of the curve's rows, cm
    std::optional<double> fundoSecao;  // the section's lowest point, cm
    // h0 − 0.5 m, the h0 the search kept, h0 + 0.5 m. Empty when no candidate decided.
    std::optional<std::array<AlternativaH0, 3>> alternativas;
};

// The series of a search in increasing h0 (the last candidate, one centimetre below the
// start, comes first), without the candidates that decided nothing.
std::vector<PontoBuscaH0> SerieBuscaH0(const BuscaH0& busca);

// The median stage of the curve's measured rows (cm); 0 without rows.
double CotaMedianaMedida(const CurvaTrecho& curva);

// The curve's k and m at h0 fixed at `h0` (m), and the discharge they give at stage `cota`.
AlternativaH0 AlternativaComH0(const CurvaTrecho& curva, double h0, double cota);

// The start value (cm) of the curve's search: the one its search kept, else the one it was
// created with — the section's lowest point, or its creation parameter (Grau).
double InicioBuscaCurva(const CurvaTrecho& curva, bool possuiSecao);

// Everything the diagnostics show for a power-law curve. Throws ErroLumeno when the search
// must be redone and is too long to run.
DiagnosticoH0 DiagnosticarH0(const CurvaTrecho& curva, bool possuiSecao);

// Fits the power-law curve again by its search from the start value `inicio` (cm, whatever
// the section), keeping the search; `inicio` becomes its creation parameter (Grau). The
// lines about h0 among its validity lines `validade` are replaced by those of the new fit
// (the others stay, in their order). Throws ErroLumeno, with nothing changed, when the
// start value is not below the curve's lowest stage, when the search would be too long, or
// when no candidate determines a curve.
void RefazerComInicio(CurvaTrecho& curva, double inicio, bool possuiSecao, QStringList& validade);

}  // namespace lumeno
