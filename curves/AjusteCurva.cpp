#include "curves/AjusteCurva.h"

#include "app/ErroLumeno.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace lumeno {

namespace {

// Rows of a power-law fit: y = ln Q of every row with Q > 0, and the index of its
// stage among the distinct stages (the same stage gives the same x for a candidate,
// so each logarithm is taken once per distinct stage).
struct LinhasPotencial {
    std::vector<double> y;
    std::vector<int> estagio;
    std::vector<double> estagios;  // distinct H = cota/100, in order of appearance
    int descartadas = 0;
};

LinhasPotencial prepararLinhas(const CurvaTrecho& curva) {
    LinhasPotencial l;
    l.y.reserve(curva.Medicoes.size());
    l.estagio.reserve(curva.Medicoes.size());
    std::unordered_map<double, int> indice;
    for (const LinhaMedida& m : curva.Medicoes) {
        if (!(m.vazao > 0)) {
            ++l.descartadas;
            continue;
        }
        l.y.push_back(std::log(m.vazao));
        const double h = m.cota / 100;
        auto [it, novo] = indice.try_emplace(h, static_cast<int>(l.estagios.size()));
        if (novo)
            l.estagios.push_back(h);
        l.estagio.push_back(it->second);
    }
    return l;
}

}  // namespace

ResultadoAjuste AjustarCurva(CurvaTrecho& curva, bool possuiSecao) {
    switch (curva.Algoritmo) {
        case AlgoritmoCurva::Potencial:
            return AjustarPotencial(curva, possuiSecao);
        case AlgoritmoCurva::Polinomial:
            AjustarPolinomio(curva);
            return ResultadoAjuste::Ajustado;
        default:
            return ResultadoAjuste::NaoAjustado;
    }
}

ResultadoAjuste AjustarPotencial(CurvaTrecho& curva, bool possuiSecao) {
    const LinhasPotencial linhas = prepararLinhas(curva);
    curva.linhasDescartadas = linhas.descartadas;
    const std::size_t total = linhas.y.size();
    if (total == 0)
        return ResultadoAjuste::TrechoIndefinido;
    const double n = static_cast<double>(total);

    const double s = possuiSecao ? curva.CotaMinSecao : curva.H0;
    curva.H0 = 0;
    curva.K = 0;
    curva.M = 0;
    curva.R = -10;

    // y does not depend on the candidate: its sums are taken once, in row order.
    double Sy = 0, Syy = 0;
    for (double y : linhas.y) {
        Sy += y;
        Syy += y * y;
    }
    const double limiteCota = curva.CotaMin / 100;
    const double limiteVazaoMin = curva.CotaVazaoMin / 100;
    std::vector<double> xEstagio(linhas.estagios.size());

    for (int i = 1;; ++i) {
        double c = (i + s - 1) / 100;
        bool ultimo = false;
        if (!(c < limiteCota && (!possuiSecao || c < limiteVazaoMin))) {
            c = c - i / 100.0;
            ultimo = true;
        }
        for (std::size_t e = 0; e < linhas.estagios.size(); ++e) {
            const double h = linhas.estagios[e];
            xEstagio[e] = h > c ? std::log(h - c) : 0.00001;
        }
        double Sx = 0, Sxx = 0, Sxy = 0;
        for (std::size_t j = 0; j < total; ++j) {
            const double x = xEstagio[static_cast<std::size_t>(linhas.estagio[j])];
            Sx += x;
            Sxx += x * x;
            Sxy += x * linhas.y[j];
        }
        const double sxy = Sxy - Sx * Sy / n;
        const double sxx = Sxx - Sx * Sx / n;
        const double syy = Syy - Sy * Sy / n;
        const double r = sxx * syy > 0 ? sxy / std::sqrt(sxx * syy) : 0;
        if (r > curva.R) {
            curva.R = r;
            if (sxx != 0) {
                curva.M = sxy / sxx;
                curva.K = std::exp((Sxx * Sy - Sx * Sxy) / (n * Sxx - Sx * Sx));
            } else {
                // Every x equal: no slope to fit; the line through the mean of ln Q.
                curva.M = 0;
                curva.K = std::exp(Sy / n);
            }
            curva.H0 = c;
        }
        if (ultimo)
            break;
    }
    return ResultadoAjuste::Ajustado;
}

