#include "components/PainelGrafico.h"

#include "app/ErroLumeno.h"

#include <qcustomplot.h>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumeno {

namespace {

using Marca = PainelGrafico::Marca;

// More grid lines than this (a fixed step after a large zoom out) fall back to the ticks.
constexpr double kMaxLinhasGrade = 500;
// Marks whose centre lies this far outside the plotting area may still show a part.
constexpr int kFolgaMarca = 4;

// Ticks of a logarithmic axis that stay readable on short ranges: powers of ten over
// several decades, 1-2-5 or 1…9 times a power of ten over one or two decades, and plain
// linear ticks when even those give fewer than two labels (a range such as 110 to 190).
// Minor ticks at 2…9 times each power of ten when the labels are powers of ten.
class TickerLog : public QCPAxisTicker {
protected:
    QVector<double> createTickVector(double, const QCPRange& faixa) override {
        decadas_ = false;
        const double lo = faixa.lower, hi = faixa.upper;
        if (!(lo > 0) || !(hi > lo) || !std::isfinite(hi))
            return {};
        const double expLo = std::floor(std::log10(lo));
        const double expHi = std::ceil(std::log10(hi));
        const double nDecadas = std::log10(hi / lo);
        if (nDecadas >= 2) {
            // One label per decade, or per few decades on very wide ranges.
            const double passo = std::max(1.0, std::ceil(nDecadas / 8));
            QVector<double> ticks;
            for (double e = std::floor(expLo / passo) * passo; e <= expHi; e += passo)
                ticks << std::pow(10.0, e);
            decadas_ = passo == 1;
            return ticks;
        }
        static const QVector<double> mantissas[] = {{1, 2, 5}, {1, 2, 3, 4, 5, 6, 7, 8, 9}};
        QVector<double> melhor;
        for (const QVector<double>& conjunto : mantissas) {
            QVector<double> ticks;
            for (double e = expLo; e <= expHi; ++e)
                for (double m : conjunto) {
                    const double v = m * std::pow(10.0, e);
                    if (v >= lo * (1 - 1e-9) && v <= hi * (1 + 1e-9))
                        ticks << v;
                }
            if (ticks.size() > melhor.size())
                melhor = ticks;
            if (melhor.size() >= 3)
                break;
        }
        if (melhor.size() >= 2)
            return melhor;
        return QCPAxisTicker::createTickVector(QCPAxisTicker::getTickStep(faixa), faixa);
    }

    QVector<double> createSubTickVector(int, const QVector<double>& ticks) override {
        QVector<double> sub;
        if (!decadas_ || ticks.isEmpty())
            return sub;
        for (double t = ticks.first() / 10; t <= ticks.last(); t *= 10)
            for (int m = 2; m <= 9; ++m)
                sub << m * t;
        return sub;
    }

private:
    bool decadas_ = false;
};

// A run of consecutive marks of one shape and colour, drawn with a few batched calls
// at exact pixel sizes (not scaled by the zoom). Not selectable.
class CamadaMarcas : public QCPAbstractPlottable {
public:
    CamadaMarcas(QCPAxis* x, QCPAxis* y, Marca marca, const QColor& cor)
        : QCPAbstractPlottable(x, y), marca_(marca), cor_(cor) {
        setAntialiased(false);
        setSelectable(QCP::stNone);
        setPen(QPen(cor, 1));
        setBrush(QBrush(cor));
    }

    Marca marca() const { return marca_; }
    const QColor& cor() const { return cor_; }
    void adicionar(const QPointF& p) { pontos_.push_back(p); }
    void removerUltimo() { pontos_.pop_back(); }
    bool vazia() const { return pontos_.isEmpty(); }

    double selectTest(const QPointF&, bool, QVariant*) const override { return -1; }

    QCPRange getKeyRange(bool& achou, QCP::SignDomain dominio) const override {
        return faixa(true, achou, dominio);
    }
    QCPRange getValueRange(bool& achou, QCP::SignDomain dominio, const QCPRange&) const override {
        return faixa(false, achou, dominio);
    }

protected:
    void draw(QCPPainter* pintor) override {
        const QRect area =
            clipRect().adjusted(-kFolgaMarca, -kFolgaMarca, kFolgaMarca, kFolgaMarca);
        centros_.clear();
        for (const QPointF& p : pontos_) {
            const QPointF px = coordsToPixels(p.x(), p.y());
            if (!std::isfinite(px.x()) || !std::isfinite(px.y()))
                continue;
            const QPoint c(qRound(px.x()), qRound(px.y()));
            if (area.contains(c))
                centros_.push_back(c);
        }
        if (!centros_.isEmpty())
            desenhar(pintor, centros_);
    }

