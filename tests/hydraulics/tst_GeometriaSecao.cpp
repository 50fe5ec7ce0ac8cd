#include "hydraulics/GeometriaSecao.h"
#include "support/ExecutorTestes.h"

#include <QTest>

#include <cmath>
#include <random>

using namespace lumeno;

namespace {

bool perto(double a, double b, double tolerancia = 1e-9) {
    return std::abs(a - b) <= tolerancia * std::max(1.0, std::abs(b));
}

// The same quantities integrated segment by segment, without clipping: the depth
// max(0, e − y) over each straight segment, the length of the segment's part below the
// water and the width where the bed is below it. Profiles with no point exactly at e.
GeometriaSecao integrada(const std::vector<PontoPerfil>& pontos, double e) {
    GeometriaSecao g;
    for (size_t k = 1; k < pontos.size(); ++k) {
        const double x0 = pontos[k - 1].x, y0 = pontos[k - 1].y / 100;
        const double x1 = pontos[k].x, y1 = pontos[k].y / 100;
        const double d0 = e - y0, d1 = e - y1;  // depths, positive when wet
        double fracao;                          // wet share of the segment
        double area;
        if (d0 >= 0 && d1 >= 0) {
            fracao = 1;
            area = (d0 + d1) / 2 * (x1 - x0);
        } else if (d0 <= 0 && d1 <= 0) {
            fracao = 0;
            area = 0;
        } else {
            const double molhada = d0 > 0 ? d0 : d1;
            fracao = molhada / (std::abs(d0) + std::abs(d1));
            area = molhada / 2 * fracao * (x1 - x0);
        }
        g.A += area;
        g.B += fracao * (x1 - x0);
        g.P += fracao * std::hypot(x1 - x0, y1 - y0);
    }
    g.R = g.P > 0 ? g.A / g.P : 0;
    return g;
}

// The algorithm word for word: arrays from 1, the clipped line built point by point, then
// area, top width and perimeter in that order.
GeometriaSecao literal(const std::vector<PontoPerfil>& pontos, double e) {
    std::vector<double> x(1), y(1);
    double ymin = pontos[0].y / 100;
    double xp = 0, yp = 0;
    size_t i = 1;
    for (size_t j = 0; j < pontos.size(); ++j) {
        const double xc = pontos[j].x, yc = pontos[j].y / 100;
        if (yc > e) {
            if (i > 1 && y[i - 1] < e) {
                x.push_back(xp + (xc - xp) * (e - yp) / (yc - yp));
                y.push_back(e);
                ++i;
            }
        } else {
            if (j > 0 && yp > e && yc != e) {
                x.push_back(xc - (xc - xp) * (e - yc) / (yp - yc));
                y.push_back(e);
                ++i;
            }
            x.push_back(xc);
            y.push_back(yc);
            ++i;
        }
        if (yc < ymin)
            ymin = yc;
        xp = xc;
        yp = yc;
    }
    const size_t n = i - 1;
    GeometriaSecao g;
    double xmin = x[1], xmax = x[n];
    size_t u = 1, v = n;
    for (size_t k = 2; k <= n; ++k) {
        g.A += ((y[k - 1] - ymin) + (y[k] - ymin)) / 2 * (x[k] - x[k - 1]);
        if (x[k] < xmin)
            xmin = x[k], u = k;
        if (x[k] > xmax)
            xmax = x[k], v = k;
    }
    g.A = (e - ymin) * (xmax - xmin) - g.A;
    double esquerda = xmin, direita = xmax;
    while (u + 1 <= n && y[u] == e && y[u + 1] == e)
        esquerda = x[u + 1], ++u;
    while (v - 1 >= 1 && y[v] == e && y[v - 1] == e)
        direita = x[v - 1], --v;
    double seco = 0;
    for (size_t k = u + 1; k <= v; ++k)
        if (y[k] == e && y[k - 1] == e)
            seco += x[k] - x[k - 1];
    g.B = direita - esquerda - seco;
    for (size_t k = 2; k <= n; ++k)
        if (!(y[k] == e && y[k - 1] == e))
            g.P += std::sqrt((x[k - 1] - x[k]) * (x[k - 1] - x[k]) +
                             (y[k - 1] - y[k]) * (y[k - 1] - y[k]));
    g.R = g.A / g.P;
    return g;
}

}  // namespace

