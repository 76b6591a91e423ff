#include "app/DocumentArranger.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
// The start of part i when length is cut into count parts that differ by at most one.
int share(int length, qsizetype count, qsizetype i)
{
    return int(length * i / count);
}
} // namespace

QList<QRect> DocumentArranger::tiles(const QRect &area, qsizetype count, Tiling tiling)
{
    QList<QRect> result;
    for (qsizetype i = 0; i < count; ++i) {
        if (tiling == Tiling::Horizontal) {
            const int top = area.top() + share(area.height(), count, i);
            const int bottom = area.top() + share(area.height(), count, i + 1);
            result.append(QRect(area.left(), top, area.width(), bottom - top));
        } else {
            const int left = area.left() + share(area.width(), count, i);
            const int right = area.left() + share(area.width(), count, i + 1);
            result.append(QRect(left, area.top(), right - left, area.height()));
        }
    }
    return result;
}

QList<QRect> DocumentArranger::iconRow(const QRect &area, const QList<QSize> &iconSizes)
{
    QList<QRect> result;
    int x = area.left();
    int rowBottom = area.bottom();
    int rowHeight = 0;
    for (const QSize &size : iconSizes) {
        if (x > area.left() && x + size.width() > area.right() + 1) {
            x = area.left();
            rowBottom -= rowHeight;
            rowHeight = 0;
        }
        result.append(QRect(QPoint(x, rowBottom - size.height() + 1), size));
        x += size.width();
        rowHeight = qMax(rowHeight, size.height());
    }
    return result;
}

void DocumentArranger::tile(QMdiArea &area, Tiling tiling)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : area.subWindowList()) {
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    const QList<QRect> rectangles = tiles(area.viewport()->rect(), windows.size(), tiling);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (windows.at(i)->isMaximized())
            windows.at(i)->showNormal();
        windows.at(i)->setGeometry(rectangles.at(i));
    }
}

void DocumentArranger::arrangeIcons(QMdiArea &area)
{
    QList<QMdiSubWindow *> icons;
    QList<QSize> sizes;
    for (QMdiSubWindow *window : area.subWindowList()) {
        if (window->isVisible() && window->isMinimized()) {
            icons.append(window);
            sizes.append(window->size());
        }
    }
    const QList<QRect> rectangles = iconRow(area.viewport()->rect(), sizes);
    for (qsizetype i = 0; i < icons.size(); ++i)
        icons.at(i)->move(rectangles.at(i).topLeft());
}
