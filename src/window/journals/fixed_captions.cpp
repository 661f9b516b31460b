#include "window/journals/fixed_captions.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTableWidget>

namespace {

// Paints the corner between the headers as one more header section with
// the caption of cell (0, 0), and gives the headers the grid's font, as
// cells of the grid: Qt leaves the horizontal header at the application's
// font when the grid takes its window's.
class CaptionLook : public QObject {
public:
    CaptionLook(QTableWidget& grid, QWidget& corner) : QObject(&grid), grid_(grid), corner_(corner)
    {
        grid.installEventFilter(this);
        corner.installEventFilter(this);
        TakeGridFont();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &grid_ && event->type() == QEvent::FontChange)
            TakeGridFont();
        if (watched == &corner_ && event->type() == QEvent::Paint) {
            PaintCorner();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void TakeGridFont()
    {
        grid_.horizontalHeader()->setFont(grid_.font());
        grid_.verticalHeader()->setFont(grid_.font());
    }

    // Disabled only so that it selects nothing: it looks as the headers.
    void PaintCorner()
    {
        QStyleOptionHeader option;
        option.initFrom(grid_.horizontalHeader());
        option.rect = corner_.rect();
        option.text = grid_.item(0, 0)->text();
        option.textAlignment = grid_.horizontalHeader()->defaultAlignment();
        option.position = QStyleOptionHeader::OnlyOneSection;
        QPainter painter(&corner_);
        painter.setFont(grid_.horizontalHeader()->font());
        corner_.style()->drawControl(QStyle::CE_Header, &option, &painter, &corner_);
    }

    QTableWidget& grid_;
    QWidget& corner_;
};

void ShowInHeader(QTableWidget& grid, const QTableWidgetItem& cell)
{
    if (cell.row() == 0)
        grid.horizontalHeaderItem(cell.column())->setText(cell.text());
    if (cell.column() == 0)
        grid.verticalHeaderItem(cell.row())->setText(cell.text());
}

} // namespace

void FixCaptionRowAndColumn(QTableWidget& grid)
{
    grid.verticalHeader()->setFixedWidth(grid.columnWidth(0));
    grid.horizontalHeader()->setFixedHeight(grid.rowHeight(0));
    for (QHeaderView* header : {grid.horizontalHeader(), grid.verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (int column = 0; column < grid.columnCount(); ++column)
        grid.setHorizontalHeaderItem(column, new QTableWidgetItem);
    for (int row = 0; row < grid.rowCount(); ++row)
        grid.setVerticalHeaderItem(row, new QTableWidgetItem);
    for (int row = 0; row < grid.rowCount(); ++row)
        ShowInHeader(grid, *grid.item(row, 0));
    for (int column = 1; column < grid.columnCount(); ++column)
        ShowInHeader(grid, *grid.item(0, column));
    grid.setRowHidden(0, true);
    grid.setColumnHidden(0, true);

    // The corner would select every cell of a grid that is only read.
    grid.setCornerButtonEnabled(false);
    auto* corner = grid.findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    new CaptionLook(grid, *corner);
    QObject::connect(&grid, &QTableWidget::itemChanged, &grid, [&grid, corner](QTableWidgetItem* cell) {
        ShowInHeader(grid, *cell);
        if (cell->row() == 0 && cell->column() == 0)
            corner->update();
    });
}
