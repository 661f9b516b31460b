#pragma once
// The values the operator prepares for writing: the tab "Установка", the
// power-line tab and the two password edits. The widgets write every change
// into this object; batch builders and acknowledgement handlers read it at
// the moment they run, so a value changed while a batch runs is the one
// logged. Core code that changes a value calls NotifyChanged so the widgets
// show it.

#include <QDate>
#include <QObject>
#include <QString>
#include <QTime>
#include <array>

struct SettingsInputs {
    // SpinEdit_Number takes six digits at most: the operation log files
    // its entries under six-digit numbers, and a longer one is never found.
    static constexpr qint64 LargestNumber = 999999;
    // A scanned code sets the field in full, up to the largest number a
    // meter holds (24 bits); six digits is a limit of typing only.
    static constexpr qint64 LargestMeterNumber = 0xFFFFFF;

    bool checkTime = true;          // CheckTime
    QDate date;                     // DatePicker
    QTime time;                     // TimePicker
    bool dateEdited = false;        // EditedMark of DatePicker
    bool timeEdited = false;        // EditedMark of TimePicker
    bool dst = false;               // CheckBoxClock
    bool checkSchedule = false;     // CheckShedule
    int day = 1;                    // SpinDay 1..31
    int hour = 0;                   // SpinHour 0..23
    bool checkIndi = false;         // CheckIndi
    std::array<bool, 5> indicator{}; // CheckSetIndi items
    bool checkIntegra = false;      // CheckIntegra
    int integra = 1;                // SpinIntegra 1..60 minutes
    bool checkPassword = false;     // CheckPassword
    bool checkDdm = false;          // CheckDDM
    quint32 ddmNumber = 0;          // SpinDDM 0..16777215
    int ddmMode = 0;                // ComboTarifDDM index: 0 "авто", 1..8
    bool checkResetTariff = false;  // CheckResetTariff
    bool checkResetRdh = false;     // CheckResetRdh
    qint64 number = 0;              // SpinEdit_Number 0..LargestMeterNumber
    QString accessPassword;         // LabeledPass2
    QString newPassword;            // LabeledPass1
};

struct PlcInputs {
    int group = 0;                  // SpinGroup 0..255
    int address = 0;                // SpinAddress 0..255
    int route = 0;                  // SpinRoute 0..3
    int repeaterAddress = 0;        // SpinAddrRep 0..255
    QString repeaterNumber;         // EditNumb, as typed
};

class WriteInputs : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    SettingsInputs settings;
    PlcInputs plc;

    void NotifyChanged() { emit Changed(); }

signals:
    void Changed();
};
