// Point sets of the data-analysis window: groups of one station's measurements, each
// with a colour, made by walking through the measurements (kind "Medição", a range of
// measurement numbers that grows as the user steps) or by selecting them by period,
// stage, discharge or number. A set is shown as a menu caption — the kind padded to 10
// characters, the from-value, " a ", the to-value and two spaces — from which the list
// of sets reads it back, and a checked set becomes the definition of a curve that the
// curve-adjustment window fits to its measurements.
//
// Values as shown: measurement numbers as whole numbers, dates dd/mm/yyyy, stages and
// discharges in fixed notation with two decimals. Conditions are rebuilt from the
// converted values, never from the raw text, so a caption cannot carry SQL.
#pragma once

#include "curves/DefinicaoCurva.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace lumeno {

class Consulta;

struct ConjuntoPontos {
    static inline const QString Medicao = QStringLiteral("Medição");
    static inline const QString Data = QStringLiteral("Data");
    static inline const QString Vazao = QStringLiteral("Vazão");
    static inline const QString Cota = QStringLiteral("Cota");

    QString Tipo;           // one of the four kinds above
    QString De;             // from-value as shown
    QString Ate;            // to-value as shown
    std::uint32_t Cor = 0;  // 0x00BBGGRR

    bool operator==(const ConjuntoPontos&) const = default;
};

// The caption of a set: "Medição   12 a 15  ".
QString legendaConjunto(const ConjuntoPontos& conjunto);

// A set read back from its caption: the kind is the first 10 characters without the
// spaces around them; the from-value the first run of non-space characters from the
// tenth character on; the to-value the characters after the following " a " up to the
// next space or the end. Missing parts read as empty; the colour is 0.
ConjuntoPontos lerLegendaConjunto(const QString& legenda);

// A walked set widened to take measurement `numero`: a number above its to-value becomes
// the to-value, one below its from-value the from-value. Only for a set of kind
// "Medição"; true when the set changed. Throws ErroConversao when a value is not a whole
// number.
bool estenderConjunto(ConjuntoPontos& conjunto, int numero);

// The SQL predicate on Medida that selects the set's measurements:
//   Medição → (numero >= F and numero <= T)     Cota  → (cota >= F and cota <= T)
//   Vazão   → (vazao >= F and vazao <= T)       Data  → (data >= 'F′' and data <= 'T′')
// with dates written month first (F′ = mm/dd/yyyy) as SQL text takes them. Throws
// ErroConversao for a value of the wrong form and ErroLumeno for an unknown kind.
QString condicaoConjunto(const ConjuntoPontos& conjunto);

// A selection of measurements by one of four criteria, both limits included.
struct SelecaoPontos {
    enum Tipo { Periodo, Cotas, Vazoes, Medicoes };
    Tipo tipo = Periodo;
    QString dataDe, dataAte;  // Periodo: the dates as typed
    double de = 0, ate = 0;   // Cotas, Vazoes; Medicoes as whole numbers
};

// The set a selection adds, in colour `cor`. Throws ErroConversao ("'…' is not a valid
// date") for an empty or invalid date, before anything else happens.
ConjuntoPontos conjuntoDaSelecao(const SelecaoPontos& selecao, std::uint32_t cor);

// Writes into `consulta` the statement that reads the selected measurements of station
// `estacao` (estacao, numero, area, data, cota, vazao, velocidade) with its parameters.
// Throws ErroConversao for an invalid date.
void prepararSelecao(Consulta& consulta, const SelecaoPontos& selecao, int estacao);

// Algorithm of a row of the set list from its text: 1 (power law) for a text beginning
// "Pote", 2 (polynomial) for "Poli", 0 for anything else ("não definido").
int algoritmoDoTexto(const QString& texto);

// A checked row of the set list: its number in the list (from 1), the set, and the
// "Algoritmo" and "Parâmetro" texts.
struct LinhaConjunto {
    int numero = 0;
    ConjuntoPontos conjunto;
    QString algoritmo;
    QString parametro;
};

// The most curves handed over at once (the curve-adjustment window's list of pending
// definitions holds as many).
constexpr int maximoConjuntosMarcados = 100;

// The pending curve definitions of the checked rows, in their order: condition from the
// set, description = the set's caption, algorithm and parameter from the row's texts,
// colour of the set. Throws ErroLumeno (caption "Erro") when no row is checked, when more
// than `maximoConjuntosMarcados` are, or when a row has no algorithm (the message names
// the row); ErroConversao for a parameter that is not a whole number.
std::vector<DefinicaoCurva> definicoesDosConjuntos(const std::vector<LinhaConjunto>& marcadas);

}  // namespace lumeno
