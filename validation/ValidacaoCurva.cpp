#include "validation/ValidacaoCurva.h"

#include "app/Formato.h"
#include "curves/AjusteCurva.h"
#include "curves/TracadoCurva.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace lumeno {

namespace {

// Deviations smaller than this (in ln Q) are rounding, not measurement: they count as 0.
constexpr double desvioNulo = 1e-12;

// Measurement numbers of the rows flagged at least `nivel`, for the texts.
QString numerosAtipicos(const ValidacaoCurva& v, Atipica nivel) {
    QStringList numeros;
    for (const MedicaoValidada& m : v.medicoes)
        if (m.atipica >= nivel)
            numeros << numeroTexto(m.numero);
    return numeros.join(QStringLiteral(", "));
}

QString insuficiente(const ValidacaoCurva& v) {
    return QStringLiteral("%1 medições; são necessárias ao menos %2").arg(v.N()).arg(minimoAmostra);
}

}  // namespace

QString textoAtipica(Atipica a) {
    switch (a) {
        case Atipica::Aviso:
            return QStringLiteral("> 2 Se");
        case Atipica::Marcada:
            return QStringLiteral("> 3 Se");
        case Atipica::Nao:
            break;
    }
    return QString();
}

QString numeroValidacao(double valor, int casas) {
    if (std::isinf(valor))
        return valor > 0 ? QStringLiteral("∞") : QStringLiteral("-∞");
    return formatar(valor, QStringLiteral("0.") + QString(casas, QLatin1Char('0')));
}

int ValidacaoCurva::testesFeitos() const {
    int n = 0;
    for (const ResultadoTeste* t : {&sinais, &sequencias, &vies})
        n += t->veredito != Veredito::AmostraInsuficiente;
    return n;
}

int ValidacaoCurva::testesAprovados() const {
    int n = 0;
    for (const ResultadoTeste* t : {&sinais, &sequencias, &vies})
        n += t->veredito == Veredito::Passa;
    return n;
}

