#include "analysis/ui/ComandosExtrapolacao.h"

#include "analysis/DadosEstacao.h"
#include "analysis/ui/TTelaMedicao.h"
#include "analysis/ui/TfrmDadosEstacao.h"
#include "app/ui/Contexto.h"
#include "app/ui/Figuras.h"
#include "app/ui/Interacao.h"
#include "components/PainelGrafico.h"
#include "data/TDM.h"
#include "hydraulics/ui/TDadosCotaExtrapolacao.h"
#include "hydraulics/ui/TDigitarKManning.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumeno {

namespace {
const QString atencao = QStringLiteral("Atenção!");
const QString menorMargem = QStringLiteral("Cota a ser extrapolada é maior que a menor margem !");
}  // namespace

ComandosExtrapolacao::ComandosExtrapolacao(Contexto& contexto, TTelaMedicao& tela)
    : contexto_(contexto), tela_(tela) {}

bool ComandosExtrapolacao::perguntarCota(int& N, double& H, std::uint32_t& cor) {
    TDadosCotaExtrapolacao& dialogo = *contexto_.DadosCotaExtrapolacao;
    dialogo.preparar(tela_.Trechos.data(), tela_.TotalCurvas);
    contexto_.interacao.executar(dialogo);
    if (!dialogo.Confirmado)
        return false;
    N = dialogo.Trecho();
    H = dialogo.CotaExtrapolada();
    cor = dialogo.Cor();
    return N >= 1 && N <= tela_.TotalCurvas;
}

void ComandosExtrapolacao::om_ExtrapLogClick() {
    int N = 0;
    double H = 0;
    std::uint32_t cor = 0;
    if (perguntarCota(N, H, cor))
        ExtrapolarLogaritmica(N, H, cor);
}

void ComandosExtrapolacao::om_ExtrapStevensClick() {
    const MargensSecao margens = Margens();
    int N = 0;
    double H = 0;
    std::uint32_t cor = 0;
    if (perguntarCota(N, H, cor))
        ExtrapolarStevens(N, H, cor, margens);
}

void ComandosExtrapolacao::om_ExtrapManningClick() {
    const MargensSecao margens = Margens();
    int N = 0;
    double H = 0;
    std::uint32_t cor = 0;
    if (perguntarCota(N, H, cor))
        ExtrapolarManning(N, H, cor, margens);
}

MargensSecao ComandosExtrapolacao::Margens() {
    return LerMargens(contexto_.dm.conexao(), tela_.Estacao());
}

bool ComandosExtrapolacao::haEspaco() {
    if (tela_.NumExtrapolacoes < TTelaMedicao::maximoExtrapolacoes)
        return true;
    contexto_.interacao.mensagem(
        QStringLiteral("O ajuste já tem %1 extrapolações, o máximo. Inicialize o ajuste para "
                       "traçar outras.")
            .arg(TTelaMedicao::maximoExtrapolacoes),
        QStringLiteral("Atenção"));
    return false;
}

bool ComandosExtrapolacao::ExtrapolarLogaritmica(int N, double H, std::uint32_t cor) {
    Interacao& interacao = contexto_.interacao;
    const CurvaTrecho& curva = tela_.Trechos[static_cast<size_t>(N)];
    if (curva.Algoritmo != AlgoritmoCurva::Potencial) {
        interacao.mensagem(QStringLiteral("Algoritmo não permite extrapolação logarítmica"),
                           QStringLiteral("Erro"));
        return false;
    }
    if (!(H > tela_.CotaMaxCurvas)) {
        interacao.mensagem(
            QStringLiteral("Cota a ser extrapolada menor que a maior cota das medições !"),
            atencao);
        return false;
    }
    if (!haEspaco())
        return false;
    RegistroExtrapolacao r =
        NovaExtrapolacao(MetodoExtrapolacao::Logaritmico, curva.CotaMax, H, cor);
    lumeno::ExtrapolarLogaritmica(curva, r);
    registrar(N, r);
    return true;
}

