#pragma once
// TFrameShedule on the page "Расписание": the year grid above (PanelYear
// with StringGrid1), the day-profile editor below (PanelDay). It keeps the
// two in step with each other and with the schedule: a settled selection
// lists the current profile, a zone edit repaints the grid, and a schedule
// replaced from a file or the meter shows in both.

#include <QWidget>

class DayPanel;
class Dialogs;
class ScheduleDocument;
class TariffColors;
class YearGrid;

class TFrameShedule : public QWidget {
    Q_OBJECT
public:
    // The smallest size at which every control shows whole.
    static constexpr int MinWidth = 572;
    static constexpr int MinHeight = 433;

    TFrameShedule(ScheduleDocument& schedule, TariffColors& colors, Dialogs& dialogs, QWidget* parent = nullptr);

    YearGrid* StringGrid1;
    DayPanel* PanelDay;

signals:
    // The operator changed the working records (a zone edit, a selection
    // that copied a profile, a commit or a revert): whether the schedule
    // holds unsaved changes may read otherwise.
    void Edited();

private:
    // Everything shown anew from the schedule.
    void ShowSchedule();
};
