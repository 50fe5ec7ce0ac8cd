// Extrapolation of a fitted curve above its highest measured stage: 30 points (stage,
// discharge) from the curve's top stage up to a target stage, by one of three methods.
// Units: stage h in centimetres, discharge Q in m³/s, area A in m², hydraulic radius R in
// metres; the section factor F = A · R^0.666 (the exponent is the constant 0.666, and
// R^0.666 is computed as 2^(0.666 · log₂ R)).
//
// Stages (all methods): h_k = Int(h_top + (H − h_top) / 29 · (k − 1)), k = 1 … 30, evaluated
//   in that order in extended precision (long double) and truncated toward zero to whole
//   centimetres. h_1 is h_top truncated; h_30 is H, or H − 1 when the division leaves the
//   sum a hair below a whole H (h_top 0, H 238 ends at 237).
// Logarithmic: Q_k = the curve's power law at h_k (VazaoCurva). Power-law curves only. The
//   record's factors and areas stay 0.
// Stevens: the least-squares line F = a + b · Q over every measurement given (measured
//   discharge Q_i, section factor F_i of its stage, with the measured area when it is
//   positive, else the section's), then Q_k = (F_k − a) / b with the section's F_k at h_k.
//   A measurement at or below the section's bed enters with F = 0.
// Manning: Q_k = K · F_k with the K the user chooses; the K of each measurement,
//   K_i = Q_i / F_i, is offered as a guide, except for measurements with F_i = 0, which
//   have none. K = 0 gives 30 points of zero discharge.
// Decided edge cases: every measurement with the same discharge (the Stevens denominator
//   n·ΣQ² − (ΣQ)² is zero) and a zero Stevens slope are refused with ErroLumeno naming the
//   cause; so is any computed discharge that is not a finite number. Nothing is returned
//   half done: a refused extrapolation leaves no record.
#pragma once

#include "hydraulics/GeometriaSecao.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumeno {

class Conexao;
struct CurvaTrecho;

namespace MetodoExtrapolacao {
constexpr int Logaritmico = 1;
constexpr int Stevens = 2;
constexpr int Manning = 3;
}  // namespace MetodoExtrapolacao

constexpr int pontosExtrapolacao = 30;

struct PontoExtrapolado {
    double vazao = 0;  // m³/s
    double cota = 0;   // cm
};

// One extrapolation, as drawn, listed and exported. A plain value: it holds everything
// needed to draw it again without recomputing.
struct RegistroExtrapolacao {
    int metodo = 0;
    std::array<PontoExtrapolado, pontosExtrapolacao> pontos{};  // increasing stage
    std::array<double, pontosExtrapolacao> fatores{};           // F at each point's stage
    std::array<double, pontosExtrapolacao> areas{};             // section's A at each stage
    std::uint32_t cor = 0;                                      // 0x00BBGGRR
    double K = 0;                                               // Manning only
    int curva = 0;  // the number of the curve it continues (set when it is recorded)
};

// A measurement as the Stevens and Manning methods use it.
struct MedicaoExtrapolacao {
    double cota = 0;   // cm
    double vazao = 0;  // m³/s
    double area = 0;   // measured area, m²; 0 when not measured
};

// The 30 stages from `cotaTopo` to `cotaAlvo` (cm).
std::array<double, pontosExtrapolacao> CotasExtrapoladas(double cotaTopo, double cotaAlvo);

// R^0.666 as 2^(0.666 · log₂ R); 0 for R ≤ 0.
double Potencia0666(double r);

// F = A · R^0.666.
inline double FatorSecao(double area, double raio) {
    return area * Potencia0666(raio);
}

// A record of `metodo` with its colour and the stages from `cotaTopo` to `cotaAlvo`;
// discharges, factors and areas 0.
RegistroExtrapolacao NovaExtrapolacao(int metodo, double cotaTopo, double cotaAlvo,
                                      std::uint32_t cor);

// Section factors (CalcularValoresDiversos): the factor of each measurement, in the order
// given, into `fatoresMedicoes` (resized to the measurements), and the section's factor and
// area at each stage of the record. The geometry is computed once per distinct stage; the
// stages are split across `tarefas` threads (0: one per core, when stages × profile points
// reach 200,000), each on its own copy of the profile, which changes nothing in the result.
void CalcularValoresDiversos(SecaoTransversal& secao,
                             const std::vector<MedicaoExtrapolacao>& medicoes,
                             RegistroExtrapolacao& registro, std::vector<double>& fatoresMedicoes,
                             int tarefas = 0);

// Logarithmic: the curve's discharges at the record's stages. Throws ErroLumeno when the
// curve is not a power law or a discharge is not finite.
void ExtrapolarLogaritmica(const CurvaTrecho& curva, RegistroExtrapolacao& registro);

struct RetaStevens {
    double a = 0;  // F at Q = 0
    double b = 0;  // dF/dQ
};

// The least-squares line F = a + b·Q over the measurements (discharges from `medicoes`,
// factors from `fatoresMedicoes`, same order). Throws ErroLumeno when it is undetermined
// or flat.
RetaStevens RegressaoStevens(const std::vector<MedicaoExtrapolacao>& medicoes,
                             const std::vector<double>& fatoresMedicoes);

// Q_k = (F_k − a) / b. Throws ErroLumeno when a discharge is not finite.
void ExtrapolarStevens(const RetaStevens& reta, RegistroExtrapolacao& registro);

// K_i = Q_i / F_i of each measurement; none where F_i is not positive.
std::vector<std::optional<double>> KMedicoes(const std::vector<MedicaoExtrapolacao>& medicoes,
                                             const std::vector<double>& fatoresMedicoes);

// Q_k = K · F_k; K is kept in the record. Throws ErroLumeno when a discharge is not finite.
void ExtrapolarManning(double K, RegistroExtrapolacao& registro);

// The bank check: the top of the lower bank (cm) on either side of the station's lowest
// section point. A side without points reads as 0.
struct MargensSecao {
    double meio = 0;      // distance (m) of the lowest point; the largest when several
    double esquerda = 0;  // highest Y left of it (cm)
    double direita = 0;   // highest Y right of it (cm)
    double menor() const { return direita > esquerda ? esquerda : direita; }
};
MargensSecao LerMargens(Conexao& conexao, int estacao);

}  // namespace lumeno
