// The link's receive path: while one of the station's requests is in
// flight, arbitrary bytes arrive in arbitrary pieces. The decoders are the
// station's own, registered by a StationCore, so whatever the meter could
// answer (or garble) reaches the code that shows it.
//
// Input: a scenario byte picks what the station has queued (a poll step, a
// journal read, the schedule read, a write batch), an option byte tunes
// it, a word says how many of its requests are already done; then steps,
// each a control byte and a piece. The control byte says whether the piece
// arrives as it is, or as a valid answer or error reply to the request in
// flight (the fuzzer cannot guess checksums, so the decoders would stay out
// of its reach), where it is cut into two receive events, whether it comes
// before the tick that sends the request, and what runs out after it.
//
// No timer of the link runs by itself: the link's timers are the
// harness's, which fires the send tick, and the response timeout and the
// indicator when a step asks for them. A message box runs its own event
// loop, so the step after the one that opened it happens while it is open.

#include "fuzz_input.h"
#include "fuzz_support.h"
#include "link/link_timers.h"
#include "link/poll_cycle.h"
#include "link/serial_channel.h"
#include "protocol/frame.h"
#include "recording_dialogs.h"
#include "station/station_core.h"
#include "workstation/work_mode.h"

#include <QDate>
#include <QFile>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace {

enum Scenario : quint8 {
    PollStep,
    YearJournalRead,
    ConsumptionJournalRead,
    ScheduleRead,
    SettingsWriteBatch,
    ScheduleWriteBatch,
    PlcAddressWrite,
    RouteWrite,
    RouteDelete,
    NumberWriteBatch,
    ScenarioCount,
};

enum PieceForm : quint8 { Raw, Answer, ErrorReply, RawToo };
enum Aftermath : quint8 { Nothing, ResponseTimeout, IndicatorEnds, EventsRun };

constexpr quint8 BeforeTheTick = 0x80;
// A whole schedule read and then some of the poll.
constexpr int MaxDone = 320;
// Boxes opened from within open boxes; a real operator stops somewhere.
constexpr int MaxOpenBoxes = 4;

// The operation log of the acknowledged writes, begun afresh by each run.
QString LogPath()
{
    return ScratchPath(QString::fromLatin1(OperationLog::FileName));
}

// Fires only when told to, and only while running, as a timer would.
class ManualTimer : public LinkTimer {
public:
    void Start() override { active_ = true; }
    void Stop() override { active_ = false; }
    bool Active() const override { return active_; }
    void SetInterval(int ms) override { interval_ = ms; }
    int Interval() const override { return interval_; }

    void Fire()
    {
        if (active_)
            emit Fired();
    }

private:
    bool active_ = false;
    int interval_ = 0;
};

// The link's timers, each at hand by its role. The first request after
// connecting is never fired: what the scenario queues is all there is.
class ManualTimers : public LinkTimers {
public:
    std::unique_ptr<LinkTimer> Make(LinkTimerRole role) override
    {
        auto timer = std::make_unique<ManualTimer>();
        made_[role] = timer.get();
        return timer;
    }
    ManualTimer& operator[](LinkTimerRole role) { return *made_.at(role); }

private:
    std::map<LinkTimerRole, ManualTimer*> made_;
};

// The fuzzer's line: every byte comes from the steps, and a request leaves
// at once, with no parity to switch and no pause to wait.
class FuzzLine : public SerialChannel {
public:
    FuzzLine() : SerialChannel(LineSettings::Meter()) {}

    bool Active() const override { return open_; }
    bool WriteText(const QByteArray&) override { return true; }
    QByteArray ReadText() override { return std::exchange(input_, {}); }
    void SendRequest(const QByteArray&) override
    {
        QMetaObject::invokeMethod(this, [this] { emit RequestSent(true); }, Qt::QueuedConnection);
    }
    // The request sent is told now, not at the next turn of the event loop.
    void TellSent() { QCoreApplication::sendPostedEvents(this, QEvent::MetaCall); }

