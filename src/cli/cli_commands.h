#pragma once
// The commands of vm742-cli, one row each: --help is made from them, and
// the command line is checked against them and dispatched by them.

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <variant>

class CliSession;
class QCommandLineParser;

// What a command takes from its command line.
struct CommandCall {
    const QCommandLineParser& parser;
    // The word after the command's name, when it takes one.
    QString operand;
};

// A command that needs no meter, and one that talks to the meter through
// the session its connection options have configured. Each returns its
// exit code.
using OfflineHandler = int (*)(const CommandCall& call);
using MeterHandler = int (*)(CliSession& session, const CommandCall& call);

struct CliCommand {
    QString name;
    // What the operand is, as help shows it ("FILE"); empty when the
    // command takes none.
    QString operand;
    // Its own options; a command that talks to the meter also takes the
    // connection options.
    QList<QCommandLineOption> options;
    // One line of help.
    QString help;
    std::variant<OfflineHandler, MeterHandler> run;

    bool TalksToMeter() const { return std::holds_alternative<MeterHandler>(run); }
    // Its own options and, for a command that talks to the meter, the
    // connection options.
    QList<QCommandLineOption> AllOptions() const;
};

const QList<CliCommand>& CliCommands();
// Nullptr when there is no such command.
const CliCommand* FindCliCommand(const QString& name);
// Every option of every command, each once.
QList<QCommandLineOption> EveryCliOption();
// "--name VALUE", as help shows an option.
QString OptionUsage(const QCommandLineOption& option);
// The items as a sentence lists them, each item one word, whatever it
// holds: "a," "b" "and" "c".
QStringList Enumeration(const QStringList& items);
// Why an option given does not go with the command ("--xls FILE belongs to
// journal only."); empty when they all do.
QString StrayOption(const CliCommand& command, const QCommandLineParser& parser);
