#pragma once
// Draws a thin line along the right and lower edge of every cell, so that a
// report list reads like a table.

#include <QStyledItemDelegate>

class GridLinesDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
