#include "analysis/ui/ComandosDiagnosticoH0.h"

#include "analysis/DadosEstacao.h"
#include "analysis/ui/ComandosAjustesSalvos.h"
#include "analysis/ui/ComandosExtrapolacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "analysis/ui/TfrmDadosEstacao.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "app/ui/TfrmDigitarNumero.h"
#include "components/ArvoreFormatada.h"
#include "components/PainelGrafico.h"
#include "curves/AvisoAjuste.h"
#include "curves/DiagnosticoH0.h"
#include "curves/ui/TDiagnosticoH0.h"

#include <QAction>
#include <QMenu>

#include <cmath>

namespace lumeno {

const QString ComandosDiagnosticoH0::tituloInicio = QStringLiteral("H0 inicial (cm)");
const QString ComandosDiagnosticoH0::semPotencial =
    QStringLiteral("Diagnóstico de h0 só é possível com curvas potenciais!");

ComandosDiagnosticoH0::ComandosDiagnosticoH0(Contexto& contexto, TTelaMedicao& tela)
    : contexto_(contexto), tela_(tela) {
    tela.mnuAjusteManual->addSeparator();
    om_DiagnosticoH0 = tela.mnuAjusteManual->addAction(QStringLiteral("Diagnóstico de h0…"));
    om_DiagnosticoH0->setToolTip(QStringLiteral(
        "A correlação de cada h0 tentado na busca, e como k, m e as vazões mudam com h0"));
    dlgDiagnostico = new TDiagnosticoH0(contexto.interacao, &tela);
    dlgDiagnostico->aoEscolher = [this](int numero) { mostrar(numero); };
    dlgDiagnostico->aoRefazer = [this](int numero) { pedirInicio(numero); };
    QObject::connect(om_DiagnosticoH0, &QAction::triggered, &tela,
                     comando(contexto.interacao, [this] { om_DiagnosticoH0Click(); }));
}

void ComandosDiagnosticoH0::om_DiagnosticoH0Click() {
    std::vector<TDiagnosticoH0::OpcaoCurva> curvas;
    int escolhida = 0, noLimite = 0;
    for (int n = 1; n <= tela_.TotalCurvas; ++n) {
        const CurvaTrecho& c = tela_.Trechos[static_cast<size_t>(n)];
        if (c.Algoritmo != AlgoritmoCurva::Potencial || c.totalLinhas() < 2)
            continue;
        curvas.push_back({n, c.Cor});
        escolhida = n;
        if (mostrarAvisoLimiteBusca(c, tela_.Dados().ValidadeCurva(n)))
            noLimite = n;
    }
    if (curvas.empty()) {
        contexto_.interacao.mensagem(semPotencial, QStringLiteral("Atenção"));
        return;
    }
    dlgDiagnostico->preparar(curvas, noLimite ? noLimite : escolhida);
    contexto_.interacao.executar(*dlgDiagnostico);
}

void ComandosDiagnosticoH0::mostrar(int numero) {
    const CurvaTrecho& curva = tela_.Trechos[static_cast<size_t>(numero)];
    dlgDiagnostico->mostrar(numero, curva.Cor, DiagnosticarH0(curva, tela_.PossuiSecao()));
}

void ComandosDiagnosticoH0::pedirInicio(int numero) {
    const CurvaTrecho& curva = tela_.Trechos[static_cast<size_t>(numero)];
    TfrmDigitarNumero& prompt = *contexto_.frmDigitarNumero;
    prompt.preparar(tituloInicio, 0, std::round(InicioBuscaCurva(curva, tela_.PossuiSecao())));
    contexto_.interacao.executar(prompt);
    if (!prompt.Confirmado)
        return;
    Refazer(numero, std::round(prompt.valor()));
    mostrar(numero);
}

void ComandosDiagnosticoH0::Refazer(int numero, double inicio) {
    CurvaTrecho& curva = tela_.Trechos[static_cast<size_t>(numero)];
    DadosEstacao& dados = tela_.Dados();
    QStringList validade = dados.ValidadeCurva(numero);
    RefazerComInicio(curva, inicio, tela_.PossuiSecao(), validade);
    dados.AtualizarCurva(curva, numero, validade);
    // The logarithmic extrapolations continue the curve itself.
    for (int q = 1; q <= tela_.NumExtrapolacoes; ++q) {
        RegistroExtrapolacao& e = tela_.Extrapolacoes[static_cast<size_t>(q)];
        if (e.curva == numero && e.metodo == MetodoExtrapolacao::Logaritmico)
            ExtrapolarLogaritmica(curva, e);
    }
    redesenhar();
    tela_.ReconstruirLegenda();
    if (contexto_.frmDadosEstacao)
        contexto_.frmDadosEstacao->Atualizar();
}

void ComandosDiagnosticoH0::redesenhar() {
    tela_.Grafico->limpar();
    tela_.TracarPontosSecao();
    for (int n = 1; n <= tela_.TotalCurvas; ++n) {
        tela_.TracarPontos(tela_.Trechos[static_cast<size_t>(n)]);
        tela_.TracarCurva(tela_.Trechos[static_cast<size_t>(n)]);
    }
    for (int q = 1; q <= tela_.NumExtrapolacoes; ++q)
        tela_.Extrapolacao().TracarPontosExtrapolados(q);
    tela_.ComandosAjustes().TracarSobreposicoes();
    // The current measurement is marked last, as after every change of the chart.
    tela_.marcarPrimeira();
}

void ComandosDiagnosticoH0::AnotarLegenda(int numero, NoFormatado* no) {
    if (!no || numero < 1 || numero > TTelaMedicao::maximoCurvas)
        return;
    const CurvaTrecho& curva = tela_.Trechos[static_cast<size_t>(numero)];
    if (!mostrarAvisoLimiteBusca(curva, tela_.Dados().ValidadeCurva(numero)))
        return;
    tela_.trvLegenda->adicionarFilho(
        no, QStringLiteral("<font face=\"Arial\" size = \"7\" color=\"#C00000\">") +
                avisoLimiteBusca() + QStringLiteral("</font>"));
}

}  // namespace lumeno