ValidacaoCurva ValidarCurva(const CurvaTrecho& curva) {
    ValidacaoCurva v;
    v.algoritmo = curva.Algoritmo;
    const bool potencial = curva.Algoritmo == AlgoritmoCurva::Potencial;
    const bool polinomial = curva.Algoritmo == AlgoritmoCurva::Polinomial;
    v.parametros = polinomial ? std::max(curva.Grau + 1, 1) : 2;
    v.h0 = potencial ? curva.H0 : 0;

    for (const LinhaMedida& linha : curva.Medicoes) {
        if (linha.pontoObrigatorio >= 1) {
            ++v.obrigatorias;
            continue;
        }
        double qc = 0;
        if (potencial && curva.K > 0 && linha.cota / 100 > curva.H0)
            qc = VazaoCurva(curva, linha.cota);
        else if (polinomial && curva.Grau >= 0)
            qc = VazaoCurva(curva, linha.cota);
        if (!(linha.vazao > 0) || !(qc > 0) || !std::isfinite(qc) || !std::isfinite(linha.vazao)) {
            ++v.deixadas;
            continue;
        }
        MedicaoValidada m;
        m.numero = linha.numero;
        m.data = linha.data;
        m.cota = linha.cota;
        m.vazao = linha.vazao;
        m.vazaoCalculada = qc;
        m.desvioLog = std::log(linha.vazao) - std::log(qc);
        m.percentual = (qc - linha.vazao) / linha.vazao * 100;
        // A measurement on the curve but for the rounding of the arithmetic has no sign.
        if (std::fabs(m.desvioLog) < desvioNulo)
            m.desvioLog = m.percentual = 0;
        v.medicoes.push_back(m);
    }

    const int N = v.N();
    if (N > v.parametros) {
        double quadrados = 0;
        for (const MedicaoValidada& m : v.medicoes)
            quadrados += m.desvioLog * m.desvioLog;
        v.Se = std::sqrt(quadrados / (N - v.parametros));
        v.possuiErroPadrao = true;
    }

    if (potencial && v.possuiErroPadrao) {
        double soma = 0;
        for (const MedicaoValidada& m : v.medicoes)
            soma += std::log(m.cota / 100 - v.h0);
        v.mediaLn = soma / N;
        double quadrados = 0;
        for (const MedicaoValidada& m : v.medicoes) {
            const double x = std::log(m.cota / 100 - v.h0) - v.mediaLn;
            quadrados += x * x;
        }
        v.somaQuadradosLn = quadrados;
        if (quadrados > 0) {
            v.tFaixa = TCritico95(N - 2);
            v.possuiFaixa = true;
        }
    }

    std::vector<double> desvios, percentuais;
    desvios.reserve(static_cast<size_t>(N));
    percentuais.reserve(static_cast<size_t>(N));
    for (const MedicaoValidada& m : v.medicoes) {
        desvios.push_back(m.desvioLog);
        percentuais.push_back(m.percentual);
    }
    v.sinais = TesteSinais(desvios);
    v.vies = TesteVies(percentuais);

    std::vector<size_t> ordem(static_cast<size_t>(N));
    std::iota(ordem.begin(), ordem.end(), size_t{0});
    std::stable_sort(ordem.begin(), ordem.end(),
                     [&](size_t a, size_t b) { return v.medicoes[a].cota < v.medicoes[b].cota; });
    std::vector<double> porCota;
    porCota.reserve(ordem.size());
    for (size_t i : ordem)
        porCota.push_back(v.medicoes[i].desvioLog);
    v.sequencias = TesteSequencias(porCota);

    if (N >= minimoAmostra && v.possuiErroPadrao) {
        v.atipicasAvaliadas = true;
        for (MedicaoValidada& m : v.medicoes) {
            const double d = std::fabs(m.desvioLog);
            if (d > 3 * v.Se)
                m.atipica = Atipica::Marcada;
            else if (d > 2 * v.Se)
                m.atipica = Atipica::Aviso;
            v.atipicas2 += m.atipica != Atipica::Nao;
            v.atipicas3 += m.atipica == Atipica::Marcada;
        }
    }
    return v;
}

std::optional<double> ErroPadraoRelacaoMedia(const ValidacaoCurva& v, double cota) {
    if (!v.possuiFaixa || !(cota / 100 > v.h0))
        return std::nullopt;
    const double x = std::log(cota / 100 - v.h0) - v.mediaLn;
    return v.Se * std::sqrt(1.0 / v.N() + x * x / v.somaQuadradosLn);
}

std::vector<PontoFaixa> FaixaConfianca(const CurvaTrecho& curva, const ValidacaoCurva& v) {
    std::vector<PontoFaixa> faixa;
    if (!v.possuiFaixa)
        return faixa;
    for (const PontoCurva& p : pontosCurva(curva)) {
        const auto smr = ErroPadraoRelacaoMedia(v, p.cota);
        if (!smr || !(p.vazao > 0) || !std::isfinite(p.vazao))
            continue;
        const double fator = std::exp(v.tFaixa * *smr);
        faixa.push_back({p.cota, p.vazao, p.vazao / fator, p.vazao * fator});
    }
    return faixa;
}

