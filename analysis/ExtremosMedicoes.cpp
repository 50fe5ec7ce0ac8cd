#include "analysis/ExtremosMedicoes.h"

#include "data/Consulta.h"

namespace lumeno {

ExtremosMedicoes lerExtremosMedicoes(Conexao& conexao, int estacao) {
    Consulta q(conexao);
    q.SQL << QStringLiteral("select max(cota),min(cota),max(vazao),min(vazao),")
          << QStringLiteral("max(area),min(area),max(velocidade),min(velocidade)")
          << QStringLiteral("from medida where (estacao=:est);");
    q.definirParametro(QStringLiteral("est"), estacao);
    q.abrir();
    const auto faixa = [&q](const char* coluna) {
        const QString c = QLatin1String(coluna);
        return FaixaEixo{q.campo(QStringLiteral("min of ") + c).comoReal(),
                         q.campo(QStringLiteral("max of ") + c).comoReal()};
    };
    return {faixa("cota"), faixa("vazao"), faixa("area"), faixa("velocidade")};
}

}  // namespace lumeno
