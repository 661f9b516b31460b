// The link's pace against the simulated meter on its paced in-process line:
// whole poll cycles, a schedule read, a settings batch and the consumption
// journal's read. Each is printed beside the pure wire time of its bytes and
// the time the protocol itself prescribes (wire time, the pause after each
// first byte and the send tick per request); the simulated meter's own
// turnaround is shown apart, as it belongs to neither. A figure, never a verdict: nothing here fails on a time.

#include "bench_dialogs.h"
#include "link/meter_link.h"
#include "link/poll_cycle.h"
#include "link/serial_channel.h"
#include "sim/virtual_channel.h"
#include "station/station_core.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Cycles = 5;
constexpr double BitsPerByte = 11;
constexpr double Baud = 4800;
constexpr double FirstBytePause = SerialChannel::FirstBytePauseMs / 1000.0;
constexpr double SendTick = MeterLink::SendTickMs / 1000.0;

double WireSeconds(qsizetype bytes)
{
    return double(bytes) * BitsPerByte / Baud;
}

// Every answered request: when its answer was taken, and its bytes both ways.
struct Answered {
    double at;
    double wire;
};

// A run of consecutive answered requests [first, first + count).
struct Stretch {
    const char* name;
    qsizetype first = -1;
    qsizetype count = 0;
};

void Print(const Stretch& stretch, const QList<Answered>& answered, double turnaround, int repeats = 1)
{
    if (stretch.first < 1 || stretch.first + stretch.count > answered.size()) {
        std::printf("%-16s not measured\n", stretch.name);
        return;
    }
    // From the answer before the first request: that answer is what let the
    // first request become the head.
    const double measured = answered[stretch.first + stretch.count - 1].at - answered[stretch.first - 1].at;
    double wire = 0;
    for (qsizetype i = stretch.first; i < stretch.first + stretch.count; ++i)
        wire += answered[i].wire;
    const double prescribed = wire + double(stretch.count) * (FirstBytePause + SendTick);
    const double meter = double(stretch.count) * turnaround;
    std::printf("%-16s %4lld requests  measured %7.3f s  wire %7.3f s  prescribed %7.3f s  meter turnaround %6.3f s\n",
        stretch.name, static_cast<long long>(stretch.count / repeats), measured / repeats, wire / repeats,
        prescribed / repeats, meter / repeats);
    std::printf("%-16s measured / prescribed = %.3f   (measured - meter turnaround) / prescribed = %.3f\n", "",
        measured / prescribed, (measured - meter) / prescribed);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir logDir;
    BenchDialogs dialogs;
    VirtualChannel channel;
    constexpr int TurnaroundMs = 3;
    channel.SetTurnaroundMs(TurnaroundMs);
    StationCore core(dialogs, QDir(logDir.path()).filePath("bench.log"), 0, false);
    MeterLink& link = core.link;
    link.SetChannel(&channel);

    QElapsedTimer clock;
    clock.start();
    QList<Answered> answered;
    QObject::connect(&link, &MeterLink::ResponseAccepted, [&](const QByteArray& request) {
        answered.append({clock.nsecsElapsed() / 1e9, WireSeconds(request.size() + link.ReceiveBuffer().size())});
    });

    Stretch poll{"poll cycle"};
    Stretch scheduleRead{"schedule read"};
    Stretch settingsBatch{"settings batch"};
    Stretch diaryRead{"consumption read"};
    // The batch goes in behind the poll request just queued.
    auto queueBatch = [&](Stretch& stretch, const std::function<void()>& queue) {
        const qsizetype queued = link.CommandQueue().size();
        queue();
        stretch.first = answered.size() + queued;
        stretch.count = link.CommandQueue().size() - queued;
    };
    int cycleStarts = 0;
    QObject::connect(&link, &MeterLink::PollStepQueued, [&](int step) {
        if (step == 0 && ++cycleStarts == 2) {
            // Past the connection's extra version request.
            poll.first = answered.size();
        } else if (step == 0 && cycleStarts == Cycles + 2) {
            poll.count = answered.size() - poll.first;
            queueBatch(scheduleRead, [&] { core.scheduleTransfer.ActionReadSchedExecute(); });
        } else if (scheduleRead.count > 0 && settingsBatch.count == 0
                   && answered.size() >= scheduleRead.first + scheduleRead.count) {
            SettingsInputs& inputs = core.inputs.settings;
            inputs.checkTime = true;
            inputs.date = QDate::currentDate();
            inputs.time = QTime::currentTime();
            inputs.checkIndi = inputs.checkIntegra = inputs.checkSchedule = true;
            queueBatch(settingsBatch, [&] { core.settings.ActionSettingExecute(); });
        } else if (settingsBatch.count > 0 && diaryRead.count == 0
                   && answered.size() >= settingsBatch.first + settingsBatch.count) {
            queueBatch(diaryRead, [&] { core.journals.BtnReadDiaryClick(); });
        } else if (diaryRead.count > 0 && answered.size() >= diaryRead.first + diaryRead.count) {
            QCoreApplication::exit(0);
        }
    });
    link.ActionConnectExecute("simulated meter");
    QCoreApplication::exec();
    link.ActionDisconnectExecute();

    std::printf("the link against the simulated meter at 4800 baud, meter turnaround %d ms\n", TurnaroundMs);
    std::printf("(poll cycle figures are per cycle, the mean of %d)\n", Cycles);
    Print(poll, answered, TurnaroundMs / 1000.0, Cycles);
    Print(scheduleRead, answered, TurnaroundMs / 1000.0);
    Print(settingsBatch, answered, TurnaroundMs / 1000.0);
    Print(diaryRead, answered, TurnaroundMs / 1000.0);
    return 0;
}
