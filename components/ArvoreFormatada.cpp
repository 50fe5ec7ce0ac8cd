#include "components/ArvoreFormatada.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumeno {

namespace {

const QHash<QString, QString>& nomesCores() {
    static const QHash<QString, QString> nomes{
        {QStringLiteral("clblack"), QStringLiteral("#000000")},
        {QStringLiteral("clmaroon"), QStringLiteral("#800000")},
        {QStringLiteral("clgreen"), QStringLiteral("#008000")},
        {QStringLiteral("clolive"), QStringLiteral("#808000")},
        {QStringLiteral("clnavy"), QStringLiteral("#000080")},
        {QStringLiteral("clpurple"), QStringLiteral("#800080")},
        {QStringLiteral("clteal"), QStringLiteral("#008080")},
        {QStringLiteral("clgray"), QStringLiteral("#808080")},
        {QStringLiteral("clsilver"), QStringLiteral("#C0C0C0")},
        {QStringLiteral("clred"), QStringLiteral("#FF0000")},
        {QStringLiteral("cllime"), QStringLiteral("#00FF00")},
        {QStringLiteral("clyellow"), QStringLiteral("#FFFF00")},
        {QStringLiteral("clblue"), QStringLiteral("#0000FF")},
        {QStringLiteral("clfuchsia"), QStringLiteral("#FF00FF")},
        {QStringLiteral("claqua"), QStringLiteral("#00FFFF")},
        {QStringLiteral("clwhite"), QStringLiteral("#FFFFFF")},
    };
    return nomes;
}

QString corCss(const QString& valor) {
    const QString v = valor.trimmed();
    const auto it = nomesCores().find(v.toLower());
    return it != nomesCores().end() ? *it : v;
}

// One FONT tag as a span with the equivalent style.
QString converterFont(const QString& atributos) {
    static const QRegularExpression atributo(QStringLiteral("(\\w+)\\s*=\\s*\"([^\"]*)\""));
    QStringList estilo;
    auto it = atributo.globalMatch(atributos);
    while (it.hasNext()) {
        const auto m = it.next();
        const QString nome = m.captured(1).toLower();
        const QString valor = m.captured(2);
        if (nome == QLatin1String("face"))
            estilo << QStringLiteral("font-family:'%1'").arg(valor);
        else if (nome == QLatin1String("size"))
            estilo << QStringLiteral("font-size:%1pt").arg(valor.trimmed());
        else if (nome == QLatin1String("color"))
            estilo << QStringLiteral("color:%1").arg(corCss(valor));
        else if (nome == QLatin1String("bgcolor"))
            estilo << QStringLiteral("background-color:%1").arg(corCss(valor));
    }
    return QStringLiteral("<span style=\"%1\">").arg(estilo.join(';'));
}

// Qt draws a superscript at two thirds of its font's size (whole points, or whole
// pixels for a font sized in pixels), which left the exponents of an 8-point equation 5
// pixels tall. Each superscript gets a font in pixels that comes out at the size the
// caption gave it (its own smaller FONT), or at three quarters of the text before it when
// it gave none, but never under 70 % of that text nor under 8 pixels.
void ajustarSobrescritos(QTextDocument& doc) {
    const int padrao = QFontInfo(doc.defaultFont()).pixelSize();
    struct Trecho {
        int inicio, fim;
        QFont fonte;
    };
    std::vector<Trecho> trechos;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        int base = padrao;  // the text before the superscript
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            const QTextFragment fragmento = f.fragment();
            const QTextCharFormat formato = fragmento.charFormat();
            const QFont fonteTrecho = formato.font().resolve(doc.defaultFont());
            const int tamanho = QFontInfo(fonteTrecho).pixelSize();
            if (formato.verticalAlignment() != QTextCharFormat::AlignSuperScript) {
                base = tamanho;
                continue;
            }
            int alvo = tamanho < base ? tamanho : static_cast<int>(std::lround(0.75 * base));
            alvo = std::max({alvo, static_cast<int>(std::ceil(0.7 * base)),
                             ArvoreFormatada::sobrescritoMinimo});
            QFont fonte = fonteTrecho;
            fonte.setPixelSize((3 * alvo + 1) / 2);
            trechos.push_back(
                {fragmento.position(), fragmento.position() + fragmento.length(), fonte});
        }
    }
    for (const Trecho& t : trechos) {
        QTextCursor cursor(&doc);
        cursor.setPosition(t.inicio);
        cursor.setPosition(t.fim, QTextCursor::KeepAnchor);
        QTextCharFormat formato;
        formato.setFont(t.fonte);
        cursor.mergeCharFormat(formato);
    }
}

}  // namespace

