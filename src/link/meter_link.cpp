#include "link/meter_link.h"

#include "link/answer_match.h"
#include "protocol/frame.h"
#include "link/poll_cycle.h"
#include "link/serial_channel.h"
#include "workstation/dialogs.h"
#include "workstation/work_mode.h"

#include <QThread>
#include <QTime>
#include <utility>

namespace {

constexpr int FirstRequestDelayMs = 100;
constexpr int IndicatorMs = 2000;
constexpr int DefaultTimeoutMs = 500;
// More timeouts in a row than this and the meter counts as gone.
constexpr int LostAfterTimeouts = 5;

const QString ErrorCaption = QStringLiteral("Ошибка");

const QStringList MeterCommands{
    "BtnReadJournalYear", "BtnReadDiary", "BtnWriteAddress", "BtnWriteRoute", "ButtonDelRoute",
    "ActionSetting", "ActionWriteSched", "ActionReadSched", "ActionTxt",
};

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

MeterLink::MeterLink(Dialogs& dialogs, QObject* parent)
    : QObject(parent), dialogs_(dialogs)
{
    // Coarse timers may fire 5 % early: a response timeout must never cut
    // an answer short, and requests should leave on the tick.
    timer1_.setTimerType(Qt::PreciseTimer);
    timer2_.setTimerType(Qt::PreciseTimer);
    timer1_.setInterval(SendTickMs);
    timer2_.setInterval(DefaultTimeoutMs);
    timerStart_.setInterval(FirstRequestDelayMs);
    timerShape_.setInterval(IndicatorMs);
    connect(&timer1_, &QTimer::timeout, this, &MeterLink::Timer1Timer);
    connect(&timer2_, &QTimer::timeout, this, &MeterLink::Timer2Timer);
    connect(&timerStart_, &QTimer::timeout, this, &MeterLink::TimerStartTimer);
    connect(&timerShape_, &QTimer::timeout, this, &MeterLink::TimerShapeTimer);

    SetConnectedControls(false);
    EnableMeterCommands(false);
    enabled_.Set("ActionSetting", false);
    enabled_.Set("ActionFixDb", false);
}

MeterLink::~MeterLink() = default;

void MeterLink::SetChannel(SerialChannel* channel)
{
    if (channel_)
        disconnect(channel_, nullptr, this, nullptr);
    channel_ = channel;
    if (channel_) {
        connect(channel_, &SerialChannel::RxChar, this, &MeterLink::VaComm1RxChar);
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

void MeterLink::SetRecordOperation(std::function<void()> record)
{
    recordOperation_ = std::move(record);
}

bool MeterLink::Connected() const
{
    return enabled_.On("ActionDisconnect");
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
        if (!timer1_.isActive())
            timer1_.start();
        return;
    }
    if (Connected())
        OnQueueRanEmpty();
}

void MeterLink::OnQueueRanEmpty()
{
    if (settingsWritePending_) {
        settingsWritePending_ = false;
        ShowIndicator(ResultIndicator::Green);
        if (sqlMode_ && recordOperation_)
            recordOperation_();
        emit BatchFinished(WriteBatch::Settings, BatchOutcome::Completed);
        ResetMeterState();
    }
    if (scheduleWritePending_) {
        scheduleWritePending_ = false;
        ShowIndicator(ResultIndicator::Green);
        emit BatchFinished(WriteBatch::Schedule, BatchOutcome::Completed);
    }
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
    if (!channel_ || !channel_->Active() || timer2_.isActive())
        return;
    timer1_.stop();
    receiveBuffer_.clear();
    try {
        Send();
    } catch (const SerialChannelError&) {
        // A request that could not be written simply times out.
    }
    SetStatusPanel(0, QString::number(sentCount_));
    timer2_.start();
}

void MeterLink::Send()
{
    channel_->SetParity(Parity::Mark);
    channel_->WriteText(requestInFlight_.left(1));
    QThread::msleep(FirstBytePauseMs);
    channel_->SetParity(Parity::Space);
    channel_->WriteText(requestInFlight_.mid(1));
    if (!requestInFlight_.isEmpty())
        SetStatusPanel(1, CommandName(quint8(requestInFlight_[0])));
    if (ByteDumps())
        protocol_.Append(Now("hh:mm:ss.zzz") + " Send " + HexDump(requestInFlight_));
    ++sentCount_;
}

void MeterLink::VaComm1RxChar()
{
    if (!channel_ || !channel_->Active())
        return;
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
    enabled_.Set("ActionSetting", true);
    enabled_.Set("ActionFixDb", true);
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
    bool ok = true;
    if (buffer.size() == ErrorReplyLength && ByteAt(buffer, 0) - ByteAt(requestInFlight_, 0) == ErrorReplyBit
        && ByteAt(buffer, 1) == 3 && CrcValid(buffer)) {
        timer2_.stop();
        ok = false;
        const quint8 errorNumber = quint8(buffer[2]);
        linkMessage_ = ErrorText(errorNumber) + " (" + CommandName(quint8(buffer[0])) + ")";
        if (IsDdmRefusal(quint8(buffer[0]), errorNumber))
            linkMessage_.clear();
    }
    if (ok && buffer.size() > 1 && buffer.size() >= ByteAt(buffer, 1) + 2) {
        if (ByteAt(buffer, 0) != ByteAt(requestInFlight_, 0)) {
            linkMessage_ = QStringLiteral("Неверный отклик");
            ok = false;
        } else if (buffer.size() > ByteAt(buffer, 1) + 2) {
            linkMessage_ = QStringLiteral("Отклик длиннее требуемого");
            ok = false;
        } else if (!CrcValid(buffer)) {
            linkMessage_ = QStringLiteral("Ошибка контрольной суммы");
            ok = false;
        } else if (!AnswersRequest(requestInFlight_, buffer)) {
            linkMessage_ = QStringLiteral("Неверный отклик");
            ok = false;
        } else {
            Decode();
        }
    }
    if (!ok) {
        if (!linkMessage_.isEmpty())
            protocol_.Append(linkMessage_);
        if (!commandQueue_.isEmpty())
            AbortQueue();
    }
}

void MeterLink::Decode()
{
    const quint8 code = quint8(requestInFlight_[0]);
    const bool scheduleRead = code == ReadSchedule || code == ReadHolidays || code == ReadTransfers;
    visible_.Set("GaugeSched", scheduleRead && ByteAt(receiveBuffer_, 1) != 4);
    timer2_.stop();
    visible_.Set("GaugeJournal", code == ReadYearJournal || code == ReadConsumptionJournal);
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
    timer2_.stop();
    protocol_.Append(Now("hh:mm:ss:zzz") + " Timeout.");
    if (!commandQueue_.isEmpty())
        AbortQueue();
    if (++timeoutStreak_ > LostAfterTimeouts) {
        enabled_.Set("ActionSetting", false);
        enabled_.Set("ActionFixDb", false);
        EnableMeterCommands(false);
        ResetMeterState();
        emit LinkLost();
    }
}

void MeterLink::AbortQueue()
{
    timer2_.stop();
    const PendingWrites writes = TakePendingWrites();
    if (writes.Any()) {
        DropReportedBatch(writes, BatchOutcome::Failed);
        CommandsChange();
        return;
    }
    // Dropped requests, the rest of a batch or the interrupted poll step,
    // are not repeated; polling resumes at the next step.
    ClearQueue();
}

// The message box runs its own event loop: the rest of the batch is
// dropped before it opens, and the link stays idle, sending nothing and
// accepting no answer, until the operator has closed it.
void MeterLink::DropReportedBatch(PendingWrites writes, BatchOutcome outcome)
{
    reportingFailure_ = true;
    timer1_.stop();
    commandQueue_.clear();
    ReportWriteFailure(writes, outcome, true);
    reportingFailure_ = false;
}

MeterLink::PendingWrites MeterLink::TakePendingWrites()
{
    const PendingWrites writes{settingsWritePending_, scheduleWritePending_};
    settingsWritePending_ = scheduleWritePending_ = false;
    return writes;
}

void MeterLink::ReportWriteFailure(PendingWrites writes, BatchOutcome outcome, bool withMessage)
{
    if (writes.settings)
        ReportWriteFailure(WriteBatch::Settings, outcome, withMessage);
    if (writes.schedule)
        ReportWriteFailure(WriteBatch::Schedule, outcome, withMessage);
}

void MeterLink::ReportWriteFailure(WriteBatch batch, BatchOutcome outcome, bool withMessage)
{
    ShowIndicator(ResultIndicator::Red);
    emit BatchFinished(batch, outcome);
    if (!withMessage)
        return;
    const QString what = batch == WriteBatch::Settings ? QStringLiteral("установок")
                                                       : QStringLiteral("тарифного расписания");
    dialogs_.ShowMessage(MessageIcon::Error, ErrorCaption,
        QStringLiteral("Во время записи %1 произошла ошибка. Описание смотрите на закладке Протокол.").arg(what));
}

void MeterLink::ShowIndicator(ResultIndicator indicator)
{
    indicator_ = indicator;
    emit IndicatorChanged(indicator);
    timerShape_.start();
}

bool MeterLink::ActionConnectExecute(const QString& portText)
{
    SetStatusPanel(0, {});
    SetStatusPanel(1, {});
    try {
        channel_->SetPortName(portText);
        channel_->Open();
    } catch (const SerialChannelError& error) {
        dialogs_.ShowMessage(MessageIcon::Error, ErrorCaption, PortOpenFailureText(portText, error));
        return false;
    }
    // What is left over from the last connection (the poll request queued
    // while disconnecting, an answer still awaited) belongs to that
    // connection: sent now or timing out now, it would disturb this one.
    commandQueue_.clear();
    timer1_.stop();
    timer2_.stop();
    timerStart_.start();
    SetConnectedControls(true);
    ResetMeterState();
    settingsWritePending_ = scheduleWritePending_ = false;
    return true;
}

void MeterLink::ActionDisconnectExecute()
{
    Disconnect(true);
}

bool MeterLink::Disconnect(bool messageForCutShortWrite)
{
    SetStatusPanel(0, {});
    SetStatusPanel(1, {});
    try {
        channel_->Close();
    } catch (const SerialChannelError&) {
        dialogs_.ShowMessage(MessageIcon::Error, ErrorCaption, "Ошибка закрытия порта " + channel_->PortName());
        return false;
    }
    // A batch cut short by the disconnection did not complete: it must not
    // be reported (or recorded) as written when the queue is emptied below.
    const PendingWrites writes = TakePendingWrites();
    ClearQueue();
    EnableMeterCommands(false);
    enabled_.Set("ActionSetting", false);
    enabled_.Set("ActionFixDb", false);
    SetConnectedControls(false);
    visible_.Set("GaugeJournal", false);
    if (writes.Any()) {
        protocol_.Append(QStringLiteral("Запись прервана: связь разорвана."));
        ReportWriteFailure(writes, BatchOutcome::CutShort, messageForCutShortWrite);
    }
    return true;
}

// A port that has gone stays gone: waiting for answers on it only shows
// timeouts. The link lets it go as the disconnect command does, so the
// operator can connect again once the adapter is back, and says why once.
void MeterLink::PortLostHandler(const QString& reason)
{
    if (!Connected())
        return;
    const QString text = QStringLiteral("Порт %1 недоступен: %2").arg(channel_->PortName(), reason);
    protocol_.Append(text);
    if (!Disconnect(false))
        return;
    emit PortLost(text);
    dialogs_.ShowMessage(MessageIcon::Error, ErrorCaption, text + QStringLiteral(". Связь разорвана."));
}

void MeterLink::TimerStartTimer()
{
    timerStart_.stop();
    sentCount_ = 0;
    protocol_.Clear();
    pollStep_ = 0;
    cycleStarts_ = 0;
    // A write queued in the moment since connecting goes with the rest of
    // the queue: emptied as it is, it would be reported as written.
    const PendingWrites writes = TakePendingWrites();
    if (writes.Any()) {
        protocol_.Append(QStringLiteral("Запись прервана: связь устанавливается."));
        DropReportedBatch(writes, BatchOutcome::CutShort);
    }
    ClearQueue();
    batchQueued_ = false;
    Enqueue({PollRequest(0)});
}

void MeterLink::TimerShapeTimer()
{
    timerShape_.stop();
    indicator_ = ResultIndicator::Hidden;
    emit IndicatorChanged(indicator_);
    ActionResetExecute();
}

void MeterLink::SpinTimerChange(int milliseconds)
{
    timer2_.setInterval(milliseconds);
}

void MeterLink::ResetMeterState()
{
    emit MeterStateReset();
}

void MeterLink::EnableMeterCommands(bool on)
{
    for (const QString& name : MeterCommands)
        enabled_.Set(name, on);
}

void MeterLink::SetConnectedControls(bool connected)
{
    enabled_.Set("ActionDisconnect", connected);
    enabled_.Set("ActionConnect", !connected);
    enabled_.Set("ComboPort", !connected);
    enabled_.Set("NPort", !connected);
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
