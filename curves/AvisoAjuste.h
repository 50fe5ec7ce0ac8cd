// What a fit tells the user about the rows it left out: the power law takes no row whose
// discharge is zero or negative (its logarithm does not exist), and says so once per fit
// and in the curve's validity lines.
#pragma once

#include "curves/CurvaTrecho.h"

#include <QString>
#include <QStringList>

namespace lumeno {

// "2 medições com vazão nula ou negativa foram ignoradas no ajuste" (singular for one).
QString avisoDescartadas(int total);

// The validity lines that list the rows left out, by number, each at most `largura`
// characters: "Ignoradas (vazão nula ou negativa): 3, 7, 12"; none when no row was.
QStringList validadeDescartadas(const CurvaTrecho& curva, int largura = 60);

}  // namespace lumeno
