#include "cli/command_help.h"

#include "cli/cli_commands.h"
#include "cli/cli_session.h"

#include <QStringList>

namespace {

// As wide as the options' descriptions below.
constexpr qsizetype HelpWidth = 79;

const QString HelpIndent = QStringLiteral("      ");

// The words filled into lines no wider than the help, the first line
// behind `first`, the rest behind `next`. A word is never broken, blanks
// inside it included, so "[--settlement DAY,HOUR]" stays whole.
QStringList Filled(const QStringList& words, const QString& first, const QString& next)
{
    QStringList lines{first + words.value(0)};
    for (qsizetype i = 1; i < words.size(); ++i) {
        if (lines.last().size() + 1 + words[i].size() > HelpWidth)
            lines << next + words[i];
        else
            lines.last() += QLatin1Char(' ') + words[i];
    }
    return lines;
}

QStringList Synopsis(const CliCommand& command)
{
    QStringList words{command.name};
    if (!command.operand.isEmpty())
        words << command.operand;
    for (const QCommandLineOption& option : command.options)
        words << QLatin1Char('[') + OptionUsage(option) + QLatin1Char(']');
    // Wrapped options line up behind the command's name.
    return Filled(words, QStringLiteral("  "), QString(command.name.size() + 3, QLatin1Char(' ')));
}

QStringList Words(const QString& text)
{
    return text.split(QLatin1Char(' '));
}

QStringList MeterParagraph()
{
    QStringList offline;
    for (const CliCommand& command : CliCommands())
        if (!command.TalksToMeter())
            offline << command.name;
    QStringList connection;
    for (const QCommandLineOption& option : CliSession::Options())
        connection << OptionUsage(option);
    return Filled(Enumeration(offline) + Words(QStringLiteral("need no meter. Every other command talks to the "
                                                              "meter and takes"))
            + Enumeration(connection) + Words(QStringLiteral("as well as its own options; --port or --sim is needed.")),
        {}, {});
}

} // namespace

QString CliDescription()
{
    QStringList lines{QStringLiteral("Meter programming station, command line."), {}, QStringLiteral("Commands:")};
    for (const CliCommand& command : CliCommands())
        lines << Synopsis(command) << HelpIndent + command.help;
    lines << QString() << MeterParagraph();
    lines << QString()
          << QStringLiteral("With --db FILE or --dsn NAME a meter command runs on the production\n"
                            "line: the computer, its login and plant must be described in the\n"
                            "database (exit code 2 when not), the server's clock counts, and write\n"
                            "records the meter (exit code 3 when the meter was written but the\n"
                            "record was refused or failed).\n\n"
                            "schedule-read, schedule-write and journal count their requests\n"
                            "answered on stderr while it is a terminal.\n\n"
                            "Exit code: 0 done; 1 the meter, its line or a file failed; 2 the\n"
                            "command line is wrong, or asks for what the station or the meter\n"
                            "rules out; 3 the meter was read or written but not recorded.");
    return lines.join(QLatin1Char('\n'));
}
