#include "window/schedule/year_grid.h"

YearGrid::YearGrid(ScheduleModel& model, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), model_(model), selection_(model, dialogs)
{
}

void YearGrid::paintEvent(QPaintEvent*) { }
void YearGrid::mousePressEvent(QMouseEvent*) { }
void YearGrid::mouseReleaseEvent(QMouseEvent*) { }
void YearGrid::resizeEvent(QResizeEvent*) { }