bool ComandosExtrapolacao::ExtrapolarStevens(int N, double H, std::uint32_t cor,
                                             const MargensSecao& margens) {
    Interacao& interacao = contexto_.interacao;
    const CurvaTrecho& curva = tela_.Trechos[static_cast<size_t>(N)];
    if (!(H > curva.CotaMax)) {
        interacao.mensagem(
            QStringLiteral("Cota a ser extrapolada é menor que a maior cota da seleção!"), atencao);
        return false;
    }
    if (H > margens.menor()) {
        interacao.mensagem(menorMargem, atencao);
        return false;
    }
    if (!haEspaco())
        return false;
    RegistroExtrapolacao r = NovaExtrapolacao(MetodoExtrapolacao::Stevens, curva.CotaMax, H, cor);
    const std::vector<MedicaoExtrapolacao> medicoes = Medicoes();
    CalcularValoresDiversos(r, medicoes);
    const RetaStevens reta = RegressaoStevens(medicoes, tela_.FatoresMedicoes);
    lumeno::ExtrapolarStevens(reta, r);
    registrar(N, r);
    return true;
}

bool ComandosExtrapolacao::ExtrapolarManning(int N, double H, std::uint32_t cor,
                                             const MargensSecao& margens) {
    Interacao& interacao = contexto_.interacao;
    const CurvaTrecho& curva = tela_.Trechos[static_cast<size_t>(N)];
    if (!(H > curva.CotaMax)) {
        interacao.mensagem(
            QStringLiteral("Cota a ser extrapolada é menor que a maior cota da seleção !"),
            atencao);
        return false;
    }
    if (H > margens.menor()) {
        interacao.mensagem(
            QStringLiteral("Não pode ser feita extrapolação!") + QLatin1Char('\r') + menorMargem,
            atencao);
        return false;
    }
    if (!haEspaco())
        return false;
    RegistroExtrapolacao r = NovaExtrapolacao(MetodoExtrapolacao::Manning, curva.CotaMax, H, cor);
    const std::vector<MedicaoExtrapolacao> medicoes = Medicoes();
    CalcularValoresDiversos(r, medicoes);
    const int semK = prepararGraficoK(medicoes);
    TDigitarKManning& dialogo = *contexto_.DigitarKManning;
    dialogo.definirMedicoesSemK(semK);
    interacao.executar(dialogo);
    lumeno::ExtrapolarManning(dialogo.K(), r);
    registrar(N, r);
    return true;
}

namespace {

// Reads every row of a query through `ler`, leaving its current row where it was and
// without telling the controls bound to it (the window's legend follows the current
// measurement).
template <class F>
void lerLinhas(Consulta& consulta, F ler) {
    const int atual = consulta.numeroRegistro();
    const bool bof = consulta.bof(), eof = consulta.eof();
    const QSignalBlocker bloqueio(consulta);
    for (consulta.primeiro(); !consulta.eof(); consulta.proximo())
        ler();
    consulta.irPara(atual);
    if (bof)
        consulta.primeiro();
    else if (eof)
        consulta.ultimo(), consulta.proximo();
}

}  // namespace

std::vector<MedicaoExtrapolacao> ComandosExtrapolacao::Medicoes() {
    Consulta& m = contexto_.dm.qu_medida1;
    std::vector<MedicaoExtrapolacao> r;
    r.reserve(static_cast<size_t>(m.totalRegistros()));
    const int cCota = m.indiceCampo(QStringLiteral("cota"));
    const int cVazao = m.indiceCampo(QStringLiteral("vazao"));
    const int cArea = m.indiceCampo(QStringLiteral("area"));
    lerLinhas(m, [&] {
        r.push_back({Campo(m.valor(cCota)).comoReal(), Campo(m.valor(cVazao)).comoReal(),
                     Campo(m.valor(cArea)).comoReal()});
    });
    return r;
}

void ComandosExtrapolacao::CalcularValoresDiversos(
    RegistroExtrapolacao& registro, const std::vector<MedicaoExtrapolacao>& medicoes) {
    Consulta& pontos = contexto_.dm.qu_ponto1;
    std::vector<PontoPerfil> perfil;
    perfil.reserve(static_cast<size_t>(pontos.totalRegistros()));
    const int cX = pontos.indiceCampo(QStringLiteral("X"));
    const int cY = pontos.indiceCampo(QStringLiteral("Y"));
    lerLinhas(pontos, [&] {
        perfil.push_back({Campo(pontos.valor(cX)).comoReal(), Campo(pontos.valor(cY)).comoReal()});
    });
    SecaoTransversal secao(perfil);
    lumeno::CalcularValoresDiversos(secao, medicoes, registro, tela_.FatoresMedicoes);
}

