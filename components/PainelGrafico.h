// The chart of the program. Every chart window draws on one of these: marks and
// polylines at chart coordinates, kept as logical items in drawing order (the last one
// can be removed, which is how a window moves the highlight of the current
// measurement), a horizontal (x) and a vertical (y) axis that are linear or logarithmic,
// grids, rectangle zoom and pan, the item nearest to a position in screen distance, and
// pictures of itself (clipboard, .bmp, .png, .svg).
//
// Built on QCustomPlot. Consecutive marks of the same shape and colour share one
// plottable, so thousands of marks cost a handful of draw calls; the logical item list
// stays exact (removerUltimo removes precisely the last mark or line drawn).
//
// Coordinates: "chart" coordinates are the values of the axes (x = horizontal axis,
// y = vertical axis); "pixel" coordinates are those of this widget. Non-finite chart
// values are accepted in items but never drawn, fitted or found.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QPointF>
#include <QString>
#include <QVector>
#include <QWidget>

#include <optional>
#include <vector>

class QCustomPlot;
class QCPAbstractPlottable;
class QCPAxis;
class QCPCurve;

namespace lumeno {

class GradeGrafico;  // the grid layer, private to PainelGrafico.cpp

class PainelGrafico : public QWidget {
    Q_OBJECT
public:
    // Mark shapes, centred on the point; sizes in screen pixels whatever the zoom.
    enum class Marca {
        XFina,     // thin diagonal cross: pixels with |dx| = |dy| <= 3 (7 across, 1-pixel pen)
        XNegrito,  // bold diagonal cross: |dx|, |dy| <= 3 and ||dx| - |dy|| <= 1
        Losango,   // filled diamond, radius 3 (|dx| + |dy| <= 3)
        Disco,     // filled disc 7 pixels across, outline and fill in the colour
        XPequeno,  // small diagonal cross: |dx| = |dy| <= 2 (5 across)
    };
    enum class Grade {
        Nenhuma,     // no grid
        Solida,      // solid grid lines
        Pontilhada,  // dotted grid lines
        Pontos,      // a point at each crossing of the grid lines
    };
    enum class ModoMouse {
        Normal,  // moves report the position, a click (no drag) emits clicado
        Zoom,    // a left-button drag selects the new ranges of both axes
        Pan,     // a left-button drag moves the ranges of both axes
    };
    enum class Eixo { X, Y };  // X horizontal, Y vertical

    struct Faixa {
        double minimo;
        double maximo;
    };

    // One logical item as it was drawn.
    struct Item {
        enum class Tipo { Marca, Linha };
        Tipo tipo = Tipo::Marca;
        Marca marca = Marca::XFina;           // marks only
        QColor cor;                           // colour of the mark or of the line
        int largura = 1;                      // lines only: pen width in pixels
        Qt::PenStyle estilo = Qt::SolidLine;  // lines only
        QVector<QPointF> pontos;              // one point for a mark; the vertices of a line
    };

    explicit PainelGrafico(QWidget* pai = nullptr);
    ~PainelGrafico() override;

    // ---- Items, in drawing order (later items are drawn over earlier ones) ----

    // Adds a mark of the given shape at chart coordinates (x, y).
    void marcar(double x, double y, Marca marca, const QColor& cor);
    // Adds a polyline through the points, in order (one item whatever its length).
    void polilinha(const QVector<QPointF>& pontos, const QColor& cor, int largura = 1,
                   Qt::PenStyle estilo = Qt::SolidLine);

    // Pen drawing. moverPara places the pen (it draws nothing and adds no item);
    // linhaPara draws a straight line from the pen to (x, y) and leaves the pen there.
    // The lines of one uninterrupted moverPara/linhaPara sequence form a single
    // polyline item in the pen's colour, width and style; drawing any other item,
    // removing an item, clearing or changing the pen starts a new item at the next
    // linhaPara. The pen starts at (0, 0), black, width 1, solid.
    void definirCorCaneta(const QColor& cor);
    QColor corCaneta() const { return corCaneta_; }
    void definirLarguraCaneta(int largura);
    int larguraCaneta() const { return larguraCaneta_; }
    void definirEstiloCaneta(Qt::PenStyle estilo);
    Qt::PenStyle estiloCaneta() const { return estiloCaneta_; }
    void moverPara(double x, double y);
    void linhaPara(double x, double y);
    QPointF posicaoCaneta() const { return posicaoCaneta_; }

    // Removes the last item drawn; nothing when there is none.
    void removerUltimo();
    // Removes every item (axes, grid and mouse mode are kept).
    void limpar();
    int totalItens() const { return static_cast<int>(itens_.size()); }
    // The item at `indice` (0 = first drawn); requires 0 <= indice < totalItens(). The
    // reference is valid until the next change of the items.
    const Item& item(int indice) const { return itens_.at(static_cast<size_t>(indice)).item; }

    // Redraws the chart with the items, ranges and settings in force.
    void atualizar();

    // While one of these lives, atualizar only notes that a redraw is due, and the last one
    // to go redraws once: for commands that change the chart in many steps (a rating of
    // many curves). Pixel conversions inside its life use the layout of the last redraw.
    class AtualizacaoAdiada {
    public:
        explicit AtualizacaoAdiada(PainelGrafico& grafico);
        ~AtualizacaoAdiada();
        AtualizacaoAdiada(const AtualizacaoAdiada&) = delete;
        AtualizacaoAdiada& operator=(const AtualizacaoAdiada&) = delete;

    private:
        PainelGrafico& grafico_;
    };

    // ---- Axes ----

    // Sets the range of an axis. Reversed limits are swapped; equal limits are widened
    // by 1 % of the value (by 1 around 0); non-finite limits are ignored. On a
    // logarithmic axis a range reaching 0 or below is moved into the positive values.
    void definirFaixa(Eixo eixo, double minimo, double maximo);
    Faixa faixa(Eixo eixo) const;

