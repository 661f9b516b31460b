// vm742-cli: the station's meter link from a shell, on a real port or the
// built-in simulated meter.

#include "cli/cli_commands.h"
#include "cli/cli_session.h"
#include "cli/command_help.h"
#include "cli/exit_code.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("vm742-cli");

    QCommandLineParser parser;
    parser.setApplicationDescription(CliDescription());
    const QCommandLineOption help({"?", "h", "help"}, "Displays help on commandline options.");
    parser.addOption(help);
    parser.addOptions(EveryCliOption());
    parser.addPositionalArgument(
        "command", "A command of the list above, then its operand if it takes one.", "command [OPERAND]");

    QTextStream err(stderr);
    if (!parser.parse(QCoreApplication::arguments())) {
        err << QCoreApplication::applicationName() << ": " << parser.errorText() << Qt::endl;
        return Exit::Refused;
    }
    if (parser.isSet(help))
        parser.showHelp();

    const QStringList arguments = parser.positionalArguments();
    const CliCommand* command = FindCliCommand(arguments.value(0));
    if (!command || arguments.size() != (command->operand.isEmpty() ? 1 : 2)) {
        err << "Unknown or missing command, or FILE missing or out of place; see --help." << Qt::endl;
        return Exit::Refused;
    }
    if (const QString stray = StrayOption(*command, parser); !stray.isEmpty()) {
        err << stray << Qt::endl;
        return Exit::Refused;
    }
    const CommandCall call{parser, arguments.value(1)};
    if (const auto* offline = std::get_if<OfflineHandler>(&command->run))
        return (*offline)(call);
    CliSession session;
    if (!session.Configure(parser))
        return Exit::Refused;
    return std::get<MeterHandler>(command->run)(session, call);
}
