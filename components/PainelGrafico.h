// The chart of the program: marks and polylines at chart coordinates, kept as items in
// drawing order (the last one can be removed), two axes that are linear or
// logarithmic, grids, rectangle zoom and pan, the item nearest to a position in screen
// distance, and pictures of itself (clipboard, .bmp, .png, .svg).
#pragma once

#include <QColor>
#include <QPointF>
#include <QVector>
#include <QWidget>

#include <optional>
#include <vector>

class QCustomPlot;
class QCPAbstractPlottable;
class QCPAxis;

namespace lumeno {

class PainelGrafico : public QWidget {
    Q_OBJECT
public:
    enum class Marca {
        XFina,     // thin diagonal cross, 7 pixels across
        XNegrito,  // bold diagonal cross, 7 pixels across
        Losango,   // filled diamond, radius 3 pixels
        Disco,     // filled disc, 7 pixels across
        XPequeno,  // small diagonal cross, 5 pixels across
    };
    enum class Grade { Nenhuma, Solida, Pontilhada, Pontos };
    enum class ModoMouse { Normal, Zoom, Pan };
    enum class Eixo { X, Y };
    struct Faixa {
        double minimo;
        double maximo;
    };

    explicit PainelGrafico(QWidget* pai = nullptr);
    ~PainelGrafico() override;

    // Items, in drawing order.
    void marcar(double x, double y, Marca marca, const QColor& cor);
    void polilinha(const QVector<QPointF>& pontos, const QColor& cor, int largura = 1,
                   Qt::PenStyle estilo = Qt::SolidLine);
    // Pen drawing: moverPara starts a new polyline in the pen's colour, linhaPara extends it.
    void definirCorCaneta(const QColor& cor) { corCaneta_ = cor; }
    void moverPara(double x, double y);
    void linhaPara(double x, double y);
    void removerUltimo();
    void limpar();
    int totalItens() const { return static_cast<int>(itens_.size()); }
    // Redraws the chart.
    void atualizar();

    // Axes.
    void definirFaixa(Eixo eixo, double minimo, double maximo);
    Faixa faixa(Eixo eixo) const;
    void definirLogaritmico(Eixo eixo, bool logaritmico);
    bool logaritmico(Eixo eixo) const;
    // Decimals of the tick labels; a negative value lets the chart choose.
    void definirCasasDecimais(Eixo eixo, int casas);
    void definirTitulo(Eixo eixo, const QString& titulo);
    // Ranges fitted to the drawn items, with a margin of `margem` percent of each span.
    void ajustarFaixas(double margem);
    // Distance between grid lines (and tick labels); 0 lets the chart choose.
    void definirPassoGrade(Eixo eixo, double passo);
    // The distance between the axis's first two ticks as last drawn.
    double distanciaTicks(Eixo eixo);
    void definirGrade(Grade grade);
    Grade grade() const { return grade_; }
    void definirCorGrade(const QColor& cor);
    void definirFundo(const QColor& cor);
    void definirMargens(int esquerda, int direita, int topo, int base);

    // Mouse.
    void definirModoMouse(ModoMouse modo);
    ModoMouse modoMouse() const { return modo_; }
    // The last mouse position over the plotting area, in chart coordinates.
    QPointF posicaoMouse() const { return posicaoMouse_; }
    QPointF paraGrafico(const QPoint& pixel) const;
    QPointF paraPixel(const QPointF& ponto) const;
    // The chart coordinates of the item point nearest to `ponto` on the screen; none
    // when the chart has no item.
    std::optional<QPointF> itemMaisProximo(const QPointF& ponto) const;

    // Pictures.
    QPixmap imagem(int largura = 0, int altura = 0);
    // By the file's extension: .bmp, .png or .svg. Throws ErroLumeno on failure.
    void salvar(const QString& arquivo);

    QCustomPlot* plot() const { return plot_; }

Q_SIGNALS:
    // A rectangle zoom or a pan ended.
    void zoomFeito();
    void mouseMoveu(QPointF ponto);
    // A click (press and release without dragging) in the normal mouse mode.
    void clicado(QPointF ponto);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    struct Item {
        bool marca;
        Marca tipo;
        QColor cor;
        int largura;
        Qt::PenStyle estilo;
        QVector<QPointF> pontos;
        QCPAbstractPlottable* plottable;  // marks share one plottable with their neighbours
    };
    QCPAxis* eixo(Eixo e) const;
    void aplicarGrade();
    void aplicarTicker(Eixo e);

    QCustomPlot* plot_;
    std::vector<Item> itens_;
    QColor corCaneta_ = Qt::black;
    Grade grade_ = Grade::Nenhuma;
    QColor corGrade_ = QColor(128, 0, 0);
    ModoMouse modo_ = ModoMouse::Normal;
    QPointF posicaoMouse_;
    QPoint pressionado_;
    bool arrastou_ = false;
    int casas_[2] = {0, 0};
    double passo_[2] = {0, 0};
};

}  // namespace lumeno
