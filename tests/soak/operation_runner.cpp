#include "operation_runner.h"

#include "protocol/frame.h"
#include "link/meter_link.h"
#include "link/poll_cycle.h"
#include "meter/access_password.h"
#include "wait_for.h"

#include <QScopeGuard>
#include <array>

namespace {

constexpr int SettleMs = 10000;
constexpr int ResumeBoundMs = 5000;
// Far more than a request takes (the send tick, the wire, a late answer):
// an operation past its bound has hung, not merely been slow.
constexpr int PerRequestBoundMs = 300;
constexpr int OperationSlackMs = 5000;
constexpr int ShortestSilenceMs = 800;
// Long enough for the sixth timeout in a row and more.
constexpr int LongestSilenceMs = 6000;
constexpr int LongestReconnectPauseMs = 300;
// The poll reads the meter's number at this step.
constexpr int NumberPollStep = 1;
// The 250-request journal and the 289-request schedule read take about
// 20 s on a calm line.
constexpr qint64 LongReadMs = 25000;

constexpr double RefusedLoginChance = 0.1;

bool IsWrite(OpKind kind)
{
    switch (kind) {
    case OpKind::SettingsWrite:
    case OpKind::ScheduleWrite:
    case OpKind::PlcAddress:
    case OpKind::PlcRoute:
    case OpKind::PlcRouteDelete:
        return true;
    default:
        return false;
    }
}

// Password requests are completed as they go out; the rest go as queued.
bool SameRequest(const QByteArray& queued, const QByteArray& sent)
{
    if (queued.isEmpty() || sent.isEmpty() || queued[0] != sent[0])
        return false;
    const quint8 code = quint8(queued[0]);
    return code == EnterPassword || code == WritePassword || queued == sent;
}

// A batch by its outcome, anything else by how many of its requests were
// answered.
QString Ending(const OperationRunner::Queued& queued, std::optional<BatchOutcome> outcome, const LinkWatch& watch)
{
    if (queued.batch && outcome) {
        static const QStringList outcomes{"completed", "failed", "cut short"};
        return outcomes.value(int(*outcome));
    }
    return QStringLiteral("%1 of %2 answered").arg(watch.AcceptedSinceBegin().size()).arg(queued.requests.size());
}

} // namespace

int BenchWeight(OpKind kind, int settingsWrites)
{
    switch (kind) {
    case OpKind::SettingsWrite:
        return settingsWrites;
    case OpKind::PollCycle:
    case OpKind::ScheduleWrite:
    case OpKind::YearlyJournal:
    case OpKind::PlcAddress:
    case OpKind::PlcRoute:
        return 2;
    default:
        return 1;
    }
}

QString OpName(OpKind kind)
{
    static const std::array<const char*, OpKinds> names{
        "poll cycle", "settings write", "schedule write", "schedule read", "yearly journal", "consumption journal",
        "power-line address", "power-line route", "route deleted", "reconnect", "meter silent",
    };
    return QLatin1String(names[size_t(kind)]);
}

OperationRunner::OperationRunner(RandomMix& random, SoakTally& tally, bool verbose)
    : random_(random), tally_(tally), verbose_(verbose)
{
    clock_.start();
}

bool OperationRunner::Activate(SoakRig& rig)
{
    tally_.SetContext(QStringLiteral("%1, connecting, %2 s").arg(rig.Name()).arg(clock_.elapsed() / 1000));
    rig.Check().weather.Calm();
    rig.Check().watch.ExpectResumption();
    rig.Connect();
    if (!AwaitResumption(rig, ResumeBoundMs))
        return false;
    // The production line takes the meter's number from the poll before
    // it records a write: the step after the number's is queued once the
    // number is read, and the next step to queue is the one after that.
    return WaitFor([&] { return rig.Link().PollStep() > NumberPollStep + 1; }, ResumeBoundMs);
}

