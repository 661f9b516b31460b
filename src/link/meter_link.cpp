#include "link/meter_link.h"

#include "link/answer_match.h"
#include "link/poll_cycle.h"
#include "link/serial_channel.h"
#include "protocol/frame.h"
#include "workstation/work_mode.h"

#include <QTime>
#include <utility>

namespace {

constexpr int FirstRequestDelayMs = 100;
constexpr int DefaultTimeoutMs = 500;
// More timeouts in a row than this and the meter counts as gone.
constexpr int LostAfterTimeouts = 5;

// -1 for a missing byte, so it never equals a real code.
int ByteAt(const QByteArray& bytes, int index)
{
    return index < bytes.size() ? quint8(bytes[index]) : -1;
}

QString Now(const char* format)
{
    return QTime::currentTime().toString(QLatin1String(format));
}

bool IsDdmRefusal(quint8 refusedCode, quint8 errorNumber)
{
    const quint8 function = refusedCode & 0x7F;
    return (function == ReadDdmStatus || function == ReadDdmNumber) && errorNumber == 1;
}

} // namespace

MeterLink::MeterLink(Dialogs& dialogs, LinkTimers& timers, QObject* parent)
    : QObject(parent),
      dialogs_(dialogs),
      indicator_(timers),
      batches_(dialogs, indicator_),
      timer1_(timers.Make(LinkTimerRole::SendTick)),
      timer2_(timers.Make(LinkTimerRole::ResponseTimeout)),
      timerStart_(timers.Make(LinkTimerRole::FirstRequest))
{
    timer1_->SetInterval(SendTickMs);
    timer2_->SetInterval(DefaultTimeoutMs);
    timerStart_->SetInterval(FirstRequestDelayMs);
    connect(timer1_.get(), &LinkTimer::Fired, this, &MeterLink::Timer1Timer);
    connect(timer2_.get(), &LinkTimer::Fired, this, &MeterLink::Timer2Timer);
    connect(timerStart_.get(), &LinkTimer::Fired, this, &MeterLink::TimerStartTimer);

    connect(&indicator_, &ResultDisplay::Changed, this, &MeterLink::IndicatorChanged);
    // Once the result has been shown, the station turns to the next meter.
    connect(&indicator_, &ResultDisplay::Over, this, &MeterLink::ActionResetExecute);
    connect(&batches_, &WriteBatches::Finished, this, [this](WriteBatch batch, BatchOutcome outcome) {
        emit BatchFinished(batch, outcome);
        // The meter written, the station turns to the next one.
        if (batch == WriteBatch::Settings && outcome == BatchOutcome::Completed)
            ResetMeterState();
    });
}

MeterLink::~MeterLink() = default;

void MeterLink::SetChannel(SerialChannel* channel)
{
    if (channel_)
        disconnect(channel_, nullptr, this, nullptr);
    channel_ = channel;
    if (channel_) {
        connect(channel_, &SerialChannel::RxChar, this, &MeterLink::VaComm1RxChar);
        connect(channel_, &SerialChannel::RequestSent, this, &MeterLink::RequestSentHandler);
        connect(channel_, &SerialChannel::Lost, this, &MeterLink::PortLostHandler);
    }
}

void MeterLink::RegisterDecoder(quint8 code, Decoder decoder)
{
    decoders_.insert(code, std::move(decoder));
}

void MeterLink::SetPasswordFrameBuilder(FrameBuilder builder)
{
    passwordFrameBuilder_ = std::move(builder);
}

void MeterLink::SetTypeCodeSource(std::function<int()> typeCode)
{
    typeCode_ = std::move(typeCode);
}

void MeterLink::SetSendTickMs(int milliseconds)
{
    timer1_->SetInterval(milliseconds);
}

void MeterLink::SpinTimerChange(int milliseconds)
{
    timer2_->SetInterval(milliseconds);
}

int MeterLink::ResponseTimeoutMs() const
{
    return timer2_->Interval();
}

void MeterLink::Append(const QList<QByteArray>& batch)
{
    if (batch.isEmpty())
        return;
    batchQueued_ = true;
    Enqueue(batch);
}

void MeterLink::Enqueue(const QList<QByteArray>& requests)
{
    commandQueue_.append(requests);
    CommandsChange();
}

