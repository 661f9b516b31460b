#pragma once
// Tab "Тарифное расписание": the progress of a schedule read, the page
// "Расписание" with the schedule editor, and the page "Праздники и
// коэффициент лимита".

class CalendarPage;
class Dialogs;
class QProgressBar;
class QTabWidget;
class QWidget;
class ScheduleDocument;
class TariffColors;
class TFrameShedule;

struct TabSched {
    QWidget* page;
    QProgressBar* GaugeSched;
    QTabWidget* PageControl3;
    QWidget* TabTariff;
    TFrameShedule* FrameShedule;
    QWidget* TabSheet6;
    CalendarPage* calendar;

    static TabSched Create(ScheduleDocument& schedule, TariffColors& colors, Dialogs& dialogs);
};
