#include "validation/Estatistica.h"

#include "app/ErroLumeno.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumeno {

namespace {

// The continued fraction of I_x(a, b) (modified Lentz), converging fast for
// x < (a + 1) / (a + b + 2).
double fracaoContinuaBeta(double a, double b, double x) {
    constexpr double minimo = 1e-300;
    constexpr double precisao = 1e-15;
    constexpr int iteracoes = 1000;
    const double soma = a + b, mais = a + 1, menos = a - 1;
    double c = 1;
    double d = 1 - soma * x / mais;
    if (std::fabs(d) < minimo)
        d = minimo;
    d = 1 / d;
    double h = d;
    for (int m = 1; m <= iteracoes; ++m) {
        const int m2 = 2 * m;
        // Even step.
        double termo = m * (b - m) * x / ((menos + m2) * (a + m2));
        d = 1 + termo * d;
        if (std::fabs(d) < minimo)
            d = minimo;
        c = 1 + termo / c;
        if (std::fabs(c) < minimo)
            c = minimo;
        d = 1 / d;
        h *= d * c;
        // Odd step.
        termo = -(a + m) * (soma + m) * x / ((a + m2) * (mais + m2));
        d = 1 + termo * d;
        if (std::fabs(d) < minimo)
            d = minimo;
        c = 1 + termo / c;
        if (std::fabs(c) < minimo)
            c = minimo;
        d = 1 / d;
        const double fator = d * c;
        h *= fator;
        if (std::fabs(fator - 1) < precisao)
            break;
    }
    return h;
}

// P(T > t) for t ≥ 0: ½·I_x(ν/2, ½), x = ν/(ν + t²).
double caudaT(double t, double graus) {
    return 0.5 * BetaIncompletaRegularizada(graus / 2, 0.5, graus / (graus + t * t));
}

int sinal(double v) {
    return (v > 0) - (v < 0);
}

}  // namespace

QString textoVeredito(Veredito v) {
    switch (v) {
        case Veredito::Passa:
            return QStringLiteral("passa");
        case Veredito::NaoPassa:
            return QStringLiteral("não passa");
        case Veredito::AmostraInsuficiente:
            break;
    }
    return QStringLiteral("amostra insuficiente");
}

double BetaIncompletaRegularizada(double a, double b, double x) {
    if (!(a > 0) || !(b > 0) || !(x >= 0) || !(x <= 1) || !std::isfinite(a) || !std::isfinite(b))
        throw ErroLumeno(QStringLiteral("Função beta incompleta fora do domínio."));
    if (x == 0 || x == 1)
        return x;
    const double logFrente =
        std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x);
    const double frente = std::exp(logFrente);
    if (x < (a + 1) / (a + b + 2))
        return frente * fracaoContinuaBeta(a, b, x) / a;
    return 1 - frente * fracaoContinuaBeta(b, a, 1 - x) / b;
}

double DistribuicaoT(double t, double graus) {
    if (!(graus > 0))
        throw ErroLumeno(QStringLiteral("Distribuição t sem graus de liberdade."));
    if (std::isnan(t))
        throw ErroLumeno(QStringLiteral("Distribuição t de um valor indefinido."));
    if (std::isinf(t))
        return t > 0 ? 1 : 0;
    const double cauda = caudaT(std::fabs(t), graus);
    return t >= 0 ? 1 - cauda : cauda;
}

double QuantilT(double p, double graus) {
    if (!(p > 0) || !(p < 1))
        throw ErroLumeno(QStringLiteral("Quantil da distribuição t fora de (0, 1)."));
    if (!(graus > 0) || !std::isfinite(graus))
        throw ErroLumeno(QStringLiteral("Distribuição t sem graus de liberdade."));
    if (p == 0.5)
        return 0;
    // Solved on the upper tail, which keeps its relative precision far out.
    const double alvo = p > 0.5 ? 1 - p : p;
    double baixo = 0, alto = 1;
    while (caudaT(alto, graus) > alvo) {
        baixo = alto;
        alto *= 2;
        if (!std::isfinite(alto))
            return p > 0.5 ? alto : -alto;
    }
    for (int i = 0; i < 300; ++i) {
        const double meio = baixo + (alto - baixo) / 2;
        if (meio <= baixo || meio >= alto)
            break;
        (caudaT(meio, graus) > alvo ? baixo : alto) = meio;
    }
    const double t = baixo + (alto - baixo) / 2;
    return p > 0.5 ? t : -t;
}

ResultadoTeste TesteSinais(const std::vector<double>& desvios) {
    ResultadoTeste r;
    r.limite = zCritico;
    for (double d : desvios) {
        if (d == 0)
            continue;
        ++r.n;
        if (d > 0)
            ++r.contagem;
    }
    if (r.n < minimoAmostra)
        return r;
    const double n = r.n;
    r.estatistica = (std::fabs(r.contagem - n / 2) - 0.5) / (0.5 * std::sqrt(n));
    r.veredito = r.estatistica < zCritico ? Veredito::Passa : Veredito::NaoPassa;
    return r;
}

ResultadoTeste TesteSequencias(const std::vector<double>& desvios) {
    ResultadoTeste r;
    r.limite = zCritico;
    int anterior = 0;
    for (double d : desvios) {
        const int s = sinal(d);
        if (s == 0)
            continue;
        ++r.n;
        if (anterior != 0 && s != anterior)
            ++r.contagem;
        anterior = s;
    }
    if (r.n < minimoAmostra)
        return r;
    const double n = r.n;
    r.estatistica = (std::fabs(r.contagem - (n - 1) / 2) - 0.5) / (0.5 * std::sqrt(n - 1));
    r.veredito = r.estatistica < zCritico ? Veredito::Passa : Veredito::NaoPassa;
    return r;
}

ResultadoTeste TesteVies(const std::vector<double>& percentuais) {
    ResultadoTeste r;
    r.n = static_cast<int>(percentuais.size());
    if (r.n < minimoAmostra)
        return r;
    const double n = r.n;
    double soma = 0;
    for (double p : percentuais)
        soma += p;
    r.media = soma / n;
    double quadrados = 0;
    for (double p : percentuais)
        quadrados += (p - r.media) * (p - r.media);
    r.erroPadrao = std::sqrt(quadrados / (n - 1)) / std::sqrt(n);
    r.limite = TCritico95(n - 1);
    if (r.erroPadrao > 0)
        r.estatistica = r.media / r.erroPadrao;
    else if (r.media != 0)
        r.estatistica = std::copysign(std::numeric_limits<double>::infinity(), r.media);
    r.veredito = std::fabs(r.estatistica) < r.limite ? Veredito::Passa : Veredito::NaoPassa;
    return r;
}

ResultadoPettitt TestePettitt(const std::vector<double>& serie) {
    ResultadoPettitt r;
    r.n = static_cast<int>(serie.size());
    if (r.n < 2)
        return r;
    long long U = 0;
    for (int t = 0; t + 1 < r.n; ++t) {
        const double xt = serie[static_cast<size_t>(t)];
        for (double xj : serie)
            U += sinal(xt - xj);
        if (std::llabs(U) > r.K) {
            r.K = std::llabs(U);
            r.t = t + 1;
        }
    }
    if (r.t == 0)
        r.t = 1;  // every U_t is 0: no change anywhere
    const double n = r.n;
    const double K = static_cast<double>(r.K);
    r.p = std::min(1.0, 2 * std::exp(-6 * K * K / (n * n * n + n * n)));
    if (r.n >= minimoAmostra)
        r.veredito = r.p < 0.05 ? Veredito::NaoPassa : Veredito::Passa;
    return r;
}

}  // namespace lumeno
