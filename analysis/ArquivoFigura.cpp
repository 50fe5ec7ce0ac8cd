#include "analysis/ArquivoFigura.h"

#include <algorithm>

namespace lumeno {

QString arquivoFigura(const QString& caminho, const QString& extensao, bool manterPropria) {
    const QString sufixo = QLatin1Char('.') + extensao;
    if (manterPropria && caminho.endsWith(sufixo, Qt::CaseInsensitive))
        return caminho;
    // The file name begins after the last separator of either kind.
    const qsizetype barra =
        std::max(caminho.lastIndexOf(QLatin1Char('/')), caminho.lastIndexOf(QLatin1Char('\\')));
    const qsizetype ponto = caminho.indexOf(QLatin1Char('.'), barra + 1);
    return (ponto < 0 ? caminho : caminho.left(ponto)) + sufixo;
}

}  // namespace lumeno
