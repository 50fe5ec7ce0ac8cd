#include "analysis/ui/ComandosValidacao.h"

#include "analysis/ui/TTelaMedicao.h"
#include "app/Formato.h"
#include "app/ui/Comando.h"
#include "app/ui/Contexto.h"
#include "app/ui/Interacao.h"
#include "curves/ui/TMostrarPontosExtrapolados.h"
#include "curves/ui/TfrmParmsCurva.h"
#include "validation/DesviosTempo.h"
#include "validation/ValidacaoCurva.h"
#include "validation/ui/CamadaFaixaConfianca.h"
#include "validation/ui/TDesviosTempo.h"

#include <QAction>
#include <QMenu>

namespace lumeno {

ComandosValidacao::ComandosValidacao(Contexto& contexto, TTelaMedicao& tela)
    : contexto_(contexto),
      tela_(tela),
      faixa_(std::make_unique<CamadaFaixaConfianca>(*tela.Grafico, [this] { return Curvas(); })),
      desviosTempo_(new TDesviosTempo(contexto.interacao, &tela)) {
    // Beside "Pan", in the chart's options.
    auto* opcoesGrafico = qobject_cast<QMenu*>(tela.om_Pan->parent());
    om_FaixaConfianca = (opcoesGrafico ? opcoesGrafico : tela.mnuLumeno)
                            ->addAction(QStringLiteral("Faixa de confiança (95 %)"));
    om_FaixaConfianca->setCheckable(true);
    om_FaixaConfianca->setToolTip(QStringLiteral(
        "Faixa de confiança da relação média de cada curva potencial e as medições a mais de "
        "3 erros padrão da curva"));
    om_DesviosTempo = tela.mnuLumeno->addAction(QStringLiteral("Desvios ao longo do tempo"));

    Interacao& interacao = contexto_.interacao;
    QObject::connect(om_FaixaConfianca, &QAction::triggered, &tela,
                     comando(interacao, [this] { om_FaixaConfiancaClick(); }));
    QObject::connect(om_DesviosTempo, &QAction::triggered, &tela,
                     comando(interacao, [this] { om_DesviosTempoClick(); }));
    // Like the deviations listing, only once a curve is fitted.
    QObject::connect(tela.mnuLumeno, &QMenu::aboutToShow, &tela,
                     [this] { om_DesviosTempo->setEnabled(tela_.AjusteAtivo); });
}

ComandosValidacao::~ComandosValidacao() = default;

std::vector<const CurvaTrecho*> ComandosValidacao::Curvas() const {
    std::vector<const CurvaTrecho*> curvas;
    for (int i = 1; i <= tela_.TotalCurvas; ++i)
        curvas.push_back(&tela_.Trechos[static_cast<size_t>(i)]);
    return curvas;
}

void ComandosValidacao::om_FaixaConfiancaClick() {
    faixa_->definirVisivel(om_FaixaConfianca->isChecked());
}

void ComandosValidacao::om_DesviosTempoClick() {
    const std::vector<const CurvaTrecho*> curvas = Curvas();
    std::vector<std::uint32_t> cores;
    for (const CurvaTrecho* c : curvas)
        cores.push_back(c->Cor);
    desviosTempo_->preencher(DesviosAoLongoDoTempo(curvas), cores);
    contexto_.interacao.executar(*desviosTempo_);
    if (!desviosTempo_->NovaCurva || !desviosTempo_->DataMarcada.isValid())
        return;
    contexto_.frmParmsCurva->predefinirInicio(desviosTempo_->DataMarcada);
    tela_.Seleodeparmetros1Click();
}

void ComandosValidacao::completarRelacao(QStringList& cabecalho, std::vector<QStringList>& linhas,
                                         TMostrarPontosExtrapolados& dialogo) const {
    const std::vector<const CurvaTrecho*> curvas = Curvas();
    const std::map<double, Atipica> atipicas = AtipicasPorMedicao(curvas);
    while (cabecalho.size() < 6)
        cabecalho << QString();
    cabecalho << QStringLiteral("Atípica");
    for (QStringList& linha : linhas) {
        Atipica a = Atipica::Nao;
        bool ok = false;
        const double numero = linha.value(4).toDouble(&ok);
        // Only where the row shows a deviation (a curve holds the measurement).
        if (ok && TabelaDesvios::valorDesvio(linha.value(3))) {
            const auto i = atipicas.find(numero);
            if (i != atipicas.end())
                a = i->second;
        }
        while (linha.size() < 6)
            linha << QString();
        linha << textoAtipica(a);
    }
    dialogo.Anexo = PlanilhaValidacao(curvas);
}

}  // namespace lumeno