    void drawLegendIcon(QCPPainter* pintor, const QRectF& retangulo) const override {
        desenhar(pintor, {retangulo.center().toPoint()});
    }

private:
    // The pixel patterns of PainelGrafico::Marca, with a 1-pixel pen on integer centres.
    void desenhar(QCPPainter* pintor, const QVector<QPoint>& centros) const {
        pintor->setPen(QPen(cor_, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        pintor->setBrush(Qt::NoBrush);
        QVector<QLine> linhas;
        auto cruz = [&](int r, int deslocamentos) {
            linhas.reserve(centros.size() * 2 * (deslocamentos * 2 + 1));
            for (const QPoint& c : centros) {
                const int x = c.x(), y = c.y();
                for (int d = -deslocamentos; d <= deslocamentos; ++d) {
                    // Bands parallel to each diagonal, shifted d pixels sideways.
                    const int a = std::max(0, d), b = std::max(0, -d);
                    linhas << QLine(x - r + a, y - r + b, x + r - b, y + r - a);
                    linhas << QLine(x - r + a, y + r - b, x + r - b, y - r + a);
                }
            }
        };
        switch (marca_) {
            case Marca::XFina:
                cruz(3, 0);
                break;
            case Marca::XNegrito:
                cruz(3, 1);
                break;
            case Marca::XPequeno:
                cruz(2, 0);
                break;
            case Marca::Losango:
                pintor->setBrush(cor_);
                for (const QPoint& c : centros) {
                    const QPoint v[4] = {c + QPoint(0, -3), c + QPoint(3, 0), c + QPoint(0, 3),
                                         c + QPoint(-3, 0)};
                    pintor->drawPolygon(v, 4);
                }
                return;
            case Marca::Disco:
                pintor->setBrush(cor_);
                for (const QPoint& c : centros)
                    pintor->drawEllipse(QRect(c.x() - 3, c.y() - 3, 6, 6));
                return;
        }
        pintor->QPainter::drawLines(linhas);
    }

    QCPRange faixa(bool chave, bool& achou, QCP::SignDomain dominio) const {
        QCPRange r(std::numeric_limits<double>::max(), -std::numeric_limits<double>::max());
        achou = false;
        for (const QPointF& p : pontos_) {
            const double v = chave ? p.x() : p.y();
            if (!std::isfinite(v) || (dominio == QCP::sdPositive && v <= 0) ||
                (dominio == QCP::sdNegative && v >= 0))
                continue;
            r.lower = std::min(r.lower, v);
            r.upper = std::max(r.upper, v);
            achou = true;
        }
        return achou ? r : QCPRange();
    }

    Marca marca_;
    QColor cor_;
    QVector<QPointF> pontos_;
    QVector<QPoint> centros_;  // reused between draws
};

}  // namespace

// The grid, drawn under the items on the plot's "grid" layer. Its lines are independent
// of the tick labels: a fixed step per axis, or the labelled ticks.
class GradeGrafico : public QCPLayerable {
public:
    explicit GradeGrafico(QCustomPlot* plot)
        : QCPLayerable(plot, QStringLiteral("grid")), area_(plot->axisRect()) {}

    PainelGrafico::Grade estilo = PainelGrafico::Grade::Nenhuma;
    QColor cor = QColor(128, 0, 0);
    double passo[2] = {0, 0};
    double origem[2] = {0, 0};

