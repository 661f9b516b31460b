#pragma once
// Tab "Установка": the values to write into the meter and, in GroupTask,
// which of them to write.

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTimeEdit;
class QToolButton;
class QWidget;

struct TabSetting {
    QWidget* page;

    QGroupBox* GroupTask;
    QCheckBox* CheckTime;
    QCheckBox* CheckShedule;
    QCheckBox* CheckIndi;
    QCheckBox* CheckIntegra;
    QCheckBox* CheckPassword;
    QCheckBox* CheckDDM;
    QCheckBox* CheckResetTariff;
    QCheckBox* CheckResetRdh;

    QDateEdit* DatePicker;
    QTimeEdit* TimePicker;
    QCheckBox* CheckBoxClock;
    QSpinBox* SpinEdit_Number;
    QToolButton* BitBtn1;
    QSpinBox* SpinDay;
    QSpinBox* SpinHour;
    QSpinBox* SpinIntegra;
    QLineEdit* LabeledPass1;
    QListWidget* CheckSetIndi;
    QSpinBox* SpinDDM;
    QComboBox* ComboTarifDDM;

    static TabSetting Create();
};