class TesteGeometriaSecao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void secoesConhecidas_data() {
        QTest::addColumn<std::vector<PontoPerfil>>("pontos");
        QTest::addColumn<double>("cota");
        QTest::addColumn<double>("A");
        QTest::addColumn<double>("P");
        QTest::addColumn<double>("B");
        QTest::newRow("retângulo") << std::vector<PontoPerfil>{{0, 500}, {0, 0}, {10, 0}, {10, 500}}
                                   << 2.0 << 20.0 << 14.0 << 10.0;
        QTest::newRow("triângulo") << std::vector<PontoPerfil>{{0, 300}, {5, 0}, {10, 300}} << 1.5
                                   << 3.75 << 2 * std::sqrt(2.5 * 2.5 + 1.5 * 1.5) << 5.0;
        // Two wetted parts joined along the water level from x = 3 to x = 5.
        QTest::newRow("ilha")
            << std::vector<PontoPerfil>{{0, 300}, {2, 0}, {4, 300}, {6, 0}, {8, 300}} << 1.5 << 3.0
            << 4 * std::sqrt(1 + 1.5 * 1.5) << 4.0;
        // Points at the water level are kept once, without crossings.
        QTest::newRow("ponto no nível")
            << std::vector<PontoPerfil>{{0, 300}, {2, 150}, {5, 0}, {8, 150}, {10, 300}} << 1.5
            << 4.5 << 2 * std::sqrt(9 + 1.5 * 1.5) << 6.0;
        // Banks below the water: vertical walls that add area but no perimeter.
        QTest::newRow("margens baixas") << std::vector<PontoPerfil>{{0, 100}, {5, 0}, {10, 100}}
                                        << 2.0 << 15.0 << 2 * std::sqrt(26.0) << 10.0;
        QTest::newRow("seca no fundo")
            << std::vector<PontoPerfil>{{0, 300}, {5, 0}, {10, 300}} << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("seca abaixo do fundo")
            << std::vector<PontoPerfil>{{0, 300}, {5, 0}, {10, 300}} << -1.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("fundo plano no nível")
            << std::vector<PontoPerfil>{{0, 500}, {0, 0}, {10, 0}, {10, 500}} << 0.0 << 0.0 << 0.0
            << 0.0;
        QTest::newRow("sem pontos") << std::vector<PontoPerfil>{} << 2.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("um ponto") << std::vector<PontoPerfil>{{3, 0}} << 2.0 << 0.0 << 0.0 << 0.0;
    }
    void secoesConhecidas() {
        QFETCH(std::vector<PontoPerfil>, pontos);
        QFETCH(double, cota);
        QFETCH(double, A);
        QFETCH(double, P);
        QFETCH(double, B);
        const GeometriaSecao g = CARGEO(pontos, cota);
        QVERIFY2(perto(g.A, A), qPrintable(QString::number(g.A, 'g', 17)));
        QVERIFY2(perto(g.P, P), qPrintable(QString::number(g.P, 'g', 17)));
        QVERIFY2(perto(g.B, B), qPrintable(QString::number(g.B, 'g', 17)));
        QVERIFY(perto(g.R, P > 0 ? A / P : 0));
        QVERIFY(std::isfinite(g.R));
    }

    // A V-shaped channel of 1,001 points (about 500 of them wet, beyond any fixed clipping
    // storage) gives the geometry of its three-point outline.
    void perfilLongo() {
        std::vector<PontoPerfil> fino;
        for (int i = 0; i <= 1000; ++i) {
            const double x = 10.0 * i / 1000;
            fino.push_back({x, 300 * std::abs(x - 5) / 5});
        }
        const std::vector<PontoPerfil> contorno{{0, 300}, {5, 0}, {10, 300}};
        for (double e : {0.5, 1.5, 2.99, 4.0}) {
            const GeometriaSecao a = CARGEO(fino, e);
            const GeometriaSecao b = CARGEO(contorno, e);
            QVERIFY2(perto(a.A, b.A, 1e-6), qPrintable(QString::number(e)));
            QVERIFY(perto(a.P, b.P, 1e-6));
            QVERIFY(perto(a.B, b.B, 1e-6));
        }
    }

    // Random profiles across a channel against the segment-by-segment integral; the
    // same computation object serves every stage.
    void perfisAleatorios() {
        std::mt19937 g(17);
        std::uniform_real_distribution<double> passo(0.1, 5), cota(0, 800);
        for (int n = 0; n < 200; ++n) {
            std::vector<PontoPerfil> pontos;
            double x = 0;
            const int total = 2 + n % 40;
            for (int i = 0; i < total; ++i) {
                pontos.push_back({x, cota(g)});
                x += passo(g);
            }
            SecaoTransversal secao(pontos);
            for (int k = 0; k < 5; ++k) {
                const double e = cota(g) / 100;
                const GeometriaSecao obtida = secao.CARGEO(e);
                const GeometriaSecao esperada = integrada(pontos, e);
                const QString onde = QStringLiteral("perfil %1, cota %2").arg(n).arg(e);
                QVERIFY2(perto(obtida.A, esperada.A, 1e-9), qPrintable(onde));
                QVERIFY2(perto(obtida.P, esperada.P, 1e-9), qPrintable(onde));
                QVERIFY2(perto(obtida.B, esperada.B, 1e-9), qPrintable(onde));
            }
        }
    }

    // Bit for bit against the algorithm as written, on profiles of whole centimetres where
    // points often lie exactly at the water level; dry stages give zeros.
    void igualAoAlgoritmoLiteral() {
        std::mt19937 g(29);
        std::uniform_int_distribution<int> passo(0, 400), cota(0, 12);
        for (int n = 0; n < 300; ++n) {
            std::vector<PontoPerfil> pontos;
            double x = 0;
            const int total = 1 + n % 60;
            for (int i = 0; i < total; ++i) {
                pontos.push_back({x, 37.0 * cota(g)});
                x += passo(g) / 100.0;
            }
            SecaoTransversal secao(pontos);
            double ymin = pontos[0].y;
            for (const PontoPerfil& p : pontos)
                ymin = std::min(ymin, p.y);
            for (int k = 0; k <= 12; ++k) {
                const double e = 37.0 * k / 100;
                const GeometriaSecao a = secao.CARGEO(e);
                if (!(e > ymin / 100)) {
                    QVERIFY(a.A == 0 && a.P == 0 && a.B == 0 && a.R == 0);
                    continue;
                }
                const GeometriaSecao b = literal(pontos, e);
                const QString onde = QStringLiteral("perfil %1, cota %2").arg(n).arg(e);
                QVERIFY2(a.A == b.A, qPrintable(onde));
                QVERIFY2(a.P == b.P, qPrintable(onde));
                QVERIFY2(a.B == b.B, qPrintable(onde));
                QVERIFY2(a.R == (b.P > 0 ? b.R : 0), qPrintable(onde));
            }
        }
    }
};

LUMENO_TESTE(TesteGeometriaSecao)
#include "tst_GeometriaSecao.moc"