std::unique_ptr<QTextDocument> ArvoreFormatada::documento(const QString& legenda,
                                                          const QFont& fonte) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(fonte);
    doc->setDocumentMargin(0);
    doc->setHtml(paraRichText(legenda));
    ajustarSobrescritos(*doc);
    return doc;
}

// Paints each caption as formatted text.
class DelegadoFormatado : public QStyledItemDelegate {
public:
    explicit DelegadoFormatado(ArvoreFormatada* arvore)
        : QStyledItemDelegate(arvore), arvore_(arvore) {}

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao,
               const QModelIndex& indice) const override {
        QStyleOptionViewItem o = opcao;
        initStyleOption(&o, indice);
        const QString legenda = indice.data(Qt::UserRole).toString();
        o.text.clear();
        QStyle* estilo = o.widget ? o.widget->style() : QApplication::style();
        estilo->drawControl(QStyle::CE_ItemViewItem, &o, pintor, o.widget);
        const auto doc = ArvoreFormatada::documento(legenda, o.font);
        pintor->save();
        const QPoint origem = arvore_->origemTexto(o.rect, *doc);
        pintor->translate(origem);
        doc->drawContents(pintor);
        pintor->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override {
        const auto doc =
            ArvoreFormatada::documento(indice.data(Qt::UserRole).toString(), opcao.font);
        // A row is as high as asked, or higher when its caption needs it (superscripts).
        return {
            static_cast<int>(doc->idealWidth()) + 8,
            std::max(arvore_->alturaLinha(), static_cast<int>(std::ceil(doc->size().height())))};
    }

private:
    ArvoreFormatada* arvore_;
};

ArvoreFormatada::ArvoreFormatada(QWidget* pai) : QTreeWidget(pai) {
    setHeaderHidden(true);
    setColumnCount(1);
    setItemDelegate(new DelegadoFormatado(this));
    setMouseTracking(true);
    setExpandsOnDoubleClick(false);
    seletorValores = [this](const QStringList& valores,
                            const QPoint& posicao) -> std::optional<QString> {
        QMenu menu(this);
        for (const QString& v : valores)
            menu.addAction(v);
        if (const QAction* escolhida = menu.exec(posicao))
            return escolhida->text();
        return std::nullopt;
    };
}

