#pragma once

#include "export/ReportContent.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The configuration report laid out on pages and painted: margins of 1.5 cm
// left and right and 2.0 cm top and bottom, the heading with a rule below it,
// the sections as tables that continue, headings repeated, on as many pages
// as they need, the running text at the foot of every page and, when asked
// for, "Page n of m" above the top margin. Needs only a QGuiApplication, so
// the command-line tool can write the PDF too.
class ReportPages
{
public:
    static const QString FontFamily;        // "Arial", or what the system substitutes
    static constexpr int FrameFontSize = 6; // running text and page numbers
    static constexpr int HeadingFontSize = 14;
    static constexpr int BodyFontSize = 10;
    static constexpr int TableFontSize = 8;
    static constexpr double SideMarginCm = 1.5;
    static constexpr double TopBottomMarginCm = 2.0;
    static constexpr double RuleWidthCm = 0.03;
    // Page numbers stand this far above the top margin.
    static constexpr int PageNumberRaiseTwips = 310;

    ReportPages(const ReportContent &content, bool pageNumbers);

    // Lays the report out on the device's page size and paints its pages,
    // all of them or pages first to last (from 1; 0 for no limit), starting a
    // new page through the device between them. False when the device cannot
    // be painted on (no printer, an unwritable file).
    bool print(QPagedPaintDevice &device, int first = 0, int last = 0);
    // Pages of the last print.
    int pageCount() const { return int(m_pages.size()); }

    // "Page 3 of 7".
    static QString pageNumberText(int page, int count);

    // The report as a PDF file of A4 pages, written whole or not at all.
    static bool writePdf(const ReportContent &content, bool pageNumbers, const QString &path, QString *errorString);

private:
    struct Item
    {
        enum class Kind { Text, Rule, GridLine, Shade };
        Kind kind;
        QRectF rect;
        QString text;
        QFont font;
        double penWidth = 0;
    };
    using Page = QList<Item>;

    class Layout;

    void layOut(const QPaintDevice &device);
    void paintPage(QPainter &painter, const QPaintDevice &device, int index) const;

    ReportContent m_content;
    bool m_pageNumbers;
    QList<Page> m_pages;
};
