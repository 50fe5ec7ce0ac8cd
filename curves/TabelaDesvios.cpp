#include "curves/TabelaDesvios.h"

#include "app/Formato.h"
#include "curves/AjusteCurva.h"

namespace lumeno {

void TabelaDesvios::reiniciar() {
    entradas_.fill(semDesvio);
}

QString TabelaDesvios::texto(int posicao) const {
    if (posicao < 1 || posicao > tamanho)
        return semDesvio;
    return entradas_[static_cast<size_t>(posicao - 1)];
}

void TabelaDesvios::definir(int posicao, const QString& texto) {
    if (posicao >= 1 && posicao <= tamanho)
        entradas_[static_cast<size_t>(posicao - 1)] = texto.left(10);
}

QString TabelaDesvios::textoDesvio(double desvio) {
    return (fixo2(desvio) + QLatin1Char('%')).left(10);
}

std::optional<double> TabelaDesvios::valorDesvio(const QString& texto) {
    bool ok = false;
    const double v = texto.left(texto.size() - 1).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<double> TabelaDesvios::desvio(const CurvaTrecho& curva, const LinhaMedida& linha) {
    if (curva.Algoritmo != AlgoritmoCurva::Potencial &&
        curva.Algoritmo != AlgoritmoCurva::Polinomial)
        return std::nullopt;
    // A measured discharge of zero has no relative deviation.
    if (linha.vazao == 0)
        return std::nullopt;
    const double qc = VazaoCurva(curva, linha.cota);
    return (qc - linha.vazao) / linha.vazao * 100;
}

int TabelaDesvios::calcular(const CurvaTrecho& curva,
                            const std::function<int(double numero)>& posicaoDe) {
    int ultima = 0;
    for (const LinhaMedida& linha : curva.Medicoes) {
        const int posicao = posicaoDe(linha.numero);
        if (posicao <= 0)
            continue;
        ultima = posicao;
        if (const auto d = desvio(curva, linha))
            definir(posicao, textoDesvio(*d));
    }
    return ultima;
}

}  // namespace lumeno
