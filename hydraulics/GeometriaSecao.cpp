#include "hydraulics/GeometriaSecao.h"

#include <algorithm>
#include <cmath>

namespace lumeno {

namespace {
constexpr size_t cruzamento = static_cast<size_t>(-1);
}  // namespace

SecaoTransversal::SecaoTransversal(const std::vector<PontoPerfil>& pontos) {
    x_.reserve(pontos.size());
    y_.reserve(pontos.size());
    for (const PontoPerfil& p : pontos) {
        x_.push_back(p.x);
        y_.push_back(p.y / 100);
    }
    // The lowest point of the whole profile, wet or dry.
    if (!y_.empty())
        ymin_ = *std::min_element(y_.begin(), y_.end());
    // The strip and length terms of each segment between two profile points, as the
    // clipped line computes them when both points are wet: computed once here, they are
    // the same numbers at every stage.
    for (size_t j = 0; j + 1 < x_.size(); ++j) {
        faixa_.push_back(((y_[j] - ymin_) + (y_[j + 1] - ymin_)) / 2 * (x_[j + 1] - x_[j]));
        const double dx = x_[j] - x_[j + 1];
        const double dy = y_[j] - y_[j + 1];
        comprimento_.push_back(std::sqrt(dx * dx + dy * dy));
    }
}

GeometriaSecao SecaoTransversal::CARGEO(double e) {
    const size_t total = x_.size();
    if (total == 0)
        return {};

    // Clipping at the water level: every point, plus at most one crossing before each,
    // written into storage sized for that.
    if (xc_.size() < 2 * total) {
        xc_.resize(2 * total);
        yc_.resize(2 * total);
        origem_.resize(2 * total);
    }
    double* x = xc_.data();
    double* y = yc_.data();
    size_t* origem = origem_.data();  // the profile point of each entry; cruzamento if none
    size_t n = 0;
    const double ymin = ymin_;
    double xp = 0, yp = 0;
    for (size_t j = 0; j < total; ++j) {
        const double xc = x_[j];
        const double yc = y_[j];
        if (yc > e) {
            // Dry: the crossing out of the water, when the line was below it.
            if (n > 0 && y[n - 1] < e) {
                x[n] = xp + (xc - xp) * (e - yp) / (yc - yp);
                y[n] = e;
                origem[n] = cruzamento;
                ++n;
            }
        } else {
            // Wet or at the water level: the crossing into the water first, unless the
            // point lies on it.
            if (j > 0 && yp > e && yc != e) {
                x[n] = xc - (xc - xp) * (e - yc) / (yp - yc);
                y[n] = e;
                origem[n] = cruzamento;
                ++n;
            }
            x[n] = xc;
            y[n] = yc;
            origem[n] = j;
            ++n;
        }
        xp = xc;
        yp = yc;
    }
    // Dry section: nothing below the water, or only its lowest point touching it.
    if (!(e > ymin) || n == 0)
        return {};

    // Area: the rectangle down to the lowest point less the strips under the line.
    // Wetted perimeter: the bed line, without the stretches along the water level.
    GeometriaSecao g;
    double faixas = 0;
    double xmin = x[0], xmax = x[n - 1];
    size_t u = 0, v = n - 1;
    for (size_t k = 1; k < n; ++k) {
        const size_t j = origem[k - 1];
        const bool segmentoDoPerfil = j != cruzamento && origem[k] == j + 1;
        faixas += segmentoDoPerfil ? faixa_[j]
                                   : ((y[k - 1] - ymin) + (y[k] - ymin)) / 2 * (x[k] - x[k - 1]);
        if (!(y[k] == e && y[k - 1] == e)) {
            if (segmentoDoPerfil) {
                g.P += comprimento_[j];
            } else {
                const double dx = x[k - 1] - x[k];
                const double dy = y[k - 1] - y[k];
                g.P += std::sqrt(dx * dx + dy * dy);
            }
        }
        if (x[k] < xmin) {
            xmin = x[k];
            u = k;
        }
        if (x[k] > xmax) {
            xmax = x[k];
            v = k;
        }
    }
    g.A = (e - ymin) * (xmax - xmin) - faixas;

    // Top width: from the wetted edges, less the dry stretches along the water level.
    double esquerda = xmin, direita = xmax;
    while (u + 1 < n && y[u] == e && y[u + 1] == e) {
        esquerda = x[u + 1];
        ++u;
    }
    while (v > 0 && y[v] == e && y[v - 1] == e) {
        direita = x[v - 1];
        --v;
    }
    double seco = 0;
    for (size_t k = u + 1; k <= v && k < n; ++k)
        if (y[k] == e && y[k - 1] == e)
            seco += x[k] - x[k - 1];
    g.B = direita - esquerda - seco;
    g.R = g.P > 0 ? g.A / g.P : 0;
    return g;
}

GeometriaSecao CARGEO(const std::vector<PontoPerfil>& pontos, double cota) {
    SecaoTransversal secao(pontos);
    return secao.CARGEO(cota);
}

}  // namespace lumeno
