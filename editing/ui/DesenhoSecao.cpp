#include "editing/ui/DesenhoSecao.h"

#include "components/PainelGrafico.h"
#include "data/TDM.h"

namespace lumeno {

void desenharSecao(TDM& dm, PainelGrafico& grafico) {
    using Eixo = PainelGrafico::Eixo;
    grafico.limpar();
    Consulta& pontos = dm.qu_ponto1;
    pontos.fechar();
    pontos.definirParametro(QStringLiteral("est"),
                            dm.qu_estacao1.campo(QStringLiteral("IdEstacao")).valor());
    pontos.abrir();
    pontos.primeiro();
    if (pontos.totalRegistros() >= 2) {
        grafico.definirCorCaneta(Qt::red);
        grafico.moverPara(pontos.campo(QStringLiteral("X")).comoReal(),
                          pontos.campo(QStringLiteral("Y")).comoReal());
        for (pontos.proximo(); !pontos.eof(); pontos.proximo())
            grafico.linhaPara(pontos.campo(QStringLiteral("X")).comoReal(),
                              pontos.campo(QStringLiteral("Y")).comoReal());
        grafico.ajustarFaixas(2);
        for (Eixo e : {Eixo::X, Eixo::Y}) {
            const auto f = grafico.faixa(e);
            grafico.definirPassoGrade(e, (f.maximo - f.minimo) / 5);
        }
        grafico.definirGrade(PainelGrafico::Grade::Pontilhada);
    }
    grafico.atualizar();
    pontos.primeiro();
}

}  // namespace lumeno
