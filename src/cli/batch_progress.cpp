#include "cli/batch_progress.h"

#include "cli/cli_session.h"

BatchProgress::BatchProgress(CliSession& session, QString command)
    : link_(session.Core().link), line_(session.Progress()), command_(std::move(command))
{
    // Requests leave the queue in order: after those ahead of it, every
    // answer is the next of the batch. A password frame is completed when
    // it is sent, so answers are counted, not matched with the batch.
    connect(&link_, &MeterLink::ResponseAccepted, this, [this] {
        if (!following_)
            return;
        if (ahead_ > 0) {
            --ahead_;
            return;
        }
        ++answered_;
        line_.Draw(command_ + QStringLiteral(": ") + QString::number(answered_) + QLatin1Char('/')
            + QString::number(size_));
    });
    // The poll comes back only once the queue has run empty, and a failed
    // write is reported once the rest of it has been dropped: either way
    // the batch has left the queue. Connected before the commands' own
    // handlers, so the line has ended when they print.
    connect(&link_, &MeterLink::PollStepQueued, this, &BatchProgress::Stop);
    connect(&link_, &MeterLink::BatchFinished, this, &BatchProgress::Stop);
}

bool BatchProgress::Follow(const std::function<bool()>& queue)
{
    const qsizetype before = link_.CommandQueue().size();
    if (!queue())
        return false;
    ahead_ = before;
    size_ = link_.CommandQueue().size() - before;
    answered_ = 0;
    following_ = true;
    return true;
}

void BatchProgress::Stop()
{
    following_ = false;
    line_.End();
}
