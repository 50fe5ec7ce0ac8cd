#include "validation/ui/CamadaFaixaConfianca.h"

#include "app/ui/Figuras.h"
#include "components/PainelGrafico.h"
#include "validation/ValidacaoCurva.h"

#include <qcustomplot.h>

#include <cmath>

namespace lumeno {

// Drawn on the plot's main layer, created before any item, so under all of them.
class CamadaFaixaConfianca::Camada : public QCPLayerable {
public:
    Camada(QCustomPlot* plot, const CamadaFaixaConfianca& dono)
        : QCPLayerable(plot, QStringLiteral("main")), area_(plot->axisRect()), dono_(dono) {
        setVisible(false);
    }

protected:
    QRect clipRect() const override { return area_->rect(); }
    void applyDefaultAntialiasingHint(QCPPainter* pintor) const override {
        applyAntialiasingHint(pintor, true, QCP::aePlottables);
    }

    void draw(QCPPainter* pintor) override {
        const QCPAxis* x = area_->axis(QCPAxis::atBottom);
        const QCPAxis* y = area_->axis(QCPAxis::atLeft);
        auto pixel = [&](const QPointF& p) {
            return QPointF(x->coordToPixel(p.x()), y->coordToPixel(p.y()));
        };
        auto finito = [](const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); };
        const Desenho desenho = dono_.calcular();
        pintor->setBrush(Qt::NoBrush);
        for (const Desenho::Linha& linha : desenho.linhas) {
            pintor->setPen(QPen(linha.cor, 1, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin));
            QPolygonF poligono;
            for (const QPointF& p : linha.pontos) {
                const QPointF px = pixel(p);
                if (finito(px))
                    poligono << px;
            }
            pintor->drawPolyline(poligono);
        }
        pintor->setPen(QPen(corAtipica, 2));
        for (const QPointF& p : desenho.atipicas) {
            const QPointF px = pixel(p);
            if (finito(px))
                pintor->drawEllipse(px, 7, 7);
        }
    }

private:
    QCPAxisRect* area_;
    const CamadaFaixaConfianca& dono_;
};

CamadaFaixaConfianca::CamadaFaixaConfianca(PainelGrafico& grafico,
                                           std::function<std::vector<const CurvaTrecho*>()> curvas)
    : grafico_(grafico), curvas_(std::move(curvas)), camada_(new Camada(grafico.plot(), *this)) {}

CamadaFaixaConfianca::~CamadaFaixaConfianca() {
    delete camada_.data();
}

void CamadaFaixaConfianca::definirVisivel(bool visivel) {
    if (!camada_)
        return;
    camada_->setVisible(visivel);
    grafico_.atualizar();
}

bool CamadaFaixaConfianca::visivel() const {
    return camada_ && camada_->visible();
}

CamadaFaixaConfianca::Desenho CamadaFaixaConfianca::calcular() const {
    Desenho desenho;
    for (const CurvaTrecho* curva : curvas_()) {
        if (curva->Algoritmo != AlgoritmoCurva::Potencial || curva->totalLinhas() < 2)
            continue;
        const ValidacaoCurva v = ValidarCurva(*curva);
        const std::vector<PontoFaixa> faixa = FaixaConfianca(*curva, v);
        if (!faixa.empty()) {
            Desenho::Linha inferior{{}, corQt(curva->Cor)}, superior{{}, corQt(curva->Cor)};
            for (const PontoFaixa& p : faixa) {
                inferior.pontos.emplace_back(p.inferior, p.cota);
                superior.pontos.emplace_back(p.superior, p.cota);
            }
            desenho.linhas.push_back(std::move(inferior));
            desenho.linhas.push_back(std::move(superior));
        }
        for (const MedicaoValidada& m : v.medicoes)
            if (m.atipica == Atipica::Marcada)
                desenho.atipicas.emplace_back(m.vazao, m.cota);
    }
    return desenho;
}

}  // namespace lumeno
