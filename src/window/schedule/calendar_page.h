#pragma once
// TabSheet6 "Праздники и коэффициент лимита": the holiday list, the
// transfer list and the limit coefficient of the schedule. The lists and
// the coefficient are the schedule's own: every edit goes to it at once,
// and every change of it (a file, the meter, a new schedule) shows here.

#include <QObject>

class QWidget;
class ScheduleDocument;

class CalendarPage : public QObject {
    Q_OBJECT
public:
    // Fills `page` with the page's controls; lives under it.
    CalendarPage(QWidget* page, ScheduleDocument& schedule);

    // "Праздники по умолчанию", pressed once at start-up.
    void BtnTempletClick();
};