void OperationRunner::Deactivate(SoakRig& rig)
{
    Settle(rig);
    rig.Check().weather.Calm();
    rig.Disconnect();
    rig.Check().watch.LineClosed();
    WaitFor([&] { return !rig.Busy(); }, SettleMs);
}

OpKind OperationRunner::Choose(SoakRig& rig, qint64 remainingMs, bool warmingUp)
{
    std::array<int, OpKinds> weights{};
    for (int kind = 0; kind < OpKinds; ++kind)
        weights[size_t(kind)] = rig.Weight(OpKind(kind));
    if (warmingUp || remainingMs < LongReadMs)
        weights[size_t(OpKind::ScheduleRead)] = weights[size_t(OpKind::Diary)] = 0;
    return OpKind(random_.Weighted(weights));
}

bool OperationRunner::Run(SoakRig& rig, OpKind kind)
{
    Settle(rig);
    if (!rig.Link().Connected() && !Activate(rig))
        Recover(rig);
    tally_.SetContext(QStringLiteral("%1, %2, %3 s").arg(rig.Name(), OpName(kind)).arg(clock_.elapsed() / 1000));
    ChooseWeather(rig);
    rig.Check().watch.BeginOperation();
    ending_.clear();
    recordDue_ = false;
    const std::optional<int> rowsBefore = rig.RecordRows();
    const qint64 startMs = clock_.elapsed();
    const int faults = tally_.faults;
    const int failures = tally_.failuresReported;
    bool ran = false;
    switch (kind) {
    case OpKind::PollCycle:
        ran = RunPollCycle(rig);
        break;
    case OpKind::Reconnect:
        ran = RunReconnect(rig);
        break;
    case OpKind::Silence:
        ran = RunSilence(rig);
        break;
    default:
        ran = RunStationOp(rig, kind);
        break;
    }
    rig.Check().watch.CheckLogAtRest();
    CheckRecords(rowsBefore, rig.RecordRows());
    if (ran)
        ++tally_.operations;
    if (verbose_)
        tally_.Note(QStringLiteral("%1 s %2: %3 %4, %5 ms, %6 faults, %7 failures reported")
                        .arg(startMs / 1000.0, 0, 'f', 1)
                        .arg(rig.Name(), OpName(kind), ran ? ending_ : QStringLiteral("not offered"))
                        .arg(clock_.elapsed() - startMs)
                        .arg(tally_.faults - faults)
                        .arg(tally_.failuresReported - failures));
    return ran;
}

bool OperationRunner::RunStationOp(SoakRig& rig, OpKind kind)
{
    MeterLink& link = rig.Link();
    const LinkFollower follower(link);
    // Now and then the meter wants another password than the operator's:
    // it refuses the login with an error reply, and the write must fail.
    MeterState& meter = rig.Channel().Meter().State();
    const QByteArray password = meter.password;
    const bool refused = IsWrite(kind) && random_.Chance(RefusedLoginChance);
    if (refused)
        meter.password = PasswordBytes(QStringLiteral("soak%1").arg(random_.Int(0, 99)));
    const auto restore = qScopeGuard([&] { meter.password = password; });
    const qsizetype before = link.CommandQueue().size();
    if (!rig.Start(kind, random_))
        return false;
    const bool settings = link.SettingsWritePending();
    const Queued queued{link.CommandQueue().mid(before), settings || link.ScheduleWritePending()};
    if (!AwaitEnd(rig, queued, follower, OperationSlackMs + int(queued.requests.size()) * PerRequestBoundMs))
        return true;
    ending_ = Ending(queued, follower.outcome, rig.Check().watch) + (refused ? ", login refused" : "");
    recordDue_ = CheckSuccess(queued, follower.outcome, rig.Check().watch) && settings;
    return true;
}

