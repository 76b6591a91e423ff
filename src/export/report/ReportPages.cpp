#include "export/report/ReportPages.h"

#include "model/OutputFile.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QTextLayout>
#include <QTextOption>

#include <numeric>

const QString ReportPages::FontFamily = QStringLiteral("Arial");

namespace {
constexpr double CmPerInch = 2.54;
constexpr double TwipsPerInch = 1440;
constexpr double CellPaddingCm = 0.1;
constexpr double CellPaddingVerticalCm = 0.05;
constexpr double GridLineCm = 0.01;
constexpr double SectionGapLines = 0.8;
constexpr double TitleGapLines = 0.25;
// The running text's baseline stands this far below the bottom margin.
constexpr double FooterDropCm = 0.8;
const QColor HeaderShade(0xE4, 0xE4, 0xE4);
const QColor GridColour(0x90, 0x90, 0x90);
const QString NoRows = QStringLiteral("None");
const QString Continued = QStringLiteral(" (continued)");

QFont reportFont(int pointSize, bool bold = false)
{
    QFont font(ReportPages::FontFamily, pointSize);
    // Without shaping there are no ligatures, so "fi" stays two letters for
    // anyone who searches or copies the PDF's text.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setBold(bold);
    return font;
}

QTextOption wrapping()
{
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// Breaks the text into lines of the width; returns their height.
double breakLines(QTextLayout &layout, double width)
{
    layout.setTextOption(wrapping());
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

// Height of the text wrapped into the width, as drawText() sets it.
double textHeight(const QString &text, const QFont &font, const QPaintDevice &device, double width)
{
    QTextLayout layout(text, font, const_cast<QPaintDevice *>(&device));
    return qMax(breakLines(layout, width), QFontMetricsF(font, &device).height());
}

void drawText(QPainter &painter, const QRectF &rect, const QString &text, const QFont &font, const QPaintDevice &device)
{
    QTextLayout layout(text, font, const_cast<QPaintDevice *>(&device));
    breakLines(layout, rect.width());
    layout.draw(&painter, rect.topLeft());
}
} // namespace

// Places the report's blocks one below another, starting a page when the
// next block would cross the bottom margin.
class ReportPages::Layout
{
public:
    Layout(const QPaintDevice &device, QList<Page> &pages)
        : m_device(device)
        , m_pages(pages)
        , m_dpiX(device.logicalDpiX())
        , m_dpiY(device.logicalDpiY())
        , m_left(cmX(SideMarginCm))
        , m_right(device.width() - cmX(SideMarginCm))
        , m_top(cmY(TopBottomMarginCm))
        , m_bottom(device.height() - cmY(TopBottomMarginCm))
    {
        m_pages.clear();
        newPage();
    }

    double cmX(double cm) const { return cm / CmPerInch * m_dpiX; }
    double cmY(double cm) const { return cm / CmPerInch * m_dpiY; }
    double width() const { return m_right - m_left; }

    void paragraph(const QString &text, const QFont &font)
    {
        const double height = textHeight(text, font, m_device, width());
        makeRoom(height);
        addText(QRectF(m_left, m_y, width(), height), text, font);
        m_y += height;
    }

    void emptyParagraph(const QFont &font) { m_y += QFontMetricsF(font, &m_device).lineSpacing(); }

    void rule()
    {
        const double pen = cmY(RuleWidthCm);
        m_pages.last().append({Item::Kind::Rule, QRectF(m_left, m_y, width(), 0), {}, {}, pen});
        m_y += pen;
    }

    void section(const ReportSection &section)
    {
        const QFont titleFont = reportFont(BodyFontSize, true);
        const QFont headerFont = reportFont(TableFontSize, true);
        const QFont cellFont = reportFont(TableFontSize);
        if (m_y > m_top)
            m_y += QFontMetricsF(titleFont, &m_device).lineSpacing() * SectionGapLines;

        const double titleHeight = textHeight(section.title, titleFont, m_device, width())
            + QFontMetricsF(titleFont, &m_device).lineSpacing() * TitleGapLines;
        if (section.rows.isEmpty()) {
            makeRoom(titleHeight + textHeight(NoRows, cellFont, m_device, width()));
            title(section.title, titleFont, titleHeight);
            paragraph(NoRows, cellFont);
            return;
        }

        const QList<double> widths = columnWidths(section, headerFont, cellFont);
        const double headerHeight = rowHeight(section.columns, widths, headerFont);
        // A title stays with its column headings and first row.
        makeRoom(titleHeight + headerHeight + rowHeight(section.rows.first(), widths, cellFont));
        title(section.title, titleFont, titleHeight);
        row(section.columns, widths, headerFont, headerHeight, true);
        int rowsOnPage = 0;
        for (const QStringList &cells : section.rows) {
            const double height = rowHeight(cells, widths, cellFont);
            // A row taller than a page goes on a page of its own and runs over its foot.
            if (!fits(height) && rowsOnPage > 0) {
                newPage();
                title(section.title + Continued, titleFont, titleHeight);
                row(section.columns, widths, headerFont, headerHeight, true);
                rowsOnPage = 0;
            }
            row(cells, widths, cellFont, height, false);
            ++rowsOnPage;
        }
    }

private:
    bool fits(double height) const { return m_y + height <= m_bottom; }

    // A new page unless the block fits or this page is still empty.
    void makeRoom(double height)
    {
        if (!fits(height) && m_y > m_top)
            newPage();
    }

    void newPage()
    {
        m_pages.append(Page());
        m_y = m_top;
    }

    void addText(const QRectF &rect, const QString &text, const QFont &font)
    {
        m_pages.last().append({Item::Kind::Text, rect, text, font, 0});
    }

    void title(const QString &text, const QFont &font, double height)
    {
        addText(QRectF(m_left, m_y, width(), height), text, font);
        m_y += height;
    }

    double padX() const { return cmX(CellPaddingCm); }
    double padY() const { return cmY(CellPaddingVerticalCm); }

    double rowHeight(const QStringList &cells, const QList<double> &widths, const QFont &font) const
    {
        double height = 0;
        for (qsizetype c = 0; c < widths.size(); ++c)
            height = qMax(height, textHeight(cells.value(c), font, m_device, widths[c] - 2 * padX()));
        return height + 2 * padY();
    }

    void row(const QStringList &cells, const QList<double> &widths, const QFont &font, double height, bool header)
    {
        Page &page = m_pages.last();
        if (header)
            page.append({Item::Kind::Shade, QRectF(m_left, m_y, width(), height), {}, {}, 0});
        double x = m_left;
        for (qsizetype c = 0; c < widths.size(); ++c) {
            const QString text = cells.value(c);
            if (!text.isEmpty())
                addText(QRectF(x + padX(), m_y + padY(), widths[c] - 2 * padX(), height - 2 * padY()), text, font);
            x += widths[c];
        }
        m_y += height;
        page.append({Item::Kind::GridLine, QRectF(m_left, m_y, width(), 0), {}, {}, cmY(GridLineCm)});
    }

    // Columns get the width their longest line needs when the page has room
    // for all of them; otherwise the narrow ones keep theirs and the wide ones
    // share the rest and wrap.
    QList<double> columnWidths(const ReportSection &section, const QFont &headerFont, const QFont &cellFont) const
    {
        const QFontMetricsF header(headerFont, &m_device);
        const QFontMetricsF cell(cellFont, &m_device);
        const qsizetype count = section.columns.size();
        QList<double> natural(count, 0);
        for (qsizetype c = 0; c < count; ++c) {
            natural[c] = header.horizontalAdvance(section.columns[c]);
            for (const QStringList &cells : section.rows)
                natural[c] = qMax(natural[c], cell.horizontalAdvance(cells.value(c)));
            natural[c] += 2 * padX() + 1;
        }
        const double total = std::accumulate(natural.begin(), natural.end(), 0.0);
        if (total <= width()) {
            QList<double> widths;
            for (double w : natural)
                widths.append(w * width() / total);
            return widths;
        }

        QList<double> widths(count, -1);
        double remaining = width();
        qsizetype open = count;
        for (bool settled = true; settled && open > 0;) {
            settled = false;
            const double share = remaining / double(open);
            for (qsizetype c = 0; c < count; ++c) {
                if (widths[c] < 0 && natural[c] <= share) {
                    widths[c] = natural[c];
                    remaining -= natural[c];
                    --open;
                    settled = true;
                }
            }
        }
        for (double &w : widths) {
            if (w < 0)
                w = remaining / double(open);
        }
        return widths;
    }

    const QPaintDevice &m_device;
    QList<Page> &m_pages;
    double m_dpiX;
    double m_dpiY;
    double m_left;
    double m_right;
    double m_top;
    double m_bottom;
    double m_y = 0;
};

ReportPages::ReportPages(const ReportContent &content, bool pageNumbers)
    : m_content(content)
    , m_pageNumbers(pageNumbers)
{
}

QString ReportPages::pageNumberText(int page, int count)
{
    return QStringLiteral("Page %1 of %2").arg(page).arg(count);
}

void ReportPages::layOut(const QPaintDevice &device)
{
    Layout layout(device, m_pages);
    layout.paragraph(m_content.heading, reportFont(HeadingFontSize, true));
    const QFont body = reportFont(BodyFontSize);
    layout.emptyParagraph(body);
    layout.rule();
    layout.emptyParagraph(body);
    for (const ReportSection &section : m_content.sections)
        layout.section(section);
}

bool ReportPages::print(QPagedPaintDevice &device, int first, int last)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    layOut(device);
    const int from = qMax(first, 1) - 1;
    const int to = last > 0 ? qMin(last, pageCount()) : pageCount();
    for (int i = from; i < to; ++i) {
        if (i > from && !device.newPage())
            return false;
        paintPage(painter, device, i);
    }
    return painter.end();
}

void ReportPages::paintPage(QPainter &painter, const QPaintDevice &device, int index) const
{
    const double dpiX = device.logicalDpiX();
    const double dpiY = device.logicalDpiY();
    for (const Item &item : m_pages[index]) {
        switch (item.kind) {
        case Item::Kind::Text:
            painter.setPen(Qt::black);
            drawText(painter, item.rect, item.text, item.font, device);
            break;
        case Item::Kind::Rule:
        case Item::Kind::GridLine:
            painter.setPen(QPen(item.kind == Item::Kind::Rule ? QColor(Qt::black) : GridColour, item.penWidth));
            painter.drawLine(item.rect.topLeft(), item.rect.topRight());
            break;
        case Item::Kind::Shade:
            painter.fillRect(item.rect, HeaderShade);
            break;
        }
    }

    const QFont frameFont = reportFont(FrameFontSize);
    const double left = SideMarginCm / CmPerInch * dpiX;
    const double top = TopBottomMarginCm / CmPerInch * dpiY;
    const double bottom = device.height() - top;
    const double lineHeight = QFontMetricsF(frameFont, &device).height();
    const double width = device.width() - 2 * left;
    painter.setPen(Qt::black);
    drawText(painter, QRectF(left, bottom + FooterDropCm / CmPerInch * dpiY - lineHeight, width, lineHeight),
             m_content.runningText, frameFont, device);
    if (m_pageNumbers) {
        const double y = top - PageNumberRaiseTwips / TwipsPerInch * dpiY;
        drawText(painter, QRectF(left, y, width, lineHeight), pageNumberText(index + 1, pageCount()), frameFont,
                 device);
    }
}

bool ReportPages::writePdf(const ReportContent &content, bool pageNumbers, const QString &path, QString *errorString)
{
    const auto fail = [errorString](const QString &reason) {
        if (errorString)
            *errorString = reason;
        return false;
    };
    OutputFile file(path);
    if (!file.open())
        return fail(file.errorString());
    {
        QPdfWriter writer(&file.device());
        writer.setTitle(content.heading);
        writer.setCreator(content.runningText);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        ReportPages pages(content, pageNumbers);
        if (!pages.print(writer)) {
            file.cancel();
            return fail(QStringLiteral("The report could not be laid out on the PDF pages."));
        }
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
