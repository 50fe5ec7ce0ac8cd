// One fitted curve ("trecho") of a station's rating curve, and the rows it was fitted to.
//
// Units: stage `cota` in centimetres, discharge `vazao` in m³/s. The power law
// Q = K · (h/100 − H0)^M works in metres (H0 in metres once fitted); the polynomial
// Q = a0 + a1·h + … + an·h^n works on the stage in centimetres.
#pragma once

#include <QDate>
#include <QStringList>
#include <QVariant>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumeno {

// Algorithm of a curve. Any other value leaves a curve unfitted and undrawn.
namespace AlgoritmoCurva {
constexpr int Potencial = 1;
constexpr int Polinomial = 2;
}  // namespace AlgoritmoCurva

// One `Medida` row as a curve holds it (all columns of the table).
struct LinhaMedida {
    int idMedida = 0;
    double estacao = 0;
    double numero = 0;
    QDate data;  // invalid when empty
    double cota = 0;
    double vazao = 0;
    QVariant area;        // may be empty (mandatory-point rows)
    QVariant velocidade;  // may be empty
    double pontoObrigatorio = 0;
};

// The H0 search of a power-law fit: every candidate tried, in the order tried, with the
// correlation coefficient r of its straight line ln Q = ln K + M · ln(H − H0).
struct BuscaH0 {
    double inicio = 0;               // start value s (cm)
    std::vector<double> candidatos;  // metres: s/100 upward in centimetres, then (s − 1)/100
    std::vector<double> r;           // r of each candidate; NaN where it decided nothing
    int vencedor = -1;               // index of the candidate kept; −1 when none decided

    bool vazia() const { return candidatos.empty(); }
    // h0 at the edge of the search: the candidate kept is the lowest one tried (the last,
    // one centimetre below the start value), or the start value itself while the candidate
    // below it does not show r falling. r was then still rising toward the start value,
    // which set h0, not a peak of r. A single candidate is both. (The start value winning
    // over a lower r one centimetre below is a peak of r, which the data chose.)
    bool noLimite() const {
        if (vencedor < 0 || candidatos.size() != r.size())
            return false;
        const std::size_t v = std::size_t(vencedor), ultimo = candidatos.size() - 1;
        return v == ultimo || (v == 0 && !(r[ultimo] < r[0]));
    }
};

struct CurvaTrecho {
    // The curve's measurement rows, ordered by `numero`; loaded when the curve is
    // created and kept while it exists.
    std::vector<LinhaMedida> Medicoes;
    bool medicoesAbertas = false;

    int Algoritmo = 0;
    int Grau = 0;   // creation parameter; polynomial degree; −1 after a failed polynomial fit
    double H0 = 0;  // creation parameter in cm; fitted h0 in metres after a power-law fit
    double K = 0;
    double M = 0;
    double R = 0;
    double CotaMinSecao = 0;  // cm
    double CotaMax = -10000;  // cm
    double CotaMin = 10000;   // cm
    double VazaoMax = -10000;
    double VazaoMin = 10000;
    double CotaVazaoMin = 0;  // cm
    std::uint32_t Cor = 0;    // 0x00BBGGRR
    std::array<double, 10> Coeficientes{};
    int Estacao = 0;
    // The lines of the SQL predicate on Medida that selected the rows (as created).
    QStringList Condicao;

    // Rows left out of the power-law sums because their discharge is not positive.
    int linhasDescartadas = 0;
    // The search of the last power-law fit; empty before one (and for a curve read back
    // from a saved rating, which keeps its parameters, not its search).
    BuscaH0 Busca;

    int totalLinhas() const { return static_cast<int>(Medicoes.size()); }
};

}  // namespace lumeno