std::vector<LinhaValidacao> DescreverValidacao(const ValidacaoCurva& v) {
    std::vector<LinhaValidacao> linhas;
    const int N = v.N();
    const QString naoPassa = textoVeredito(Veredito::NaoPassa);
    const QString passa = textoVeredito(Veredito::Passa);
    const QString amostraInsuficiente = textoVeredito(Veredito::AmostraInsuficiente);

    {
        QStringList partes{QString::number(N)};
        if (v.deixadas > 0)
            partes << QStringLiteral(
                          "%1 deixada(s) de lado (vazão não positiva ou cota abaixo "
                          "de h0)")
                          .arg(v.deixadas);
        if (v.obrigatorias > 0)
            partes << QStringLiteral("%1 linha(s) de ponto obrigatório não entram")
                          .arg(v.obrigatorias);
        linhas.push_back({QStringLiteral("Medições usadas"), partes.join(QStringLiteral("; ")),
                          QString(), std::nullopt, N});
    }

    if (v.possuiErroPadrao)
        linhas.push_back({QStringLiteral("Erro padrão (Se)"),
                          QStringLiteral("%1 (%2 %); %3 graus de liberdade")
                              .arg(numeroValidacao(v.Se, 4), numeroValidacao(100 * v.Se))
                              .arg(N - v.parametros),
                          QString(), v.Se, N - v.parametros});
    else
        linhas.push_back({QStringLiteral("Erro padrão (Se)"),
                          QStringLiteral("%1 medições; são necessárias ao menos %2")
                              .arg(N)
                              .arg(v.parametros + 1),
                          amostraInsuficiente, std::nullopt, N});

    {
        LinhaValidacao l{QStringLiteral("Faixa de 95 % da relação média"), QString(), QString(),
                         std::nullopt, std::nullopt};
        if (v.algoritmo != AlgoritmoCurva::Potencial) {
            l.descricao = QStringLiteral("não se aplica a curvas polinomiais");
        } else if (!v.possuiFaixa) {
            l.descricao =
                QStringLiteral("%1 medições; são necessárias ao menos 3, em cotas distintas")
                    .arg(N);
            l.resultado = amostraInsuficiente;
        } else {
            // Narrowest at the mean of ln(h − h0), widest at one end of the stages.
            double cotaMin = v.medicoes.front().cota, cotaMax = cotaMin;
            for (const MedicaoValidada& m : v.medicoes) {
                cotaMin = std::min(cotaMin, m.cota);
                cotaMax = std::max(cotaMax, m.cota);
            }
            const double centro = 100 * v.tFaixa * v.Se / std::sqrt(static_cast<double>(N));
            const double extremo =
                100 * v.tFaixa *
                std::max(*ErroPadraoRelacaoMedia(v, cotaMin), *ErroPadraoRelacaoMedia(v, cotaMax));
            l.descricao = QStringLiteral("±%1 % no centro a ±%2 % nos extremos; t(%3) = %4")
                              .arg(numeroValidacao(centro), numeroValidacao(extremo))
                              .arg(N - 2)
                              .arg(numeroValidacao(v.tFaixa, 3));
            l.valor = v.tFaixa;
            l.contagem = N - 2;
        }
        linhas.push_back(l);
    }

    // Each test with its statistic and its count (P, S, or N for the bias test).
    auto teste = [&](const QString& figura, const ResultadoTeste& t, int contagem,
                     const QString& texto) {
        if (t.veredito != Veredito::AmostraInsuficiente)
            linhas.push_back({figura, texto, textoVeredito(t.veredito), t.estatistica, contagem});
        else if (t.n == N)
            linhas.push_back({figura, insuficiente(v), amostraInsuficiente, std::nullopt, t.n});
        else
            linhas.push_back({figura,
                              QStringLiteral("%1 desvios não nulos; são necessários ao menos %2")
                                  .arg(t.n)
                                  .arg(minimoAmostra),
                              amostraInsuficiente, std::nullopt, t.n});
    };
    teste(QStringLiteral("Teste de sinais"), v.sinais, v.sinais.contagem,
          QStringLiteral("%1 positivos de %2; z = %3 (limite %4)")
              .arg(v.sinais.contagem)
              .arg(v.sinais.n)
              .arg(numeroValidacao(v.sinais.estatistica), numeroValidacao(v.sinais.limite)));
    teste(
        QStringLiteral("Teste de sequências"), v.sequencias, v.sequencias.contagem,
        QStringLiteral("%1 mudanças de sinal em %2, por cota; z = %3 (limite %4)")
            .arg(v.sequencias.contagem)
            .arg(v.sequencias.n)
            .arg(numeroValidacao(v.sequencias.estatistica), numeroValidacao(v.sequencias.limite)));
    teste(QStringLiteral("Teste de viés"), v.vies, v.vies.n,
          QStringLiteral("média %1 % ± %2 %; t = %3 (limite %4)")
              .arg(numeroValidacao(v.vies.media), numeroValidacao(v.vies.erroPadrao),
                   numeroValidacao(v.vies.estatistica), numeroValidacao(v.vies.limite, 3)));

    for (const auto& [nivel, quantas, rotulo] :
         {std::tuple{Atipica::Aviso, v.atipicas2, QStringLiteral("Atípicas (> 2 Se)")},
          std::tuple{Atipica::Marcada, v.atipicas3, QStringLiteral("Atípicas (> 3 Se)")}}) {
        if (!v.atipicasAvaliadas) {
            linhas.push_back({rotulo, insuficiente(v), amostraInsuficiente, std::nullopt, N});
            continue;
        }
        QString texto = quantas == 0 ? QStringLiteral("nenhuma")
                                     : QString::number(quantas) + QStringLiteral(": nº ") +
                                           numerosAtipicos(v, nivel);
        if (nivel == Atipica::Marcada && quantas > 0)
            texto += QStringLiteral(" (marcadas no gráfico)");
        QString resultado = passa;
        if (quantas > 0)
            resultado = nivel == Atipica::Marcada ? naoPassa : QStringLiteral("atenção");
        linhas.push_back({rotulo, texto, resultado, std::nullopt, quantas});
    }

    linhas.push_back({QStringLiteral("Testes aprovados"),
                      QStringLiteral("%1 de %2").arg(v.testesAprovados()).arg(v.testesFeitos()),
                      QString(), std::nullopt, v.testesAprovados()});
    return linhas;
}

