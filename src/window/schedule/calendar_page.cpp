#include "window/schedule/calendar_page.h"

#include <QWidget>

CalendarPage::CalendarPage(QWidget* page, ScheduleDocument&)
    : QObject(page)
{
}

void CalendarPage::BtnTempletClick() { }
