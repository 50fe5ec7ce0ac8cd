#include "curves/AjusteCurva.h"

#include "app/ErroLumeno.h"
#include "app/Formato.h"
#include "curves/Logaritmos.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <thread>
#include <unordered_map>

namespace lumeno {

namespace {

// x of a row at or below the candidate H0: the value itself, not a logarithm.
constexpr double xAbaixoDeH0 = 0.00001;

// Walks the candidates of the H0 search without storing them.
class SequenciaCandidatos {
public:
    SequenciaCandidatos(const CurvaTrecho& curva, double inicio, bool possuiSecao)
        : s_(inicio),
          limiteCota_(curva.CotaMin / 100),
          limiteVazao_(curva.CotaVazaoMin / 100),
          possuiSecao_(possuiSecao) {
        // A start value far below the stages (a typo, a bogus section elevation) would run
        // for hours, and one so far that a centimetre no longer moves the candidate would
        // never end: such a search is refused before it starts.
        const double limite =
            possuiSecao ? std::min(curva.CotaMin, curva.CotaVazaoMin) : curva.CotaMin;
        const bool razoavel = std::isfinite(s_) && std::isfinite(limite) && std::fabs(s_) < 1e12 &&
                              std::fabs(limite) < 1e12 && limite - s_ <= maximoCandidatosH0;
        if (!razoavel)
            throw ErroLumeno(
                QStringLiteral("A busca de h0 partiria de %1 cm, mais de 1 km (%2 cm) abaixo da "
                               "menor cota das medições, %3 cm. Verifique o h0 inicial e a cota "
                               "mínima da seção transversal.")
                    .arg(numeroTexto(s_))
                    .arg(maximoCandidatosH0)
                    .arg(numeroTexto(limite)),
                QStringLiteral("Atenção"));
    }

