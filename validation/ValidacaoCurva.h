// The validation of one fitted curve against the measurements it was fitted on: its
// standard error, the confidence band of its mean relation, the sign, run and bias tests
// and its outlying measurements. A pure function of the curve's parameters and rows, so
// it serves any curve the curve-adjustment window holds, however it got there.
//
// Rows used: measurements (mandatory-point rows are weights, not measurements, and stay
//   out) with Q > 0 whose computed discharge Qc is positive — for a power law, those above
//   h0 (h/100 > H0). N is their number; d_i = ln Q_i − ln Qc_i (positive when the
//   measurement lies above the curve); the percentage deviation is (Qc − Q)/Q × 100, the
//   figure of the deviations listing. A |d_i| below 1e-12 is the rounding of the arithmetic
//   on a measurement that lies on the curve: it counts as 0 (no sign, no spread).
// Standard error of estimate: Se = √(Σ d_i² / (N − p)), p = 2 for a power law (the
//   practice for ratings) and the number of coefficients (degree + 1) for a polynomial;
//   as a percentage 100·Se. Needs N > p.
// Mean relation (power law only), h in cm, x = ln(h/100 − H0):
//   S_mr(h) = Se·√(1/N + (x − x̄)² / Σ (x_i − x̄)²), the 95 % band
//   ln Qc(h) ± t(0.975; N − 2)·S_mr(h). Needs Se and rows at two different stages.
// Tests (Estatistica.h): signs of d_i; runs of the signs of d_i with the rows in stage
//   order (measurement number on equal stages); bias of the percentage deviations.
// Outliers: |d_i| > 2·Se (a warning) and |d_i| > 3·Se (marked on the chart); judged with
//   the tests, from minimoAmostra rows on.
// A curve without a usable fit (K = 0, or a polynomial whose fit failed) leaves no row
//   used, and every figure reads "amostra insuficiente".
#pragma once

#include "curves/CurvaTrecho.h"
#include "validation/Estatistica.h"

#include <QDate>
#include <QString>
#include <QVariantList>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace lumeno {

enum class Atipica { Nao, Aviso, Marcada };  // |d| ≤ 2 Se, > 2 Se, > 3 Se

// "> 2 Se", "> 3 Se", or empty.
QString textoAtipica(Atipica a);

struct MedicaoValidada {
    double numero = 0;
    QDate data;
    double cota = 0;            // cm
    double vazao = 0;           // m³/s, measured
    double vazaoCalculada = 0;  // m³/s, the curve's
    double desvioLog = 0;       // ln Q − ln Qc
    double percentual = 0;      // (Qc − Q)/Q × 100
    Atipica atipica = Atipica::Nao;
};

struct ValidacaoCurva {
    int algoritmo = 0;
    int parametros = 2;
    // The rows used, in the curve's order (measurement number).
    std::vector<MedicaoValidada> medicoes;
    int obrigatorias = 0;  // mandatory-point rows left out
    int deixadas = 0;      // measurements left out (Q ≤ 0, at or below h0, Qc ≤ 0)

    bool possuiErroPadrao = false;
    double Se = 0;

    // The mean relation of a power law.
    bool possuiFaixa = false;
    double h0 = 0;               // metres
    double mediaLn = 0;          // x̄
    double somaQuadradosLn = 0;  // Σ (x_i − x̄)²
    double tFaixa = 0;           // t(0.975; N − 2)

    ResultadoTeste sinais;
    ResultadoTeste sequencias;
    ResultadoTeste vies;

    bool atipicasAvaliadas = false;
    int atipicas2 = 0;  // |d| > 2 Se (those over 3 Se included)
    int atipicas3 = 0;  // |d| > 3 Se

    int N() const { return static_cast<int>(medicoes.size()); }
    // Of the sign, run and bias tests: how many were made and how many passed.
    int testesFeitos() const;
    int testesAprovados() const;
};

ValidacaoCurva ValidarCurva(const CurvaTrecho& curva);

// S_mr at stage `cota` (cm); empty without a band or at or below h0.
std::optional<double> ErroPadraoRelacaoMedia(const ValidacaoCurva& v, double cota);

// The band along the curve's line (the stages of pontosCurva): at each stage the curve's
// discharge and the band's limits Qc·exp(∓t·S_mr). Empty without a band; stages where the
// curve has no discharge are left out.
struct PontoFaixa {
    double cota;
    double vazao;
    double inferior;
    double superior;
};
std::vector<PontoFaixa> FaixaConfianca(const CurvaTrecho& curva, const ValidacaoCurva& v);

// One line of the validation as the windows and the spreadsheet show it.
struct LinhaValidacao {
    QString figura;
    QString descricao;
    QString resultado;            // "passa", "não passa", "amostra insuficiente" or empty
    std::optional<double> valor;  // the figure as a number (Se, z, t…), when it has one
    std::optional<int> contagem;  // its count (N, P, S…), when it has one
};

std::vector<LinhaValidacao> DescreverValidacao(const ValidacaoCurva& v);

// The flag of each measurement (by number) from the last of `curvas` whose validation uses
// it — the curve whose deviation the listing shows.
std::map<double, Atipica> AtipicasPorMedicao(const std::vector<const CurvaTrecho*>& curvas);

// The validation of `curvas` (curvas[i] is curve i + 1) as spreadsheet rows: a title, then
// per curve its name, a header and its lines (figure, number, count, result, description);
// numbers as doubles, texts as strings, empty cells as null.
std::vector<QVariantList> PlanilhaValidacao(const std::vector<const CurvaTrecho*>& curvas);

// Numbers in the validation's texts: two decimals by default; infinity as "∞".
QString numeroValidacao(double valor, int casas = 2);

}  // namespace lumeno
