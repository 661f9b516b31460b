#pragma once
// The write batches on the link: which are pending, and how each ends:
// acknowledged whole, failed on a bad answer, or cut short by the line.
// Whatever ends a batch reports it once: the indicator, BatchFinished and,
// for a failure, the operator's message.

#include <QMetaType>
#include <QObject>
#include <functional>

class Dialogs;
class ResultDisplay;

enum class WriteBatch { Settings, Schedule };
enum class BatchOutcome { Completed, Failed, CutShort };
Q_DECLARE_METATYPE(WriteBatch)
Q_DECLARE_METATYPE(BatchOutcome)

class WriteBatches : public QObject {
    Q_OBJECT
public:
    // The batches pending at one moment.
    struct Pending {
        bool settings = false;
        bool schedule = false;
        bool Any() const { return settings || schedule; }
    };

    // Neither the dialogs nor the indicator are owned.
    WriteBatches(Dialogs& dialogs, ResultDisplay& indicator, QObject* parent = nullptr);

    void SetPending(WriteBatch batch, bool on);
    bool IsPending(WriteBatch batch) const;
    // Takes the pending batches off: whatever ends them now reports them.
    Pending Take();

    void SetSqlMode(bool on) { sqlMode_ = on; }
    // Run after a completed settings write in SQL mode, before it is reported.
    void SetRecordOperation(std::function<void()> record);

    // Every request queued is acknowledged: the pending batches are written.
    void Complete();
    // Red, BatchFinished, and with withMessage the box that sends the
    // operator to the protocol, for each batch taken.
    void ReportFailure(Pending batches, BatchOutcome outcome, bool withMessage);

signals:
    void Finished(WriteBatch batch, BatchOutcome outcome);

private:
    void ReportFailure(WriteBatch batch, BatchOutcome outcome, bool withMessage);

    Dialogs& dialogs_;
    ResultDisplay& indicator_;
    std::function<void()> recordOperation_;
    Pending pending_;
    bool sqlMode_ = false;
};
