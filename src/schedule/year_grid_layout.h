#pragma once
// The year grid's geometry: 13 columns (day-type names, then the months)
// by 9 rows (month names, then the day types), sized from the panel the
// grid fills. Every column is width div 13 wide and every row height div 9
// high; the header column and row take the remainders.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

inline constexpr int YearGridColumns = 13;
inline constexpr int YearGridRows = 9;

// A day cell of the year map: month 1..12 by day type 1..8.
struct GridCell {
    int month = 1;
    int dayType = 1;

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

class YearGridLayout {
public:
    explicit YearGridLayout(QSize panel = {}) : panel_(panel) { }

    QSize Panel() const { return panel_; }
    int ColumnWidth(int column) const;
    int RowHeight(int row) const;
    QRect CellRect(int column, int row) const;
    // The day cell under a point of the grid; none on a header, outside
    // the grid, or on a panel too small to hold a cell.
    std::optional<GridCell> DayCellAt(QPoint point) const;

private:
    QSize panel_;
};
