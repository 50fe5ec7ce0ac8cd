// Measurement summaries in text (.cop): line 1 the station code (first number; the rest
// of the line ignored); then one measurement per line: columns 1–8 the date dd/mm/yy as
// they stand (refused unless they are two digits, "/", two digits, "/", two digits,
// followed by a blank or the line end), then number, stage (cm), discharge (m³/s), mean velocity
// (m/s) and wetted area (m²). Years 00–20 are 2000–2020, 21–99 are 1921–1999. A line with fewer
// than five numbers takes the rest from the following line; blank lines are skipped.
#pragma once

#include "import/LeitorTexto.h"

#include <vector>

namespace lumeno {

struct ArquivoCop {
    int codigo = 0;
    std::vector<ResumoMedicao> medicoes;
};

class LeitorCop {
public:
    // Reads and checks the whole file; throws ErroImportacao naming the line at fault.
    static ArquivoCop ler(const QByteArray& dados);
    // The date columns widened to dd/mm/yyyy.
    static QString alargarData(const QByteArray& colunas);
};

}  // namespace lumeno
