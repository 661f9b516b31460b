#include "schedule/year_grid_layout.h"

namespace {

int Header(int length, int count)
{
    return length / count + length % count;
}

// Truncating toward zero, as the grid's own arithmetic does: a point in the
// header's remainder strip gives 0, the header, not -1.
int Index(int offset, int length, int count)
{
    const int size = length / count;
    return size > 0 ? (offset - length % count) / size : -1;
}

} // namespace

int YearGridLayout::ColumnWidth(int column) const
{
    return column == 0 ? Header(panel_.width(), YearGridColumns) : panel_.width() / YearGridColumns;
}

int YearGridLayout::RowHeight(int row) const
{
    return row == 0 ? Header(panel_.height(), YearGridRows) : panel_.height() / YearGridRows;
}

QRect YearGridLayout::CellRect(int column, int row) const
{
    const int left = column == 0 ? 0 : ColumnWidth(0) + (column - 1) * ColumnWidth(1);
    const int top = row == 0 ? 0 : RowHeight(0) + (row - 1) * RowHeight(1);
    return QRect(left, top, ColumnWidth(column), RowHeight(row));
}

std::optional<GridCell> YearGridLayout::DayCellAt(QPoint point) const
{
    if (point.x() < 0 || point.y() < 0 || point.x() >= panel_.width() || point.y() >= panel_.height())
        return std::nullopt;
    const int column = Index(point.x(), panel_.width(), YearGridColumns);
    const int row = Index(point.y(), panel_.height(), YearGridRows);
    if (column < 1 || row < 1 || column >= YearGridColumns || row >= YearGridRows)
        return std::nullopt;
    return GridCell{column, row};
}
