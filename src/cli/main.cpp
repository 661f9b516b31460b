// vm742-cli: the station's meter link from a shell, on a real port or the
// built-in simulated meter.

#include "cli/cli_session.h"
#include "cli/poll_command.h"
#include "cli/read_command.h"
#include "cli/schedule_commands.h"
#include "cli/write_command.h"
#include "cli/write_options.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const QStringList MeterCommands{"poll", "read", "write"};
const QStringList FileCommands{"tsc-dump", "schedule-read", "schedule-write"};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("vm742-cli");

    QCommandLineParser parser;
    parser.setApplicationDescription("Meter programming station, command line.\n\n"
                                     "Commands:\n"
                                     "  poll   print the protocol of the meter's poll\n"
                                     "  read   read the meter once and print what it shows\n"
                                     "  write  write the settings the write options choose; with --sim the\n"
                                     "         writes are acknowledged, but the simulated meter lives only\n"
                                     "         for the run and nothing persists\n"
                                     "  tsc-dump FILE\n"
                                     "         print the tariff schedule file as the station reads it, no\n"
                                     "         meter needed: holiday, transfer, coefficient and record lines\n"
                                     "  schedule-read FILE\n"
                                     "         read the meter's tariff schedule into the file\n"
                                     "  schedule-write FILE\n"
                                     "         write the file's tariff schedule into the meter, replacing\n"
                                     "         its records, holidays, transfers and limit coefficient\n\n"
                                     "schedule-read and schedule-write count their requests answered on\n"
                                     "stderr while it is a terminal.");
    parser.addHelpOption();
    CliSession::AddOptions(parser);
    parser.addOption({"cycles", "poll: whole poll cycles of requests sent (a step dropped unsent by an abort "
                                "counts for nothing), 0 = until interrupted.", "N", "0"});
    AddWriteOptions(parser);
    parser.addPositionalArgument("command", "poll, read, write, tsc-dump, schedule-read or schedule-write");
    parser.addPositionalArgument("file", "tsc-dump, schedule-read, schedule-write: the tariff schedule file.", "[FILE]");
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    const QString command = arguments.value(0);
    const int wanted = FileCommands.contains(command) ? 2 : 1;
    if (!(MeterCommands + FileCommands).contains(command) || arguments.size() != wanted) {
        QTextStream(stderr) << "Unknown or missing command, or FILE missing or out of place; see --help." << Qt::endl;
        return 2;
    }
    if (command == "tsc-dump")
        return RunTscDump(arguments[1]);
    CliSession session;
    if (!session.Configure(parser))
        return 2;
    if (command == "read")
        return RunRead(session);
    if (command == "write")
        return RunWrite(session, parser);
    if (command == "schedule-read")
        return RunScheduleRead(session, arguments[1]);
    if (command == "schedule-write")
        return RunScheduleWrite(session, arguments[1]);
    bool ok = false;
    const int cycles = parser.value("cycles").toInt(&ok);
    if (!ok || cycles < 0) {
        QTextStream(stderr) << "--cycles must be a whole number, 0 or more." << Qt::endl;
        return 2;
    }
    return RunPoll(session, cycles);
}