bool OperationRunner::RunPollCycle(SoakRig& rig)
{
    const LinkFollower follower(rig.Link());
    if (AwaitEnd(rig, {}, follower, OperationSlackMs + PollCycleLength * PerRequestBoundMs,
            [&] { return follower.stepsQueued >= PollCycleLength; }))
        ending_ = QStringLiteral("done");
    return true;
}

bool OperationRunner::RunReconnect(SoakRig& rig)
{
    LineCheck& check = rig.Check();
    check.weather.Calm();
    rig.Disconnect();
    check.watch.LineClosed();
    // A write cut short says so in a box first.
    WaitFor([&] { return !rig.Busy(); }, SettleMs);
    Pause(random_.Int(0, LongestReconnectPauseMs));
    check.watch.ExpectResumption();
    rig.Connect();
    if (!AwaitResumption(rig, ResumeBoundMs))
        Recover(rig);
    ending_ = QStringLiteral("resumed");
    return true;
}

// The meter falls silent at its next request and comes back by itself.
// The link must be declared lost from the sixth timeout in a row on (the
// watch checks each), a write meanwhile must fail, an operator may
// reconnect once the link is lost, and the first answer after the silence
// must be taken and open the writes again.
bool OperationRunner::RunSilence(SoakRig& rig)
{
    LineCheck& check = rig.Check();
    MeterLink& link = rig.Link();
    const int silenceMs = random_.Int(ShortestSilenceMs, LongestSilenceMs);
    const bool writeMeanwhile = random_.Chance(0.3);
    const bool reconnect = random_.Chance(0.4);
    const int losses = check.watch.LinkLosses();
    const LinkFollower follower(link);

    check.weather.Calm();
    check.weather.Silence(silenceMs);
    check.watch.ExpectResumption();
    Queued queued;
    if (writeMeanwhile) {
        const qsizetype before = link.CommandQueue().size();
        if (rig.Start(OpKind::SettingsWrite, random_)) {
            queued.batch = link.SettingsWritePending();
            queued.requests = link.CommandQueue().mid(before);
        }
    }
    // A short silence ends before the link is lost.
    const auto lost = [&] { return check.watch.LinkLosses() > losses; };
    if (reconnect && WaitFor([&] { return lost() || check.watch.Resumed(); }, silenceMs + ResumeBoundMs) && lost()) {
        WaitFor([&] { return !rig.Busy(); }, SettleMs);
        rig.Disconnect();
        check.watch.LineClosed();
        WaitFor([&] { return !rig.Busy(); }, SettleMs);
        Pause(random_.Int(0, LongestReconnectPauseMs));
        check.watch.ExpectResumption();
        rig.Connect();
    }
    const int boundMs = silenceMs + ResumeBoundMs + int(queued.requests.size()) * PerRequestBoundMs;
    if (!AwaitEnd(rig, queued, follower, boundMs, [&] { return check.watch.Resumed(); }))
        return true;
    ending_ = QStringLiteral("%1 ms, link lost %2 times%3%4")
                  .arg(silenceMs)
                  .arg(check.watch.LinkLosses() - losses)
                  .arg(reconnect && lost() ? ", reconnected" : "")
                  .arg(queued.batch ? ", the write meanwhile " + Ending(queued, follower.outcome, check.watch) : "");
    recordDue_ = CheckSuccess(queued, follower.outcome, check.watch) && queued.batch;
    if (lost() && !link.MeterAnswering())
        tally_.LinkViolation(QStringLiteral("the first answer after the link was lost left the writes disabled"));
    return true;
}

