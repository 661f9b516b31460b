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
    // A write batch's outcome comes before the batch has left the queue.
    // Connected before the commands' own handlers, so the line has ended
    // when they print.
    connect(&link_, &MeterLink::BatchFinished, this, [this] { line_.End(); });
    connect(&link_, &MeterLink::BatchEnded, this, &BatchProgress::End);
}

bool BatchProgress::Follow(const std::function<bool()>& queue, std::function<void()> ended)
{
    const qsizetype before = link_.CommandQueue().size();
    if (!queue())
        return false;
    ahead_ = before;
    size_ = link_.CommandQueue().size() - before;
    answered_ = 0;
    ended_ = std::move(ended);
    following_ = true;
    return true;
}

void BatchProgress::End()
{
    if (!following_)
        return;
    following_ = false;
    line_.End();
    if (ended_)
        ended_();
}
