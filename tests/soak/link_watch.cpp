#include "link_watch.h"

#include "protocol/frame.h"
#include "link/meter_link.h"

#include <QFileInfo>

namespace {

// The link counts the meter as gone at the sixth timeout in a row.
constexpr int LostAtTimeouts = 6;

bool IsErrorReply(const QByteArray& answer)
{
    return !answer.isEmpty() && (quint8(answer[0]) & ErrorReplyBit);
}

QString Describe(const QByteArray& request)
{
    return request.isEmpty() ? QStringLiteral("(none)")
                             : CommandName(quint8(request[0])) + QStringLiteral(" [") + HexDump(request).trimmed() + ']';
}

} // namespace

LinkWatch::LinkWatch(MeterLink& link, MeterLedger& ledger, const QString& logPath, bool logWritten, SoakTally& tally)
    : link_(link), ledger_(ledger), logPath_(logPath), logWritten_(logWritten), tally_(tally)
{
    logSize_ = LogSize();
    connect(&link_, &MeterLink::ResponseAccepted, this, &LinkWatch::ResponseAccepted);
    connect(&link_, &MeterLink::LinkLost, this, &LinkWatch::LinkLost);
    connect(&link_.Protocol(), &ProtocolView::LineAppended, this, &LinkWatch::FailureReported);
    ledger_.OnServed([this](const ServedRequest& request) { Served(request); });
}

// The link hands the decoder its receive buffer and tells of the request
// before the next send clears it: the buffer is the answer taken.
void LinkWatch::ResponseAccepted(const QByteArray& request)
{
    const QByteArray& taken = link_.ReceiveBuffer();
    const ServedRequest* served = ledger_.Latest(request);
    const bool clean = served && served->Clean() && taken == served->answer && !IsErrorReply(taken);
    if (!clean) {
        const ServedRequest* sender = ledger_.Sending(taken);
        const QString detail = QStringLiteral("%1 taken as answered with %2; the meter %3")
                                   .arg(Describe(request), HexDump(taken).trimmed(),
                                       served ? QStringLiteral("answered %1, sent %2")
                                                    .arg(HexDump(served->answer).trimmed(),
                                                        HexDump(served->sent).trimmed())
                                              : QStringLiteral("had not received it lately"));
        // The meter's clean answer to another request of the same function
        // (a late one, say) cannot be told apart by its function code; a
        // refusal, or bytes the meter never sent clean, can.
        if (sender && sender->Clean() && !IsErrorReply(taken))
            tally_.WrongAnswer(detail + QStringLiteral("; the bytes were its answer to ") + Describe(sender->request));
        else
            tally_.FalseSuccess(detail);
    }
    if (resumption_ == Resumption::AwaitingAnswer) {
        if (request != firstClean_)
            tally_.LinkViolation(QStringLiteral("polling resumed with %1, not with the first answer, to %2")
                                     .arg(Describe(request), Describe(firstClean_)));
        resumption_ = Resumption::Done;
    }
    accepted_.append({request, clean});
    // Judged here already, one way or the other.
    awaitingReport_.clear();

    // Entries are appended by the decoders, before the link tells of the
    // answer: growth now belongs to this answer.
    const qint64 size = LogSize();
    if (size > logSize_ && !(clean && logWritten_))
        tally_.FalseRecord(QStringLiteral("the operation log grew by %1 bytes with %2 (%3)")
                               .arg(size - logSize_)
                               .arg(Describe(request), clean ? "not to be logged here" : "not answered clean"));
    logSize_ = size;
}

void LinkWatch::Served(const ServedRequest& request)
{
    if (!awaitingReport_.isEmpty())
        tally_.FalseSuccess(QStringLiteral("the spoiled answer to %1 was never reported; %2 went out next")
                                .arg(Describe(awaitingReport_), Describe(request.request)));
    awaitingReport_ = request.Clean() ? QByteArray() : request.request;
    if (resumption_ == Resumption::AwaitingServe && request.Clean() && !IsErrorReply(request.answer)) {
        firstClean_ = request.request;
        resumption_ = Resumption::AwaitingAnswer;
    }
    // The timeout before this request has been handled in full by now,
    // message boxes and all.
    const int streak = link_.TimeoutStreak();
    if (streak >= LostAtTimeouts && declaredAt_ != streak)
        tally_.LinkViolation(QStringLiteral("%1 timeouts in a row and the link not declared lost").arg(streak));
}

void LinkWatch::ExpectResumption()
{
    resumption_ = Resumption::AwaitingServe;
    firstClean_.clear();
}

void LinkWatch::FailureReported()
{
    ++tally_.failuresReported;
    awaitingReport_.clear();
}

void LinkWatch::LinkLost()
{
    const int streak = link_.TimeoutStreak();
    if (streak < LostAtTimeouts)
        tally_.LinkViolation(QStringLiteral("the link declared lost after %1 timeouts in a row").arg(streak));
    declaredAt_ = streak;
    ++linkLosses_;
}

void LinkWatch::CheckLogAtRest()
{
    const qint64 size = LogSize();
    if (size > logSize_)
        tally_.FalseRecord(QStringLiteral("the operation log grew by %1 bytes with no answer taken").arg(size - logSize_));
    logSize_ = size;
}

qint64 LinkWatch::LogSize() const
{
    return QFileInfo(logPath_).size();
}
