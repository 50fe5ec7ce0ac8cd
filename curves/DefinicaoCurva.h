// A curve waiting to be fitted when the curve-adjustment window opens: which
// measurements it takes (an SQL predicate on Medida), how that selection is described,
// the algorithm with its parameter and the colour.
#pragma once

#include <QString>

#include <cstdint>

namespace lumeno {

struct DefinicaoCurva {
    QString Condicao;
    QString Descricao;
    int Algoritmo = 0;
    int Parametro = 0;      // initial h0 in cm (power law) or degree (polynomial)
    std::uint32_t Cor = 0;  // 0x00BBGGRR
};

}  // namespace lumeno
