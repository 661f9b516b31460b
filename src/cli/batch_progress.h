#pragma once
// One batch followed through the link, from the moment it is queued until
// it leaves the queue, answered or dropped: its requests answered are
// counted and drawn as "command: answered/size" on the session's progress
// line.

#include <QObject>
#include <QString>
#include <functional>

class CliSession;
class MeterLink;
class ProgressLine;

class BatchProgress : public QObject {
public:
    BatchProgress(CliSession& session, QString command);

    // Runs `queue`, which appends one batch behind what is queued already,
    // and follows what it appended; false, following nothing, when `queue`
    // says so. `ended` runs once the whole batch has left the queue, the
    // progress line ended.
    bool Follow(const std::function<bool()>& queue, std::function<void()> ended = {});

    qsizetype Answered() const { return answered_; }
    qsizetype Size() const { return size_; }

private:
    void End();

    MeterLink& link_;
    ProgressLine& line_;
    QString command_;
    std::function<void()> ended_;
    // Requests queued before the batch, still to be answered or dropped.
    qsizetype ahead_ = 0;
    qsizetype size_ = 0;
    qsizetype answered_ = 0;
    bool following_ = false;
};