void MeterLink::RemoveHead()
{
    if (commandQueue_.isEmpty())
        return;
    commandQueue_.removeFirst();
    CommandsChange();
}

void MeterLink::ClearQueue()
{
    if (commandQueue_.isEmpty())
        return;
    commandQueue_.clear();
    CommandsChange();
}

// Re-entrant: appending or emptying here runs it again, and every branch
// leaves nothing to do after such a nested run.
void MeterLink::CommandsChange()
{
    if (reportingFailure_)
        return;
    if (!commandQueue_.isEmpty()) {
        if (!Connected()) {
            ClearQueue();
            return;
        }
        requestInFlight_ = commandQueue_.first();
        const quint8 code = quint8(requestInFlight_[0]);
        if ((code == EnterPassword || code == WritePassword) && passwordFrameBuilder_)
            requestInFlight_ = passwordFrameBuilder_(requestInFlight_);
        // A tick that is already counting keeps counting: restarting it on
        // every change would let a stream of stray bytes (each one aborting
        // and queueing the next poll step) hold every send back.
        if (!timer1_->Active())
            timer1_->Start();
        return;
    }
    if (Connected())
        OnQueueRanEmpty();
}

void MeterLink::OnQueueRanEmpty()
{
    batches_.Complete();
    EnableMeterCommands(true);
    const bool batchEnded = std::exchange(batchQueued_, false);
    const int step = pollStep_;
    pollStep_ = NextPollStep(step, typeCode_ ? typeCode_() : 0);
    Enqueue({PollRequest(step)});
    emit PollStepQueued(step);
    if (step == 0 && ++cycleStarts_ > 1)
        emit PollCycleEnded();
    if (batchEnded)
        emit BatchEnded();
}

void MeterLink::Timer1Timer()
{
    if (!channel_ || !channel_->Active() || leaving_ || timer2_->Active())
        return;
    timer1_->Stop();
    receiveBuffer_.clear();
    leaving_ = requestInFlight_;
    channel_->SendRequest(requestInFlight_);
}

// The response timeout counts from the moment the whole request has left;
// one the port refused simply times out.
void MeterLink::RequestSentHandler(bool written)
{
    // A request of a line closed since.
    if (!leaving_)
        return;
    const QByteArray request = *std::exchange(leaving_, std::nullopt);
    if (written) {
        if (!request.isEmpty())
            SetStatusPanel(1, CommandName(quint8(request[0])));
        if (ByteDumps())
            protocol_.Append(Now("hh:mm:ss.zzz") + " Send " + HexDump(request));
        ++sentCount_;
    }
    SetStatusPanel(0, QString::number(sentCount_));
    timer2_->Start();
    // What came meanwhile meets the request as if it had come just now.
    if (std::exchange(receivedWhileLeaving_, false))
        VaComm1RxChar();
}

void MeterLink::VaComm1RxChar()
{
    if (!channel_ || !channel_->Active())
        return;
    if (leaving_) {
        receivedWhileLeaving_ = true;
        return;
    }
    QByteArray bytes;
    try {
        bytes = channel_->ReadText();
    } catch (const SerialChannelError& error) {
        emit UnhandledError(error.Text());
        return;
    }
    if (bytes.isEmpty())
        return;
    if (ByteDumps())
        protocol_.Append(Now("hh:mm:ss.zzz") + " Received: " + HexDump(bytes));
    timeoutStreak_ = 0;
    SetMeterAnswering(true);
    emit MeterAnswered();
    // A late answer to the request of a failed batch must not be taken for
    // an acknowledgement while the operator reads that the batch failed.
    if (reportingFailure_)
        return;
    receiveBuffer_.append(bytes);
    Judge();
}

