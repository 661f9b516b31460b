#pragma once
// The settings write of the tab "Установка": one batch of requests built
// from the operator's choices, queued in one go, each acknowledgement
// logged, the end reported by the link.

#include "meter/write_inputs.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>
#include <variant>

class Dialogs;
class MeterLink;
class MeterReadings;
class OperationLog;

// The batch for these inputs and the number shown in "Заводской номер";
// the text of the reason when it cannot be built (a clock before 2000).
std::variant<QList<QByteArray>, QString> BuildSettingsBatch(const SettingsInputs& inputs, const QString& shownNumber);

// Power-line group and address derived from a meter number, 0 made 100.
std::pair<int, int> DerivedPlcAddress(qint64 number);

// Whether a meter whose "Заводской номер" shows this text takes a number:
// only one that shows 0 does, not one whose row is still empty (not yet
// read).
bool MeterTakesNumber(const QString& shownNumber);

class SettingsWrite : public QObject {
    Q_OBJECT
public:
    SettingsWrite(MeterLink& link, MeterReadings& readings, WriteInputs& inputs, OperationLog& log,
        Dialogs& dialogs, QObject* parent = nullptr);

    // Queues the batch and marks it pending; false (with a message shown)
    // when it cannot be built.
    bool ActionSettingExecute();
    // Run first by every write on the production line: sets the
    // workstation clock from the server; false stops the write before
    // anything is queued.
    void SetClockSync(std::function<bool()> sync) { clockSync_ = std::move(sync); }

    // Timer3: the pickers follow the workstation clock until edited.
    void Timer3Timer();
    QTimer& Timer3() { return timer3_; }

private:
    MeterLink& link_;
    MeterReadings& readings_;
    WriteInputs& inputs_;
    OperationLog& log_;
    Dialogs& dialogs_;
    QTimer timer3_;
    std::function<bool()> clockSync_;
};
