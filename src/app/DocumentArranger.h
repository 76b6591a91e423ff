#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QMdiArea;

// Window → Tile Horizontal, Tile Vertical and Arrange Icons over the document
// windows of an MDI area; cascading is the area's own.
class DocumentArranger
{
public:
    // Horizontal tiles are full-width strips one above the other; vertical
    // tiles are full-height columns side by side.
    enum class Tiling { Horizontal, Vertical };

    static void tile(QMdiArea &area, Tiling tiling);
    // The minimised windows in rows along the bottom, left to right.
    static void arrangeIcons(QMdiArea &area);

private:
    // count rectangles that share the area without gaps.
    static QList<QRect> tiles(const QRect &area, qsizetype count, Tiling tiling);
    static QList<QRect> iconRow(const QRect &area, const QList<QSize> &iconSizes);
};
