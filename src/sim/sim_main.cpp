// vm742-sim: a simulated meter on a pseudo-terminal. The first line of
// stdout is the slave's path; with --scanner the second is "scanner: "
// and the scanner's slave path; on SIGTERM or SIGINT the last one is the
// request summary.

#include "sim/pty_server.h"
#include "sim/scanner_pty.h"
#include "sim/sim_options.h"
#include "sim/slave_link.h"
#include "sim/termination_signals.h"
#include "sim/virtual_meter.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <optional>
#include <unistd.h>

namespace {

constexpr int ConsumptionStepSeconds = 10;

void PrintLine(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    // Before anything can start a thread that would otherwise take them.
    const int terminationFd = OpenTerminationSignals();
    if (terminationFd < 0) {
        std::perror("signalfd");
        return 1;
    }
    QCoreApplication app(argc, argv);
    const SimOptions options = ParseSimOptions(app.arguments());

    VirtualMeter meter;
    if (options.type341)
        meter.MakeType341();
    if (options.number)
        meter.State().number = *options.number;
    meter.State().password = options.password;

    try {
        PtyServer server(meter);
        std::optional<SlaveLink> link;
        if (!options.link.isEmpty())
            link.emplace(options.link, server.SlavePath());
        PrintLine(server.SlavePath());
        std::optional<ScannerPty> scanner;
        if (options.scanner) {
            scanner.emplace(STDIN_FILENO);
            PrintLine(QStringLiteral("scanner: ") + scanner->SlavePath());
        }
        if (options.verbose)
            QObject::connect(&server, &PtyServer::Traffic, &PrintLine);

        QSocketNotifier terminate(terminationFd, QSocketNotifier::Read);
        QObject::connect(&terminate, &QSocketNotifier::activated, &app, [&] {
            AcknowledgeTerminationSignal(terminationFd);
            app.quit();
        });
        // The readings creep up as on a meter under load.
        QTimer consumption;
        QObject::connect(&consumption, &QTimer::timeout, [&meter] { meter.Advance(ConsumptionStepSeconds); });
        consumption.start(ConsumptionStepSeconds * 1000);

        app.exec();
        PrintLine(server.Summary());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vm742-sim: %s\n", error.what());
        return 1;
    }
    return 0;
}
