// Fitting a curve to its rows, and the discharge of a fitted curve at a stage.
//
// Power law (AjustarPotencial): Q = K · (H − H0)^M with H = h/100 in metres, fitted as
// the straight line ln Q = ln K + M · ln(H − H0) by least squares for each candidate H0,
// the candidates running upward in steps of one centimetre from a start value to the
// highest step below the lowest stage (and below the stage of the lowest discharge when
// the station has a surveyed section), plus one centimetre below the start; the
// candidate with the highest correlation R wins (the lower one on a tie). Rows whose
// stage is at or below a candidate enter its sums with x = 0.00001. Valid for positive
// discharges: rows with Q ≤ 0 are left out and counted in `linhasDescartadas`.
//
// Polynomial (AjustarPolinomio): Q = a0 + a1·h + … + an·h^n, h in cm, n = Grau (1…8),
// least squares through the normal equations, inverted by LU decomposition with
// implicit (row-scaled) partial pivoting; a pivot below 1e-15 makes the system singular
// and leaves Grau = −1 with zero coefficients.
#pragma once

#include "curves/CurvaTrecho.h"

namespace lumeno {

enum class ResultadoAjuste {
    Ajustado,
    // The curve has no usable rows; its values are left as they were.
    TrechoIndefinido,
    // The algorithm fits nothing (not a power law nor a polynomial).
    NaoAjustado,
};

// Fits by `Algoritmo`. `possuiSecao`: the station has cross-section points (the power
// law then starts at CotaMinSecao and stays below CotaVazaoMin).
ResultadoAjuste AjustarCurva(CurvaTrecho& curva, bool possuiSecao);

// Sets H0 (metres), K, M and R.
ResultadoAjuste AjustarPotencial(CurvaTrecho& curva, bool possuiSecao);

// Sets Coeficientes, or Grau = −1 when the normal equations are singular. Throws
// ErroLumeno "CalcPolyFit: not enough data points" when the degree (read as an unsigned
// 8-bit value, so −1 counts as 255) is not below the number of rows.
void AjustarPolinomio(CurvaTrecho& curva);

// The curve's discharge at stage h (cm). Power law: K · exp(M · ln(h/100 − H0)), and 0
// at or below H0. Polynomial: a0 + Σ ai·h^i, a0 alone when Grau is −1. Any other
// algorithm: 0.
double VazaoCurva(const CurvaTrecho& curva, double h);

// Releases the rows and resets the extremes (CotaMax −10000, CotaMin 10000,
// VazaoMax −10000, VazaoMin 10000).
void LiberarCurvaTrecho(CurvaTrecho& curva);

// k and m of a power-law curve for its current H0, by the same least squares at that
// single h0 (R is kept). Rows at or below H0 and rows with Q ≤ 0 are left out.
void CalcularKMComH0Fixo(CurvaTrecho& curva);

}  // namespace lumeno
