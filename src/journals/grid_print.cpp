#include "journals/grid_print.h"

#include "station/workstation_clock.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QList>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPointF>
#include <algorithm>

namespace {

constexpr int StampPoints = 8;
constexpr int TitlePoints = 11;
constexpr int TablePoints = 10;
// What a column gets beyond its widest text, and where its text ends
// before the column's right border.
constexpr int ColumnPadding = 16;
constexpr int TextInset = 8;
constexpr int StampLeft = 10;

QFont PrintFont(int points, bool bold = false, bool underline = false)
{
    QFont font;
    font.setPointSize(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

// Geometry is kept in 64 bits: the widths of many columns of very long
// texts can add up beyond an int. Such a table is printed cut off.
class GridPrinter {
public:
    GridPrinter(const TextGrid& grid, const QString& title, QPagedPaintDevice& device)
        : grid_(grid), title_(title), device_(device)
    {
    }

    void Print()
    {
        MeasureColumns();
        if (tableWidth_ > device_.width())
            device_.setPageOrientation(QPageLayout::Landscape);
        pageWidth_ = device_.width();
        WidenToPage();
        if (!painter_.begin(&device_))
            return;
        painter_.setPen(Qt::black);
        rowHeight_ = 6 * Metrics(PrintFont(TablePoints)).height() / 5;
        left_ = (pageWidth_ - tableWidth_) / 2;
        right_ = (pageWidth_ + tableWidth_) / 2;

        const QString stamp = QLocale().toString(WorkstationClock::Now(), "d MMMM yyyy 'г.' hh:mm:ss");
        const QFont stampFont = PrintFont(StampPoints, false, true);
        PrintText(stampFont, StampLeft, 0, stamp);
        qint64 y = 3 * Metrics(stampFont).height() / 2;
        y = PrintTitle(y);
        y = PrintRow(0, y);
        for (int row = 1; row < grid_.RowCount(); ++row) {
            if (y + rowHeight_ > device_.height()) {
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
    QFontMetrics Metrics(const QFont& font) const { return QFontMetrics(font, &device_); }

    void MeasureColumns()
    {
        const QFontMetrics metrics = Metrics(PrintFont(TablePoints, true));
        for (int column = 0; column < grid_.ColumnCount(); ++column) {
            qint64 widest = 0;
            for (int row = 0; row < grid_.RowCount(); ++row)
                widest = std::max<qint64>(widest, metrics.horizontalAdvance(grid_.Cell(column, row)));
            widths_ << widest + ColumnPadding;
        }
        tableWidth_ = TableWidth();
    }

    qint64 TableWidth() const
    {
        qint64 width = 1;
        for (const qint64 column : widths_)
            width += column + 1;
        return width;
    }

    // A narrow table is spread over most of the page. Every column is at
    // least the padding wide, so each step grows the table.
    void WidenToPage()
    {
        if (widths_.isEmpty())
            return;
        while (tableWidth_ < 4 * qint64(pageWidth_) / 5) {
            for (qint64& column : widths_)
                column = column * 6 / 5;
            tableWidth_ = TableWidth();
        }
    }

    void PrintText(const QFont& font, qint64 x, qint64 y, const QString& text)
    {
        painter_.setFont(font);
        painter_.drawText(QPointF(x, y + Metrics(font).ascent()), text);
    }

    // Returns the height it took.
    qint64 PrintCentred(const QFont& font, qint64 y, const QString& text)
    {
        const QFontMetrics metrics = Metrics(font);
        PrintText(font, (pageWidth_ - metrics.horizontalAdvance(text)) / 2, y, text);
        return metrics.height();
    }

    qint64 PrintTitle(qint64 y)
    {
        if (title_.isEmpty())
            return y;
        return y + 3 * PrintCentred(PrintFont(TitlePoints, true), y, title_) / 2;
    }

    void Line(qint64 x0, qint64 y0, qint64 x1, qint64 y1) { painter_.drawLine(QLineF(x0, y0, x1, y1)); }

    void Rule(qint64 y) { Line(left_, y, right_, y); }

    // The caption row in bold, the others regular; each text right-aligned
    // inside its column and centred in the row's height. Returns the top
    // of the next row.
    qint64 PrintRow(int row, qint64 top)
    {
        const QFont font = PrintFont(TablePoints, row == 0);
        const QFontMetrics metrics = Metrics(font);
        const qint64 bottom = top + rowHeight_;
        const qint64 textTop = top + (rowHeight_ - metrics.height()) / 2;
        Rule(top);
        qint64 columnLeft = left_;
        for (int column = 0; column < widths_.size(); ++column) {
            const qint64 columnRight = column + 1 == widths_.size() ? right_ : columnLeft + widths_[column];
            Line(columnLeft, top, columnLeft, bottom);
            const QString text = grid_.Cell(column, row);
            PrintText(font, columnRight - TextInset - metrics.horizontalAdvance(text), textTop, text);
            columnLeft = columnRight + 1;
        }
        Line(right_, top, right_, bottom);
        return bottom;
    }

    // A continued page begins with its number, the title and the caption
    // row; the number's line is as high as a table line, so the title
    // stands where it would stand under a number in the table's font.
    // Returns the top of the next row.
    qint64 BeginContinuedPage()
    {
        ++page_;
        const qint64 numberTop = pageWidth_ / 20;
        PrintCentred(PrintFont(StampPoints), numberTop, QStringLiteral("- %1 -").arg(page_));
        const qint64 titleTop = numberTop + 3 * Metrics(PrintFont(TablePoints)).height() / 2;
        return PrintRow(0, PrintTitle(titleTop));
    }

    const TextGrid& grid_;
    const QString title_;
    QPagedPaintDevice& device_;
    QPainter painter_;
    QList<qint64> widths_;
    qint64 tableWidth_ = 0;
    int pageWidth_ = 0;
    qint64 rowHeight_ = 0;
    qint64 left_ = 0;
    qint64 right_ = 0;
    int page_ = 1;
};

} // namespace

void PrintGrid(const TextGrid& grid, const QString& title, QPagedPaintDevice& device)
{
    GridPrinter(grid, title, device).Print();
}