// Checks the gathered bytes against the request in flight: an error reply,
// a complete response (valid or not), or not yet complete.
void MeterLink::Judge()
{
    const QByteArray& buffer = receiveBuffer_;
    QString failure;
    bool ok = true;
    if (buffer.size() == ErrorReplyLength && ByteAt(buffer, 0) - ByteAt(requestInFlight_, 0) == ErrorReplyBit
        && ByteAt(buffer, 1) == 3 && CrcValid(buffer)) {
        timer2_->Stop();
        ok = false;
        const quint8 errorNumber = quint8(buffer[2]);
        if (!IsDdmRefusal(quint8(buffer[0]), errorNumber))
            failure = ErrorText(errorNumber) + " (" + CommandName(quint8(buffer[0])) + ")";
    }
    if (ok && buffer.size() > 1 && buffer.size() >= ByteAt(buffer, 1) + 2) {
        if (ByteAt(buffer, 0) != ByteAt(requestInFlight_, 0)) {
            failure = QStringLiteral("Неверный отклик");
            ok = false;
        } else if (buffer.size() > ByteAt(buffer, 1) + 2) {
            failure = QStringLiteral("Отклик длиннее требуемого");
            ok = false;
        } else if (!CrcValid(buffer)) {
            failure = QStringLiteral("Ошибка контрольной суммы");
            ok = false;
        } else if (!AnswersRequest(requestInFlight_, buffer)) {
            failure = QStringLiteral("Неверный отклик");
            ok = false;
        } else {
            Decode();
        }
    }
    if (!ok) {
        if (!failure.isEmpty())
            protocol_.Append(failure);
        if (!commandQueue_.isEmpty())
            AbortQueue();
    }
}

void MeterLink::Decode()
{
    const quint8 code = quint8(requestInFlight_[0]);
    const bool scheduleRead = code == ReadSchedule || code == ReadHolidays || code == ReadTransfers;
    SetProgressShown(ProgressRead::Schedule, scheduleRead && ByteAt(receiveBuffer_, 1) != 4);
    timer2_->Stop();
    SetProgressShown(ProgressRead::Journal, code == ReadYearJournal || code == ReadConsumptionJournal);
    const auto decoder = decoders_.constFind(code);
    if (decoder != decoders_.constEnd()) {
        try {
            decoder.value()(requestInFlight_, receiveBuffer_);
        } catch (const std::exception& error) {
            emit UnhandledError(QString::fromStdString(error.what()));
        }
    }
    emit ResponseAccepted(requestInFlight_);
    RemoveHead();
}

void MeterLink::Timer2Timer()
{
    timer2_->Stop();
    protocol_.Append(Now("hh:mm:ss:zzz") + " Timeout.");
    if (!commandQueue_.isEmpty())
        AbortQueue();
    if (++timeoutStreak_ > LostAfterTimeouts) {
        SetMeterAnswering(false);
        EnableMeterCommands(false);
        ResetMeterState();
        emit LinkLost();
    }
}

void MeterLink::AbortQueue()
{
    timer2_->Stop();
    const WriteBatches::Pending writes = batches_.Take();
    if (writes.Any()) {
        DropReportedBatch(writes, BatchOutcome::Failed);
        CommandsChange();
        return;
    }
    // Dropped requests, the rest of a batch or the interrupted poll step,
    // are not repeated; polling resumes at the next step.
    ClearQueue();
}

void MeterLink::DropReportedBatch(WriteBatches::Pending batches, BatchOutcome outcome)
{
    reportingFailure_ = true;
    timer1_->Stop();
    commandQueue_.clear();
    batches_.ReportFailure(batches, outcome, true);
    reportingFailure_ = false;
}

void MeterLink::ResetMeterState()
{
    emit MeterStateReset();
}

void MeterLink::EnableMeterCommands(bool on)
{
    if (meterCommandsFree_ == on)
        return;
    meterCommandsFree_ = on;
    emit MeterCommandsFreeChanged(on);
}

void MeterLink::SetState(LinkState state)
{
    if (state_ == state)
        return;
    state_ = state;
    emit StateChanged(state);
}

void MeterLink::SetMeterAnswering(bool answering)
{
    if (meterAnswering_ == answering)
        return;
    meterAnswering_ = answering;
    emit MeterAnsweringChanged(answering);
}

void MeterLink::SetProgressShown(ProgressRead read, bool shown)
{
    bool& current = progressShown_[int(read)];
    if (current == shown)
        return;
    current = shown;
    emit ProgressShownChanged(read, shown);
}

void MeterLink::SetStatusPanel(int index, const QString& text)
{
    statusPanels_[index] = text;
    emit StatusPanelChanged(index, text);
}

bool MeterLink::ByteDumps() const
{
    return protocol_.Enabled() && (workMode_ & NumberEditing);
}
