#include "shell/ExchangePicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
const QColor SkyTop(0xe6, 0xee, 0xf0);
const QColor SkyBottom(0xbf, 0xd3, 0xd9);
const QColor Cabinet(0x3d, 0x5a, 0x6c);
const QColor CabinetEdge(0x2b, 0x42, 0x50);
const QColor Card(0x6a, 0x8a, 0x9b);
const QColor CardEdge(0x4e, 0x6d, 0x7e);
const QColor LedGreen(0x86, 0xd3, 0x93);
const QColor LedAmber(0xe9, 0xb4, 0x55);
const QColor Handset(0x2f, 0x45, 0x52);
const QColor Keypad(0xd8, 0xe3, 0xe7);
const QColor CableColour(0x55, 0x74, 0x84);
const QColor Connector(0x8d, 0x9c, 0xa4);

constexpr int CardCount = 8;
constexpr qreal CardTop = 62;
constexpr qreal CardPitch = 19;
constexpr qreal RackLeft = 12;
constexpr qreal RackWidth = 52;
constexpr qreal RackTop = 54;
constexpr qreal RackHeight = CardCount * CardPitch + 14;
} // namespace

ExchangePicture::ExchangePicture(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(DesignWidth, DesignHeight);
}

QSize ExchangePicture::sizeHint() const
{
    return {DesignWidth, DesignHeight};
}

void ExchangePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(width() / qreal(DesignWidth), height() / qreal(DesignHeight));
    paintBackground(painter);
    paintCable(painter);
    paintRack(painter);
    paintTelephone(painter);
}

void ExchangePicture::paintBackground(QPainter &painter) const
{
    QLinearGradient sky(0, 0, 0, DesignHeight);
    sky.setColorAt(0, SkyTop);
    sky.setColorAt(1, SkyBottom);
    painter.fillRect(QRectF(0, 0, DesignWidth, DesignHeight), sky);
}

void ExchangePicture::paintTelephone(QPainter &painter) const
{
    QPainterPath base;
    base.moveTo(20, 44);
    base.lineTo(25, 24);
    base.lineTo(51, 24);
    base.lineTo(56, 44);
    base.closeSubpath();
    painter.setPen(QPen(CabinetEdge, 1));
    painter.setBrush(Handset);
    painter.drawPath(base);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Keypad);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            painter.drawRect(QRectF(31 + column * 5.5, 28 + row * 5, 3.5, 3));
    }

    QPainterPath handset;
    handset.moveTo(14, 22);
    handset.cubicTo(18, 8, 58, 8, 62, 22);
    handset.lineTo(56, 24);
    handset.cubicTo(52, 15, 24, 15, 20, 24);
    handset.closeSubpath();
    painter.setPen(QPen(CabinetEdge, 1));
    painter.setBrush(Handset);
    painter.drawPath(handset);
}

void ExchangePicture::paintRack(QPainter &painter) const
{
    const QRectF rack(RackLeft, RackTop, RackWidth, RackHeight);
    painter.setPen(QPen(CabinetEdge, 1.5));
    painter.setBrush(Cabinet);
    painter.drawRoundedRect(rack, 4, 4);

    painter.setBrush(CabinetEdge);
    painter.drawRect(QRectF(RackLeft + 4, rack.bottom(), RackWidth - 8, 6));

    for (int card = 0; card < CardCount; ++card) {
        const qreal top = CardTop + card * CardPitch;
        painter.setPen(QPen(CardEdge, 1));
        painter.setBrush(Card);
        painter.drawRoundedRect(QRectF(RackLeft + 5, top, RackWidth - 10, 14), 1.5, 1.5);

        painter.setPen(Qt::NoPen);
        for (int led = 0; led < 3; ++led) {
            // One amber lamp in a few cards, as on a working exchange.
            const bool busy = led == 2 && card % 3 == 1;
            painter.setBrush(busy ? LedAmber : LedGreen);
            painter.drawEllipse(QPointF(RackLeft + 10 + led * 5, top + 7), 1.6, 1.6);
        }
        painter.setPen(QPen(CardEdge, 1));
        for (int vent = 0; vent < 3; ++vent) {
            const qreal x = RackLeft + 30 + vent * 5;
            painter.drawLine(QPointF(x, top + 3.5), QPointF(x, top + 10.5));
        }
    }
}

void ExchangePicture::paintCable(QPainter &painter) const
{
    const qreal cableTop = RackTop + RackHeight - 6;
    const qreal plugTop = 262;

    QPainterPath cable;
    cable.moveTo(RackLeft + RackWidth - 10, cableTop);
    cable.cubicTo(72, cableTop + 30, 10, plugTop - 30, 38, plugTop);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(CableColour, 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(cable);

    QPainterPath plug;
    plug.moveTo(24, plugTop);
    plug.lineTo(52, plugTop);
    plug.lineTo(49, plugTop + 14);
    plug.lineTo(27, plugTop + 14);
    plug.closeSubpath();
    painter.setPen(QPen(CabinetEdge, 1));
    painter.setBrush(Connector);
    painter.drawPath(plug);

    painter.setPen(Qt::NoPen);
    painter.setBrush(CabinetEdge);
    for (int pin = 0; pin < 5; ++pin)
        painter.drawEllipse(QPointF(29 + pin * 4.5, plugTop + 4.5), 1.1, 1.1);
    for (int pin = 0; pin < 4; ++pin)
        painter.drawEllipse(QPointF(31.25 + pin * 4.5, plugTop + 9.5), 1.1, 1.1);
}
