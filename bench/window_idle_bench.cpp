// What the station costs while it only polls: the processor time used per
// second of wall time, as a percentage of one core, first by the engine
// alone (the link, the decoders and the simulated meter on its paced
// in-process line, nothing shown), then by the whole window connected to
// its simulated meter as `vm742 --simulate --connect` runs it, and the
// ratio of the two; once as a fresh station starts, once with every frame
// dumped on the protocol tab (the meter number typed in, "Включен" ticked).
// Each is the best and the median of a few stretches. A last stretch of
// each window counts, per second, the events that make up the window's
// share: paints and timer events by receiver, layout requests, resizes.
// A figure, never a verdict: nothing here fails on a time.
//
//     window_idle_bench [SECONDS]     (20 by default, after a warm-up of 3)

#include "bench_dialogs.h"
#include "sim/virtual_channel.h"
#include "station/station_core.h"
#include "window/main/form_main.h"
#include "workstation/work_mode.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <iterator>

namespace {

constexpr int WarmUpMs = 3000;
constexpr int DefaultSeconds = 20;
constexpr int Stretches = 5;
// The events are counted over this share of the time the load is measured.
constexpr double CountedShare = 0.5;
// Receivers of fewer events a second than this are left out of the lists.
constexpr double ListedPerSecond = 0.05;

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void RunEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Percentages of a core.
struct Load {
    double best;
    double median;
    double requestsPerSecond;
};

// After the warm-up: the processor time over `seconds` of polling, in
// stretches; the machine's other work disturbs the best of them least.
Load Measure(const MeterLink& link, int seconds)
{
    RunEventLoop(WarmUpMs);
    const int sent = link.SentCount();
    QElapsedTimer total;
    total.start();
    std::array<double, Stretches> percents{};
    for (double& percent : percents) {
        const double cpu = ProcessCpuSeconds();
        QElapsedTimer wall;
        wall.start();
        RunEventLoop(seconds * 1000 / Stretches);
        percent = 100.0 * (ProcessCpuSeconds() - cpu) / (double(wall.nsecsElapsed()) / 1e9);
    }
    std::sort(percents.begin(), percents.end());
    return {percents.front(), percents[Stretches / 2], (link.SentCount() - sent) / (double(total.nsecsElapsed()) / 1e9)};
}

void PrintLoad(const char* name, const Load& load)
{
    std::printf("  %-22s %6.2f %6.2f   %5.1f\n", name, load.best, load.median, load.requestsPerSecond);
}

// How the station is set up: the protocol is on in both, and with the
// number typed in it shows every frame sent and received.
struct Setup {
    const char* name;
    bool byteDumps;
};

const Setup Setups[] = {
    {"fresh station", false},
    {"frames on the protocol tab", true},
};

Load EngineAlone(const Setup& setup, int seconds)
{
    QTemporaryDir logDir;
    BenchDialogs dialogs;
    VirtualChannel channel;
    StationCore core(dialogs, logDir.filePath(QStringLiteral("bench.log")), setup.byteDumps ? NumberEditing : 0, false);
    core.link.Protocol().SetEnabled(true);
    core.link.SetChannel(&channel);
    core.link.ActionConnectExecute(QStringLiteral("simulated meter"));
    const Load load = Measure(core.link, seconds);
    core.link.ActionDisconnectExecute();
    return load;
}

// Counts the events that cost the window its time, per receiver.
class EventCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto kind = std::find_if(std::begin(Kinds), std::end(Kinds),
            [type = event->type()](const Kind& k) { return k.type == type; });
        if (kind != std::end(Kinds))
            ++counts_[kind - std::begin(Kinds)][Name(watched)];
        return false;
    }

    void Print(double seconds) const
    {
        for (std::size_t k = 0; k < std::size(Kinds); ++k) {
            int total = 0;
            QList<std::pair<int, QString>> receivers;
            for (auto it = counts_[k].cbegin(); it != counts_[k].cend(); ++it) {
                total += it.value();
                if (it.value() / seconds >= ListedPerSecond)
                    receivers.append({it.value(), it.key()});
            }
            std::printf("  %-16s %8.2f /s\n", Kinds[k].name, total / seconds);
            std::sort(receivers.begin(), receivers.end(), std::greater<>());
            for (const auto& [count, name] : receivers)
                std::printf("    %8.2f /s  %s\n", count / seconds, qPrintable(name));
        }
    }

