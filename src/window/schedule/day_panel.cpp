#include "window/schedule/day_panel.h"

DayPanel::DayPanel(ScheduleModel&, TariffColors&, Dialogs&, QWidget* parent)
    : QWidget(parent)
{
}

void DayPanel::GetSheduleDay() { }
void DayPanel::DayChange() { }
void DayPanel::ShowModelState() { }