    // Puts the next candidate (metres) in `c`; false after the last one.
    bool proximo(double& c) {
        if (terminou_)
            return false;
        ++i_;
        c = (i_ + s_ - 1) / 100;
        const bool admissivel = c < limiteCota_ && (!possuiSecao_ || c < limiteVazao_);
        if (!admissivel) {
            // One centimetre below the start value, and the last candidate.
            c = c - i_ / 100.0;
            terminou_ = true;
        }
        return true;
    }

private:
    double s_;
    double limiteCota_;
    double limiteVazao_;
    bool possuiSecao_;
    std::int64_t i_ = 0;
    bool terminou_ = false;
};

// Σx, Σx², Σx·y over the rows in order, for one candidate; `variado`: not all x equal.
struct SomasX {
    double Sx = 0;
    double Sxx = 0;
    double Sxy = 0;
    bool variado = false;
};

// x = ln(H − c) of every row, block by block, each block summed as it comes.
SomasX SomarPorLinha(const std::vector<double>& cotaDaLinha, const std::vector<double>& y,
                     double c) {
    constexpr std::size_t bloco = 256;
    double x[bloco];
    SomasX somas;
    double x0 = 0;
    const std::size_t linhas = y.size();
    for (std::size_t inicio = 0; inicio < linhas; inicio += bloco) {
        const std::size_t tamanho = std::min(bloco, linhas - inicio);
        LogaritmosAcimaDe(cotaDaLinha.data() + inicio, c, xAbaixoDeH0, x, tamanho);
        if (inicio == 0)
            x0 = x[0];
        const double* yBloco = y.data() + inicio;
        for (std::size_t j = 0; j < tamanho; ++j) {
            somas.variado = somas.variado || x[j] != x0;
            somas.Sx += x[j];
            somas.Sxx += x[j] * x[j];
            somas.Sxy += x[j] * yBloco[j];
        }
    }
    return somas;
}

// The same sums from one x per distinct stage, computed into `xDoEstagio`.
SomasX SomarPorEstagio(const std::vector<double>& estagios, const std::vector<int>& estagioDaLinha,
                       const std::vector<double>& y, double c, std::vector<double>& xDoEstagio) {
    SomasX somas;
    LogaritmosAcimaDe(estagios.data(), c, xAbaixoDeH0, xDoEstagio.data(), estagios.size());
    for (const double x : xDoEstagio)
        somas.variado = somas.variado || x != xDoEstagio[0];
    if (!somas.variado)
        return somas;
    for (std::size_t j = 0; j < y.size(); ++j) {
        const double x = xDoEstagio[estagioDaLinha[j]];
        somas.Sx += x;
        somas.Sxx += x * x;
        somas.Sxy += x * y[j];
    }
    return somas;
}

// The winner of a block of candidates.
struct MelhorCandidato {
    double R = -10;
    double M = 0;
    double K = 0;
    double H0 = 0;
    std::size_t indice = 0;  // of the candidate
    bool avaliado = false;   // some candidate of the block decided something
};

// Blocks of candidates per searching thread: enough for the threads to even out.
constexpr std::size_t blocosPorTarefa = 8;

// How many threads search at once: one per core (or as asked), never more than the
// candidates, and the calling thread alone when the work is too small to pay for threads.
std::size_t TarefasDaBusca(const ParalelismoBusca& paralelismo, std::size_t candidatos,
                           std::size_t trabalho) {
    if (candidatos == 0)
        return 1;
    std::size_t tarefas = paralelismo.tarefas > 0
                              ? std::size_t(paralelismo.tarefas)
                              : std::max<std::size_t>(1, std::thread::hardware_concurrency());
    if (trabalho < paralelismo.trabalhoMinimo)
        tarefas = 1;
    return std::min(tarefas, candidatos);
}

constexpr int grauMaximo = 8;
constexpr int ordemMaxima = grauMaximo + 1;
using Matriz = std::array<std::array<double, ordemMaxima>, ordemMaxima>;

// LU decomposition in place (Crout, unit lower triangle) with implicit partial pivoting:
// the pivot of a column is the candidate largest relative to the largest element of its
// row. `trocas[j]` is the row swapped with row j. False when the matrix is singular: a
// row of zeros, or a pivot whose absolute value is below 1e-15.
bool DecomporLU(Matriz& a, int n, std::array<int, ordemMaxima>& trocas) {
    std::array<double, ordemMaxima> maiorDaLinha{};
    for (int i = 0; i < n; ++i) {
        double maior = 0;
        for (int j = 0; j < n; ++j)
            maior = std::max(maior, std::fabs(a[i][j]));
        if (maior == 0)
            return false;
        maiorDaLinha[i] = maior;
    }
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < j; ++i) {
            double soma = a[i][j];
            for (int k = 0; k < i; ++k)
                soma -= a[i][k] * a[k][j];
            a[i][j] = soma;
        }
        // Dividing by the row's largest element (rather than multiplying by its
        // reciprocal) makes rows that are exact multiples of each other tie exactly;
        // on a tie the upper row is kept.
        double melhor = 0;
        int linhaPivo = j;
        for (int i = j; i < n; ++i) {
            double soma = a[i][j];
            for (int k = 0; k < j; ++k)
                soma -= a[i][k] * a[k][j];
            a[i][j] = soma;
            const double relativo = std::fabs(soma) / maiorDaLinha[i];
            if (relativo > melhor) {
                melhor = relativo;
                linhaPivo = i;
            }
        }
        if (linhaPivo != j) {
            std::swap(a[linhaPivo], a[j]);
            std::swap(maiorDaLinha[linhaPivo], maiorDaLinha[j]);
        }
        trocas[j] = linhaPivo;
        if (std::fabs(a[j][j]) < 1e-15)
            return false;
        for (int i = j + 1; i < n; ++i)
            a[i][j] /= a[j][j];
    }
    return true;
}

// Solves (LU)·x = b in place for a decomposition made by DecomporLU.
void ResolverLU(const Matriz& lu, int n, const std::array<int, ordemMaxima>& trocas,
                std::array<double, ordemMaxima>& b) {
    for (int i = 0; i < n; ++i) {
        std::swap(b[i], b[trocas[i]]);
        double soma = b[i];
        for (int k = 0; k < i; ++k)
            soma -= lu[i][k] * b[k];
        b[i] = soma;
    }
    for (int i = n - 1; i >= 0; --i) {
        double soma = b[i];
        for (int k = i + 1; k < n; ++k)
            soma -= lu[i][k] * b[k];
        b[i] = soma / lu[i][i];
    }
}

}  // namespace