    void definirLogaritmico(Eixo eixo, bool logaritmico);
    bool logaritmico(Eixo eixo) const;
    // Decimals of the tick labels: >= 0 fixed decimals; < 0 automatic (the shortest text,
    // as used for logarithmic axes with -2). Default -1.
    void definirCasasDecimais(Eixo eixo, int casas);
    int casasDecimais(Eixo eixo) const;
    // Caption written along the axis (tick labels and captions are in Arial).
    void definirTitulo(Eixo eixo, const QString& titulo);
    QString titulo(Eixo eixo) const;

    // Fits both ranges to the points of all items, widened on each side by `margem`
    // percent of the span (on a logarithmic axis: of the span of the logarithms, and
    // only positive values count). An axis whose points all share one value is centred
    // on it (as definirFaixa does with equal limits). No item: nothing changes.
    void ajustarFaixas(double margem);

    // Grid lines of an axis at origem + k * passo (k integer) inside the range; passo 0
    // (the default) puts them at the labelled ticks. Examples: one fifth of the range,
    // from its low end, gives five grid divisions; 2 * distanciaTicks() gives a grid line
    // at every second tick. When a zoom out would need more than 500 lines, the labelled
    // ticks are used instead.
    void definirPassoGrade(Eixo eixo, double passo, double origem = 0);
    double passoGrade(Eixo eixo) const;
    // Distance between the first two labelled ticks for the axis's current range (0 when
    // there are fewer than two ticks). On a logarithmic axis, the difference of values.
    double distanciaTicks(Eixo eixo) const;

    void definirGrade(Grade grade);
    Grade grade() const { return grade_; }
    void definirCorGrade(const QColor& cor);  // maroon (128, 0, 0) by default
    QColor corGrade() const { return corGrade_; }
    void definirFundo(const QColor& cor);  // whole chart background; white by default
    QColor fundo() const { return fundo_; }
    // Least distance in pixels between the widget's edges and the plotting area; the
    // area shrinks further when tick labels or captions need more room.
    void definirMargens(int esquerda, int direita, int topo, int base);

    // ---- Mouse ----

    // Changing the mode cancels a drag in progress. Default Normal.
    void definirModoMouse(ModoMouse modo);
    ModoMouse modoMouse() const { return modo_; }
    // The last mouse position over the plotting area in chart coordinates (in any mode;
    // a window that records it only in the normal mode checks modoMouse()).
    QPointF posicaoMouse() const { return posicaoMouse_; }
    // Conversions between this widget's pixels and chart coordinates for the ranges in
    // force (after the layout of the last atualizar or resize).
    QPointF paraGrafico(const QPointF& pixel) const;
    QPointF paraPixel(const QPointF& ponto) const;
    // The plotting area inside the widget, in pixels.
    QRect areaPlotagem() const;

    // The chart coordinates of the item point nearest on the screen to the chart
    // position `ponto`, among all items: marks, polyline vertices and line ends.
    // Empty when the chart has no drawable point.
    std::optional<QPointF> itemMaisProximo(const QPointF& ponto) const;

    // ---- Pictures ----

    // The chart drawn into a picture; 0 takes the widget's width or height.
    QPixmap imagem(int largura = 0, int altura = 0);
    // Writes the chart by the file's extension (case ignored): .bmp, .png or .svg; 0 takes
    // the widget's width or height. Throws ErroLumeno when the extension is another one
    // or the file cannot be written.
    void salvar(const QString& arquivo, int largura = 0, int altura = 0);

    // The underlying plot, for measurements and special needs; items added to it
    // directly are not part of the logical item list.
    QCustomPlot* plot() const { return plot_; }

Q_SIGNALS:
    // A rectangle zoom (Zoom mode) or a pan (Pan mode) changed the ranges; the mode stays
    // as it was, the window decides what comes next.
    void zoomFeito();
    // The mouse moved over the plotting area; chart coordinates.
    void mouseMoveu(QPointF ponto);
    // Left click (press and release without dragging) in the Normal mode; chart
    // coordinates of the click, which is also the new posicaoMouse().
    void clicado(QPointF ponto);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    int adiamentos_ = 0;
    bool atualizacaoPendente_ = false;

    struct Registro {
        Item item;
        QCPAbstractPlottable* plottable;  // marks share one plottable with their neighbours
    };

    QCPAxis* eixo(Eixo e) const;
    static int indice(Eixo e) { return e == Eixo::X ? 0 : 1; }
    void aplicarFormato(Eixo e);
    void fecharCaminho() { caminhoAberto_ = false; }
    void concluirZoom(const QRect& retangulo);
    void arrastarPan(const QPoint& pixel);

    QCustomPlot* plot_;
    GradeGrafico* gradeItem_;
    std::vector<Registro> itens_;

    QColor corCaneta_ = Qt::black;
    int larguraCaneta_ = 1;
    Qt::PenStyle estiloCaneta_ = Qt::SolidLine;
    QPointF posicaoCaneta_;
    bool caminhoAberto_ = false;  // the last item is the pen's polyline and may grow

    Grade grade_ = Grade::Nenhuma;
    QColor corGrade_ = QColor(128, 0, 0);
    QColor fundo_ = Qt::white;
    int casas_[2] = {-1, -1};

    ModoMouse modo_ = ModoMouse::Normal;
    QPointF posicaoMouse_;
    QPoint pressionado_;
    bool botaoPressionado_ = false;
    bool arrastou_ = false;
    double panInicio_[2][2] = {{0, 0}, {0, 0}};  // ranges when the pan drag started
};

}  // namespace lumeno