bool OperationRunner::AwaitEnd(SoakRig& rig, const Queued& queued, const LinkFollower& follower, int boundMs,
    const std::function<bool()>& alsoDone)
{
    const auto done = [&] {
        return follower.stepsQueued > 0 && (!queued.batch || follower.outcome) && !rig.Busy()
            && (!alsoDone || alsoDone());
    };
    if (WaitFor(done, boundMs))
        return true;
    const MeterLink& link = rig.Link();
    tally_.Hang(QStringLiteral("not over in %1 ms: %2 requests queued for it, %3 in the queue, poll steps queued %4, "
                               "settings write pending %5, schedule write pending %6, outcome %7, box open %8, "
                               "timeouts in a row %9")
                    .arg(boundMs)
                    .arg(queued.requests.size())
                    .arg(link.CommandQueue().size())
                    .arg(follower.stepsQueued)
                    .arg(link.SettingsWritePending())
                    .arg(link.ScheduleWritePending())
                    .arg(follower.outcome ? int(*follower.outcome) : -1)
                    .arg(rig.Busy())
                    .arg(link.TimeoutStreak()));
    Recover(rig);
    ending_ = QStringLiteral("hung");
    return false;
}

bool OperationRunner::CheckSuccess(const Queued& queued, std::optional<BatchOutcome> outcome, const LinkWatch& watch)
{
    if (queued.batch && outcome != BatchOutcome::Completed)
        return false;
    const QList<LinkWatch::Accepted>& accepted = watch.AcceptedSinceBegin();
    QStringList unclean;
    qsizetype at = 0;
    for (const QByteArray& request : queued.requests) {
        while (at < accepted.size() && !SameRequest(request, accepted[at].request))
            ++at;
        const QString name = CommandName(quint8(request[0])) + QStringLiteral(" [") + HexDump(request).trimmed() + ']';
        if (at == accepted.size()) {
            // A read cut short was reported as such; a green batch was not.
            if (queued.batch)
                tally_.FalseSuccess(QStringLiteral("the batch ended green, but %1 was never answered").arg(name));
            return false;
        }
        if (!accepted[at].clean)
            unclean << name;
        ++at;
    }
    if (unclean.isEmpty())
        return true;
    tally_.FalseSuccess(QStringLiteral("%1, but %2 not answered clean")
                            .arg(queued.batch ? "the batch ended green" : "every request was answered",
                                unclean.join(QStringLiteral(", "))));
    return false;
}

void OperationRunner::CheckRecords(std::optional<int> before, std::optional<int> after)
{
    if (!before || !after)
        return;
    const int added = *after - *before;
    if (added > (recordDue_ ? 1 : 0))
        tally_.FalseRecord(QStringLiteral("%1 operation rows added for %2")
                               .arg(added)
                               .arg(recordDue_ ? "one write completed" : "no write completed clean"));
    else if (recordDue_ && added == 0)
        tally_.Note(QStringLiteral("a completed write left no operation row"));
}

bool OperationRunner::AwaitResumption(SoakRig& rig, int boundMs)
{
    if (WaitFor([&] { return rig.Check().watch.Resumed(); }, boundMs))
        return true;
    tally_.LinkViolation(QStringLiteral("no answer taken in %1 ms after the meter was back").arg(boundMs));
    return false;
}

void OperationRunner::Settle(SoakRig& rig)
{
    WaitFor([&] { return !rig.Busy() && rig.Channel().Quiet(); }, SettleMs);
}

void OperationRunner::Recover(SoakRig& rig)
{
    tally_.Note(QStringLiteral("reconnecting %1").arg(rig.Name()));
    LineCheck& check = rig.Check();
    WaitFor([&] { return !rig.Busy(); }, SettleMs);
    check.weather.Calm();
    if (rig.Link().Connected())
        rig.Disconnect();
    check.watch.LineClosed();
    WaitFor([&] { return !rig.Busy(); }, SettleMs);
    check.watch.ExpectResumption();
    rig.Connect();
    AwaitResumption(rig, ResumeBoundMs);
}

void OperationRunner::ChooseWeather(SoakRig& rig)
{
    static constexpr std::array<double, 4> Roughness{0.0, 0.05, 0.15, 0.3};
    rig.Check().weather.SetRoughness(Roughness[size_t(random_.Weighted({2, 3, 3, 2}))]);
}
