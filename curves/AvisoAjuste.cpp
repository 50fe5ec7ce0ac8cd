#include "curves/AvisoAjuste.h"

#include "app/Formato.h"
#include "curves/AjusteCurva.h"

#include <cmath>

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

QString avisoLimiteBusca() {
    return QStringLiteral("h0 no limite da busca: o valor inicial determinou h0");
}

namespace {
const QString acimaDoFundo = QStringLiteral(", acima do fundo da seção (");
}  // namespace

QString validadeAcimaDoFundo(double h0, double fundo) {
    return QStringLiteral("h0 = ") + formatar(h0, QStringLiteral("##0.00")) + QStringLiteral(" m") +
           acimaDoFundo + formatar(fundo, QStringLiteral("##0.00")) + QStringLiteral(" m)");
}

QStringList validadeH0(const CurvaTrecho& curva, bool possuiSecao) {
    QStringList linhas;
    if (curva.Algoritmo != AlgoritmoCurva::Potencial || curva.Busca.vencedor < 0)
        return linhas;
    if (curva.Busca.noLimite())
        linhas << avisoLimiteBusca();
    // The first candidate of a search from the section is its lowest point itself, which
    // is not above it: the margin keeps the rounding of (s + 1 − 1)/100 out.
    const double fundo = curva.CotaMinSecao / 100;
    if (possuiSecao && curva.H0 > fundo + 1e-9)
        linhas << validadeAcimaDoFundo(curva.H0, fundo);
    return linhas;
}

QStringList validadeAjuste(const CurvaTrecho& curva, bool possuiSecao) {
    return validadeDescartadas(curva) + validadeH0(curva, possuiSecao);
}

bool linhaValidadeH0(const QString& linha) {
    return linha == avisoLimiteBusca() ||
           (linha.startsWith(QStringLiteral("h0 = ")) && linha.contains(acimaDoFundo));
}

bool mostrarAvisoLimiteBusca(const CurvaTrecho& curva, const QStringList& validade) {
    if (curva.Algoritmo != AlgoritmoCurva::Potencial || !validade.contains(avisoLimiteBusca()))
        return false;
    const BuscaH0& busca = curva.Busca;
    if (busca.vencedor < 0)
        return busca.vazia();
    // "Fixando h0" keeps the fitted h0 rounded to centimetres: still the search's choice.
    return std::fabs(curva.H0 - busca.candidatos[std::size_t(busca.vencedor)]) < 0.005;
}

}  // namespace lumeno
