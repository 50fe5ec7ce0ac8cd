// Fitting a curve to its measurement rows, and the discharge a fitted curve gives at a
// stage. Units: stage h (`cota`) in centimetres, discharge Q (`vazao`) in m³/s.
//
// Power law (AjustarPotencial): Q = K · (H − H0)^M, H = h/100 in metres, H0 in metres.
//   Method: for each candidate H0 the straight line ln Q = ln K + M · ln(H − H0) is fitted
//   by least squares; the candidate with the highest correlation coefficient R wins (on a
//   tie the earlier one stays). The candidates run upward in steps of one centimetre from
//   a start value s (cm) — the lowest point of the cross-section when the station has one,
//   otherwise the curve's creation parameter — while they stay below the lowest stage of
//   the selection (and, with a section, below the stage of its lowest discharge); then
//   comes one last candidate, one centimetre below s. A row at or below a candidate enters
//   that candidate's sums with x = 0.00001 in place of ln(H − H0). A search of more than
//   `maximoCandidatosH0` candidates (a start value more than 1 km of stage below the
//   limit, or not a usable number) is refused with ErroLumeno before it starts.
//   Validity: positive discharges only — rows with Q ≤ 0 are left out and counted in
//   `linhasDescartadas`. The curve is defined for H > H0 and meant for stages from
//   CotaMin upward. Needs at least two distinct stages among the rows used.
//   Sums and candidates in IEEE double, rows in `numero` order, and ln(H − H0) from
//   LogaritmosAcimaDe (curves/Logaritmos.h), so the result is reproducible to the bit —
//   also when the candidates are split across the cores (ParalelismoBusca), which only
//   changes how long the search takes.
//   On request the search hands back every candidate with its r (BuscaH0), the very
//   values it compared; a candidate whose rows all have the same x decides nothing and
//   gets NaN. Each block of candidates writes its own slice, so keeping them costs one
//   store per candidate.
//
// Polynomial (AjustarPolinomio): Q = a0 + a1·h + … + an·h^n, h in cm (not centred or
//   scaled), n = Grau.
//   Method: least squares through the normal equations Σ h^(r+c) · a_c = Σ Q·h^r, whose
//   matrix is inverted by LU decomposition with implicit (row-scaled) partial pivoting.
//   Validity: degree 0 … 8 and fewer than the number of rows; the rows need more distinct
//   stages than the degree, otherwise the matrix is singular (a pivot below 1e-15 counts
//   as zero), Grau becomes −1 and the curve evaluates to 0. The high powers of h make the
//   system ill-conditioned for large degrees; results are meant for the stage range of
//   the data.
#pragma once

#include "curves/CurvaTrecho.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumeno {

enum class ResultadoAjuste {
    // Parameters (power law) or coefficients (polynomial) set.
    Ajustado,
    // Power law without a usable row: nothing changed but `linhasDescartadas` (and the
    // search asked for, emptied). The caller
    // shows "Não é possível calcular parâmetros: trecho indefinido!".
    TrechoIndefinido,
    // The algorithm fits nothing (neither power law nor polynomial).
    NaoAjustado,
    // The rows do not determine the curve: a polynomial's singular normal equations
    // (Grau = −1, coefficients 0), or a power law whose rows have no spread in
    // ln(H − H0) for any candidate — a single row, a single stage, or every stage at or
    // below the only candidate (H0 = K = M = R = 0). Either curve evaluates to 0.
    Indeterminado,
};

// The most candidates an H0 search may try: one per centimetre over 1 km of stage.
constexpr int maximoCandidatosH0 = 100000;

// Fits by `Algoritmo`: power law or polynomial; anything else → NaoAjustado.
// `possuiSecao`: the station has cross-section points. A power law keeps its search in
// `curva.Busca` (a polynomial empties it). Throws what AjustarPolinomio throws.
ResultadoAjuste AjustarCurva(CurvaTrecho& curva, bool possuiSecao);

// How the candidates of the H0 search are spread over the processor's cores. The result
// does not depend on it: blocks of candidates are searched at once and their winners
// compared in candidate order by the same rule.
struct ParalelismoBusca {
    // Blocks (threads) to use; 0: one per core.
    int tarefas = 0;
    // Below this many candidate × row evaluations the search runs on the calling thread.
    std::size_t trabalhoMinimo = 200000;
};

// The start value of the H0 search (cm): CotaMinSecao when `possuiSecao`, else the
// current H0 (the creation parameter).
double InicioBuscaH0(const CurvaTrecho& curva, bool possuiSecao);

// Sets H0 (metres), K, M and R by the search described above from InicioBuscaH0, and
// `linhasDescartadas`. With `busca`, also every candidate with its r (emptied when there is
// no usable row). Throws ErroLumeno (naming the start value and the lowest stage) for a
// search too long to run; the curve and `busca` are then untouched.
ResultadoAjuste AjustarPotencial(CurvaTrecho& curva, bool possuiSecao,
                                 const ParalelismoBusca& paralelismo = {},
                                 BuscaH0* busca = nullptr);

// The same search from the start value `inicio` (cm), whatever the section (which still
// bounds the candidates by the stage of the lowest discharge).
ResultadoAjuste AjustarPotencialDesde(CurvaTrecho& curva, double inicio, bool possuiSecao,
                                      const ParalelismoBusca& paralelismo = {},
                                      BuscaH0* busca = nullptr);

// The candidates of the H0 search (metres) in the order they are tried, from InicioBuscaH0
// or from `inicio` (cm); throws as AjustarPotencial does for a search too long to run.
std::vector<double> CandidatosH0(const CurvaTrecho& curva, bool possuiSecao);
std::vector<double> CandidatosH0(const CurvaTrecho& curva, double inicio, bool possuiSecao);

// Sets Coeficientes[0 … Grau] (others 0), or Grau = −1 when the normal equations are
// singular. Throws ErroLumeno "CalcPolyFit: not enough data points" when the degree, read
// as an unsigned 8-bit value (−1 counts as 255), is not below the number of rows, and
// ErroLumeno when the degree is outside 0 … 8; the coefficients are then 0.
ResultadoAjuste AjustarPolinomio(CurvaTrecho& curva);

// The curve's discharge at stage h (cm). Power law: K · exp(M · ln(h/100 − H0)), 0 at or
// below H0. Polynomial: a0 + Σ ai·h^i, i = 1 … Grau (a0 alone when Grau is −1). Any other
// algorithm: 0.
double VazaoCurva(const CurvaTrecho& curva, double h);

// k and m of a power-law curve for its current H0 (metres), by the same least squares at
// that single h0; R is kept. Rows at or below H0 and rows with Q ≤ 0 are left out; without
// two distinct stages above H0, K = M = 0.
void CalcularKMComH0Fixo(CurvaTrecho& curva);

// The numbers of the rows that a power-law fit leaves out (discharge not positive), in
// row order.
std::vector<double> NumerosDescartados(const CurvaTrecho& curva);

// Releases the rows and resets the extremes (CotaMax −10000, CotaMin 10000,
// VazaoMax −10000, VazaoMin 10000).
void LiberarCurvaTrecho(CurvaTrecho& curva);

}  // namespace lumeno
