#include "journals/grid_print.h"

#include "workstation/workstation_clock.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QList>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <algorithm>

namespace {

constexpr int StampPoints = 8;
constexpr int TitlePoints = 11;
constexpr int TablePoints = 10;

// The page's fixed distances are counted in dots of a 300 dpi printer and
// turned into the device's own units, so that a page comes out alike at
// every resolution. Taken as the device's own units they would be nothing
// at 1200 dpi, and at a printer's 96 dpi screen resolution 12 pt a column,
// enough to push the yearly journal over both edges of the page.
constexpr qreal LayoutDpi = 300;
// What a column gets beyond its widest text, where its text ends before
// the column's right border, the gap to the next column, where the date
// stamp begins, and how thick a rule is.
constexpr qreal ColumnPadding = 16;
constexpr qreal TextInset = 8;
constexpr qreal ColumnGap = 1;
constexpr qreal StampLeft = 10;
constexpr qreal RuleWidth = 1;

QFont PrintFont(int points, bool bold = false, bool underline = false)
{
    QFont font;
    font.setPointSize(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

// Geometry is in the device's units, except that a table wider than even
// a landscape page is drawn smaller: then the painter scales everything,
// and the page counts as that much larger.
class GridPrinter {
public:
    GridPrinter(const TextGrid& grid, const QString& title, QPagedPaintDevice& device)
        : grid_(grid), title_(title), device_(device), unit_(std::max(device.logicalDpiX(), 1) / LayoutDpi)
    {
    }

    void Print()
    {
        MeasureColumns();
        if (tableWidth_ > device_.width())
            device_.setPageOrientation(QPageLayout::Landscape);
        pageWidth_ = device_.width();
        pageHeight_ = device_.height();
        WidenToPage();
        if (!painter_.begin(&device_))
            return;
        ShrinkToPage();
        painter_.setPen(QPen(Qt::black, RuleWidth * unit_));
        rowHeight_ = 6 * Metrics(PrintFont(TablePoints)).height() / 5;
        left_ = (pageWidth_ - tableWidth_) / 2;
        right_ = (pageWidth_ + tableWidth_) / 2;

        const QString stamp = QLocale().toString(WorkstationClock::Now(), "d MMMM yyyy 'г.' hh:mm:ss");
        const QFont stampFont = PrintFont(StampPoints, false, true);
        PrintText(stampFont, StampLeft * unit_, 0, stamp);
        qreal y = 3 * Metrics(stampFont).height() / 2;
        y = PrintTitle(y);
        y = PrintRow(0, y);
        for (int row = 1; row < grid_.RowCount(); ++row) {
            if (y + rowHeight_ > pageHeight_) {
                Rule(y);
                // A printer that refuses a page has given up on the job.
                if (!device_.newPage())
                    break;
                y = BeginContinuedPage();
            }
            y = PrintRow(row, y);
        }
        Rule(y);
        painter_.end();
    }

private:
    QFontMetricsF Metrics(const QFont& font) const { return QFontMetricsF(font, &device_); }

    void MeasureColumns()
    {
        const QFontMetricsF metrics = Metrics(PrintFont(TablePoints, true));
        for (int column = 0; column < grid_.ColumnCount(); ++column) {
            qreal widest = 0;
            for (int row = 0; row < grid_.RowCount(); ++row)
                widest = std::max(widest, metrics.horizontalAdvance(grid_.Cell(column, row)));
            widths_ << widest + ColumnPadding * unit_;
        }
        tableWidth_ = TableWidth();
    }

    qreal TableWidth() const
    {
        qreal width = ColumnGap * unit_;
        for (const qreal column : widths_)
            width += column + ColumnGap * unit_;
        return width;
    }

    // A narrow table is spread over most of the page. Every column is at
    // least the padding wide, so each step grows the table.
    void WidenToPage()
    {
        if (widths_.isEmpty())
            return;
        while (tableWidth_ < 4 * pageWidth_ / 5) {
            for (qreal& column : widths_)
                column = column * 6 / 5;
            tableWidth_ = TableWidth();
        }
    }

    // A table wider than the page, turned as it is, is printed whole and
    // smaller rather than cut off at both edges.
    void ShrinkToPage()
    {
        if (tableWidth_ <= pageWidth_)
            return;
        const qreal scale = pageWidth_ / tableWidth_;
        painter_.scale(scale, scale);
        pageWidth_ = tableWidth_;
        pageHeight_ /= scale;
    }

    void PrintText(const QFont& font, qreal x, qreal y, const QString& text)
    {
        painter_.setFont(font);
        painter_.drawText(QPointF(x, y + Metrics(font).ascent()), text);
    }

    // Returns the height it took.
    qreal PrintCentred(const QFont& font, qreal y, const QString& text)
    {
        const QFontMetricsF metrics = Metrics(font);
        PrintText(font, (pageWidth_ - metrics.horizontalAdvance(text)) / 2, y, text);
        return metrics.height();
    }

    qreal PrintTitle(qreal y)
    {
        if (title_.isEmpty())
            return y;
        return y + 3 * PrintCentred(PrintFont(TitlePoints, true), y, title_) / 2;
    }

    void Line(qreal x0, qreal y0, qreal x1, qreal y1) { painter_.drawLine(QLineF(x0, y0, x1, y1)); }

    void Rule(qreal y) { Line(left_, y, right_, y); }

    // The caption row in bold, the others regular; each text right-aligned
    // inside its column and centred in the row's height. Returns the top
    // of the next row.
    qreal PrintRow(int row, qreal top)
    {
        const QFont font = PrintFont(TablePoints, row == 0);
        const QFontMetricsF metrics = Metrics(font);
        const qreal bottom = top + rowHeight_;
        const qreal textTop = top + (rowHeight_ - metrics.height()) / 2;
        Rule(top);
        qreal columnLeft = left_;
        for (int column = 0; column < widths_.size(); ++column) {
            const qreal columnRight = column + 1 == widths_.size() ? right_ : columnLeft + widths_[column];
            Line(columnLeft, top, columnLeft, bottom);
            const QString text = grid_.Cell(column, row);
            PrintText(font, columnRight - TextInset * unit_ - metrics.horizontalAdvance(text), textTop, text);
            columnLeft = columnRight + ColumnGap * unit_;
        }
        Line(right_, top, right_, bottom);
        return bottom;
    }

    // A continued page begins with its number, the title and the caption
    // row; the number's line is as high as a table line, so the title
    // stands where it would stand under a number in the table's font.
    // Returns the top of the next row.
    qreal BeginContinuedPage()
    {
        ++page_;
        const qreal numberTop = pageWidth_ / 20;
        PrintCentred(PrintFont(StampPoints), numberTop, QStringLiteral("- %1 -").arg(page_));
        const qreal titleTop = numberTop + 3 * Metrics(PrintFont(TablePoints)).height() / 2;
        return PrintRow(0, PrintTitle(titleTop));
    }

    const TextGrid& grid_;
    const QString title_;
    QPagedPaintDevice& device_;
    // One dot of the layout's resolution in the device's units.
    const qreal unit_;
    QPainter painter_;
    QList<qreal> widths_;
    qreal tableWidth_ = 0;
    qreal pageWidth_ = 0;
    qreal pageHeight_ = 0;
    qreal rowHeight_ = 0;
    qreal left_ = 0;
    qreal right_ = 0;
    int page_ = 1;
};

} // namespace

void PrintGrid(const TextGrid& grid, const QString& title, QPagedPaintDevice& device)
{
    GridPrinter(grid, title, device).Print();
}
