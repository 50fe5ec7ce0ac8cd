#include "components/PainelGrafico.h"

#include "app/ErroLumeno.h"

#include <qcustomplot.h>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace lumeno {

namespace {

QCPScatterStyle estiloMarca(PainelGrafico::Marca marca, const QColor& cor) {
    switch (marca) {
        case PainelGrafico::Marca::XFina:
            return QCPScatterStyle(QCPScatterStyle::ssCross, QPen(cor, 1), Qt::NoBrush, 7);
        case PainelGrafico::Marca::XNegrito:
            return QCPScatterStyle(QCPScatterStyle::ssCross, QPen(cor, 2.5), Qt::NoBrush, 7);
        case PainelGrafico::Marca::Losango:
            return QCPScatterStyle(QCPScatterStyle::ssDiamond, QPen(cor, 1), QBrush(cor), 7);
        case PainelGrafico::Marca::Disco:
            return QCPScatterStyle(QCPScatterStyle::ssDisc, QPen(cor, 1), QBrush(cor), 7);
        case PainelGrafico::Marca::XPequeno:
            return QCPScatterStyle(QCPScatterStyle::ssCross, QPen(cor, 1), Qt::NoBrush, 5);
    }
    return QCPScatterStyle();
}

QCPCurve* novaCurva(QCustomPlot* plot) {
    auto* c = new QCPCurve(plot->xAxis, plot->yAxis);
    c->setAntialiased(false);
    c->setAntialiasedScatters(true);
    return c;
}

}  // namespace