int ComandosExtrapolacao::prepararGraficoK(const std::vector<MedicaoExtrapolacao>& medicoes) {
    tela_.KMedicoes = KMedicoes(medicoes, tela_.FatoresMedicoes);
    PainelGrafico& grafico = *contexto_.DigitarKManning->Grafico;
    grafico.limpar();
    constexpr double infinito = std::numeric_limits<double>::infinity();
    double kMin = infinito, kMax = -infinito, hMin = infinito, hMax = -infinito;
    int semK = 0;
    for (size_t i = 0; i < medicoes.size(); ++i) {
        const auto& k = tela_.KMedicoes[i];
        if (k) {
            kMin = std::min(kMin, *k);
            kMax = std::max(kMax, *k);
        } else {
            ++semK;
        }
        hMin = std::min(hMin, medicoes[i].cota);
        hMax = std::max(hMax, medicoes[i].cota);
    }
    // Without any K (or any measurement) the chart keeps a plain unit range.
    if (kMin > kMax)
        kMin = 0, kMax = 1;
    if (hMin > hMax)
        hMin = 0, hMax = 1;
    grafico.definirFaixa(PainelGrafico::Eixo::X, kMin - 0.1 * (kMax - kMin),
                         kMax + 0.1 * (kMax - kMin));
    grafico.definirFaixa(PainelGrafico::Eixo::Y, hMin - 0.1 * (hMax - hMin),
                         hMax + 0.1 * (hMax - hMin));
    for (size_t i = 0; i < medicoes.size(); ++i)
        if (const auto& k = tela_.KMedicoes[i])
            grafico.marcar(*k, medicoes[i].cota, PainelGrafico::Marca::XFina, Qt::black);
    grafico.atualizar();
    return semK;
}

void ComandosExtrapolacao::registrar(int N, const RegistroExtrapolacao& registro) {
    PainelGrafico& grafico = *tela_.Grafico;
    grafico.removerUltimo();
    const int q = ++tela_.NumExtrapolacoes;
    tela_.Extrapolacoes[static_cast<size_t>(q)] = registro;
    tela_.Extrapolacoes[static_cast<size_t>(q)].curva = N;
    TracarPontosExtrapolados(q);
    if (!MontaDadosExtrapolacao(N, q))
        return;
    tela_.marcarPrimeira();
}

void ComandosExtrapolacao::TracarPontosExtrapolados(int q) {
    const RegistroExtrapolacao& r = tela_.Extrapolacoes[static_cast<size_t>(q)];
    PainelGrafico& grafico = *tela_.Grafico;
    using Eixo = PainelGrafico::Eixo;
    auto ampliar = [&grafico](const PontoExtrapolado& p) {
        const auto x = grafico.faixa(Eixo::X);
        if (p.vazao > x.maximo)
            grafico.definirFaixa(Eixo::X, x.minimo, p.vazao);
        const auto y = grafico.faixa(Eixo::Y);
        if (p.cota > y.maximo)
            grafico.definirFaixa(Eixo::Y, y.minimo, p.cota);
    };
    grafico.definirCorCaneta(corQt(r.cor));
    grafico.definirLarguraCaneta(2);
    grafico.moverPara(r.pontos[0].vazao, r.pontos[0].cota);
    ampliar(r.pontos[0]);
    for (size_t k = 1; k < r.pontos.size(); ++k) {
        grafico.linhaPara(r.pontos[k].vazao, r.pontos[k].cota);
        ampliar(r.pontos[k]);
    }
    grafico.definirLarguraCaneta(1);
}

bool ComandosExtrapolacao::MontaDadosExtrapolacao(int N, int q) {
    const RegistroExtrapolacao& r = tela_.Extrapolacoes[static_cast<size_t>(q)];
    DadosEstacao& dados = tela_.Dados();
    if (!dados.MontaDadosExtrapolacao(N, tela_.Trechos[static_cast<size_t>(N)].Cor, q, r)) {
        contexto_.interacao.mensagem(QStringLiteral("Problema ao gerar dados de extrapolação"),
                                     QStringLiteral("Erro"));
        tela_.close();
        return false;
    }
    if (contexto_.frmDadosEstacao)
        contexto_.frmDadosEstacao->Atualizar();
    return true;
}

}  // namespace lumeno
