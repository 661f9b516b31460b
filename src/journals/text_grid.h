#pragma once
// A table of text cells as the journals are exported and printed: row 0
// holds the column captions, every row has the same number of columns.

#include <QList>
#include <QStringList>

struct TextGrid {
    QList<QStringList> rows;

    int RowCount() const { return int(rows.size()); }
    int ColumnCount() const { return rows.isEmpty() ? 0 : int(rows.first().size()); }
    // Empty outside the table.
    QString Cell(int column, int row) const { return rows.value(row).value(column); }
};
