#pragma once
// StringGrid1: the year map as a grid of 12 months by 8 day types, every
// cell drawn by the station, and the mouse that picks the current cell and
// selects the cells the current profile is copied to. It fills PanelYear;
// its rows and columns are sized from its own size.

#include "schedule/year_grid_layout.h"
#include "schedule/year_selection.h"

#include <QWidget>

class Dialogs;
class QPainter;
class ScheduleModel;

class YearGrid : public QWidget {
    Q_OBJECT
public:
    YearGrid(ScheduleModel& model, Dialogs& dialogs, QWidget* parent = nullptr);

    const YearGridLayout& Layout() const { return layout_; }
    int ColumnWidth(int column) const { return layout_.ColumnWidth(column); }
    int RowHeight(int row) const { return layout_.RowHeight(row); }

signals:
    // A release changed the current cell or the selection and copied the
    // current profile onto the selection: the day editor lists the current
    // profile again.
    void SelectionSettled();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DrawHeader(QPainter& painter, int column, int row) const;
    void DrawDayCell(QPainter& painter, GridCell cell) const;

    ScheduleModel& model_;
    YearSelection selection_;
    YearGridLayout layout_;
};