    void Deliver(const QByteArray& bytes)
    {
        if (!open_)
            return;
        input_ += bytes;
        emit RxChar(int(input_.size()));
    }

protected:
    void OpenPort() override { open_ = true; }
    void ClosePort() override { open_ = false; }
    void ApplyParity(Parity) override {}

private:
    QByteArray input_;
    bool open_ = false;
};

// The operator's choices for the settings batch, one option bit each.
void ChooseSettings(SettingsInputs& settings, quint8 options)
{
    settings.checkTime = options & 0x01;
    settings.checkPassword = options & 0x02;
    settings.checkSchedule = options & 0x04;
    settings.checkIndi = options & 0x08;
    settings.checkIntegra = options & 0x10;
    settings.checkDdm = options & 0x20;
    settings.checkResetTariff = options & 0x40;
    settings.checkResetRdh = options & 0x80;
    settings.number = 4321;
    settings.newPassword = QStringLiteral("Пароль");
}

// The yearly journal's rows depend on the version the poll reads first.
void ReadVersionFirst(StationCore& core, quint8 options)
{
    if (options & 0x01)
        core.link.Append({PollRequest(0)});
}

// A schedule with records, holidays and a transfer, so the write batch
// holds every kind of request.
void PrepareSchedule(ScheduleDocument& schedule)
{
    schedule.New();
    schedule.SetSheduleList({QByteArray::fromHex("110730001FFF0F"), QByteArray::fromHex("20230032FFFF0F")});
    schedule.InsertTransfer({QDate(2024, 3, 9), 2});
}

void Queue(StationCore& core, Scenario scenario, quint8 options)
{
    switch (scenario) {
    case PollStep:
        core.link.Append({PollRequest(options % PollCycleLength)});
        break;
    case YearJournalRead:
        ReadVersionFirst(core, options);
        core.journals.BtnReadJournalYearClick();
        break;
    case ConsumptionJournalRead:
        ReadVersionFirst(core, options);
        core.journals.BtnReadDiaryClick();
        break;
    case ScheduleRead:
        core.scheduleTransfer.ActionReadSchedExecute();
        break;
    case SettingsWriteBatch:
        ChooseSettings(core.inputs.settings, options);
        core.settings.ActionSettingExecute();
        break;
    case NumberWriteBatch:
        // A meter that shows number 0 takes the number with its address.
        core.readings.SetMain(MeterReadings::NumberRow, QStringLiteral("0"));
        ChooseSettings(core.inputs.settings, options);
        core.settings.ActionSettingExecute();
        break;
    case ScheduleWriteBatch:
        PrepareSchedule(core.schedule);
        core.scheduleTransfer.ActionWriteSchedExecute();
        break;
    case PlcAddressWrite:
        core.inputs.plc.group = options;
        core.plc.BtnWriteAddressClick();
        break;
    case RouteWrite:
        core.inputs.plc.route = options % PlcParameters::Routes;
        core.inputs.plc.repeaterNumber = QString::number(options * 1000);
        core.plc.BtnWriteRouteClick();
        break;
    case RouteDelete:
        core.inputs.plc.route = options % PlcParameters::Routes;
        core.plc.ButtonDelRouteClick();
        break;
    case ScenarioCount:
        break;
    }
}

QByteArray Shaped(PieceForm form, const QByteArray& piece, const QByteArray& request)
{
    const quint8 code = request.isEmpty() ? 0 : quint8(request[0]);
    switch (form) {
    case Answer:
        return MakeFrame(code, piece);
    case ErrorReply:
        return MakeFrame(code | ErrorReplyBit, piece.left(1));
    case Raw:
    case RawToo:
        break;
    }
    return piece;
}

struct LinkStep {
    quint8 control = 0;
    QByteArray piece;
};

// One run of the station on a line whose every byte comes from the steps.
class LinkRun {
public:
    using Source = std::function<std::optional<LinkStep>()>;