void AjustarPolinomio(CurvaTrecho& curva) {
    curva.Coeficientes.fill(0);
    const std::size_t linhas = curva.Medicoes.size();
    double P[18] = {};
    double T[9] = {};
    for (const LinhaMedida& m : curva.Medicoes) {
        double p = 1;
        for (int k = 0; k <= 17; ++k) {
            P[k] += p;
            if (k <= 8)
                T[k] += m.vazao * p;
            p *= m.cota;
        }
    }
    const unsigned grau = static_cast<std::uint8_t>(curva.Grau);
    if (grau >= linhas)
        throw ErroLumeno(QStringLiteral("CalcPolyFit: not enough data points"));
    if (grau > 8)
        throw ErroLumeno(QStringLiteral("Grau do polinômio deve estar entre 1 e 8"));

    const int n = static_cast<int>(grau) + 1;
    double a[9][9];
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            a[r][c] = P[r + c];

    // LU decomposition with implicit partial pivoting.
    double escala[9];
    int indice[9];
    for (int i = 0; i < n; ++i) {
        double maior = 0;
        for (int j = 0; j < n; ++j)
            maior = std::max(maior, std::fabs(a[i][j]));
        if (maior == 0) {
            curva.Grau = -1;
            return;
        }
        escala[i] = 1 / maior;
    }
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < j; ++i) {
            double soma = a[i][j];
            for (int k = 0; k < i; ++k)
                soma -= a[i][k] * a[k][j];
            a[i][j] = soma;
        }
        double maior = 0;
        int imax = j;
        for (int i = j; i < n; ++i) {
            double soma = a[i][j];
            for (int k = 0; k < j; ++k)
                soma -= a[i][k] * a[k][j];
            a[i][j] = soma;
            const double peso = escala[i] * std::fabs(soma);
            if (peso >= maior) {
                maior = peso;
                imax = i;
            }
        }
        if (j != imax) {
            for (int k = 0; k < n; ++k)
                std::swap(a[imax][k], a[j][k]);
            escala[imax] = escala[j];
        }
        indice[j] = imax;
        if (std::fabs(a[j][j]) < 1e-15) {
            curva.Grau = -1;
            return;
        }
        if (j != n - 1) {
            const double inverso = 1 / a[j][j];
            for (int i = j + 1; i < n; ++i)
                a[i][j] *= inverso;
        }
    }

    // The inverse, column by column, then a = A⁻¹ · T.
    double inversa[9][9];
    for (int coluna = 0; coluna < n; ++coluna) {
        double b[9];
        for (int i = 0; i < n; ++i)
            b[i] = i == coluna ? 1 : 0;
        int primeiro = -1;
        for (int i = 0; i < n; ++i) {
            const int ip = indice[i];
            double soma = b[ip];
            b[ip] = b[i];
            if (primeiro >= 0) {
                for (int j = primeiro; j < i; ++j)
                    soma -= a[i][j] * b[j];
            } else if (soma != 0) {
                primeiro = i;
            }
            b[i] = soma;
        }
        for (int i = n - 1; i >= 0; --i) {
            double soma = b[i];
            for (int j = i + 1; j < n; ++j)
                soma -= a[i][j] * b[j];
            b[i] = soma / a[i][i];
        }
        for (int i = 0; i < n; ++i)
            inversa[i][coluna] = b[i];
    }
    for (int r = 0; r < n; ++r) {
        double soma = 0;
        for (int c = 0; c < n; ++c)
            soma += inversa[r][c] * T[c];
        curva.Coeficientes[static_cast<std::size_t>(r)] = soma;
    }
}

double VazaoCurva(const CurvaTrecho& curva, double h) {
    if (curva.Algoritmo == AlgoritmoCurva::Potencial) {
        const double base = h / 100 - curva.H0;
        if (!(base > 0))
            return 0;
        return curva.K * std::exp(curva.M * std::log(base));
    }
    if (curva.Algoritmo == AlgoritmoCurva::Polinomial) {
        double q = curva.Coeficientes[0];
        double p = 1;
        const int grau = std::min(curva.Grau, static_cast<int>(curva.Coeficientes.size()) - 1);
        for (int i = 1; i <= grau; ++i) {
            p *= h;
            q += curva.Coeficientes[static_cast<std::size_t>(i)] * p;
        }
        return q;
    }
    return 0;
}

void LiberarCurvaTrecho(CurvaTrecho& curva) {
    curva.Medicoes.clear();
    curva.Medicoes.shrink_to_fit();
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
    if (n == 0)
        return;
    const double sxx = Sxx - Sx * Sx / n;
    if (sxx == 0) {
        curva.K = std::exp(Sy / n);
        return;
    }
    curva.M = (Sxy - Sx * Sy / n) / sxx;
    curva.K = std::exp((Sxx * Sy - Sx * Sxy) / (n * Sxx - Sx * Sx));
}

}  // namespace lumeno
