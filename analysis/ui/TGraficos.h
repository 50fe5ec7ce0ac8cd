// The data-analysis window: all measurements of one station on three charts at once —
// stage against discharge, wetted area and mean velocity — with stepping through the
// measurements, a zoom history per chart, decimal or logarithmic axes, pictures of a
// chart, and the coloured point sets from which the curve-adjustment window fits one
// curve per set.
#pragma once

#include "analysis/ConjuntoPontos.h"
#include "analysis/ExtremosMedicoes.h"
#include "components/PainelGrafico.h"

#include <QColor>
#include <QDialog>
#include <QPointF>

#include <array>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QToolButton;

namespace lumeno {

struct Contexto;
class TColorirPontos;
class TfrmPontosLumeno;

class TGraficos : public QDialog {
    Q_OBJECT
public:
    static constexpr int maximoZoom = 100;
    // The charts, in the order of the panels.
    enum IndiceGrafico { CotaVazao = 0, CotaArea = 1, CotaVelocidade = 2 };
    // Layouts of the "&Gráfico" menu: all three charts, or one of them alone.
    enum class Layout { Geral, SoCotaVazao, SoCotaArea, SoCotaVelocidade };

    explicit TGraficos(Contexto& contexto, QWidget* pai = nullptr);
    ~TGraficos() override;

    // Opens the window modally for the current row of the station list (Carregar, then
    // shown).
    void Abrir();
    // Takes the current row of the station list as the window's station: positions the
    // station table on it, sets the caption with the station and its river, and
    // initialises the charts from the station's measurements.
    void Carregar();

    // --- State -------------------------------------------------------------------------
    // The colour in which newly reached measurements are drawn.
    QColor CorAtual;
    // The point sets, in the order of the "&Legenda" menu.
    std::vector<ConjuntoPontos> Conjuntos;
    // Extremes of the station's measurements; CotaMinMedicoes is the lowest measured
    // stage (cm), against which an initial h0 is checked.
    ExtremosMedicoes Extremos;
    double CotaMinMedicoes = 0;
    int Estacao() const { return estacao_; }
    int ProfundidadeZoom(int grafico) const { return paineis_[static_cast<size_t>(grafico)].topo; }
    Layout LayoutAtual() const { return layout_; }
    PainelGrafico* Grafico(int grafico) const {
        return paineis_[static_cast<size_t>(grafico)].grafico;
    }

    // --- Operations ----------------------------------------------------------------------
    // Charts, zoom histories, menus and point sets from the station's measurements: all
    // drawn black but the first, blue and marked with the red disc; one set "Medição" of
    // the first measurement. Also the view: "&Geral" with decimal axes.
    void Inicializar();
    // Steps to the next / previous measurement, drawing it in the current colour and
    // widening the last set (or starting a new one after a set made by selection).
    void Proximo();
    void Anterior();
    // Makes current the measurement drawn nearest to `posicao` (chart coordinates) on one
    // chart, and marks it there with the bold cross.
    void SelecionarNoGrafico(int grafico, const QPointF& posicao);
    void ZoomIn(int grafico);
    void ZoomFeito(int grafico);
    void VoltarZoom(int grafico);
    void DefinirLayout(Layout layout);
    // Horizontal axes (vazao, area, velocidade) or the vertical (stage) axes.
    void DefinirEixo(bool vertical, bool logaritmico);
    void SalvarFigura();
    // The chart menu's "&Selecionar cor": only the current colour changes.
    void EscolherCorAtual();
    // "&Opções de cores" › "&Selecionar cor": a new walked set at the current measurement.
    void NovoConjunto();
    void ColorirPontos();
    // Adds the set of a selection and draws its measurements in its colour.
    void ColorirSelecao(const SelecaoPontos& selecao, std::uint32_t cor);
    // "&Descolorir": asks, then initialises again.
    void Descolorir();
    // "Gerar Lumeno": the list of sets, from which the curves are fitted.
    void GerarLumeno();

    // --- Widgets -------------------------------------------------------------------------
    PainelGrafico* rcCotaVazao;
    PainelGrafico* rcCotaArea;
    PainelGrafico* rcCotaVelocidade;
    QWidget* Panel1;
    QWidget* Panel2;
    QWidget* Panel3;
    QWidget* Panel4;
    QLabel* lbNumero;
    QLabel* lbData;
    QLabel* lbCota;
    QLabel* lbVazao;
    QLabel* lbArea;
    QLabel* lbVelocidade;
    QToolButton* DBNavigationButton1;  // previous
    QToolButton* DBNavigationButton;   // next

    QMenuBar* menu;
    QAction* mniGeral;
    QAction* mniCotaVazao;
    QAction* mniCotaVelocidade;
    QAction* mniCotaArea;
    QAction* mniSalvarFigura;
    QAction* mniXDecimal;
    QAction* mniXLogaritmica;
    QAction* mniYDecimal;
    QAction* mniYLogaritmica;
    QAction* mniSelecionarCor;
    QAction* mniColorirPontos;
    QAction* mniDescolorir;
    QMenu* mniLegenda;
    QAction* mniGerarLumeno;
    // Context menus of the charts, 1 = stage–discharge, 2 = area, 3 = velocity.
    QAction* om_ZoomIn1;
    QAction* om_ZoomOut1;
    QAction* om_SelecionarCor1;
    QAction* om_ZoomIn2;
    QAction* om_ZoomOut2;
    QAction* om_SelecionarCor2;
    QAction* om_ZoomIn3;
    QAction* om_ZoomOut3;
    QAction* om_SelecionarCor3;

    TColorirPontos* ColorirPontosDialogo;
    TfrmPontosLumeno* PontosLumeno;

private:
    struct NivelZoom {
        double xMin, yMin, xMax, yMax;
    };
    struct Painel {
        PainelGrafico* grafico = nullptr;
        QWidget* painel = nullptr;
        QString campo;  // the horizontal quantity: vazao, area or velocidade
        QAction* zoomIn = nullptr;
        QAction* voltarZoom = nullptr;
        QAction* selecionarCor = nullptr;
        std::array<NivelZoom, maximoZoom + 1> pilha{};
        int topo = 0;
    };

    void criarPaineis(QWidget* area);
    void criarMenu();
    void criarRodape();
    void atualizarRodape();
    // The measurement query as the window reads it: the base statement with the exclusion
    // criteria in force, on the window's station.
    void prepararMedidas();
    // Mandatory-point rows exist only while an adjustment is open; any left behind would
    // show here as measurements.
    void apagarLinhasObrigatorias();
    // Draws the current measurement on every chart: an ordinary mark in the current
    // colour, then the red disc; repaints.
    void marcarAtual();
    void passo(bool adiante);
    void atualizarLegenda();
    void adicionarConjunto(const ConjuntoPontos& conjunto);
    int numeroAtual() const;
    FaixaEixo faixaHorizontal(int grafico) const;

    Contexto& contexto_;
    int estacao_ = 0;
    Layout layout_ = Layout::Geral;
    std::array<Painel, 3> paineis_;
};

}  // namespace lumeno
