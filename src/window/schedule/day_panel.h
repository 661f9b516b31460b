#pragma once
// PanelDay: the profile of the current cell as a zone list and a coloured
// bar over the 24 hours, the fields of a zone, and the commands that add,
// change and delete zones, commit and revert.
//
// The controls load each other: a selected row fills the fields, the track
// bar and the time picker follow each other, and the time picks its row.
// Whatever the panel sets itself it sets without running the handlers
// again, so one operator step runs each handler at most once.

#include "schedule/zone_record.h"

#include <QTime>
#include <QWidget>

class Dialogs;
class LowerBoundSpin;
class QAction;
class QLabel;
class QSlider;
class QTimeEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class ScheduleModel;
class TariffColors;
class TariffGroup;

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* HourLabels();
    QWidget* CreatePanelCTRL();
    QWidget* CreatePanelList();

    void DayChoice();
    void TrackBar1Change(int position);
    void DateTimeZoneChange(QTime time);
    void SpinLimitChange();
    void ListViewDaysSelectItem();
    void TariffClick(int tariff);
    void LimitClick();
    void ActionEditExecute();
    void ActionDeleteExecute();
    void BitBtnRedoClick();
    void BitBtnUndoClick();
    void TariffContextPopup(int tariff);
    void LimitContextPopup(int tariff);
    void PaintBoxDayPaint();
    void PanelListResize();

    // The zone the fields describe.
    TZone FieldsZone() const;
    QTreeWidgetItem* RowAt(const QString& time) const;
    QTreeWidgetItem* SelectedRow() const;
    void SelectRow(QTreeWidgetItem* row);
    void ShowTime(int minutes);
    void ShowEditEnabled();
    void ShowTariffColors();
    void ZoneEdited();

    ScheduleModel& model_;
    TariffColors& colors_;
    Dialogs& dialogs_;

    QSlider* TrackBar1 = nullptr;
    QWidget* PaintBoxDay = nullptr;
    QTimeEdit* DateTimeZone = nullptr;
    // What is not a number counts as no limit.
    LowerBoundSpin* SpinLimit = nullptr;
    TariffGroup* GroupTariff = nullptr;
    TariffGroup* GroupLimit = nullptr;
    QAction* ActionEdit = nullptr;
    QAction* ActionDelete = nullptr;
    QToolButton* BitBtnRedo = nullptr;
    QToolButton* BitBtnUndo = nullptr;
    QTreeWidget* ListViewDays = nullptr;
    QLabel* RecordCount = nullptr;
};
