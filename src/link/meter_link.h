#pragma once
// The one path between the station and the meter: a queue of request
// frames, sent one at a time, each answer checked and handed to the decoder
// of its function code. While nothing else is queued the link polls the
// meter in a fixed cycle, so the shown values refresh by themselves.
// Everything runs on the UI thread, driven by timers and receive events.
//
// The link names no control of the window. It tells its own states (the
// connection, whether the meter answers, whether the meter commands are
// free, which read shows its progress), each with a change signal, and the
// window shows them on its controls.

#include "link/link_timers.h"
#include "link/protocol_view.h"
#include "link/result_display.h"
#include "link/write_batches.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class Dialogs;
class SerialChannel;

enum class LinkState { Disconnected, Connected };
// The reads whose progress the station shows while their answers come.
enum class ProgressRead { Schedule, Journal };
Q_DECLARE_METATYPE(LinkState)
Q_DECLARE_METATYPE(ProgressRead)

class MeterLink : public QObject {
    Q_OBJECT
public:
    // Called with the request answered and the validated response; the link
    // removes the request from the queue after the decoder returns.
    using Decoder = std::function<void(const QByteArray& request, const QByteArray& response)>;
    // Completes a request's frame at the moment it becomes the one in flight.
    using FrameBuilder = std::function<QByteArray(const QByteArray& request)>;

    // A request goes out at the first tick after it has become the head.
    static constexpr int SendTickMs = 50;

    // The timers run on the clock unless a harness hands in its own.
    explicit MeterLink(Dialogs& dialogs, LinkTimers& timers = LinkTimers::Clock(), QObject* parent = nullptr);
    ~MeterLink() override;

    // The channel is not owned and may be swapped while disconnected.
    void SetChannel(SerialChannel* channel);
    SerialChannel* Channel() const { return channel_; }

    void RegisterDecoder(quint8 code, Decoder decoder);
    void SetPasswordFrameBuilder(FrameBuilder builder);
    void SetTypeCodeSource(std::function<int()> typeCode);
    // Run after a completed settings write in SQL mode, before the meter state is reset.
    void SetRecordOperation(std::function<void()> record) { batches_.SetRecordOperation(std::move(record)); }

    void SetWorkMode(int bits) { workMode_ = bits; }
    void SetSqlMode(bool on) { batches_.SetSqlMode(on); }
    // The send tick, SendTickMs for the operator; tests and benches that
    // need not wait the operator's pace shorten it.
    void SetSendTickMs(int milliseconds);
    // The response timeout, as SpinTimer sets it.
    void SpinTimerChange(int milliseconds);
    int ResponseTimeoutMs() const;

    // Queue operations; each real change runs CommandsChange at once.
    void Append(const QList<QByteArray>& batch);
    void RemoveHead();
    void ClearQueue();
    const QList<QByteArray>& CommandQueue() const { return commandQueue_; }

    void SetSettingsWritePending(bool on) { batches_.SetPending(WriteBatch::Settings, on); }
    void SetScheduleWritePending(bool on) { batches_.SetPending(WriteBatch::Schedule, on); }
    bool SettingsWritePending() const { return batches_.IsPending(WriteBatch::Settings); }
    bool ScheduleWritePending() const { return batches_.IsPending(WriteBatch::Schedule); }

    const QByteArray& RequestInFlight() const { return requestInFlight_; }
    const QByteArray& ReceiveBuffer() const { return receiveBuffer_; }
    int PollStep() const { return pollStep_; }
    int SentCount() const { return sentCount_; }
    int TimeoutStreak() const { return timeoutStreak_; }

    LinkState State() const { return state_; }
    bool Connected() const { return state_ == LinkState::Connected; }
    // The meter has answered since the connection, or since it was last
    // given up as lost.
    bool MeterAnswering() const { return meterAnswering_; }
    // The commands that queue requests of their own may run: freed each
    // time the queue runs empty, taken while a schedule transfer is under
    // way (EnableMeterCommands), when the meter is given up as lost and
    // when the line closes.
    bool MeterCommandsFree() const { return meterCommandsFree_; }
    // A read's progress shows from its first answer (a journal's from its
    // start) until an answer of another kind comes.
    bool ProgressShown(ProgressRead read) const { return progressShown_[int(read)]; }

    ProtocolView& Protocol() { return protocol_; }
    const ProtocolView& Protocol() const { return protocol_; }
    // 0: the requests sent since connecting; 1: the command last sent.
    QString StatusPanel(int index) const { return statusPanels_[index]; }
    ResultIndicator Indicator() const { return indicator_.State(); }

