#include "curves/AvisoAjuste.h"

#include "app/Formato.h"
#include "curves/AjusteCurva.h"

namespace lumeno {

QString avisoDescartadas(int total) {
    if (total == 1)
        return QStringLiteral("1 medição com vazão nula ou negativa foi ignorada no ajuste");
    return QStringLiteral("%1 medições com vazão nula ou negativa foram ignoradas no ajuste")
        .arg(total);
}

QStringList validadeDescartadas(const CurvaTrecho& curva, int largura) {
    if (curva.Algoritmo != AlgoritmoCurva::Potencial)
        return {};
    const std::vector<double> numeros = NumerosDescartados(curva);
    if (numeros.empty())
        return {};
    QStringList linhas;
    QString linha = QStringLiteral("Ignoradas (vazão nula ou negativa):");
    for (std::size_t i = 0; i < numeros.size(); ++i) {
        const QString numero =
            numeroTexto(numeros[i]) + (i + 1 < numeros.size() ? QStringLiteral(",") : QString());
        if (linha.size() + 1 + numero.size() > largura) {
            linhas << linha;
            linha = QStringLiteral("  ") + numero;
        } else {
            linha += QLatin1Char(' ') + numero;
        }
    }
    linhas << linha;
    return linhas;
}

}  // namespace lumeno