ResultadoAjuste AjustarCurva(CurvaTrecho& curva, bool possuiSecao) {
    switch (curva.Algoritmo) {
        case AlgoritmoCurva::Potencial:
            return AjustarPotencial(curva, possuiSecao, {}, &curva.Busca);
        case AlgoritmoCurva::Polinomial:
            curva.Busca = BuscaH0{};
            return AjustarPolinomio(curva);
        default:
            return ResultadoAjuste::NaoAjustado;
    }
}

double InicioBuscaH0(const CurvaTrecho& curva, bool possuiSecao) {
    return possuiSecao ? curva.CotaMinSecao : curva.H0;
}

std::vector<double> CandidatosH0(const CurvaTrecho& curva, double inicio, bool possuiSecao) {
    std::vector<double> candidatos;
    SequenciaCandidatos sequencia(curva, inicio, possuiSecao);
    double c = 0;
    while (sequencia.proximo(c))
        candidatos.push_back(c);
    return candidatos;
}

std::vector<double> CandidatosH0(const CurvaTrecho& curva, bool possuiSecao) {
    return CandidatosH0(curva, InicioBuscaH0(curva, possuiSecao), possuiSecao);
}

ResultadoAjuste AjustarPotencial(CurvaTrecho& curva, bool possuiSecao,
                                 const ParalelismoBusca& paralelismo, BuscaH0* busca) {
    return AjustarPotencialDesde(curva, InicioBuscaH0(curva, possuiSecao), possuiSecao, paralelismo,
                                 busca);
}

