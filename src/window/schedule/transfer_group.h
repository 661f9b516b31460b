#pragma once
// GroupBox7 " Переносы ": the dated day transfers of the schedule. The date
// and day type of a new transfer, its insertion in date order and deletion
// of the selected rows; the list shows the schedule's.

#include <QDate>
#include <QObject>
#include <functional>

class CalendarList;
class QComboBox;
class QDateEdit;
class QGroupBox;
class ScheduleDocument;

class TransferGroup : public QObject {
public:
    // Fills `group`; lives under it. `today` is the workstation's date.
    TransferGroup(QGroupBox* group, ScheduleDocument& schedule, std::function<QDate()> today);

    // The list in line with the schedule's transfers.
    void Refresh();

    QDateEdit* DTPTrans;
    QComboBox* ComboTrans;
    CalendarList* ListTransfer;

private:
    void DTPTransChange(QDate date);
    void BtnInsTransClick();
    void BtnDelTransClick();

    ScheduleDocument& schedule_;
    std::function<QDate()> today_;
};
