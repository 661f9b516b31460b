#pragma once
// What the commands that queue a batch on the meter share: the wait for
// the meter's first answers before the batch goes in, the protocol's
// failure lines, and the end of the run when the meter stops answering.

#include <QObject>
#include <QString>
#include <functional>

class CliSession;

class MeterRun : public QObject {
public:
    // Protocol lines are switched on: without the number-editing mode they
    // carry failures only.
    explicit MeterRun(CliSession& session);

    // Runs `step` once the poll has shown the meter's number: by then the
    // meter has answered, and write batches head their log entries with
    // the number. The step runs out of the decoder, so the poll's request
    // has left the queue and the batch goes in behind the next one.
    void WhenNumberShown(std::function<void()> step);
    // Runs `step` once a whole poll cycle has been read: a record on the
    // production line takes every value the tabs show (version, readings,
    // the clock's drift), not only the number.
    void WhenCycleRead(std::function<void()> step);

    // The protocol's most recent failure line; empty while there was none.
    const QString& LastFailure() const { return lastFailure_; }
    int FailureCount() const { return failureCount_; }

    // Connects, runs until a handler ends the run with its exit code, and
    // disconnects. Exit::Failed when the port cannot be opened or the meter
    // counts as gone (said on stderr with the last failure).
    int Exec();

private:
    // Runs `step`, once: its moment comes again with every number shown and
    // every cycle read.
    void TakeStep(const std::function<void()>& step);

    CliSession& session_;
    QString lastFailure_;
    int failureCount_ = 0;
    bool stepTaken_ = false;
};