std::map<double, Atipica> AtipicasPorMedicao(const std::vector<const CurvaTrecho*>& curvas) {
    std::map<double, Atipica> atipicas;
    for (const CurvaTrecho* curva : curvas)
        for (const MedicaoValidada& m : ValidarCurva(*curva).medicoes)
            atipicas[m.numero] = m.atipica;
    return atipicas;
}

std::vector<QVariantList> PlanilhaValidacao(const std::vector<const CurvaTrecho*>& curvas) {
    std::vector<QVariantList> linhas;
    linhas.push_back({QStringLiteral("Validação das curvas")});
    // A t without spread is infinite: a word, as spreadsheets hold no such number.
    auto opcional = [](const auto& v) {
        if (!v)
            return QVariant();
        const auto x = static_cast<double>(*v);
        return std::isfinite(x) ? QVariant(x) : QVariant(QStringLiteral("infinito"));
    };
    for (size_t i = 0; i < curvas.size(); ++i) {
        const CurvaTrecho& c = *curvas[i];
        const QString nome = c.Algoritmo == AlgoritmoCurva::Polinomial
                                 ? QStringLiteral("Polinomial, grau ") + QString::number(c.Grau)
                                 : QStringLiteral("Potencial");
        linhas.push_back({});
        linhas.push_back({QStringLiteral("Curva %1 - %2").arg(i + 1).arg(nome)});
        linhas.push_back({QStringLiteral("Figura"), QStringLiteral("Valor"),
                          QStringLiteral("Contagem"), QStringLiteral("Resultado"),
                          QStringLiteral("Detalhe")});
        for (const LinhaValidacao& l : DescreverValidacao(ValidarCurva(c)))
            linhas.push_back({l.figura, opcional(l.valor), opcional(l.contagem),
                              l.resultado.isEmpty() ? QVariant() : QVariant(l.resultado),
                              l.descricao});
    }
    return linhas;
}

}  // namespace lumeno
