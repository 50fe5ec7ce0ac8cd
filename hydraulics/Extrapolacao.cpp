#include "hydraulics/Extrapolacao.h"

#include "app/ErroLumeno.h"
#include "curves/AjusteCurva.h"
#include "data/Consulta.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <unordered_map>

namespace lumeno {

namespace {

const QString atencao = QStringLiteral("Atenção!");

void verificarVazoes(const RegistroExtrapolacao& registro) {
    for (const PontoExtrapolado& p : registro.pontos)
        if (!std::isfinite(p.vazao))
            throw ErroLumeno(QStringLiteral("Não é possível extrapolar: a vazão calculada na cota "
                                            "%1 cm não é um número finito.")
                                 .arg(p.cota),
                             atencao);
}

}  // namespace

std::array<double, pontosExtrapolacao> CotasExtrapoladas(double cotaTopo, double cotaAlvo) {
    std::array<double, pontosExtrapolacao> h{};
    const long double topo = cotaTopo;
    const long double passo = (static_cast<long double>(cotaAlvo) - topo) / 29;
    for (int k = 1; k <= pontosExtrapolacao; ++k) {
        const long double cota = topo + passo * (k - 1);
        h[static_cast<size_t>(k - 1)] = static_cast<double>(std::trunc(cota));
    }
    return h;
}

double Potencia0666(double r) {
    if (!(r > 0))
        return 0;
    return std::exp2(0.666 * std::log2(r));
}

RegistroExtrapolacao NovaExtrapolacao(int metodo, double cotaTopo, double cotaAlvo,
                                      std::uint32_t cor) {
    RegistroExtrapolacao r;
    r.metodo = metodo;
    r.cor = cor;
    const auto cotas = CotasExtrapoladas(cotaTopo, cotaAlvo);
    for (size_t k = 0; k < cotas.size(); ++k)
        r.pontos[k].cota = cotas[k];
    return r;
}

void CalcularValoresDiversos(SecaoTransversal& secao,
                             const std::vector<MedicaoExtrapolacao>& medicoes,
                             RegistroExtrapolacao& registro, std::vector<double>& fatoresMedicoes,
                             int tarefas) {
    // Stages are whole centimetres and repeat across a station's measurements: the
    // section is computed once per distinct stage.
    std::unordered_map<double, std::size_t> indiceDaCota;
    indiceDaCota.reserve(medicoes.size());
    std::vector<double> cotas;
    std::vector<std::size_t> indiceDaMedicao(medicoes.size());
    for (std::size_t i = 0; i < medicoes.size(); ++i) {
        const auto [it, nova] = indiceDaCota.try_emplace(medicoes[i].cota, cotas.size());
        if (nova)
            cotas.push_back(medicoes[i].cota);
        indiceDaMedicao[i] = it->second;
    }

    std::size_t blocos =
        tarefas > 0 ? std::size_t(tarefas) : std::max(1u, std::thread::hardware_concurrency());
    if (tarefas <= 0 && cotas.size() * std::size_t(secao.totalPontos()) < 200000)
        blocos = 1;
    blocos = std::max<std::size_t>(1, std::min(blocos, cotas.size()));
    std::vector<GeometriaSecao> geometrias(cotas.size());
    auto calcular = [&cotas, &geometrias](SecaoTransversal& s, std::size_t de, std::size_t ate) {
        for (std::size_t k = de; k < ate; ++k)
            geometrias[k] = s.CARGEO(cotas[k] / 100);
    };
    {
        auto limite = [&](std::size_t b) { return cotas.size() * b / blocos; };
        std::vector<SecaoTransversal> copias(blocos - 1, secao);
        std::vector<std::jthread> auxiliares;
        auxiliares.reserve(blocos - 1);
        for (std::size_t b = 1; b < blocos; ++b)
            auxiliares.emplace_back([&, b] { calcular(copias[b - 1], limite(b), limite(b + 1)); });
        calcular(secao, 0, limite(1));
    }

    fatoresMedicoes.resize(medicoes.size());
    for (std::size_t i = 0; i < medicoes.size(); ++i) {
        const MedicaoExtrapolacao& m = medicoes[i];
        const GeometriaSecao& g = geometrias[indiceDaMedicao[i]];
        const double area = m.area > 0 ? m.area : g.A;
        fatoresMedicoes[i] = FatorSecao(area, g.R);
    }
    for (size_t k = 0; k < registro.pontos.size(); ++k) {
        const GeometriaSecao gk = secao.CARGEO(registro.pontos[k].cota / 100);
        registro.areas[k] = gk.A;
        registro.fatores[k] = FatorSecao(gk.A, gk.R);
    }
}

void ExtrapolarLogaritmica(const CurvaTrecho& curva, RegistroExtrapolacao& registro) {
    if (curva.Algoritmo != AlgoritmoCurva::Potencial)
        throw ErroLumeno(QStringLiteral("Algoritmo não permite extrapolação logarítmica"),
                         QStringLiteral("Erro"));
    for (PontoExtrapolado& p : registro.pontos)
        p.vazao = VazaoCurva(curva, p.cota);
    registro.fatores.fill(0);
    registro.areas.fill(0);
    verificarVazoes(registro);
}

RetaStevens RegressaoStevens(const std::vector<MedicaoExtrapolacao>& medicoes,
                             const std::vector<double>& fatoresMedicoes) {
    const size_t n = std::min(medicoes.size(), fatoresMedicoes.size());
    double somaQF = 0, somaQ2 = 0, somaQ = 0, somaF = 0;
    bool vazoesIguais = true;
    for (size_t i = 0; i < n; ++i) {
        const double q = medicoes[i].vazao;
        const double f = fatoresMedicoes[i];
        somaQF += q * f;
        somaQ2 += q * q;
        somaQ += q;
        somaF += f;
        vazoesIguais = vazoesIguais && q == medicoes[0].vazao;
    }
    const double dn = static_cast<double>(n);
    const double denominador = dn * somaQ2 - somaQ * somaQ;
    // Equal discharges can leave a rounding residue instead of an exact zero.
    if (vazoesIguais || denominador == 0)
        throw ErroLumeno(
            QStringLiteral("Não é possível extrapolar por Stevens: todas as medições têm a mesma "
                           "vazão, e a reta entre vazão e fator de seção fica indeterminada."),
            atencao);
    RetaStevens reta;
    reta.b = (dn * somaQF - somaQ * somaF) / denominador;
    reta.a = (somaQ2 * somaF - somaQ * somaQF) / denominador;
    if (reta.b == 0 || !std::isfinite(reta.b) || !std::isfinite(reta.a))
        throw ErroLumeno(
            QStringLiteral("Não é possível extrapolar por Stevens: o fator de seção das medições "
                           "não varia com a vazão (inclinação nula). Verifique a seção "
                           "transversal e as áreas das medições."),
            atencao);
    return reta;
}

void ExtrapolarStevens(const RetaStevens& reta, RegistroExtrapolacao& registro) {
    for (size_t k = 0; k < registro.pontos.size(); ++k)
        registro.pontos[k].vazao = (registro.fatores[k] - reta.a) / reta.b;
    verificarVazoes(registro);
}

std::vector<std::optional<double>> KMedicoes(const std::vector<MedicaoExtrapolacao>& medicoes,
                                             const std::vector<double>& fatoresMedicoes) {
    const size_t n = std::min(medicoes.size(), fatoresMedicoes.size());
    std::vector<std::optional<double>> k(n);
    for (size_t i = 0; i < n; ++i)
        if (fatoresMedicoes[i] > 0)
            k[i] = medicoes[i].vazao / fatoresMedicoes[i];
    return k;
}

void ExtrapolarManning(double K, RegistroExtrapolacao& registro) {
    registro.K = K;
    for (size_t k = 0; k < registro.pontos.size(); ++k)
        registro.pontos[k].vazao = K * registro.fatores[k];
    verificarVazoes(registro);
}

MargensSecao LerMargens(Conexao& conexao, int estacao) {
    MargensSecao m;
    Consulta menorCota(conexao);
    menorCota.SQL << QStringLiteral("select x from ponto")
                  << QStringLiteral(
                         "where estacao=:est and y=(select min(y) from ponto where "
                         "estacao=:est)")
                  << QStringLiteral("order by x desc");
    menorCota.definirParametro(QStringLiteral("est"), estacao);
    menorCota.abrir();
    m.meio = menorCota.campo(QStringLiteral("x")).comoReal();

    Consulta esquerda(conexao);
    esquerda.SQL << QStringLiteral("select max(y) from ponto")
                 << QStringLiteral("where x<:Meio and estacao=:est;");
    Consulta direita(conexao);
    direita.SQL << QStringLiteral("select max(y) from ponto")
                << QStringLiteral("where x>:Meio and estacao=:est;");
    for (Consulta* q : {&esquerda, &direita}) {
        q->definirParametro(QStringLiteral("Meio"), m.meio);
        q->definirParametro(QStringLiteral("est"), estacao);
        q->abrir();
    }
    m.esquerda = esquerda.campo(QStringLiteral("MAX OF y")).comoReal();
    m.direita = direita.campo(QStringLiteral("MAX OF y")).comoReal();
    return m;
}

}  // namespace lumeno
