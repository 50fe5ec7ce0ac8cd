#include "curves/Logaritmos.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

namespace lumeno {

namespace {

constexpr int bitsTabela = 7;
constexpr int entradas = 1 << bitsTabela;
// The exponent pattern of 0.6875: z = d / 2^k falls in [0.6875, 1.375).
constexpr std::uint64_t deslocamento = 0x3fe6000000000000ULL;
// ln 2 in two parts; the first has 42 significant bits, so k·ln2Alto is exact.
constexpr double ln2Alto = 0x1.62e42fefa3800p-1;
constexpr double ln2Baixo = 0x1.ef35793c76730p-45;

struct Tabela {
    alignas(64) double inverso[entradas];     // 1/c_i, a double
    alignas(64) double centroAlto[entradas];  // c_i = 1/inverso = centroAlto + centroBaixo
    alignas(64) double centroBaixo[entradas];
    alignas(64) double lnAlto[entradas];  // ln c_i = lnAlto + lnBaixo
    alignas(64) double lnBaixo[entradas];
};

// The table's second parts come from the difference between extended and double precision.
static_assert(std::numeric_limits<long double>::digits >= 64,
              "a tabela dos logaritmos precisa de long double com precisão estendida");

// Built once, in extended precision, from the subintervals' ends.
const Tabela& TabelaLogaritmos() {
    static const Tabela tabela = [] {
        Tabela t{};
        for (int i = 0; i < entradas; ++i) {
            const std::uint64_t inicio = deslocamento + (std::uint64_t(i) << (52 - bitsTabela));
            const long double a = std::bit_cast<double>(inicio);
            const long double b =
                std::bit_cast<double>(inicio + (std::uint64_t(1) << (52 - bitsTabela)));
            t.inverso[i] = double(2.0L / (a + b));
            const long double centro = 1.0L / t.inverso[i];
            t.centroAlto[i] = double(centro);
            t.centroBaixo[i] = double(centro - t.centroAlto[i]);
            const long double ln = -std::log(static_cast<long double>(t.inverso[i]));
            t.lnAlto[i] = double(ln);
            t.lnBaixo[i] = double(ln - t.lnAlto[i]);
        }
        return t;
    }();
    return tabela;
}

// Whether d is left to libm: not a positive normal number, or within 1/16 of 1.
inline std::uint64_t ParaLibm(std::uint64_t bits) {
    constexpr std::uint64_t menorNormal = 0x0010000000000000ULL;
    constexpr std::uint64_t infinito = 0x7ff0000000000000ULL;
    constexpr std::uint64_t perto1Inicio = 0x3fee000000000000ULL;  // 0.9375
    constexpr std::uint64_t perto1Fim = 0x3ff1000000000000ULL;     // 1.0625
    return std::uint64_t(bits - menorNormal >= infinito - menorNormal) |
           std::uint64_t(bits - perto1Inicio < perto1Fim - perto1Inicio);
}

// The loop with neither branch nor call, written to be vectorised; returns whether some
// difference is left to libm (its x is then not yet final).
[[gnu::always_inline]] inline bool Nucleo(const Tabela& t, const double* H, double c, double* x,
                                          std::size_t n) {
    // A 64-bit flag, as wide as the lanes, where a bool would keep the loop scalar.
    std::uint64_t paraLibm = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const double d = H[j] - c;
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(d);
        paraLibm |= ParaLibm(bits);
        const std::uint64_t relativo = bits - deslocamento;
        const std::uint64_t i = (relativo >> (52 - bitsTabela)) % entradas;
        // k from the top bits as a signed 32-bit number: vectorises where a 64-bit shift
        // would not.
        const std::int32_t k = std::int32_t(std::uint32_t(relativo >> 32)) >> 20;
        const double z = std::bit_cast<double>(bits - (relativo & (0xfffULL << 52)));

        const double r = (z - t.centroAlto[i] - t.centroBaixo[i]) * t.inverso[i];
        const double kd = double(k);
        // s = k·ln 2 + ln c_i and then s + r, each with its rounding error (two-sum).
        const double kAlto = kd * ln2Alto;
        const double s = kAlto + t.lnAlto[i];
        const double s1 = s - kAlto;
        const double erroS = (kAlto - (s - s1)) + (t.lnAlto[i] - s1);
        const double alto = s + r;
        const double a1 = alto - s;
        const double erroAlto = (s - (alto - a1)) + (r - a1);
        // ln(1 + r) − r.
        const double r2 = r * r;
        const double serie =
            r2 * (-0.5 + r * (1.0 / 3 + r * (-0.25 + r * (0.2 + r * (-1.0 / 6 + r * (1.0 / 7))))));
        const double baixo = erroS + erroAlto + (kd * ln2Baixo + t.lnBaixo[i]) + serie;
        x[j] = alto + baixo;
    }
    return paraLibm != 0;
}

bool NucleoEscalar(const Tabela& t, const double* H, double c, double* x, std::size_t n) {
    return Nucleo(t, H, c, x, n);
}

#if defined(__x86_64__)
[[gnu::target("avx512f,avx512dq,avx512vl,avx512bw")]] bool NucleoAvx512(const Tabela& t,
                                                                        const double* H, double c,
                                                                        double* x, std::size_t n) {
    return Nucleo(t, H, c, x, n);
}

[[gnu::target("avx2")]] bool NucleoAvx2(const Tabela& t, const double* H, double c, double* x,
                                        std::size_t n) {
    return Nucleo(t, H, c, x, n);
}

bool Tem(InstrucoesLogaritmos instrucoes) {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    static const bool avx512 =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
        __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512bw");
    switch (instrucoes) {
        case InstrucoesLogaritmos::Escalar:
            return true;
        case InstrucoesLogaritmos::Avx2:
            return avx2;
        case InstrucoesLogaritmos::Avx512:
            return avx512;
    }
    return false;
}
#else
bool Tem(InstrucoesLogaritmos instrucoes) {
    return instrucoes == InstrucoesLogaritmos::Escalar;
}
#endif

// The widest code the processor runs.
InstrucoesLogaritmos MaisLargas() {
    for (const auto instrucoes : {InstrucoesLogaritmos::Avx512, InstrucoesLogaritmos::Avx2})
        if (Tem(instrucoes))
            return instrucoes;
    return InstrucoesLogaritmos::Escalar;
}

// What the kernel left: rows at or below c, and the differences for libm.
void Completar(const double* H, double c, double abaixo, double* x, std::size_t n) {
    for (std::size_t j = 0; j < n; ++j) {
        if (!(H[j] > c))
            x[j] = abaixo;
        else if (const double d = H[j] - c; ParaLibm(std::bit_cast<std::uint64_t>(d)))
            x[j] = std::log(d);
    }
}

}  // namespace

bool LogaritmosAcimaDeCom(InstrucoesLogaritmos instrucoes, const double* H, double c, double abaixo,
                          double* x, std::size_t n) {
    if (!Tem(instrucoes))
        return false;
    const Tabela& t = TabelaLogaritmos();
    bool paraLibm = false;
    switch (instrucoes) {
#if defined(__x86_64__)
        case InstrucoesLogaritmos::Avx512:
            paraLibm = NucleoAvx512(t, H, c, x, n);
            break;
        case InstrucoesLogaritmos::Avx2:
            paraLibm = NucleoAvx2(t, H, c, x, n);
            break;
#endif
        default:
            paraLibm = NucleoEscalar(t, H, c, x, n);
    }
    if (paraLibm)
        Completar(H, c, abaixo, x, n);
    return true;
}

void LogaritmosAcimaDe(const double* H, double c, double abaixo, double* x, std::size_t n) {
    static const InstrucoesLogaritmos instrucoes = MaisLargas();
    LogaritmosAcimaDeCom(instrucoes, H, c, abaixo, x, n);
}

}  // namespace lumeno
