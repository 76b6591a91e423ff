#include "transfer/widgets/StepIndicator.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor TickColour(0x1e, 0x8c, 0x2f);
const QColor ArrowColour(0x1f, 0x5f, 0xbf);
constexpr qreal TickPenWidth = 2.5;
} // namespace

StepIndicator::StepIndicator(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(Side, Side);
}

void StepIndicator::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    update();
}

QSize StepIndicator::sizeHint() const
{
    return {Side, Side};
}

void StepIndicator::paintEvent(QPaintEvent *)
{
    if (m_state == State::Blank)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_state == State::Done)
        paintTick(painter);
    else
        paintArrow(painter);
}

void StepIndicator::paintTick(QPainter &painter) const
{
    QPen pen(TickColour, TickPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    const QPointF tick[] = {{3.0, 8.5}, {6.5, 12.0}, {13.0, 4.0}};
    painter.drawPolyline(tick, int(std::size(tick)));
}

void StepIndicator::paintArrow(QPainter &painter) const
{
    QPainterPath arrow;
    arrow.moveTo(2.0, 6.0);
    arrow.lineTo(8.0, 6.0);
    arrow.lineTo(8.0, 2.5);
    arrow.lineTo(14.0, 8.0);
    arrow.lineTo(8.0, 13.5);
    arrow.lineTo(8.0, 10.0);
    arrow.lineTo(2.0, 10.0);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.fillPath(arrow, ArrowColour);
}
