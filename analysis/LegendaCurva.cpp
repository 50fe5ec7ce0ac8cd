#include "analysis/LegendaCurva.h"

#include "app/Formato.h"

#include <cmath>

namespace lumeno {

QString cabecalhoLegenda(const QString& codigo, const QString& descricao) {
    return QStringLiteral("<font face=\"Arial\" size = \"8\"><b>") + codigo + QLatin1Char(' ') +
           descricao + QStringLiteral("</b></font>");
}

QString GeraLegendaTexto(const CurvaTrecho& curva) {
    const QString c = corHtml(curva.Cor);
    const QString fonte8 =
        QStringLiteral("<font face=\"Arial\" size = \"8\" color=\"#") + c + QStringLiteral("\">");
    const QString fonte7 =
        QStringLiteral("<font face=\"Arial\" size = \"7\" color=\"#") + c + QStringLiteral("\">");
    if (curva.Algoritmo == AlgoritmoCurva::Potencial) {
        QString h0;
        if (curva.H0 >= 0)
            h0 = QStringLiteral(" * ( h - ") + formatar(curva.H0, QStringLiteral("0.00"));
        else
            h0 = QStringLiteral(" * ( h + ") + formatar(-curva.H0, QStringLiteral("0.00"));
        return fonte8 + QStringLiteral("  Q = ") + formatar(curva.K, QStringLiteral("0.0000")) +
               h0 + QStringLiteral(")</font>") + fonte7 + QStringLiteral("<sup>") +
               formatar(curva.M, QStringLiteral("0.0000")) + QStringLiteral("</sup></font>");
    }
    if (curva.Algoritmo == AlgoritmoCurva::Polinomial) {
        QString t = fonte8 + QStringLiteral("  Q =");
        for (int i = 0; i <= curva.Grau && i < static_cast<int>(curva.Coeficientes.size()); ++i) {
            const double a = curva.Coeficientes[static_cast<size_t>(i)];
            QString sinal;
            if (a < 0)
                sinal = QStringLiteral("- ");
            else if (i > 0)
                sinal = QStringLiteral("+ ");
            t += fonte8 + QLatin1Char(' ') + sinal +
                 formatar(std::fabs(a), QStringLiteral("###0.00000")) + QStringLiteral("h</font>") +
                 fonte7 + QStringLiteral("<sup>") + QString::number(i) +
                 QStringLiteral("</sup></font>");
        }
        return t;
    }
    return QString();
}

}  // namespace lumeno