private:
    struct Kind {
        QEvent::Type type;
        const char* name;
    };
    static constexpr Kind Kinds[] = {
        {QEvent::Paint, "paints"},
        {QEvent::LayoutRequest, "layout requests"},
        {QEvent::Resize, "resizes"},
        {QEvent::Timer, "timer events"},
    };

    // A receiver without a name of its own (Qt's own parts have "qt_"
    // names) goes by its parent's; a timer by its interval too.
    static QString Name(QObject* object)
    {
        QString name = QString::fromLatin1(object->metaObject()->className());
        if (const auto* timer = qobject_cast<QTimer*>(object))
            name += QStringLiteral(" of %1 ms").arg(timer->interval());
        for (QObject* named = object; named; named = named->parent()) {
            if (!named->objectName().isEmpty() && !named->objectName().startsWith(QLatin1String("qt_"))) {
                if (named != object)
                    name += QStringLiteral(" in");
                return name + QLatin1Char(' ') + named->objectName();
            }
        }
        return name;
    }

    std::array<QHash<QString, int>, std::size(Kinds)> counts_;
};

Load WindowPolling(const Setup& setup, int seconds)
{
    QTemporaryDir startDir;
    QSettings settings(startDir.filePath(QStringLiteral("VM-742.ini")), QSettings::IniFormat);
    if (setup.byteDumps)
        settings.setValue(QStringLiteral("Master"), 1);
    QSettings tariffColors(startDir.filePath(QStringLiteral("Schedule.ini")), QSettings::IniFormat);
    BenchDialogs dialogs;
    FormMainEnvironment environment;
    environment.settings = &settings;
    environment.tariffColors = &tariffColors;
    environment.startDir = QDir(startDir.path());
    environment.offerSimulator = true;
    environment.dialogs = &dialogs;
    environment.ports = {[] { return QStringList{QStringLiteral("COM1")}; }, {}};
    TFormMain form(std::move(environment));
    form.show();
    // A fresh station has it ticked already.
    form.findChild<QCheckBox*>(QStringLiteral("CheckBox_Terminal"))->setChecked(true);
    form.findChild<QAction*>(QStringLiteral("ActionConnect"))->trigger();
    const Load load = Measure(form.Link(), seconds);

    EventCounter counter;
    qApp->installEventFilter(&counter);
    QElapsedTimer wall;
    wall.start();
    RunEventLoop(int(seconds * CountedShare * 1000));
    qApp->removeEventFilter(&counter);
    std::printf("%s: what the window does, per second of another %.0f s:\n", setup.name, seconds * CountedShare);
    counter.Print(double(wall.nsecsElapsed()) / 1e9);
    form.close();
    return load;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : DefaultSeconds;
    std::printf("polling the simulated meter, %d s after a warm-up of %d s, platform %s\n", seconds,
        WarmUpMs / 1000, qPrintable(QApplication::platformName()));
    QList<std::pair<Load, Load>> loads;
    for (const Setup& setup : Setups)
        loads.append({EngineAlone(setup, seconds), WindowPolling(setup, seconds)});
    std::printf("%% of a core, best and median of %d stretches   requests/s\n", Stretches);
    for (qsizetype i = 0; i < loads.size(); ++i) {
        const auto& [engine, window] = loads[i];
        std::printf("%s:\n", Setups[i].name);
        PrintLoad("engine alone", engine);
        PrintLoad("window", window);
        std::printf("  %-22s %6.2f %6.2f\n", "window / engine alone", window.best / engine.best,
            window.median / engine.median);
    }
    return 0;
}
