#include "window/schedule/calendar_page.h"

CalendarPage::CalendarPage(QWidget* page, ScheduleDocument&)
    : QObject(page)
{
}

void CalendarPage::BtnTempletClick() { }
