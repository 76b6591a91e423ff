#include "shell/PaintedIcon.h"

#include <QPainter>
#include <QPixmap>

namespace PaintedIcon {
QIcon render(Painter paint, qreal grid, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / grid, size / grid);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
} // namespace PaintedIcon
