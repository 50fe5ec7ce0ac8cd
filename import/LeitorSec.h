// Cross-section survey points in text (.sec): line 1 the station code (first number;
// the rest ignored), then one point per line: distance across the section (m) and
// elevation (cm). Blank lines are skipped.
#pragma once

#include "import/LeitorTexto.h"

#include <vector>

namespace lumeno {

struct ArquivoSec {
    int codigo = 0;
    std::vector<PontoSecao> pontos;
};

class LeitorSec {
public:
    // Reads and checks the whole file; throws ErroImportacao naming the line at fault.
    static ArquivoSec ler(const QByteArray& dados);
};

}  // namespace lumeno
