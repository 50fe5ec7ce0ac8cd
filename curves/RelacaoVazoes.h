// The listing of computed discharges and deviations of a station's measurements, and
// its export to a spreadsheet.
#pragma once

#include "curves/TabelaDesvios.h"

#include <QStringList>
#include <QVariantList>

#include <vector>

namespace lumeno {

class Consulta;

// One row per measurement of `medidas` (in its order): stage and discharge with two
// decimals, the computed discharge Q·(100 + d)/100 from the rounded deviation d, the
// deviation text, the number and the date. For a measurement without a deviation the
// computed-discharge cell stays empty. The cursor of `medidas` ends where it was.
std::vector<QStringList> linhasRelacaoVazoes(Consulta& medidas, const TabelaDesvios& desvios);

// Writes a listing to a workbook: "Código: " + codigo in B1, the header row from B2
// (empty texts left out), each row from B3 with the first five columns as numbers (the
// deviation without its "%") and the others (the date, …) as text. Empty cells stay empty.
// The rows of `anexo` follow from column B after one empty row: numbers as numbers, texts
// as texts, null cells left empty.
void exportarRelacaoVazoes(const QString& arquivo, const QString& codigo,
                           const QStringList& cabecalho, const std::vector<QStringList>& linhas,
                           const std::vector<QVariantList>& anexo = {});

}  // namespace lumeno
