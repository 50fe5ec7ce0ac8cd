// The file a chart picture is written to.
#pragma once

#include <QString>

namespace lumeno {

// `caminho` with the extension of its file name replaced by "." + `extensao`. The
// extension runs from the first "." of the file name (not of the folders), so
// "curva.final.png" becomes "curva.bmp". With `manterPropria`, a name that already ends
// in "." + `extensao` (case ignored) is kept as it is: "curva.final.png" stays when a
// PNG picture was asked for.
QString arquivoFigura(const QString& caminho, const QString& extensao, bool manterPropria = false);

}  // namespace lumeno
