// A tree whose node captions are formatted text: FONT (face, size in points, color as
// "#RRGGBB" or a name such as "clBlue", bgcolor), B, SUP, U and A href links.
// Superscripts are drawn at a legible size (see `documento`); a row grows to hold its
// caption when the row height asked for is too small. A click on
// a link reports the node and the link's name; a link may offer a drop-down list of
// values. Each node can carry a record of the caller's, destroyed with the node.
#pragma once

#include <QHash>
#include <QStringList>
#include <QTreeWidget>

#include <any>
#include <functional>
#include <memory>
#include <optional>

class QTextDocument;

namespace lumeno {

// A node of the tree with its attached record.
class NoFormatado : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    void definirLegenda(const QString& legenda) { setData(0, Qt::UserRole, legenda); }
    QString legenda() const { return data(0, Qt::UserRole).toString(); }

    template <class T>
    void definirRegistro(T registro) {
        registro_ = std::move(registro);
    }
    // The attached record, or nullptr when there is none of that type.
    template <class T>
    T* registro() {
        return std::any_cast<T>(&registro_);
    }
    bool temRegistro() const { return registro_.has_value(); }

private:
    std::any registro_;
};

class ArvoreFormatada : public QTreeWidget {
    Q_OBJECT
public:
    explicit ArvoreFormatada(QWidget* pai = nullptr);

    NoFormatado* adicionarRaiz(const QString& legenda);
    NoFormatado* adicionarFilho(NoFormatado* pai, const QString& legenda);
    static NoFormatado* no(QTreeWidgetItem* item) { return static_cast<NoFormatado*>(item); }
    // Every node in display order: root first, depth first.
    QList<NoFormatado*> nos() const;
    void selecionar(NoFormatado* no);
    NoFormatado* selecionado() const;

    void definirAlturaLinha(int altura);
    int alturaLinha() const { return alturaLinha_; }

    // Values offered when the link `href` is clicked.
    void definirValores(const QString& href, const QStringList& valores);
    // The rectangle, in viewport coordinates, of the first link `href` of a node.
    QRect retanguloLink(NoFormatado* no, const QString& href) const;
    // Shows a link's values at a screen position and returns the one chosen (a drop-down
    // menu; tests may replace it).
    std::function<std::optional<QString>(const QStringList& valores, const QPoint& posicao)>
        seletorValores;

    // The link under a viewport position, or an empty text.
    QString linkEm(const QPoint& posicao, NoFormatado** no = nullptr) const;

    // The caption in Qt's rich text (the subset converted).
    static QString paraRichText(const QString& legenda);
    // The caption laid out as a row draws it, over `fonte`. A superscript keeps the size of
    // its own FONT (three quarters of the text before it when it has none), but never less
    // than 70 % of the text before it nor less than `sobrescritoMinimo` pixels.
    static std::unique_ptr<QTextDocument> documento(const QString& legenda, const QFont& fonte);
    static constexpr int sobrescritoMinimo = 8;
    // The caption without formatting.
    static QString textoSimples(const QString& legenda);
    // The text of the first link `href` of a caption.
    static QString textoLink(const QString& legenda, const QString& href);

Q_SIGNALS:
    void linkClicado(NoFormatado* no, const QString& href);
    // A value was chosen from a link's list. The handler changes the caption to take it,
    // or leaves it to keep the old value.
    void valorEscolhido(NoFormatado* no, const QString& href, const QString& novo,
                        const QString& antigo);

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    friend class DelegadoFormatado;
    // Where a caption laid out as `doc` starts in a row's cell (centred vertically).
    QPoint origemTexto(const QRect& celula, const QTextDocument& doc) const;
    int alturaLinha_ = 18;
    QHash<QString, QStringList> valores_;
};

}  // namespace lumeno
