#include "cli/cli_commands.h"

#include "cli/cli_session.h"
#include "cli/demo_db_command.h"
#include "cli/journal_command.h"
#include "cli/poll_command.h"
#include "cli/read_command.h"
#include "cli/record_command.h"
#include "cli/schedule_commands.h"
#include "cli/write_command.h"
#include "cli/write_options.h"

#include <QCommandLineParser>
#include <algorithm>

namespace {

bool Takes(const CliCommand& command, const QCommandLineOption& option)
{
    const QList<QCommandLineOption> options = command.AllOptions();
    return std::any_of(options.cbegin(), options.cend(),
        [&](const QCommandLineOption& own) { return own.names() == option.names(); });
}

} // namespace

QList<QCommandLineOption> CliCommand::AllOptions() const
{
    return TalksToMeter() ? CliSession::Options() + options : options;
}

const QList<CliCommand>& CliCommands()
{
    static const QList<CliCommand> commands{
        {"poll", {}, PollOptions(), "print the protocol of the poll: every request and answer, every failure",
            [](CliSession& session, const CommandCall& call) { return RunPoll(session, call.parser); }},
        {"read", {}, {}, "read one whole poll cycle and print the short report, name TAB value",
            [](CliSession& session, const CommandCall&) { return RunRead(session); }},
        {"write", {}, WriteOptions(), "write the settings its options choose (on --sim nothing persists)",
            [](CliSession& session, const CommandCall& call) { return RunWrite(session, call.parser); }},
        {"tsc-dump", "FILE", {}, "print the tariff schedule file as the station reads it, no meter needed",
            [](const CommandCall& call) { return RunTscDump(call.operand); }},
        {"schedule-read", "FILE", {}, "read the meter's tariff schedule into the file",
            [](CliSession& session, const CommandCall& call) { return RunScheduleRead(session, call.operand); }},
        {"schedule-write", "FILE", {}, "write the file's tariff schedule into the meter, replacing its own",
            [](CliSession& session, const CommandCall& call) { return RunScheduleWrite(session, call.operand); }},
        {"journal", "yearly|consumption", JournalOptions(),
            "print the meter's yearly or consumption journal as its workbook holds it",
            [](CliSession& session, const CommandCall& call) {
                return RunJournal(session, call.parser, call.operand);
            }},
        {"record", {}, {MeterNumberOption()},
            "production line only: record the meter as \"Зафиксировать в БД\" does",
            [](CliSession& session, const CommandCall& call) { return RunRecord(session, call.parser); }},
        {"demo-db", "FILE", {}, "write a demo production database for this computer and login into FILE",
            [](const CommandCall& call) { return RunDemoDb(call.operand); }},
    };
    return commands;
}

const CliCommand* FindCliCommand(const QString& name)
{
    const QList<CliCommand>& commands = CliCommands();
    const auto found = std::find_if(
        commands.cbegin(), commands.cend(), [&](const CliCommand& command) { return command.name == name; });
    return found == commands.cend() ? nullptr : &*found;
}

QList<QCommandLineOption> EveryCliOption()
{
    QList<QCommandLineOption> every = CliSession::Options();
    QStringList names;
    for (const QCommandLineOption& option : every)
        names << option.names();
    for (const CliCommand& command : CliCommands())
        for (const QCommandLineOption& option : command.options)
            if (!names.contains(option.names().first())) {
                names << option.names();
                every << option;
            }
    return every;
}

QString OptionUsage(const QCommandLineOption& option)
{
    const QString flag = QStringLiteral("--") + option.names().first();
    return option.valueName().isEmpty() ? flag : flag + QLatin1Char(' ') + option.valueName();
}

QStringList Enumeration(const QStringList& items)
{
    QStringList words = items;
    if (words.size() < 2)
        return words;
    for (qsizetype i = 0; i + 2 < words.size(); ++i)
        words[i] += QLatin1Char(',');
    words.insert(words.size() - 1, QStringLiteral("and"));
    return words;
}

QString StrayOption(const CliCommand& command, const QCommandLineParser& parser)
{
    for (const QCommandLineOption& option : EveryCliOption()) {
        if (!parser.isSet(option) || Takes(command, option))
            continue;
        QStringList takers;
        for (const CliCommand& other : CliCommands())
            if (Takes(other, option))
                takers << other.name;
        return OptionUsage(option) + QStringLiteral(" belongs to ") + Enumeration(takers).join(QLatin1Char(' '))
            + QStringLiteral(" only.");
    }
    return {};
}
