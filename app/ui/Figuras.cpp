#include "app/ui/Figuras.h"

#include <QPainter>
#include <QPainterPath>

namespace lumeno {

QColor corQt(std::uint32_t cor) {
    return QColor(cor & 0xFF, (cor >> 8) & 0xFF, (cor >> 16) & 0xFF);
}

std::uint32_t corWindows(const QColor& cor) {
    return static_cast<std::uint32_t>(cor.red()) | (static_cast<std::uint32_t>(cor.green()) << 8) |
           (static_cast<std::uint32_t>(cor.blue()) << 16);
}

QPixmap quadradoCor(const QColor& cor) {
    QPixmap p(16, 16);
    p.fill(Qt::white);
    QPainter g(&p);
    g.setPen(cor);
    g.setBrush(cor);
    g.drawRect(2, 2, 11, 11);
    return p;
}

QIcon figuraEstacao(int figura) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    if (figura == 2) {
        // River section below the gauge.
        QPainterPath secao;
        secao.moveTo(0.5, 6);
        secao.lineTo(4, 14.5);
        secao.lineTo(12, 14.5);
        secao.lineTo(15.5, 6);
        g.setPen(QPen(QColor(128, 64, 0), 1.2));
        g.setBrush(QColor(120, 170, 230));
        g.drawPath(secao);
    } else {
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(120, 170, 230));
        g.drawRect(QRectF(0, 11, 16, 4));
    }
    // Staff gauge: a post with its marks.
    g.setPen(QPen(Qt::black, 1));
    g.setBrush(Qt::white);
    g.drawRect(QRectF(6.5, 1.5, 3, 12));
    g.setPen(QPen(Qt::red, 1));
    for (int y = 3; y <= 11; y += 2)
        g.drawLine(QPointF(7, y + 0.5), QPointF(8.5, y + 0.5));
    return QIcon(p);
}

}  // namespace lumeno