QString ArvoreFormatada::paraRichText(const QString& legenda) {
    static const QRegularExpression font(QStringLiteral("<font\\b([^>]*)>"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fimFont(QStringLiteral("</font\\s*>"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString r;
    qsizetype inicio = 0;
    auto it = font.globalMatch(legenda);
    while (it.hasNext()) {
        const auto m = it.next();
        r += legenda.mid(inicio, m.capturedStart() - inicio);
        r += converterFont(m.captured(1));
        inicio = m.capturedEnd();
    }
    r += legenda.mid(inicio);
    r.replace(fimFont, QStringLiteral("</span>"));
    // Blanks are kept as typed (the captions align with them).
    return QStringLiteral("<span style=\"white-space:pre\">") + r + QStringLiteral("</span>");
}

QString ArvoreFormatada::textoSimples(const QString& legenda) {
    QTextDocument doc;
    doc.setHtml(paraRichText(legenda));
    return doc.toPlainText();
}

QString ArvoreFormatada::textoLink(const QString& legenda, const QString& href) {
    QTextDocument doc;
    doc.setHtml(paraRichText(legenda));
    QString texto;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            const QTextFragment fragmento = f.fragment();
            if (fragmento.charFormat().anchorHref() == href)
                texto += fragmento.text();
        }
    return texto;
}

NoFormatado* ArvoreFormatada::adicionarRaiz(const QString& legenda) {
    auto* no = new NoFormatado(this);
    no->definirLegenda(legenda);
    return no;
}

NoFormatado* ArvoreFormatada::adicionarFilho(NoFormatado* pai, const QString& legenda) {
    auto* no = new NoFormatado(pai);
    no->definirLegenda(legenda);
    return no;
}

QList<NoFormatado*> ArvoreFormatada::nos() const {
    QList<NoFormatado*> r;
    for (QTreeWidgetItemIterator it(const_cast<ArvoreFormatada*>(this)); *it; ++it)
        r << no(*it);
    return r;
}

void ArvoreFormatada::selecionar(NoFormatado* no) {
    setCurrentItem(no);
}

NoFormatado* ArvoreFormatada::selecionado() const {
    return no(currentItem());
}

void ArvoreFormatada::definirAlturaLinha(int altura) {
    alturaLinha_ = altura;
    doItemsLayout();
}

void ArvoreFormatada::definirValores(const QString& href, const QStringList& valores) {
    valores_.insert(href, valores);
}

QPoint ArvoreFormatada::origemTexto(const QRect& celula, const QTextDocument& doc) const {
    const int altura = static_cast<int>(std::ceil(doc.size().height()));
    return {celula.left() + 2, celula.top() + std::max(0, (celula.height() - altura) / 2)};
}

QString ArvoreFormatada::linkEm(const QPoint& posicao, NoFormatado** noEncontrado) const {
    QTreeWidgetItem* item = itemAt(posicao);
    if (!item)
        return QString();
    const QRect celula = visualItemRect(item);
    const auto doc = documento(no(item)->legenda(), font());
    const QString href = doc->documentLayout()->anchorAt(posicao - origemTexto(celula, *doc));
    if (noEncontrado)
        *noEncontrado = no(item);
    return href;
}

QRect ArvoreFormatada::retanguloLink(NoFormatado* no, const QString& href) const {
    const QRect celula = visualItemRect(no);
    const auto doc = documento(no->legenda(), font());
    const QPoint origem = origemTexto(celula, *doc);
    doc->documentLayout()->documentSize();  // lays the text out
    QRect r;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            const QTextFragment fragmento = f.fragment();
            if (fragmento.charFormat().anchorHref() != href)
                continue;
            const QTextLine linha =
                b.layout()->lineForTextPosition(fragmento.position() - b.position());
            if (!linha.isValid())
                continue;
            const qreal x0 = linha.cursorToX(fragmento.position() - b.position());
            const qreal x1 =
                linha.cursorToX(fragmento.position() + fragmento.length() - b.position());
            r |= QRectF(x0, linha.y() + b.layout()->position().y(), x1 - x0, linha.height())
                     .toAlignedRect();
        }
    }
    return r.translated(origem);
}

void ArvoreFormatada::mouseMoveEvent(QMouseEvent* e) {
    viewport()->setCursor(linkEm(e->position().toPoint()).isEmpty() ? Qt::ArrowCursor
                                                                    : Qt::PointingHandCursor);
    QTreeWidget::mouseMoveEvent(e);
}

void ArvoreFormatada::mouseReleaseEvent(QMouseEvent* e) {
    QTreeWidget::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    NoFormatado* alvo = nullptr;
    const QString href = linkEm(e->position().toPoint(), &alvo);
    if (href.isEmpty() || !alvo)
        return;
    const auto valores = valores_.find(href);
    if (valores == valores_.end()) {
        Q_EMIT linkClicado(alvo, href);
        return;
    }
    const QString antigo = textoLink(alvo->legenda(), href);
    if (const auto novo =
            seletorValores(*valores, viewport()->mapToGlobal(e->position().toPoint())))
        Q_EMIT valorEscolhido(alvo, href, *novo, antigo);
}

}  // namespace lumeno
