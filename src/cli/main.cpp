// vm742-cli: the station's meter link from a shell, on a real port or the
// built-in simulated meter.

#include "cli/cli_session.h"
#include "cli/poll_command.h"
#include "cli/read_command.h"
#include "cli/write_command.h"
#include "cli/write_options.h"

#include <QCoreApplication>
#include <QTextStream>

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
                                     "         for the run and nothing persists");
    parser.addHelpOption();
    CliSession::AddOptions(parser);
    parser.addOption({"cycles", "poll: number of whole poll cycles, 0 = until interrupted.", "N", "0"});
    AddWriteOptions(parser);
    parser.addPositionalArgument("command", "poll, read or write");
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 1 || !QStringList{"poll", "read", "write"}.contains(arguments[0])) {
        QTextStream(stderr) << "Unknown or missing command; see --help." << Qt::endl;
        return 2;
    }
    CliSession session;
    if (!session.Configure(parser))
        return 2;
    if (arguments[0] == "read")
        return RunRead(session);
    if (arguments[0] == "write")
        return RunWrite(session, parser);
    bool ok = false;
    const int cycles = parser.value("cycles").toInt(&ok);
    if (!ok || cycles < 0) {
        QTextStream(stderr) << "--cycles must be a whole number, 0 or more." << Qt::endl;
        return 2;
    }
    return RunPoll(session, cycles);
}
