// Creating a curve from a selection of one station's measurements: its rows (ordered
// by measurement number) and the extremes of the selection, read from the database.
// The selection is an SQL predicate on the columns of Medida; the exclusion criteria
// reach the statements through `formatar` (see CriteriosExclusao::FormatQuery).
#pragma once

#include "curves/CurvaTrecho.h"

#include <QStringList>

#include <functional>

namespace lumeno {

class Conexao;
class Consulta;

// Appends the exclusion clauses and their parameters to a statement.
using FormatadorConsulta = std::function<void(Consulta&)>;

// Clears the record, sets algorithm, parameter (Grau and H0, in cm), colour, station and
// condition, computes the extremes and loads the rows. Returns false when the selection
// has no rows (the curve is created all the same; the caller reports "Há trecho
// indefinido!").
bool CriarCurvaTrecho(CurvaTrecho& curva, const QStringList& condicao, int algoritmo, int parametro,
                      std::uint32_t cor, int estacao, Conexao& conexao,
                      const FormatadorConsulta& formatar);

// CotaMax, CotaMin, VazaoMax, VazaoMin of the selection (with the exclusion criteria; an
// empty aggregate reads as 0), CotaVazaoMin = the stage of the row with the lowest
// discharge (without them), and CotaMinSecao = the lowest section elevation when the
// selection has rows and the station has section points.
void CalcularExtremos(CurvaTrecho& curva, const QStringList& condicao, Conexao& conexao,
                      const FormatadorConsulta& formatar);

// Text of a list of lines: each line followed by a line break.
QString textoLinhas(const QStringList& linhas);

}  // namespace lumeno
