#include "runtime/Edges.h"

#include <QPainter>

QRect DrawEdges(QPainter &painter, QRect r, int rings, TColor topLeft, TColor bottomRight)
{
    const QColor topColor = topLeft.ToQColor();
    const QColor bottomColor = bottomRight.ToQColor();
    for (int i = 0; i < rings; ++i) {
        if (r.width() > 0 && r.height() > 0) {
            painter.fillRect(r.left(), r.top(), 1, r.height(), topColor);
            painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topColor);
            painter.fillRect(r.right(), r.top(), 1, r.height(), bottomColor);
            painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomColor);
        }
        r.adjust(1, 1, -1, -1);
    }
    return r;
}
