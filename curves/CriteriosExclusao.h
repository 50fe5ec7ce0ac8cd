// Exclusion criteria: ranges of date, stage, discharge, area, measurement number or
// velocity whose measurements are left out of the station's measurement query, of the
// chart's ranges and of every fit, without being deleted. A measurement survives when,
// for every criterion, its value lies below the lower bound or above the upper bound;
// one whose compared column is empty is kept by every criterion.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace lumeno {

class Consulta;

class CriteriosExclusao {
public:
    // Kinds in the order of the criteria window's list.
    enum Tipo { Periodo = 0, Cota = 1, Vazao = 2, Area = 3, Medicoes = 4, Velocidade = 5 };
    // The parameter suffix has two digits: at most 99 criteria.
    static constexpr int maximo = 99;

    struct Criterio {
        int tipo;
        QString de;   // lower bound as shown: a date dd/mm/yyyy or a number with two decimals
        QString ate;  // upper bound
    };

    static QString nomeTipo(int tipo);

    int total() const { return static_cast<int>(criterios_.size()); }
    const Criterio& criterio(int i) const { return criterios_.at(static_cast<size_t>(i)); }
    const std::vector<Criterio>& criterios() const { return criterios_; }

    // Adds a criterion at the end. Throws ErroLumeno beyond `maximo` criteria and
    // ErroConversao when a bound does not convert (a date for Período, a number otherwise).
    void inserir(int tipo, const QString& de, const QString& ate);
    void remover(int i);
    // Removes every criterion.
    void LimpaCriterios() { criterios_.clear(); }

    // Adds the clause line of every criterion to the WHERE part of `consulta` (after its
    // condition lines, before its ordering line when it ends with one) and sets the
    // clauses' parameters. With no criterion the query is left as it is.
    void FormatQuery(Consulta& consulta) const;

private:
    std::vector<Criterio> criterios_;
};

}  // namespace lumeno
