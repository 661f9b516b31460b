// The fault soak: the station keeps working, loses nothing and reports
// every failure as one while its simulated meter misbehaves.
//
//     soak [SECONDS] [--seed N] [--verbose]
//
// Runs for about SECONDS (default 300), then prints exactly one summary
// line on stdout; everything else goes to stderr, the seed first, so a run
// can be repeated. Exit 0 when nothing went wrong, 1 on any false success,
// false record, hang, link-loss violation or unbounded memory growth, 2
// when the run cannot start, 3 when the event loop froze.

#include "soak_run.h"
#include "soak_tally.h"
#include "watchdog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr int DefaultSeconds = 300;
// The last operation may run on past the time, a long read at worst; past
// this the run counts as stuck.
constexpr int OvertimeSeconds = 300;

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument("seconds", "How long to run (default 300).");
    parser.addOption({"seed", "The seed of the mix of operations and faults.", "N"});
    parser.addOption({"verbose", "Tell each operation on stderr as it ends."});
    parser.process(application);

    bool ok = true;
    const QStringList positional = parser.positionalArguments();
    const int seconds = positional.isEmpty() ? DefaultSeconds : positional[0].toInt(&ok);
    if (!ok || seconds <= 0 || positional.size() > 1) {
        QTextStream(stderr) << "soak: give the run's length in seconds, a whole number above 0" << Qt::endl;
        return 2;
    }
    const quint32 seed = parser.isSet("seed") ? parser.value("seed").toUInt(&ok) : QRandomGenerator::system()->generate();
    if (!ok) {
        QTextStream(stderr) << "soak: the seed is a whole number from 0 to 4294967295" << Qt::endl;
        return 2;
    }
    QTextStream(stderr) << "soak: seed " << seed << ", " << seconds << " s" << Qt::endl;

    SoakTally tally;
    Watchdog watchdog(tally, std::chrono::seconds(seconds + OvertimeSeconds));
    try {
        SoakRun(seconds, seed, parser.isSet("verbose")).Exec(tally);
    } catch (const std::exception& error) {
        QTextStream(stderr) << "soak: cannot run: " << error.what() << Qt::endl;
        return 2;
    }
    std::printf("%s\n", qPrintable(tally.Summary()));
    if (tally.memoryGrowthKiB > SoakTally::MemoryBoundKiB)
        tally.Note(QStringLiteral("the resident memory grew past the bound of %1 KiB%2")
                       .arg(SoakTally::MemoryBoundKiB)
                       .arg(SoakTally::MemoryJudged ? "" : ", not judged under AddressSanitizer"));
    return tally.Passed() ? 0 : 1;
}