PainelGrafico::PainelGrafico(QWidget* pai) : QWidget(pai), plot_(new QCustomPlot(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    plot_->setNoAntialiasingOnDrag(true);
    plot_->setPlottingHint(QCP::phCacheLabels, true);
    const QFont arial(QStringLiteral("Arial"), 8);
    for (QCPAxis* a : {plot_->xAxis, plot_->yAxis}) {
        a->setTickLabelFont(arial);
        a->setLabelFont(arial);
        a->grid()->setSubGridVisible(false);
        a->setNumberFormat(QStringLiteral("f"));
        a->setNumberPrecision(0);
    }
    aplicarGrade();
    plot_->installEventFilter(this);
    connect(plot_->selectionRect(), &QCPSelectionRect::accepted, this, [this] {
        QMetaObject::invokeMethod(this, &PainelGrafico::zoomFeito, Qt::QueuedConnection);
    });
    plot_->setMouseTracking(true);
}

PainelGrafico::~PainelGrafico() = default;

QCPAxis* PainelGrafico::eixo(Eixo e) const {
    return e == Eixo::X ? plot_->xAxis : plot_->yAxis;
}

void PainelGrafico::marcar(double x, double y, Marca marca, const QColor& cor) {
    QCPCurve* curva = nullptr;
    if (!itens_.empty()) {
        const Item& ultimo = itens_.back();
        if (ultimo.marca && ultimo.tipo == marca && ultimo.cor == cor)
            curva = static_cast<QCPCurve*>(ultimo.plottable);
    }
    if (!curva) {
        curva = novaCurva(plot_);
        curva->setLineStyle(QCPCurve::lsNone);
        curva->setScatterStyle(estiloMarca(marca, cor));
    }
    curva->addData(curva->dataCount(), x, y);
    itens_.push_back({true, marca, cor, 1, Qt::SolidLine, {QPointF(x, y)}, curva});
}

void PainelGrafico::polilinha(const QVector<QPointF>& pontos, const QColor& cor, int largura,
                              Qt::PenStyle estilo) {
    QCPCurve* curva = novaCurva(plot_);
    curva->setLineStyle(QCPCurve::lsLine);
    curva->setAntialiased(true);
    QPen caneta(cor, largura, estilo);
    curva->setPen(caneta);
    QVector<double> t, x, y;
    t.reserve(pontos.size());
    x.reserve(pontos.size());
    y.reserve(pontos.size());
    for (int i = 0; i < pontos.size(); ++i) {
        t << i;
        x << pontos[i].x();
        y << pontos[i].y();
    }
    curva->setData(t, x, y, true);
    itens_.push_back({false, Marca::XFina, cor, largura, estilo, pontos, curva});
}

void PainelGrafico::moverPara(double x, double y) {
    polilinha({QPointF(x, y)}, corCaneta_);
}

void PainelGrafico::linhaPara(double x, double y) {
    if (itens_.empty() || itens_.back().marca) {
        moverPara(x, y);
        return;
    }
    Item& item = itens_.back();
    auto* curva = static_cast<QCPCurve*>(item.plottable);
    curva->addData(curva->dataCount(), x, y);
    item.pontos << QPointF(x, y);
}

void PainelGrafico::removerUltimo() {
    if (itens_.empty())
        return;
    const Item item = itens_.back();
    itens_.pop_back();
    auto* curva = static_cast<QCPCurve*>(item.plottable);
    if (item.marca && curva->dataCount() > 1) {
        curva->data()->removeAfter(curva->dataCount() - 1.5);
        return;
    }
    plot_->removePlottable(curva);
}

void PainelGrafico::limpar() {
    itens_.clear();
    plot_->clearPlottables();
}

void PainelGrafico::atualizar() {
    plot_->replot();
}

void PainelGrafico::definirFaixa(Eixo e, double minimo, double maximo) {
    eixo(e)->setRange(minimo, maximo);
}

PainelGrafico::Faixa PainelGrafico::faixa(Eixo e) const {
    const QCPRange r = eixo(e)->range();
    return {r.lower, r.upper};
}

void PainelGrafico::definirLogaritmico(Eixo e, bool logaritmico) {
    eixo(e)->setScaleType(logaritmico ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
    aplicarTicker(e);
}

bool PainelGrafico::logaritmico(Eixo e) const {
    return eixo(e)->scaleType() == QCPAxis::stLogarithmic;
}

void PainelGrafico::definirCasasDecimais(Eixo e, int casas) {
    casas_[static_cast<int>(e)] = casas;
    QCPAxis* a = eixo(e);
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

void PainelGrafico::aplicarTicker(Eixo e) {
    QCPAxis* a = eixo(e);
    const double passo = passo_[static_cast<int>(e)];
    if (a->scaleType() == QCPAxis::stLogarithmic) {
        a->setTicker(QSharedPointer<QCPAxisTickerLog>::create());
    } else if (passo > 0) {
        auto fixo = QSharedPointer<QCPAxisTickerFixed>::create();
        fixo->setTickStep(passo);
        fixo->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
        a->setTicker(fixo);
    } else {
        a->setTicker(QSharedPointer<QCPAxisTicker>::create());
    }
}

void PainelGrafico::ajustarFaixas(double margem) {
    double xMin = std::numeric_limits<double>::max(), xMax = -xMin, yMin = xMin, yMax = -xMin;
    for (const Item& item : itens_)
        for (const QPointF& p : item.pontos) {
            xMin = std::min(xMin, p.x());
            xMax = std::max(xMax, p.x());
            yMin = std::min(yMin, p.y());
            yMax = std::max(yMax, p.y());
        }
    if (itens_.empty() || xMin > xMax)
        return;
    const double mx = (xMax - xMin) * margem / 100;
    const double my = (yMax - yMin) * margem / 100;
    definirFaixa(Eixo::X, xMin - mx, xMax + mx + (xMax == xMin ? 1 : 0));
    definirFaixa(Eixo::Y, yMin - my, yMax + my + (yMax == yMin ? 1 : 0));
}

void PainelGrafico::definirPassoGrade(Eixo e, double passo) {
    passo_[static_cast<int>(e)] = passo;
    aplicarTicker(e);
}

double PainelGrafico::distanciaTicks(Eixo e) {
    QCPAxis* a = eixo(e);
    plot_->replot(QCustomPlot::rpImmediateRefresh);
    const QVector<double> ticks = a->tickVector();
    if (ticks.size() < 2)
        return 0;
    return ticks[1] - ticks[0];
}

void PainelGrafico::aplicarGrade() {
    for (QCPAxis* a : {plot_->xAxis, plot_->yAxis}) {
        QCPGrid* g = a->grid();
        QPen caneta(corGrade_, 0);
        switch (grade_) {
            case Grade::Nenhuma:
                g->setVisible(false);
                break;
            case Grade::Solida:
                caneta.setStyle(Qt::SolidLine);
                g->setVisible(true);
                break;
            case Grade::Pontilhada:
                caneta.setStyle(Qt::DotLine);
                g->setVisible(true);
                break;
            case Grade::Pontos:
                caneta.setDashPattern({1, 7});
                g->setVisible(true);
                break;
        }
        g->setPen(caneta);
        g->setZeroLinePen(caneta);
    }
}

void PainelGrafico::definirGrade(Grade grade) {
    grade_ = grade;
    aplicarGrade();
}

void PainelGrafico::definirCorGrade(const QColor& cor) {
    corGrade_ = cor;
    aplicarGrade();
}

void PainelGrafico::definirFundo(const QColor& cor) {
    plot_->setBackground(QBrush(cor));
    plot_->axisRect()->setBackground(QBrush(cor));
}

void PainelGrafico::definirMargens(int esquerda, int direita, int topo, int base) {
    plot_->axisRect()->setMinimumMargins(QMargins(esquerda, topo, direita, base));
}

void PainelGrafico::definirModoMouse(ModoMouse modo) {
    modo_ = modo;
    plot_->setSelectionRectMode(modo == ModoMouse::Zoom ? QCP::srmZoom : QCP::srmNone);
    plot_->setInteraction(QCP::iRangeDrag, modo == ModoMouse::Pan);
    plot_->setCursor(modo == ModoMouse::Normal ? Qt::ArrowCursor
                     : modo == ModoMouse::Zoom ? Qt::CrossCursor
                                               : Qt::OpenHandCursor);
}

QPointF PainelGrafico::paraGrafico(const QPoint& pixel) const {
    return {plot_->xAxis->pixelToCoord(pixel.x()), plot_->yAxis->pixelToCoord(pixel.y())};
}

QPointF PainelGrafico::paraPixel(const QPointF& ponto) const {
    return {plot_->xAxis->coordToPixel(ponto.x()), plot_->yAxis->coordToPixel(ponto.y())};
}

std::optional<QPointF> PainelGrafico::itemMaisProximo(const QPointF& ponto) const {
    const QPointF alvo = paraPixel(ponto);
    std::optional<QPointF> melhor;
    double menor = std::numeric_limits<double>::max();
    for (const Item& item : itens_)
        for (const QPointF& p : item.pontos) {
            const QPointF d = paraPixel(p) - alvo;
            const double distancia = d.x() * d.x() + d.y() * d.y();
            if (std::isfinite(distancia) && distancia < menor) {
                menor = distancia;
                melhor = p;
            }
        }
    return melhor;
}

bool PainelGrafico::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == plot_) {
        switch (evento->type()) {
            case QEvent::MouseMove: {
                const auto* e = static_cast<QMouseEvent*>(evento);
                const QPoint p = e->position().toPoint();
                if ((p - pressionado_).manhattanLength() > 3)
                    arrastou_ = true;
                if (modo_ == ModoMouse::Normal && plot_->axisRect()->rect().contains(p)) {
                    posicaoMouse_ = paraGrafico(p);
                    Q_EMIT mouseMoveu(posicaoMouse_);
                }
                break;
            }
            case QEvent::MouseButtonPress:
                pressionado_ = static_cast<QMouseEvent*>(evento)->position().toPoint();
                arrastou_ = false;
                break;
            case QEvent::MouseButtonRelease: {
                const auto* e = static_cast<QMouseEvent*>(evento);
                if (e->button() != Qt::LeftButton)
                    break;
                if (modo_ == ModoMouse::Pan && arrastou_)
                    QMetaObject::invokeMethod(this, &PainelGrafico::zoomFeito,
                                              Qt::QueuedConnection);
                else if (modo_ == ModoMouse::Normal && !arrastou_) {
                    posicaoMouse_ = paraGrafico(e->position().toPoint());
                    Q_EMIT clicado(posicaoMouse_);
                }
                break;
            }
            default:
                break;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

QPixmap PainelGrafico::imagem(int largura, int altura) {
    return plot_->toPixmap(largura, altura);
}

void PainelGrafico::salvar(const QString& arquivo) {
    const QString extensao = QFileInfo(arquivo).suffix().toLower();
    bool ok = false;
    if (extensao == QLatin1String("svg")) {
        QSvgGenerator gerador;
        gerador.setFileName(arquivo);
        gerador.setSize(plot_->size());
        gerador.setViewBox(QRect(QPoint(0, 0), plot_->size()));
        gerador.setTitle(QStringLiteral("Lumeno"));
        QCPPainter pintor;
        ok = pintor.begin(&gerador);
        if (ok) {
            plot_->toPainter(&pintor, plot_->width(), plot_->height());
            ok = pintor.end();
        }
        ok = ok && QFileInfo::exists(arquivo);
    } else if (extensao == QLatin1String("png")) {
        ok = plot_->savePng(arquivo);
    } else {
        ok = plot_->saveBmp(arquivo);
    }
    if (!ok)
        throw ErroLumeno(QStringLiteral("Não foi possível gravar a figura em %1.")
                             .arg(QDir::toNativeSeparators(arquivo)));
}

}  // namespace lumeno