    // Grid positions of an axis (0 = x, 1 = y) for its current range.
    QVector<double> posicoes(int i) const {
        const QCPAxis* a = i == 0 ? area_->axis(QCPAxis::atBottom) : area_->axis(QCPAxis::atLeft);
        const QCPRange r = a->range();
        const bool log = a->scaleType() == QCPAxis::stLogarithmic;
        if (passo[i] > 0) {
            const double kIni = std::ceil((r.lower - origem[i]) / passo[i] - 1e-9);
            const double kFim = std::floor((r.upper - origem[i]) / passo[i] + 1e-9);
            if (std::isfinite(kIni) && std::isfinite(kFim) && kFim - kIni < kMaxLinhasGrade) {
                QVector<double> v;
                for (double k = kIni; k <= kFim; ++k) {
                    const double x = origem[i] + k * passo[i];
                    if (!log || x > 0)
                        v << x;
                }
                return v;
            }
        }
        return a->tickVector();
    }

protected:
    QRect clipRect() const override { return area_->rect(); }
    void applyDefaultAntialiasingHint(QCPPainter* pintor) const override {
        applyAntialiasingHint(pintor, false, QCP::aeGrid);
    }

    void draw(QCPPainter* pintor) override {
        if (estilo == PainelGrafico::Grade::Nenhuma)
            return;
        const QRect r = area_->rect();
        QVector<double> xs, ys;
        for (double v : posicoes(0))
            xs << area_->axis(QCPAxis::atBottom)->coordToPixel(v);
        for (double v : posicoes(1))
            ys << area_->axis(QCPAxis::atLeft)->coordToPixel(v);
        if (estilo == PainelGrafico::Grade::Pontos) {
            pintor->setPen(QPen(cor, 1));
            QVector<QPoint> pontos;
            pontos.reserve(xs.size() * ys.size());
            for (double x : xs)
                for (double y : ys)
                    pontos << QPoint(qRound(x), qRound(y));
            pintor->QPainter::drawPoints(pontos.constData(), static_cast<int>(pontos.size()));
            return;
        }
        pintor->setPen(
            QPen(cor, 1, estilo == PainelGrafico::Grade::Pontilhada ? Qt::DotLine : Qt::SolidLine,
                 Qt::FlatCap));
        QVector<QLine> linhas;
        for (double x : xs)
            linhas << QLine(qRound(x), r.top(), qRound(x), r.bottom());
        for (double y : ys)
            linhas << QLine(r.left(), qRound(y), r.right(), qRound(y));
        pintor->QPainter::drawLines(linhas);
    }

private:
    QCPAxisRect* area_;
};

PainelGrafico::PainelGrafico(QWidget* pai) : QWidget(pai), plot_(new QCustomPlot(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);

    plot_->setLocale(QLocale::c());
    plot_->setNoAntialiasingOnDrag(true);
    plot_->setBackground(QBrush(fundo_));
    const QFont arial(QStringLiteral("Arial"), 8);
    for (QCPAxis* a : {plot_->xAxis, plot_->yAxis}) {
        a->setTickLabelFont(arial);
        a->setLabelFont(arial);
        a->grid()->setVisible(false);  // GradeGrafico draws the grid
        a->grid()->setSubGridVisible(false);
        a->setSubTicks(false);
    }
    // Top and right axes close the frame around the plotting area.
    for (QCPAxis* a : {plot_->xAxis2, plot_->yAxis2}) {
        a->setVisible(true);
        a->setTicks(false);
        a->setTickLabels(false);
        a->grid()->setVisible(false);
    }
    aplicarFormato(Eixo::X);
    aplicarFormato(Eixo::Y);
    gradeItem_ = new GradeGrafico(plot_);

    plot_->setMouseTracking(true);
    plot_->installEventFilter(this);
    connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& r, QMouseEvent* e) {
                if (e && e->button() == Qt::LeftButton)
                    concluirZoom(r);
            });
}

PainelGrafico::~PainelGrafico() = default;

QCPAxis* PainelGrafico::eixo(Eixo e) const {
    return e == Eixo::X ? plot_->xAxis : plot_->yAxis;
}

// ---- Items ----

void PainelGrafico::marcar(double x, double y, Marca marca, const QColor& cor) {
    fecharCaminho();
    CamadaMarcas* camada = nullptr;
    if (!itens_.empty() && itens_.back().item.tipo == Item::Tipo::Marca) {
        auto* ultima = static_cast<CamadaMarcas*>(itens_.back().plottable);
        if (ultima->marca() == marca && ultima->cor() == cor)
            camada = ultima;
    }
    if (!camada)
        camada = new CamadaMarcas(plot_->xAxis, plot_->yAxis, marca, cor);
    camada->adicionar(QPointF(x, y));
    Item item;
    item.tipo = Item::Tipo::Marca;
    item.marca = marca;
    item.cor = cor;
    item.pontos = {QPointF(x, y)};
    itens_.push_back({std::move(item), camada});
}

