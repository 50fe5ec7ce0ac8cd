// The 95 % confidence band of the power-law curves and the rings around their
// measurements off by more than 3 Se, drawn on a chart under its items. Computed from the
// curves each time the chart is drawn, so it follows every fit, manual adjustment and new
// load without being told; it is not one of the chart's items (never counted, found,
// removed or cleared with them).
#pragma once

#include <QColor>
#include <QPointF>
#include <QPointer>

#include <functional>
#include <vector>

namespace lumeno {

struct CurvaTrecho;
class PainelGrafico;

class CamadaFaixaConfianca {
public:
    // `curvas` gives the curves to draw, in order, at each drawing.
    CamadaFaixaConfianca(PainelGrafico& grafico,
                         std::function<std::vector<const CurvaTrecho*>()> curvas);
    ~CamadaFaixaConfianca();
    CamadaFaixaConfianca(const CamadaFaixaConfianca&) = delete;
    CamadaFaixaConfianca& operator=(const CamadaFaixaConfianca&) = delete;

    // Shown or hidden; the chart is redrawn.
    void definirVisivel(bool visivel);
    bool visivel() const;

    // What the last drawing drew: the band lines (two per curve with a band) and the
    // measurements ringed, in chart coordinates (discharge, stage).
    struct Desenho {
        struct Linha {
            std::vector<QPointF> pontos;
            QColor cor;
        };
        std::vector<Linha> linhas;
        std::vector<QPointF> atipicas;
    };
    // The band and rings for the curves as they are now (what the next drawing draws).
    Desenho calcular() const;

    static inline const QColor corAtipica = QColor(220, 0, 0);

private:
    class Camada;
    PainelGrafico& grafico_;
    std::function<std::vector<const CurvaTrecho*>()> curvas_;
    QPointer<Camada> camada_;  // owned by the chart's plot
};

}  // namespace lumeno
