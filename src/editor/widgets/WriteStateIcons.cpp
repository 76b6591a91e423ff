#include "editor/widgets/WriteStateIcons.h"

#include "shell/PaintedIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {
constexpr qreal Grid = 32.0;
constexpr std::initializer_list<int> RenderedSizes = {16, 22, 24, 32};
constexpr qreal MarkWidth = 3.5;
const QRectF Disc(3, 3, 26, 26);
const QPointF Centre(16, 16);

const QColor WaitingColour(220, 150, 20);
const QColor ConfirmedColour(40, 150, 60);
const QColor FailedColour(200, 40, 40);
const QColor MarkColour(Qt::white);

void paintDisc(QPainter &painter, const QColor &colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(Disc);
    painter.setPen(QPen(MarkColour, MarkWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
}
} // namespace

WriteStateIcons::WriteStateIcons()
    : m_waiting(PaintedIcon::render(&WriteStateIcons::paintWaiting, Grid, RenderedSizes))
    , m_confirmed(PaintedIcon::render(&WriteStateIcons::paintConfirmed, Grid, RenderedSizes))
    , m_failed(PaintedIcon::render(&WriteStateIcons::paintFailed, Grid, RenderedSizes))
{
}

const QIcon &WriteStateIcons::icon(State state) const
{
    switch (state) {
    case State::Waiting:
        return m_waiting;
    case State::Confirmed:
        return m_confirmed;
    case State::Failed:
        break;
    }
    return m_failed;
}

QString WriteStateIcons::toolTip(State state)
{
    switch (state) {
    case State::Waiting:
        return QStringLiteral("Waiting for the exchange");
    case State::Confirmed:
        return QStringLiteral("Confirmed by the exchange");
    case State::Failed:
        break;
    }
    return QStringLiteral("Not confirmed by the exchange");
}

void WriteStateIcons::paintWaiting(QPainter &painter)
{
    paintDisc(painter, WaitingColour);
    painter.drawLine(Centre, QPointF(16, 8));
    painter.drawLine(Centre, QPointF(22, 19));
}

void WriteStateIcons::paintConfirmed(QPainter &painter)
{
    paintDisc(painter, ConfirmedColour);
    const QPointF tick[] = {{9, 16.5}, {14, 21.5}, {23, 11}};
    painter.drawPolyline(tick, 3);
}

void WriteStateIcons::paintFailed(QPainter &painter)
{
    paintDisc(painter, FailedColour);
    painter.drawLine(QPointF(11, 11), QPointF(21, 21));
    painter.drawLine(QPointF(21, 11), QPointF(11, 21));
}
