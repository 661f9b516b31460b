#pragma once
// TabSheet6 "Праздники и коэффициент лимита": the holiday list, the
// transfer list and the limit coefficient of the schedule. The lists and
// the coefficient are the schedule's own: every edit of a list goes to it
// at once, the coefficient once it is typed, and every change of it (a
// file, the meter, a new schedule) shows here.

#include <QDate>
#include <QObject>
#include <functional>

class HolidayGroup;
class LowerBoundSpin;
class QWidget;
class ScheduleDocument;
class TransferGroup;

class CalendarPage : public QObject {
    Q_OBJECT
public:
    // Fills `page` with the page's controls; lives under it. `today` is the
    // workstation's date, the earliest a new transfer may fall on.
    CalendarPage(QWidget* page, ScheduleDocument& schedule, std::function<QDate()> today = &QDate::currentDate);

    // "Праздники по умолчанию", pressed once at start-up.
    void BtnTempletClick();

private:
    void SpinLimitChange(int coefficient);
    // The controls in line with the schedule's calendar.
    void ShowCalendar();

    ScheduleDocument& schedule_;
    HolidayGroup* holidays_;
    TransferGroup* transfers_;
    // What is not a number counts as the lowest coefficient.
    LowerBoundSpin* SpinLimit;
};