void PainelGrafico::polilinha(const QVector<QPointF>& pontos, const QColor& cor, int largura,
                              Qt::PenStyle estilo) {
    fecharCaminho();
    auto* curva = new QCPCurve(plot_->xAxis, plot_->yAxis);
    curva->setLineStyle(QCPCurve::lsLine);
    curva->setSelectable(QCP::stNone);
    // Dashed lines stay crisp without antialiasing (mostly axis-parallel guide lines).
    curva->setAntialiased(estilo == Qt::SolidLine);
    curva->setPen(QPen(cor, largura, estilo, Qt::FlatCap, Qt::RoundJoin));
    QVector<double> t, x, y;
    t.reserve(pontos.size());
    x.reserve(pontos.size());
    y.reserve(pontos.size());
    for (qsizetype i = 0; i < pontos.size(); ++i) {
        t << static_cast<double>(i);
        x << pontos[i].x();
        y << pontos[i].y();
    }
    curva->setData(t, x, y, true);
    Item item;
    item.tipo = Item::Tipo::Linha;
    item.cor = cor;
    item.largura = largura;
    item.estilo = estilo;
    item.pontos = pontos;
    itens_.push_back({std::move(item), curva});
}

void PainelGrafico::definirCorCaneta(const QColor& cor) {
    if (cor != corCaneta_)
        fecharCaminho();
    corCaneta_ = cor;
}

void PainelGrafico::definirLarguraCaneta(int largura) {
    if (largura != larguraCaneta_)
        fecharCaminho();
    larguraCaneta_ = largura;
}

void PainelGrafico::definirEstiloCaneta(Qt::PenStyle estilo) {
    if (estilo != estiloCaneta_)
        fecharCaminho();
    estiloCaneta_ = estilo;
}

void PainelGrafico::moverPara(double x, double y) {
    fecharCaminho();
    posicaoCaneta_ = QPointF(x, y);
}

void PainelGrafico::linhaPara(double x, double y) {
    const QPointF destino(x, y);
    if (caminhoAberto_) {
        Registro& r = itens_.back();
        auto* curva = static_cast<QCPCurve*>(r.plottable);
        curva->addData(static_cast<double>(r.item.pontos.size()), x, y);
        r.item.pontos << destino;
    } else {
        polilinha({posicaoCaneta_, destino}, corCaneta_, larguraCaneta_, estiloCaneta_);
        caminhoAberto_ = true;
    }
    posicaoCaneta_ = destino;
}

void PainelGrafico::removerUltimo() {
    fecharCaminho();
    if (itens_.empty())
        return;
    Registro r = std::move(itens_.back());
    itens_.pop_back();
    if (r.item.tipo == Item::Tipo::Marca) {
        auto* camada = static_cast<CamadaMarcas*>(r.plottable);
        camada->removerUltimo();
        if (!camada->vazia())
            return;
    }
    plot_->removePlottable(r.plottable);
}

void PainelGrafico::limpar() {
    fecharCaminho();
    itens_.clear();
    plot_->clearPlottables();
}

void PainelGrafico::atualizar() {
    if (adiamentos_ > 0) {
        atualizacaoPendente_ = true;
        return;
    }
    plot_->replot();
}

PainelGrafico::AtualizacaoAdiada::AtualizacaoAdiada(PainelGrafico& grafico) : grafico_(grafico) {
    ++grafico_.adiamentos_;
}

PainelGrafico::AtualizacaoAdiada::~AtualizacaoAdiada() {
    if (--grafico_.adiamentos_ == 0 && grafico_.atualizacaoPendente_) {
        grafico_.atualizacaoPendente_ = false;
        grafico_.plot_->replot();
    }
}

// ---- Axes ----