ResultadoAjuste AjustarPotencialDesde(CurvaTrecho& curva, double inicio, bool possuiSecao,
                                      const ParalelismoBusca& paralelismo, BuscaH0* busca) {
    // The rows are read once. y = ln Q does not depend on the candidate; x = ln(H − c)
    // depends only on the stage, so it is computed once per distinct stage and candidate
    // and then summed in row order — the same sums, term by term and in the same order,
    // as reading every row for every candidate.
    std::vector<double> y;
    std::vector<int> estagioDaLinha;  // index into `estagios` of each row used
    std::vector<double> estagios;     // distinct H = cota/100, in order of first use
    std::vector<double> cotaDaLinha;  // H of each row used
    std::unordered_map<std::uint64_t, int> indiceEstagio;
    y.reserve(curva.Medicoes.size());
    estagioDaLinha.reserve(curva.Medicoes.size());
    cotaDaLinha.reserve(curva.Medicoes.size());
    int descartadas = 0;
    for (const LinhaMedida& linha : curva.Medicoes) {
        if (!(linha.vazao > 0)) {
            ++descartadas;
            continue;
        }
        y.push_back(std::log(linha.vazao));
        const double H = linha.cota / 100;
        cotaDaLinha.push_back(H);
        const auto [pos, nova] =
            indiceEstagio.try_emplace(std::bit_cast<std::uint64_t>(H), int(estagios.size()));
        if (nova)
            estagios.push_back(H);
        estagioDaLinha.push_back(pos->second);
    }
    curva.linhasDescartadas = descartadas;

    const std::size_t linhas = y.size();
    if (linhas == 0) {
        if (busca)
            *busca = BuscaH0{};
        return ResultadoAjuste::TrechoIndefinido;
    }
    const double n = double(linhas);

    double Sy = 0, Syy = 0;
    for (const double v : y) {
        Sy += v;
        Syy += v * v;
    }
    const double Syyl = Syy - Sy * Sy / n;

    // The start value may be the current H0: the candidates come before the reset.
    std::vector<double> candidatos = CandidatosH0(curva, inicio, possuiSecao);
    // Every r written by the block that computes it, into its own slice.
    double* correlacoes = nullptr;
    if (busca) {
        busca->inicio = inicio;
        busca->vencedor = -1;
        busca->r.assign(candidatos.size(), std::numeric_limits<double>::quiet_NaN());
        correlacoes = busca->r.data();
    }
    curva.H0 = 0;
    curva.K = 0;
    curva.M = 0;
    curva.R = -10;

    // With mostly distinct stages a table of x per stage saves no logarithm: x is then
    // computed row by row, in the same loop as the sums.
    const bool porLinha = estagios.size() * 8 > linhas * 7;

    // The best candidate of candidatos[inicio, fim), kept as the whole search keeps it:
    // the first one with the highest R.
    auto avaliar = [&](std::size_t inicio, std::size_t fim) {
        MelhorCandidato melhor;
        std::vector<double> xDoEstagio(porLinha ? 0 : estagios.size());
        for (std::size_t i = inicio; i < fim; ++i) {
            const double c = candidatos[i];
            const SomasX somas = porLinha
                                     ? SomarPorLinha(cotaDaLinha, y, c)
                                     : SomarPorEstagio(estagios, estagioDaLinha, y, c, xDoEstagio);
            // All rows with the same x: no line through them (Sxx' and Sxy' are zero, up
            // to rounding). Such a candidate decides nothing.
            if (!somas.variado)
                continue;
            melhor.avaliado = true;

            const double Sx = somas.Sx, Sxx = somas.Sxx, Sxy = somas.Sxy;
            const double Sxyl = Sxy - Sx * Sy / n;
            const double Sxxl = Sxx - Sx * Sx / n;
            const double produto = Sxxl * Syyl;
            const double r = produto > 0 ? Sxyl / std::sqrt(produto) : 0;
            if (correlacoes)
                correlacoes[i] = r;
            if (r > melhor.R) {
                melhor.R = r;
                melhor.M = Sxyl / Sxxl;
                melhor.K = std::exp((Sxx * Sy - Sx * Sxy) / (n * Sxx - Sx * Sx));
                melhor.H0 = c;
                melhor.indice = i;
            }
        }
        return melhor;
    };

    // The candidates are independent: contiguous blocks of them are searched at once, and
    // the blocks' winners are compared in candidate order with the same strict rule, so the
    // result is the one the search gives candidate by candidate, to the bit. The threads
    // take the blocks one after another as they finish, so a core slowed by other work
    // holds the search up by one block at most.
    const std::size_t tarefas =
        TarefasDaBusca(paralelismo, candidatos.size(), candidatos.size() * linhas);
    const std::size_t numeroBlocos =
        tarefas == 1 ? 1 : std::min(candidatos.size(), tarefas * blocosPorTarefa);
    std::vector<MelhorCandidato> blocos(numeroBlocos);
    {
        auto limite = [&](std::size_t b) { return candidatos.size() * b / numeroBlocos; };
        std::atomic<std::size_t> proximo{0};
        auto trabalhar = [&] {
            for (std::size_t b = proximo++; b < numeroBlocos; b = proximo++)
                blocos[b] = avaliar(limite(b), limite(b + 1));
        };
        std::vector<std::jthread> auxiliares;
        auxiliares.reserve(tarefas - 1);
        for (std::size_t t = 1; t < tarefas; ++t)
            auxiliares.emplace_back(trabalhar);
        trabalhar();
    }

    bool avaliado = false;
    std::size_t vencedor = 0;
    for (const MelhorCandidato& bloco : blocos) {
        avaliado = avaliado || bloco.avaliado;
        if (bloco.avaliado && bloco.R > curva.R) {
            curva.R = bloco.R;
            curva.M = bloco.M;
            curva.K = bloco.K;
            curva.H0 = bloco.H0;
            vencedor = bloco.indice;
        }
    }
    if (busca) {
        busca->vencedor = avaliado ? int(vencedor) : -1;
        busca->candidatos = std::move(candidatos);
    }

    if (!avaliado) {
        curva.R = 0;
        return ResultadoAjuste::Indeterminado;
    }
    return ResultadoAjuste::Ajustado;
}

