#pragma once
// Copying the schedule into the meter and back: one batch of requests each
// way, queued in one go; the decoders turn the meter's answers into the
// schedule and show the checksum the poll reads.

#include "schedule/schedule_bytes.h"
#include "schedule/schedule_document.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <variant>

class Dialogs;
class MeterLink;
class MeterReadings;
class OperationLog;

// The write batch for these byte forms, or the reason it cannot be written.
std::variant<QList<QByteArray>, QString> BuildScheduleWriteBatch(const QList<QByteArray>& records,
    const QByteArray& holidayBlock, const QByteArray& transferBlock, int limitCoefficient);
QList<QByteArray> ScheduleReadBatch();

class ScheduleTransfer : public QObject {
    Q_OBJECT
public:
    // One step per answer of a read but the coefficient's.
    static constexpr int GaugeMaximum = 288;

    ScheduleTransfer(MeterLink& link, MeterReadings& readings, ScheduleDocument& schedule, OperationLog& log,
        Dialogs& dialogs, QObject* parent = nullptr);

    // Queues the write batch and marks it pending; false (with a message
    // shown) when the schedule cannot be written. Once the meter has taken
    // all of it, what was written counts as unmodified.
    bool ActionWriteSchedExecute();
    // What the meter gives is no edit of the operator's: the schedule read
    // holds no unsaved changes, and no file.
    void ActionReadSchedExecute();

    int GaugePosition() const { return gaugePosition_; }

signals:
    void GaugeChanged(int position, int maximum);
    // The schedule's page should be in front: a read is filling it.
    void SchedulePageWanted();

private:
    void DecodeCoefficient(const QByteArray& response);
    void DecodeRecordOrChecksum(const QByteArray& request, const QByteArray& response);
    void NoteImpossibleRecord(const QByteArray& request, const QByteArray& record);
    void DecodeHoliday(const QByteArray& response);
    void DecodeTransfer(const QByteArray& response);
    void HandOverRecords();
    // A change made by the read: a schedule without unsaved changes keeps
    // none, one with the operator's edits made meanwhile keeps them.
    void TakeRead(const std::function<void()>& change);
    void SetGauge(int position);

    MeterLink& link_;
    MeterReadings& readings_;
    ScheduleDocument& schedule_;
    OperationLog& log_;
    Dialogs& dialogs_;
    // The records gathered by a running read, until the first holiday
    // answer hands them to the schedule.
    QList<QByteArray> readZones_;
    // Why the gathered records cannot be shown, naming the first impossible
    // one by its index in the meter; empty while all can.
    QString readRefusal_;
    bool readingZones_ = false;
    int gaugePosition_ = 0;
    // The content of the write batch last queued.
    ScheduleSnapshot written_;
};
