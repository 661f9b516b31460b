#pragma once
// PanelDay: the profile of the current cell as a zone list and a coloured
// bar over the 24 hours, the fields of a zone, and the commands that add,
// change and delete zones, commit and revert.

#include <QWidget>

class Dialogs;
class ScheduleModel;
class TariffColors;

class DayPanel : public QWidget {
    Q_OBJECT
public:
    DayPanel(ScheduleModel& model, TariffColors& colors, Dialogs& dialogs, QWidget* parent = nullptr);

    // Lists the current cell's profile and selects its first zone.
    void GetSheduleDay();
    // Paints the day bar from the list.
    void DayChange();
    // "Сохранить" and "Отменить" follow the pending edits; the record count
    // follows the working records.
    void ShowModelState();

signals:
    // A zone edit, a commit or a revert changed the year map: the grid
    // repaints.
    void YearMapChanged();
};
