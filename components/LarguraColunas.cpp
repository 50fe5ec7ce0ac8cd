#include "components/LarguraColunas.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QTreeView>

#include <algorithm>

namespace lumeno {

namespace {

// Room between a column's widest text and the next column.
constexpr int folga = 8;

template <class Vista>
int ajustar(Vista* vista, QHeaderView* cabecalho, const QList<int>& minimas, int extra) {
    int total = 0;
    for (int c = 0; c < cabecalho->count(); ++c) {
        if (cabecalho->isSectionHidden(c))
            continue;
        // Qt's own measure of the widest value and of the title — not the column's present
        // width, which a stretched last column would hand back a little wider at every fill.
        const int valores = static_cast<const QAbstractItemView*>(vista)->sizeHintForColumn(c);
        const int titulo = cabecalho->isHidden() ? 0 : cabecalho->sectionSizeHint(c);
        const int conteudo = std::max(valores, titulo);
        const int largura = std::max(conteudo + folga, minimas.value(c, 0));
        vista->setColumnWidth(c, largura);
        total += largura;
    }
    const int barra = vista->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vista);
    return total + extra + 2 * vista->frameWidth() + barra;
}

}  // namespace

int ajustarColunas(QTreeView* lista, const QList<int>& minimas) {
    return ajustar(lista, lista->header(), minimas, 0);
}

int ajustarColunas(QTableView* grade, const QList<int>& minimas) {
    const QHeaderView* linhas = grade->verticalHeader();
    return ajustar(grade, grade->horizontalHeader(), minimas,
                   linhas->isHidden() ? 0 : linhas->sizeHint().width());
}

void alargarJanela(QWidget* janela, const QWidget* lista, int largura) {
    // A window not shown yet has its list laid out first.
    if (QLayout* layout = janela->layout())
        layout->activate();
    const int falta = largura - lista->width();
    if (falta <= 0)
        return;
    const QScreen* tela = janela->screen() ? janela->screen() : QGuiApplication::primaryScreen();
    const int limite = tela ? tela->availableGeometry().width() : janela->width() + falta;
    const int nova = std::max(janela->width(), std::min(janela->width() + falta, limite));
    if (nova == janela->width())
        return;
    const int acrescimo = nova - janela->width();
    if (janela->minimumWidth() == janela->maximumWidth())
        janela->setFixedWidth(nova);
    else
        janela->resize(nova, janela->height());
    // A window grows to both sides, so that it stays where it was centred.
    if (janela->isWindow())
        janela->move(
            std::max(tela ? tela->availableGeometry().left() : 0, janela->x() - acrescimo / 2),
            janela->y());
}

}  // namespace lumeno
