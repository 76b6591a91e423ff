#include "app/DrawnIcons.h"

#include "shell/PaintedIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr qreal Grid = 32.0;
constexpr std::initializer_list<int> RenderedSizes = {16, 22, 24, 32, 48};

const QColor Outline(60, 60, 60);
const QColor PaperColour(Qt::white);
const QColor TextLineColour(150, 150, 150);
const QColor MetalColour(170, 170, 175);
const QColor HandleColour(200, 40, 40);
const QColor BoardColour(170, 120, 60);
const QColor RackColour(70, 80, 95);
const QColor LampColour(80, 200, 90);
const QColor ArrowColour(40, 150, 60);
const QColor RecordColour(70, 120, 200);
} // namespace

QIcon DrawnIcons::print()
{
    return PaintedIcon::render(&DrawnIcons::paintPrint, Grid, RenderedSizes);
}

QIcon DrawnIcons::cut()
{
    return PaintedIcon::render(&DrawnIcons::paintCut, Grid, RenderedSizes);
}

QIcon DrawnIcons::copy()
{
    return PaintedIcon::render(&DrawnIcons::paintCopy, Grid, RenderedSizes);
}

QIcon DrawnIcons::paste()
{
    return PaintedIcon::render(&DrawnIcons::paintPaste, Grid, RenderedSizes);
}

QIcon DrawnIcons::updateSystem()
{
    return PaintedIcon::render(&DrawnIcons::paintUpdateSystem, Grid, RenderedSizes);
}

QIcon DrawnIcons::copyRecord()
{
    return PaintedIcon::render(&DrawnIcons::paintCopyRecord, Grid, RenderedSizes);
}

QIcon DrawnIcons::exchange()
{
    return PaintedIcon::render(&DrawnIcons::paintExchange, Grid, RenderedSizes);
}

QIcon DrawnIcons::document()
{
    return PaintedIcon::render(&DrawnIcons::paintDocument, Grid, RenderedSizes);
}

void DrawnIcons::paintPage(QPainter &painter, const QRectF &page)
{
    painter.setPen(QPen(Outline, 1.2));
    painter.setBrush(PaperColour);
    painter.drawRect(page);
    painter.setPen(QPen(TextLineColour, 1.2));
    for (qreal y = page.top() + 4; y < page.bottom() - 2; y += 3.5)
        painter.drawLine(QPointF(page.left() + 3, y), QPointF(page.right() - 3, y));
}

void DrawnIcons::paintPrint(QPainter &painter)
{
    painter.setPen(QPen(Outline, 1.2));
    painter.setBrush(PaperColour);
    painter.drawRect(QRectF(9, 3, 14, 11));
    painter.setBrush(MetalColour);
    painter.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(LampColour);
    painter.drawEllipse(QPointF(25, 16), 1.5, 1.5);
    paintPage(painter, QRectF(8, 20, 16, 10));
}

void DrawnIcons::paintCut(QPainter &painter)
{
    painter.setPen(QPen(MetalColour.darker(130), 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(12, 19), QPointF(22, 3));
    painter.drawLine(QPointF(20, 19), QPointF(10, 3));
    painter.setPen(QPen(HandleColour, 2.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(10, 24), 4.5, 4.5);
    painter.drawEllipse(QPointF(22, 24), 4.5, 4.5);
}

void DrawnIcons::paintCopy(QPainter &painter)
{
    paintPage(painter, QRectF(3, 2, 16, 20));
    paintPage(painter, QRectF(13, 10, 16, 20));
}

void DrawnIcons::paintPaste(QPainter &painter)
{
    painter.setPen(QPen(Outline, 1.2));
    painter.setBrush(BoardColour);
    painter.drawRoundedRect(QRectF(3, 5, 20, 25), 2, 2);
    painter.setBrush(MetalColour);
    painter.drawRoundedRect(QRectF(8, 2, 10, 6), 1.5, 1.5);
    paintPage(painter, QRectF(14, 12, 15, 18));
}

void DrawnIcons::paintRack(QPainter &painter, const QRectF &rack)
{
    painter.setPen(QPen(Outline, 1.2));
    painter.setBrush(RackColour);
    painter.drawRoundedRect(rack, 1.5, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(LampColour);
    for (qreal x = rack.left() + 4; x < rack.right() - 2; x += 5)
        painter.drawEllipse(QPointF(x, rack.center().y()), 1.4, 1.4);
}

void DrawnIcons::paintExchange(QPainter &painter)
{
    for (qreal top = 3; top < 28; top += 9)
        paintRack(painter, QRectF(3, top, 26, 8));
}

void DrawnIcons::paintDocument(QPainter &painter)
{
    paintPage(painter, QRectF(6, 2, 20, 28));
}

void DrawnIcons::paintUpdateSystem(QPainter &painter)
{
    paintRack(painter, QRectF(3, 19, 26, 11));

    QPainterPath arrow;
    arrow.moveTo(13, 2);
    arrow.lineTo(19, 2);
    arrow.lineTo(19, 10);
    arrow.lineTo(24, 10);
    arrow.lineTo(16, 18);
    arrow.lineTo(8, 10);
    arrow.lineTo(13, 10);
    arrow.closeSubpath();
    painter.setPen(QPen(ArrowColour.darker(140), 1));
    painter.setBrush(ArrowColour);
    painter.drawPath(arrow);
}

void DrawnIcons::paintCopyRecord(QPainter &painter)
{
    painter.setPen(QPen(Outline, 1.2));
    for (const QRectF &row : {QRectF(2, 4, 20, 8), QRectF(8, 14, 20, 8)}) {
        painter.setBrush(PaperColour);
        painter.drawRect(row);
        painter.setBrush(RecordColour);
        painter.drawRect(QRectF(row.left(), row.top(), 6, row.height()));
    }
    painter.setPen(QPen(ArrowColour, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(25, 23), QPointF(25, 31));
    painter.drawLine(QPointF(21, 27), QPointF(29, 27));
}
