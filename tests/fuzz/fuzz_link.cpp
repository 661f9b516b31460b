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
// No timer runs by itself: the harness runs out the send tick, and the
// response timeout and the indicator when a step asks for them. A message
// box runs its own event loop, so the step after the one that opened it
// happens while it is open.

#include "fuzz_input.h"
#include "fuzz_support.h"
#include "link/fake_channel.h"
#include "protocol/frame.h"
#include "link/poll_cycle.h"
#include "recording_dialogs.h"
#include "station/station_core.h"
#include "workstation/work_mode.h"

#include <QDate>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <functional>
#include <optional>

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

// Far beyond any input's run: no timer of the link fires by itself.
constexpr int NeverMs = 24 * 60 * 60 * 1000;
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

void RunOut(QTimer& timer)
{
    QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection);
}

// The tick sends the request in flight once the last one is settled, and
// clears what was received before it.
void SendWhenDue(MeterLink& link)
{
    if (link.Timer1().isActive() && !link.Timer2().isActive())
        RunOut(link.Timer1());
}

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
        : next_(std::move(next)), core_(dialogs_, LogPath(), options & 0x80 ? NumberEditing : 0, false)
    {
        dialogs_.openMs = 0;
        dialogs_.onClose = [this] { StepWhileBoxOpen(); };
        // Only the steps answer.
        channel_.script = [](const QByteArray&) { return QList<QByteArray>(); };
        core_.link.SetChannel(&channel_);
        // The protocol is kept when the options ask; with number editing
        // (the top bit) it holds a byte dump of every piece as well.
        core_.link.Protocol().SetEnabled(options & 0x40);
        for (QTimer* timer : {&core_.link.Timer1(), &core_.link.Timer2(), &core_.link.TimerStart(),
                 &core_.link.TimerShape()})
            timer->setInterval(NeverMs);
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
            SendWhenDue(core_.link);
        Deliver(Shaped(PieceForm(step->control & 3), step->piece, core_.link.RequestInFlight()),
            (step->control >> 4) & 7);
        switch (Aftermath((step->control >> 2) & 3)) {
        case ResponseTimeout:
            RunOut(core_.link.Timer2());
            break;
        case IndicatorEnds:
            RunOut(core_.link.TimerShape());
            break;
        case EventsRun:
            QCoreApplication::processEvents();
            break;
        case Nothing:
            break;
        }
        return true;
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
            channel_.Deliver(bytes.left(cut));
            channel_.Deliver(bytes.mid(cut));
        } else {
            channel_.Deliver(bytes);
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
    FakeChannel channel_;
    StationCore core_;
    int openBoxes_ = 0;
};

} // namespace

// The link pauses after a request's first byte for the meter to switch
// parity; the fuzzer's line has none to switch, and the pause would hold
// every run to its wall-clock time. Defined here, it replaces Qt's for this
// program only.
void QThread::msleep(unsigned long)
{
}

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
