// "Abrir estação de exemplo": the demonstration station built into the program is
// imported into the current database — or, when a station with its code is there
// already, opened as it is — and shown in the curve-adjustment window with a power-law
// curve fitted over all its measurements and the curve's equation on the chart.
#pragma once

#include <QString>

namespace lumeno {

struct Contexto;

// The built-in copies of the demonstration files (demo/ of the source tree).
QString arquivoCopExemplo();
QString arquivoSecExemplo();

void abrirEstacaoExemplo(Contexto& contexto);

}  // namespace lumeno
