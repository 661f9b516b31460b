#pragma once
// The one path between the station and the meter: a queue of request
// frames, sent one at a time, each answer checked and handed to the decoder
// of its function code. While nothing else is queued the link polls the
// meter in a fixed cycle, so the shown values refresh by themselves.
// Everything runs on the UI thread, driven by timers and receive events.

#include "link/control_switches.h"
#include "link/protocol_view.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>

class Dialogs;
class SerialChannel;

enum class ResultIndicator { Hidden, Green, Red };
enum class WriteBatch { Settings, Schedule };
enum class BatchOutcome { Completed, Failed, CutShort };
Q_DECLARE_METATYPE(ResultIndicator)
Q_DECLARE_METATYPE(WriteBatch)
Q_DECLARE_METATYPE(BatchOutcome)

class MeterLink : public QObject {
    Q_OBJECT
public:
    // Called with the request answered and the validated response; the link
    // removes the request from the queue after the decoder returns.
    using Decoder = std::function<void(const QByteArray& request, const QByteArray& response)>;
    // Completes a request's frame at the moment it becomes the one in flight.
    using FrameBuilder = std::function<QByteArray(const QByteArray& request)>;

    // The meter tells where a request starts by the ninth bit of its first
    // byte; it needs this pause before the parity of the rest changes.
    static constexpr int FirstBytePauseMs = 10;
    // A request goes out at the first tick after it has become the head.
    static constexpr int SendTickMs = 50;

    MeterLink(Dialogs& dialogs, QObject* parent = nullptr);
    ~MeterLink() override;

    // The channel is not owned and may be swapped while disconnected.
    void SetChannel(SerialChannel* channel);
    SerialChannel* Channel() const { return channel_; }

    void RegisterDecoder(quint8 code, Decoder decoder);
    void SetPasswordFrameBuilder(FrameBuilder builder);
    void SetTypeCodeSource(std::function<int()> typeCode);
    // Run after a completed settings write in SQL mode, before the meter state is reset.
    void SetRecordOperation(std::function<void()> record);

    void SetWorkMode(int bits) { workMode_ = bits; }
    void SetSqlMode(bool on) { sqlMode_ = on; }

    // Queue operations; each real change runs CommandsChange at once.
    void Append(const QList<QByteArray>& batch);
    void RemoveHead();
    void ClearQueue();
    const QList<QByteArray>& CommandQueue() const { return commandQueue_; }

    void SetSettingsWritePending(bool on) { settingsWritePending_ = on; }
    void SetScheduleWritePending(bool on) { scheduleWritePending_ = on; }
    bool SettingsWritePending() const { return settingsWritePending_; }
    bool ScheduleWritePending() const { return scheduleWritePending_; }

    const QByteArray& RequestInFlight() const { return requestInFlight_; }
    const QByteArray& ReceiveBuffer() const { return receiveBuffer_; }
    int PollStep() const { return pollStep_; }
    int SentCount() const { return sentCount_; }
    int TimeoutStreak() const { return timeoutStreak_; }
    bool Connected() const;

    ControlSwitches& Enabled() { return enabled_; }
    ControlSwitches& Visible() { return visible_; }
    ProtocolView& Protocol() { return protocol_; }
    const ProtocolView& Protocol() const { return protocol_; }
    QString StatusPanel(int index) const { return statusPanels_[index]; }
    ResultIndicator Indicator() const { return indicator_; }

    QTimer& Timer1() { return timer1_; }
    QTimer& Timer2() { return timer2_; }
    QTimer& TimerStart() { return timerStart_; }
    QTimer& TimerShape() { return timerShape_; }

    // Commands and handlers of the window.
    bool ActionConnectExecute(const QString& portText);
    void ActionDisconnectExecute();
    void ActionResetExecute() { ResetMeterState(); }
    void SpinTimerChange(int milliseconds);

    void ResetMeterState();
    void EnableMeterCommands(bool on);
    // Shape1 in the result's colour until TimerShape hides it.
    void ShowIndicator(ResultIndicator indicator);

signals:
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
    void Timer1Timer();
    void VaComm1RxChar();
    void Timer2Timer();
    void TimerStartTimer();
    void TimerShapeTimer();
    void AbortQueue();

    void Send();
    void Judge();
    void Decode();
    void OnQueueRanEmpty();
    // The write batches pending, taken off: whatever ends them now reports them.
    struct PendingWrites {
        bool settings;
        bool schedule;
        bool Any() const { return settings || schedule; }
    };
    PendingWrites TakePendingWrites();
    void DropReportedBatch(PendingWrites writes, BatchOutcome outcome);
    void ReportWriteFailure(PendingWrites writes, BatchOutcome outcome, bool withMessage);
    void ReportWriteFailure(WriteBatch batch, BatchOutcome outcome, bool withMessage);
    // Closes the channel and switches to disconnected; false when the
    // channel would not close.
    bool Disconnect(bool messageForCutShortWrite);
    void PortLostHandler(const QString& reason);
    void SetStatusPanel(int index, const QString& text);
    bool ByteDumps() const;
    void SetConnectedControls(bool connected);

    Dialogs& dialogs_;
    SerialChannel* channel_ = nullptr;
    QHash<quint8, Decoder> decoders_;
    FrameBuilder passwordFrameBuilder_;
    std::function<int()> typeCode_;
    std::function<void()> recordOperation_;

    QList<QByteArray> commandQueue_;
    QByteArray requestInFlight_;
    QByteArray receiveBuffer_;
    QString linkMessage_;
    int pollStep_ = 0;
    // Times step 0 has been queued since connecting: from the second on,
    // a whole cycle lies behind.
    int cycleStarts_ = 0;
    // Something besides the poll waits in the queue or is in flight.
    bool batchQueued_ = false;
    int sentCount_ = 0;
    int timeoutStreak_ = 0;
    bool settingsWritePending_ = false;
    bool scheduleWritePending_ = false;
    // A failed batch is being reported: the link neither sends nor accepts.
    bool reportingFailure_ = false;
    int workMode_ = 0;
    bool sqlMode_ = false;

    ControlSwitches enabled_;
    ControlSwitches visible_;
    ProtocolView protocol_;
    QString statusPanels_[2];
    ResultIndicator indicator_ = ResultIndicator::Hidden;

    QTimer timer1_;
    QTimer timer2_;
    QTimer timerStart_;
    QTimer timerShape_;
};