    LinkRun(Scenario scenario, quint8 options, int done, Source next)
        : next_(std::move(next)), core_(dialogs_, LogPath(), options & 0x80 ? NumberEditing : 0, false, timers_)
    {
        dialogs_.openMs = 0;
        dialogs_.onClose = [this] { StepWhileBoxOpen(); };
        core_.link.SetChannel(&line_);
        // The protocol is kept when the options ask; with number editing
        // (the top bit) it holds a byte dump of every piece as well.
        core_.link.Protocol().SetEnabled(options & 0x40);
        Require(core_.link.ActionConnectExecute(QStringLiteral("fuzz")));
        Queue(core_, scenario, options);
        for (int i = 0; i < done; ++i)
            core_.link.RemoveHead();
    }

    StationCore& Core() { return core_; }

    // Every step, then what the decoders queued (a message shown once the
    // decoder has returned).
    void Run()
    {
        while (Step()) {
        }
        QCoreApplication::processEvents();
        CheckShapes();
    }

private:
    bool Step()
    {
        const std::optional<LinkStep> step = next_();
        if (!step)
            return false;
        if (!(step->control & BeforeTheTick))
            SendWhenDue();
        Deliver(Shaped(PieceForm(step->control & 3), step->piece, core_.link.RequestInFlight()),
            (step->control >> 4) & 7);
        switch (Aftermath((step->control >> 2) & 3)) {
        case ResponseTimeout:
            timers_[LinkTimerRole::ResponseTimeout].Fire();
            break;
        case IndicatorEnds:
            timers_[LinkTimerRole::Indicator].Fire();
            break;
        case EventsRun:
            QCoreApplication::processEvents();
            break;
        case Nothing:
            break;
        }
        return true;
    }

    // The tick sends the request in flight once the last one is settled,
    // and clears what was received before it.
    void SendWhenDue()
    {
        if (timers_[LinkTimerRole::ResponseTimeout].Active())
            return;
        timers_[LinkTimerRole::SendTick].Fire();
        line_.TellSent();
    }

    void StepWhileBoxOpen()
    {
        if (openBoxes_ >= MaxOpenBoxes)
            return;
        ++openBoxes_;
        Step();
        --openBoxes_;
    }

    void Deliver(const QByteArray& bytes, int cut)
    {
        if (cut > 0 && cut < bytes.size()) {
            line_.Deliver(bytes.left(cut));
            line_.Deliver(bytes.mid(cut));
        } else {
            line_.Deliver(bytes);
        }
    }

    // Whatever the meter said, the views keep their shape.
    void CheckShapes() const
    {
        const TextGrid& year = core_.journals.YearGrid();
        bool sound = year.RowCount() == JournalReads::YearRequests + 1;
        for (const QStringList& row : year.rows)
            sound = sound && row.size() == year.ColumnCount();
        for (const QStringList& row : core_.journals.DiaryRows())
            sound = sound && row.size() <= JournalReads::DiaryCaptions().size();
        Require(sound && core_.schedule.Model().Holidays().size() <= MaxHolidays
            && core_.schedule.Model().Transfers().size() <= MaxTransfers);
    }

    Source next_;
    RecordingDialogs dialogs_;
    FuzzLine line_;
    ManualTimers timers_;
    StationCore core_;
    int openBoxes_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > MaxFuzzInputSize)
        return 0;
    EnsureCoreApplication();
    FuzzInput input(data, size);
    const auto scenario = Scenario(input.Byte() % ScenarioCount);
    const quint8 options = input.Byte();
    const int done = input.Word() % MaxDone;
    QFile::remove(LogPath());
    LinkRun run(scenario, options, done, [&input]() -> std::optional<LinkStep> {
        if (input.AtEnd())
            return std::nullopt;
        const quint8 control = input.Byte();
        return LinkStep{control, input.Piece()};
    });
    run.Run();
    return 0;
}
