// The statistics the validation of a rating rests on: Student's t distribution, the sign,
// run and bias tests of a set of deviations, and Pettitt's change-point test of a series.
//
// Student's t: the distribution function through the regularized incomplete beta function,
//   F(t; ν) = 1 − ½·I_x(ν/2, ½) with x = ν/(ν + t²) for t ≥ 0 (symmetric below), I_x by
//   its continued fraction (modified Lentz, relative accuracy ~1e-14); the quantile by
//   bisection on F, to the last digits a double holds. ν is real and ≥ 1 (any ν > 0 works).
// Sign test (is a curve biased high or low): of the N deviations that are not zero, P are
//   positive; z = (|P − N/2| − 0.5) / (0.5·√N); passes when z < 1.96. Zero deviations have
//   no sign and are left out.
// Run test (are the deviations sequenced): the deviations in the order given (by stage),
//   zeros left out, S changes of sign between neighbours among N;
//   z = (|S − (N − 1)/2| − 0.5) / (0.5·√(N − 1)); passes when z < 1.96.
// Bias test: the mean P̄ of N percentage deviations against its standard error
//   s/√N (s with N − 1 in the denominator), t = P̄ / (s/√N); passes when |t| < t(N − 1)
//   at 97.5 %. With no spread at all (s = 0) t is 0 when P̄ = 0 (passes) and infinite
//   otherwise (a constant offset; fails).
// Every test needs at least `minimoAmostra` values (after zeros are left out); with fewer
//   its verdict is "amostra insuficiente" and its figures stay 0 — never NaN.
// Pettitt: x_1 … x_N in time order, U_t = Σ_{i≤t} Σ_{j>t} sgn(x_i − x_j) for t = 1 … N − 1
//   (computed exactly in integers by U_t = U_{t−1} + Σ_j sgn(x_t − x_j)), K = max |U_t|
//   (the first t on a tie), p ≈ 2·exp(−6K² / (N³ + N²)) capped at 1. The change lies
//   between x_t and x_{t+1}: x_{t+1} opens the new regime.
#pragma once

#include <QString>

#include <vector>

namespace lumeno {

// The fewest values a test is made on.
constexpr int minimoAmostra = 5;
// The normal quantile the sign and run tests compare z with (95 %, two-sided).
constexpr double zCritico = 1.96;

enum class Veredito { AmostraInsuficiente, Passa, NaoPassa };

// "passa", "não passa", "amostra insuficiente".
QString textoVeredito(Veredito v);

// I_x(a, b) for a, b > 0 and 0 ≤ x ≤ 1. Throws ErroLumeno outside that domain.
double BetaIncompletaRegularizada(double a, double b, double x);

// P(T ≤ t) for Student's t with `graus` > 0 degrees of freedom.
double DistribuicaoT(double t, double graus);

// The t with P(T ≤ t) = p, 0 < p < 1. Throws ErroLumeno outside that domain.
double QuantilT(double p, double graus);

// The two-sided 95 % quantile, t(0.975; graus).
inline double TCritico95(double graus) {
    return QuantilT(0.975, graus);
}

struct ResultadoTeste {
    Veredito veredito = Veredito::AmostraInsuficiente;
    int n = 0;               // values the test used (zeros left out by the sign and run tests)
    int contagem = 0;        // sign test: positives P; run test: sign changes S
    double estatistica = 0;  // z, or t of the bias test (may be ±infinity, see above)
    double limite = 0;       // 1.96, or t(N − 1) of the bias test
    double media = 0;        // bias test: mean percentage deviation
    double erroPadrao = 0;   // bias test: s/√N
};

ResultadoTeste TesteSinais(const std::vector<double>& desvios);
// `desvios` in the order the sequence is judged in (by stage).
ResultadoTeste TesteSequencias(const std::vector<double>& desvios);
ResultadoTeste TesteVies(const std::vector<double>& percentuais);

struct ResultadoPettitt {
    Veredito veredito = Veredito::AmostraInsuficiente;  // NaoPassa: a change (p < 0.05)
    int n = 0;
    // Values up to this one (1-based t) form the first regime; 0 when there is no series.
    int t = 0;
    long long K = 0;
    double p = 1;
};

ResultadoPettitt TestePettitt(const std::vector<double>& serie);

}  // namespace lumeno