    // Commands and handlers of the window.
    bool ActionConnectExecute(const QString& portText);
    void ActionDisconnectExecute();
    void ActionResetExecute() { ResetMeterState(); }

    void ResetMeterState();
    void EnableMeterCommands(bool on);
    // A read that shows its progress from its start on.
    void ShowProgress(ProgressRead read) { SetProgressShown(read, true); }
    // Shape1 in the result's colour until its time is over, which resets
    // the meter state.
    void ShowIndicator(ResultIndicator indicator) { indicator_.Show(indicator); }

signals:
    void StateChanged(LinkState state);
    void MeterAnsweringChanged(bool answering);
    // Bytes have come from the meter; every time, not only when
    // MeterAnswering changes.
    void MeterAnswered();
    void MeterCommandsFreeChanged(bool free);
    void ProgressShownChanged(ProgressRead read, bool shown);
    void StatusPanelChanged(int index, const QString& text);
    void IndicatorChanged(ResultIndicator indicator);
    // Listeners forget everything shown about the meter.
    void MeterStateReset();
    void BatchFinished(WriteBatch batch, BatchOutcome outcome);
    // A valid response was decoded; its request leaves the queue next.
    void ResponseAccepted(const QByteArray& request);
    // The request of this poll step has just been queued.
    void PollStepQueued(int step);
    // Every request of a whole poll cycle has left the queue, answered or
    // dropped (the connection's own first request is no cycle).
    void PollCycleEnded();
    // The requests appended since the queue last ran empty (a journal, the
    // schedule read, a write batch) have all left it, answered or dropped,
    // and polling goes on. A write batch has had its BatchFinished first.
    void BatchEnded();
    // Timeouts in a row have passed the limit: the meter counts as gone.
    void LinkLost();
    // The port itself failed (an adapter pulled, the line hung up): the link
    // has disconnected as ActionDisconnect does. The text names the port
    // and the reason.
    void PortLost(const QString& text);
    // A failure nobody handles (a read error of the channel, a decoder
    // that threw): the station's general error display shows it.
    void UnhandledError(const QString& text);

private:
    void Enqueue(const QList<QByteArray>& requests);
    void CommandsChange();
    void OnQueueRanEmpty();
    void Timer1Timer();
    void RequestSentHandler(bool written);
    void VaComm1RxChar();
    void Judge();
    void Decode();
    void Timer2Timer();
    void AbortQueue();
    // The message box runs its own event loop: the rest of the batch is
    // dropped before it opens, and the link stays idle, sending nothing and
    // accepting no answer, until the operator has closed it.
    void DropReportedBatch(WriteBatches::Pending batches, BatchOutcome outcome);

    // The connection, in meter_link_connection.cpp.
    // Closes the channel and switches to disconnected; false when the
    // channel would not close.
    bool Disconnect(bool messageForCutShortWrite);
    void PortLostHandler(const QString& reason);
    void TimerStartTimer();

    void SetState(LinkState state);
    void SetMeterAnswering(bool answering);
    void SetProgressShown(ProgressRead read, bool shown);
    void SetStatusPanel(int index, const QString& text);
    bool ByteDumps() const;

    Dialogs& dialogs_;
    SerialChannel* channel_ = nullptr;
    QHash<quint8, Decoder> decoders_;
    FrameBuilder passwordFrameBuilder_;
    std::function<int()> typeCode_;
    int workMode_ = 0;

    QList<QByteArray> commandQueue_;
    QByteArray requestInFlight_;
    // The request on its way to the meter, from the tick until the channel
    // says it has left.
    std::optional<QByteArray> leaving_;
    // Bytes came while a request was on its way: they are read once it has left.
    bool receivedWhileLeaving_ = false;
    QByteArray receiveBuffer_;
    int pollStep_ = 0;
    // Times step 0 has been queued since connecting: from the second on,
    // a whole cycle lies behind.
    int cycleStarts_ = 0;
    // Something besides the poll waits in the queue or is in flight.
    bool batchQueued_ = false;
    int sentCount_ = 0;
    int timeoutStreak_ = 0;
    // A failed batch is being reported: the link neither sends nor accepts.
    bool reportingFailure_ = false;

    LinkState state_ = LinkState::Disconnected;
    bool meterAnswering_ = false;
    bool meterCommandsFree_ = false;
    bool progressShown_[2] = {false, false};
    QString statusPanels_[2];
    ProtocolView protocol_;
    ResultDisplay indicator_;
    WriteBatches batches_;

    const std::unique_ptr<LinkTimer> timer1_;
    const std::unique_ptr<LinkTimer> timer2_;
    const std::unique_ptr<LinkTimer> timerStart_;
};