ResultadoAjuste AjustarPolinomio(CurvaTrecho& curva) {
    curva.Coeficientes.fill(0);

    constexpr int potencias = 2 * grauMaximo + 2;  // P_0 … P_17
    std::array<double, potencias> P{};
    std::array<double, ordemMaxima> T{};
    for (const LinhaMedida& linha : curva.Medicoes) {
        const double h = linha.cota;
        const double Q = linha.vazao;
        double potencia = 1;
        for (int k = 0; k < potencias; ++k) {
            P[k] += potencia;
            if (k < ordemMaxima)
                T[k] += Q * potencia;
            potencia *= h;
        }
    }

    const std::size_t N = curva.Medicoes.size();
    if (std::size_t(std::uint8_t(curva.Grau)) >= N)
        throw ErroLumeno(QStringLiteral("CalcPolyFit: not enough data points"));
    if (curva.Grau < 0 || curva.Grau > grauMaximo)
        throw ErroLumeno(QStringLiteral("Grau do polinômio inválido: %1 (deve estar entre 0 e %2).")
                             .arg(curva.Grau)
                             .arg(grauMaximo));

    const int ordem = curva.Grau + 1;
    Matriz a{};
    for (int r = 0; r < ordem; ++r)
        for (int c = 0; c < ordem; ++c)
            a[r][c] = P[r + c];
    std::array<int, ordemMaxima> trocas{};
    if (!DecomporLU(a, ordem, trocas)) {
        curva.Grau = -1;
        return ResultadoAjuste::Indeterminado;
    }

    // A⁻¹ column by column, then a = A⁻¹ · T.
    Matriz inversa{};
    for (int c = 0; c < ordem; ++c) {
        std::array<double, ordemMaxima> coluna{};
        coluna[c] = 1;
        ResolverLU(a, ordem, trocas, coluna);
        for (int r = 0; r < ordem; ++r)
            inversa[r][c] = coluna[r];
    }
    for (int r = 0; r < ordem; ++r) {
        double soma = 0;
        for (int c = 0; c < ordem; ++c)
            soma += inversa[r][c] * T[c];
        curva.Coeficientes[r] = soma;
    }
    return ResultadoAjuste::Ajustado;
}

double VazaoCurva(const CurvaTrecho& curva, double h) {
    switch (curva.Algoritmo) {
        case AlgoritmoCurva::Potencial: {
            const double acimaDeH0 = h / 100 - curva.H0;
            if (!(acimaDeH0 > 0))
                return 0;
            return curva.K * std::exp(curva.M * std::log(acimaDeH0));
        }
        case AlgoritmoCurva::Polinomial: {
            const int grau = std::min(curva.Grau, int(curva.Coeficientes.size()) - 1);
            double q = curva.Coeficientes[0];
            double potencia = 1;
            for (int i = 1; i <= grau; ++i) {
                potencia *= h;
                q += curva.Coeficientes[i] * potencia;
            }
            return q;
        }
        default:
            return 0;
    }
}

std::vector<double> NumerosDescartados(const CurvaTrecho& curva) {
    std::vector<double> numeros;
    for (const LinhaMedida& linha : curva.Medicoes)
        if (!(linha.vazao > 0))
            numeros.push_back(linha.numero);
    return numeros;
}

void LiberarCurvaTrecho(CurvaTrecho& curva) {
    std::vector<LinhaMedida>().swap(curva.Medicoes);
    curva.medicoesAbertas = false;
    curva.CotaMax = -10000;
    curva.CotaMin = 10000;
    curva.VazaoMax = -10000;
    curva.VazaoMin = 10000;
}

void CalcularKMComH0Fixo(CurvaTrecho& curva) {
    double Sx = 0, Sy = 0, Sxx = 0, Sxy = 0;
    int n = 0;
    for (const LinhaMedida& m : curva.Medicoes) {
        const double base = m.cota / 100 - curva.H0;
        if (!(base > 0) || !(m.vazao > 0))
            continue;
        const double x = std::log(base);
        const double y = std::log(m.vazao);
        Sx += x;
        Sy += y;
        Sxx += x * x;
        Sxy += x * y;
        ++n;
    }
    curva.K = 0;
    curva.M = 0;
    if (n == 0 || Sxx - Sx * Sx / n == 0)
        return;
    curva.M = (Sxy - Sx * Sy / n) / (Sxx - Sx * Sx / n);
    curva.K = std::exp((Sxx * Sy - Sx * Sxy) / (n * Sxx - Sx * Sx));
}

}  // namespace lumeno
