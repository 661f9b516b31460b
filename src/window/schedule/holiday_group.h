#pragma once
// GroupBox6 " Праздники ": the recurring holidays of the schedule. The
// month and day of a new holiday, its insertion in date order, deletion of
// the selected rows and the default set; the list shows the schedule's.

#include <QObject>

class CalendarList;
class QComboBox;
class QGroupBox;
class QPushButton;
class QSpinBox;
class ScheduleDocument;

class HolidayGroup : public QObject {
public:
    // Fills `group`; lives under it.
    HolidayGroup(QGroupBox* group, ScheduleDocument& schedule);

    void BtnTempletClick();
    // The list in line with the schedule's holidays.
    void Refresh();

    QComboBox* ComboM;
    QSpinBox* SpinD;
    QPushButton* BtnTemplet;
    CalendarList* ListCel;

private:
    void ComboMChange(int index);
    void BtnInsCelClick();
    void BtnDelCelClick();

    ScheduleDocument& schedule_;
};
