#include "window/schedule/year_grid.h"

#include "schedule/schedule_model.h"
#include "schedule/schedule_names.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace {

constexpr int FontPixels = 18;
// A name keeps this much air between itself and each side of its cell: the
// outline and a pixel.
constexpr int TextSideRoom = 2;
// Narrower than this a name is no longer read at a glance.
constexpr int MinFontStretch = 50;
// The dot leaves this much of the shorter cell side free around it.
constexpr int DotMargin = 16;
constexpr int FirstWeekendRow = 6;

const QColor HeaderFill(230, 230, 230);
const QColor DayFill(255, 255, 230);
const QColor EmptyFill(160, 160, 164);
const QColor SelectedFill(166, 202, 240);
const QColor CurrentFill(255, 255, 0);
const QColor Outline(0, 0, 0);
const QColor EquivalentDot(0, 0, 0);
const QColor ChangedDot(255, 0, 0);

// An outlined rectangle covers the cell's own pixels and no more: the pen
// runs along its last row and column, not one beyond. A polygon's corners
// are the pixels the pen passes, so triangles take the cell's own corners.
QRect Outlined(const QRect& cell)
{
    return cell.adjusted(0, 0, -1, -1);
}

// The names stand 18 pixels high and bold. Where the platform's font is too
// wide for the columns, the letters are narrowed until the widest month
// fits, rather than cut at the cell's edges.
QFont CellFont(QFont font, int columnWidth)
{
    font.setPixelSize(FontPixels);
    font.setBold(true);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int month = 1; month <= MonthCount; ++month)
        widest = std::max(widest, metrics.horizontalAdvance(MonthShortName(month)));
    const int room = columnWidth - 2 * TextSideRoom;
    if (widest > room)
        font.setStretch(std::max(MinFontStretch, room * 100 / widest));
    return font;
}

QColor Fill(const ScheduleModel& model, GridCell cell)
{
    if (model.DaysSelected()(cell.month, cell.dayType))
        return cell == GridCell{model.CurMonth(), model.CurDay()} ? CurrentFill : SelectedFill;
    return model.DaysEmpty()(cell.month, cell.dayType) ? EmptyFill : DayFill;
}

void DrawDot(QPainter& painter, const QRect& cell, int columnWidth, int rowHeight, const QColor& color)
{
    const int size = std::min(columnWidth, rowHeight) - DotMargin;
    if (size <= 0)
        return;
    const int dx = (columnWidth - size) / 2;
    const int dy = (rowHeight - size) / 2;
    const QRectF box(QPointF(cell.left() + dx, cell.top() + dy),
        QPointF(cell.left() + cell.width() - dx, cell.top() + cell.height() - dy));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(box);
    painter.restore();
}

} // namespace

YearGrid::YearGrid(ScheduleModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      model_(model),
      selection_(model, dialogs)
{
    // The cells tile the whole grid.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void YearGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(CellFont(font(), layout_.ColumnWidth(1)));
    for (int row = 0; row < YearGridRows; ++row) {
        for (int column = 0; column < YearGridColumns; ++column) {
            if (row == 0 || column == 0)
                DrawHeader(painter, column, row);
            else
                DrawDayCell(painter, GridCell{column, row});
        }
    }
}

void YearGrid::DrawHeader(QPainter& painter, int column, int row) const
{
    const QRect cell = layout_.CellRect(column, row);
    painter.setPen(Outline);
    painter.setBrush(HeaderFill);
    painter.drawRect(Outlined(cell));
    if (column == 0 && row == 0)
        return;
    if (column == 0) {
        painter.setPen(row >= FirstWeekendRow ? Qt::red : Qt::black);
        painter.drawText(cell, Qt::AlignCenter, DayTypeGridName(row));
    } else {
        painter.drawText(cell, Qt::AlignCenter, MonthShortName(column));
    }
}

// A day that has zones but none from midnight shows its start as a grey
// upper-left triangle, the day's fill in the lower-right one.
void YearGrid::DrawDayCell(QPainter& painter, GridCell cell) const
{
    const QRect rect = layout_.CellRect(cell.month, cell.dayType);
    const bool lateStart = model_.DaysEmpty()(cell.month, cell.dayType)
        != model_.DaysNoMidnight()(cell.month, cell.dayType);
    painter.setPen(Outline);
    if (lateStart) {
        painter.setBrush(EmptyFill);
        painter.drawPolygon(QPolygon({rect.topLeft(), rect.topRight(), rect.bottomLeft()}));
        painter.setBrush(Fill(model_, cell));
        painter.drawPolygon(QPolygon({rect.bottomRight(), rect.topRight(), rect.bottomLeft()}));
    } else {
        painter.setBrush(Fill(model_, cell));
        painter.drawRect(Outlined(rect));
    }

    const bool changed = model_.DaysChanged()(cell.month, cell.dayType);
    if (changed || model_.DaysEquivalent()(cell.month, cell.dayType))
        DrawDot(painter, rect, layout_.ColumnWidth(cell.month), layout_.RowHeight(cell.dayType),
            changed ? ChangedDot : EquivalentDot);
}

void YearGrid::mousePressEvent(QMouseEvent* event)
{
    const Qt::KeyboardModifiers keys = event->modifiers();
    selection_.MouseDown(layout_.DayCellAt(event->position().toPoint()), event->button() == Qt::LeftButton,
        keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier));
}

void YearGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const bool onDayCell = layout_.DayCellAt(event->position().toPoint()).has_value();
    // The question about pending changes is asked over the selection it is
    // about, so the grid shows that selection first.
    if (!selection_.MouseUp(onDayCell, [this] { repaint(); }))
        return;
    emit SelectionSettled();
    update();
}

void YearGrid::resizeEvent(QResizeEvent* event)
{
    layout_ = YearGridLayout(event->size());
    QWidget::resizeEvent(event);
}
