// The extremes of a station's measurements by which the data-analysis window scales its
// three charts: stage, discharge, wetted area and mean velocity, over every row of the
// station in Medida (an empty column reads as 0).
#pragma once

#include "analysis/EscalaGrafico.h"

namespace lumeno {

class Conexao;

struct ExtremosMedicoes {
    FaixaEixo cota{0, 0};
    FaixaEixo vazao{0, 0};
    FaixaEixo area{0, 0};
    FaixaEixo velocidade{0, 0};
};

ExtremosMedicoes lerExtremosMedicoes(Conexao& conexao, int estacao);

}  // namespace lumeno