void PainelGrafico::definirFaixa(Eixo e, double minimo, double maximo) {
    if (!std::isfinite(minimo) || !std::isfinite(maximo))
        return;
    if (minimo > maximo)
        std::swap(minimo, maximo);
    QCPAxis* a = eixo(e);
    const bool log = a->scaleType() == QCPAxis::stLogarithmic;
    if (log && maximo <= 0) {
        minimo = 1;
        maximo = 10;
    } else if (log && minimo <= 0) {
        minimo = maximo * 1e-3;
    }
    if (minimo == maximo) {
        const double d = minimo == 0 ? 1 : std::abs(minimo) * 0.01;
        minimo -= d;
        maximo += d;
    }
    a->setRange(minimo, maximo);
}

PainelGrafico::Faixa PainelGrafico::faixa(Eixo e) const {
    const QCPRange r = eixo(e)->range();
    return {r.lower, r.upper};
}

void PainelGrafico::definirLogaritmico(Eixo e, bool log) {
    QCPAxis* a = eixo(e);
    const Faixa f = faixa(e);
    a->setScaleType(log ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    a->setSubTicks(log);  // minor ticks at 2…9 times each power of ten
    if (log)
        a->setTicker(QSharedPointer<TickerLog>::create());
    else
        a->setTicker(QSharedPointer<QCPAxisTicker>::create());
    definirFaixa(e, f.minimo, f.maximo);  // the same limits, made valid for the scale
}

bool PainelGrafico::logaritmico(Eixo e) const {
    return eixo(e)->scaleType() == QCPAxis::stLogarithmic;
}

void PainelGrafico::definirCasasDecimais(Eixo e, int casas) {
    casas_[indice(e)] = casas;
    aplicarFormato(e);
}

int PainelGrafico::casasDecimais(Eixo e) const {
    return casas_[indice(e)];
}

void PainelGrafico::aplicarFormato(Eixo e) {
    QCPAxis* a = eixo(e);
    const int casas = casas_[indice(e)];
    if (casas < 0) {
        a->setNumberFormat(QStringLiteral("g"));
        a->setNumberPrecision(6);
    } else {
        a->setNumberFormat(QStringLiteral("f"));
        a->setNumberPrecision(casas);
    }
}

void PainelGrafico::definirTitulo(Eixo e, const QString& titulo) {
    eixo(e)->setLabel(titulo);
}

QString PainelGrafico::titulo(Eixo e) const {
    return eixo(e)->label();
}

void PainelGrafico::ajustarFaixas(double margem) {
    for (const Eixo e : {Eixo::X, Eixo::Y}) {
        const bool log = logaritmico(e);
        double lo = std::numeric_limits<double>::infinity(), hi = -lo;
        for (const Registro& r : itens_)
            for (const QPointF& p : r.item.pontos) {
                double v = e == Eixo::X ? p.x() : p.y();
                if (!std::isfinite(v) || (log && v <= 0))
                    continue;
                if (log)
                    v = std::log10(v);
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        if (lo > hi)
            continue;  // nothing drawable on this axis
        const double d = (hi - lo) * margem / 100;
        if (log)
            definirFaixa(e, std::pow(10.0, lo - d), std::pow(10.0, hi + d));
        else
            definirFaixa(e, lo - d, hi + d);
    }
}

void PainelGrafico::definirPassoGrade(Eixo e, double passo, double origem) {
    const int i = indice(e);
    gradeItem_->passo[i] = std::isfinite(passo) && passo > 0 ? passo : 0;
    gradeItem_->origem[i] = std::isfinite(origem) ? origem : 0;
}

double PainelGrafico::passoGrade(Eixo e) const {
    return gradeItem_->passo[indice(e)];
}

double PainelGrafico::distanciaTicks(Eixo e) const {
    QCPAxis* a = eixo(e);
    QVector<double> ticks;
    a->ticker()->generate(a->range(), plot_->locale(), QLatin1Char('g'), 6, ticks, nullptr,
                          nullptr);
    return ticks.size() < 2 ? 0 : ticks[1] - ticks[0];
}

void PainelGrafico::definirGrade(Grade grade) {
    grade_ = grade;
    gradeItem_->estilo = grade;
}

void PainelGrafico::definirCorGrade(const QColor& cor) {
    corGrade_ = cor;
    gradeItem_->cor = cor;
}

void PainelGrafico::definirFundo(const QColor& cor) {
    fundo_ = cor;
    plot_->setBackground(QBrush(cor));
}

void PainelGrafico::definirMargens(int esquerda, int direita, int topo, int base) {
    plot_->axisRect()->setMinimumMargins(QMargins(esquerda, topo, direita, base));
}

// ---- Mouse ----

void PainelGrafico::definirModoMouse(ModoMouse modo) {
    if (plot_->selectionRect()->isActive())
        plot_->selectionRect()->cancel();
    botaoPressionado_ = false;
    modo_ = modo;
    plot_->setSelectionRectMode(modo == ModoMouse::Zoom ? QCP::srmCustom : QCP::srmNone);
    switch (modo) {
        case ModoMouse::Normal:
            plot_->unsetCursor();  // the window's cursor shows through
            break;
        case ModoMouse::Zoom:
            plot_->setCursor(Qt::CrossCursor);
            break;
        case ModoMouse::Pan:
            plot_->setCursor(Qt::OpenHandCursor);
            break;
    }
}

QPointF PainelGrafico::paraGrafico(const QPointF& pixel) const {
    const QPointF p = pixel - plot_->pos();
    return {plot_->xAxis->pixelToCoord(p.x()), plot_->yAxis->pixelToCoord(p.y())};
}

QPointF PainelGrafico::paraPixel(const QPointF& ponto) const {
    return QPointF(plot_->xAxis->coordToPixel(ponto.x()), plot_->yAxis->coordToPixel(ponto.y())) +
           plot_->pos();
}

QRect PainelGrafico::areaPlotagem() const {
    return plot_->axisRect()->rect().translated(plot_->pos());
}

std::optional<QPointF> PainelGrafico::itemMaisProximo(const QPointF& ponto) const {
    const QPointF alvo = paraPixel(ponto);
    if (!std::isfinite(alvo.x()) || !std::isfinite(alvo.y()))
        return std::nullopt;
    std::optional<QPointF> melhor;
    double menor = std::numeric_limits<double>::infinity();
    for (const Registro& r : itens_)
        for (const QPointF& p : r.item.pontos) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                continue;
            const QPointF d = paraPixel(p) - alvo;
            const double distancia = d.x() * d.x() + d.y() * d.y();
            if (distancia < menor) {
                menor = distancia;
                melhor = p;
            }
        }
    return melhor;
}

void PainelGrafico::concluirZoom(const QRect& retangulo) {
    if (modo_ != ModoMouse::Zoom)
        return;
    const QRect r = retangulo.normalized().intersected(plot_->axisRect()->rect());
    if (r.width() < 3 || r.height() < 3)
        return;  // a click or a sliver is no zoom
    const double x1 = plot_->xAxis->pixelToCoord(r.left());
    const double x2 = plot_->xAxis->pixelToCoord(r.right());
    const double y1 = plot_->yAxis->pixelToCoord(r.bottom());
    const double y2 = plot_->yAxis->pixelToCoord(r.top());
    definirFaixa(Eixo::X, x1, x2);
    definirFaixa(Eixo::Y, y1, y2);
    plot_->replot(QCustomPlot::rpQueuedReplot);
    Q_EMIT zoomFeito();
}

void PainelGrafico::arrastarPan(const QPoint& pixel) {
    const QRect area = plot_->axisRect()->rect();
    for (const Eixo e : {Eixo::X, Eixo::Y}) {
        const int i = indice(e);
        // Pixels moved along the axis, positive towards larger values.
        const double desloc =
            e == Eixo::X ? pressionado_.x() - pixel.x() : pixel.y() - pressionado_.y();
        const double comprimento = e == Eixo::X ? area.width() : area.height();
        if (comprimento <= 0)
            continue;
        const double lo = panInicio_[i][0], hi = panInicio_[i][1];
        const double frac = desloc / comprimento;
        if (logaritmico(e)) {
            const double fator = std::pow(hi / lo, frac);
            definirFaixa(e, lo * fator, hi * fator);
        } else {
            const double d = (hi - lo) * frac;
            definirFaixa(e, lo + d, hi + d);
        }
    }
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

bool PainelGrafico::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto != plot_)
        return QWidget::eventFilter(objeto, evento);
    switch (evento->type()) {
        case QEvent::MouseButtonPress: {
            const auto* e = static_cast<QMouseEvent*>(evento);
            if (e->button() != Qt::LeftButton)
                break;
            pressionado_ = e->position().toPoint();
            botaoPressionado_ = true;
            arrastou_ = false;
            if (modo_ == ModoMouse::Pan) {
                for (const Eixo eixoPan : {Eixo::X, Eixo::Y}) {
                    const Faixa f = faixa(eixoPan);
                    panInicio_[indice(eixoPan)][0] = f.minimo;
                    panInicio_[indice(eixoPan)][1] = f.maximo;
                }
                plot_->setCursor(Qt::ClosedHandCursor);
            }
            break;
        }
        case QEvent::MouseMove: {
            const auto* e = static_cast<QMouseEvent*>(evento);
            const QPoint p = e->position().toPoint();
            if (botaoPressionado_ && (p - pressionado_).manhattanLength() > 3)
                arrastou_ = true;
            if (modo_ == ModoMouse::Pan && botaoPressionado_ && arrastou_)
                arrastarPan(p);
            if (plot_->axisRect()->rect().contains(p)) {
                posicaoMouse_ = paraGrafico(QPointF(p) + plot_->pos());
                Q_EMIT mouseMoveu(posicaoMouse_);
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            const auto* e = static_cast<QMouseEvent*>(evento);
            if (e->button() != Qt::LeftButton || !botaoPressionado_)
                break;
            botaoPressionado_ = false;
            const QPoint p = e->position().toPoint();
            if (modo_ == ModoMouse::Pan) {
                plot_->setCursor(Qt::OpenHandCursor);
                if (arrastou_) {
                    arrastarPan(p);
                    Q_EMIT zoomFeito();
                }
            } else if (modo_ == ModoMouse::Normal && !arrastou_ &&
                       plot_->axisRect()->rect().contains(p)) {
                posicaoMouse_ = paraGrafico(QPointF(p) + plot_->pos());
                Q_EMIT clicado(posicaoMouse_);
            }
            break;
        }
        default:
            break;
    }
    return QWidget::eventFilter(objeto, evento);
}

// ---- Pictures ----

QPixmap PainelGrafico::imagem(int largura, int altura) {
    const int w = largura > 0 ? largura : width();
    const int h = altura > 0 ? altura : height();
    QPixmap figura = plot_->toPixmap(w, h);
    if (w != plot_->width() || h != plot_->height())
        plot_->replot(QCustomPlot::rpQueuedReplot);  // the layout follows the widget again
    return figura;
}

void PainelGrafico::salvar(const QString& arquivo, int largura, int altura) {
    const QString extensao = QFileInfo(arquivo).suffix().toLower();
    const auto falha = [&arquivo] {
        return ErroLumeno(QStringLiteral("Não foi possível gravar a figura em %1.")
                              .arg(QDir::toNativeSeparators(arquivo)));
    };
    if (extensao != QLatin1String("bmp") && extensao != QLatin1String("png") &&
        extensao != QLatin1String("svg"))
        throw ErroLumeno(QStringLiteral("Formato de figura não suportado: %1 "
                                        "(use .bmp, .png ou .svg).")
                             .arg(QDir::toNativeSeparators(arquivo)));
    const int w = largura > 0 ? largura : width();
    const int h = altura > 0 ? altura : height();
    QSaveFile destino(arquivo);
    if (!destino.open(QIODevice::WriteOnly))
        throw falha();
    bool ok = false;
    if (extensao == QLatin1String("svg")) {
        QSvgGenerator gerador;
        gerador.setOutputDevice(&destino);
        gerador.setSize(QSize(w, h));
        gerador.setViewBox(QRect(0, 0, w, h));
        gerador.setTitle(QStringLiteral("Lumeno"));
        QCPPainter pintor;
        if (pintor.begin(&gerador)) {
            pintor.setMode(QCPPainter::pmVectorized);
            pintor.setMode(QCPPainter::pmNoCaching);
            plot_->toPainter(&pintor, w, h);
            ok = pintor.end();
        }
        plot_->replot(QCustomPlot::rpQueuedReplot);
    } else {
        ok = imagem(w, h).save(&destino, extensao == QLatin1String("bmp") ? "BMP" : "PNG");
    }
    if (!ok || !destino.commit())
        throw falha();
}

}  // namespace lumeno
