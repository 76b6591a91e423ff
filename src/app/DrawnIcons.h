#pragma once

#include <QIcon>

class QPainter;

// The pictures the style does not provide, drawn on a 32 × 32 grid and
// rendered at the usual icon sizes.
class DrawnIcons
{
public:
    static QIcon print();
    static QIcon cut();
    static QIcon copy();
    static QIcon paste();
    // Sends the record on show to the exchange.
    static QIcon updateSystem();
    // Copies the record on show into a free slot.
    static QIcon copyRecord();
    // The program's windows: an exchange rack.
    static QIcon exchange();
    // A document window's title bar: a page.
    static QIcon document();

private:
    static void paintPage(QPainter &painter, const QRectF &page);
    static void paintPrint(QPainter &painter);
    static void paintCut(QPainter &painter);
    static void paintCopy(QPainter &painter);
    static void paintPaste(QPainter &painter);
    static void paintUpdateSystem(QPainter &painter);
    static void paintCopyRecord(QPainter &painter);
    static void paintRack(QPainter &painter, const QRectF &rack);
    static void paintExchange(QPainter &painter);
    static void paintDocument(QPainter &painter);
};
