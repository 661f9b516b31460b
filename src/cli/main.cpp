// vm742-cli: the station's meter link from a shell, on a real port or the
// built-in simulated meter.

#include "cli/cli_session.h"
#include "cli/demo_db_command.h"
#include "cli/journal_command.h"
#include "cli/poll_command.h"
#include "cli/read_command.h"
#include "cli/record_command.h"
#include "cli/schedule_commands.h"
#include "cli/write_command.h"
#include "cli/write_options.h"

#include <QCoreApplication>
#include <QHash>
#include <QTextStream>

namespace {

const QStringList MeterCommands{"poll", "read", "write", "record"};
const QStringList FileCommands{"tsc-dump", "schedule-read", "schedule-write", "demo-db"};
// Commands that need no meter and no production database.
const QStringList OfflineCommands{"tsc-dump", "demo-db"};
const QHash<QString, JournalKind> Journals{{"yearly", JournalKind::Yearly}, {"consumption", JournalKind::Consumption}};

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
                                     "         its records, holidays, transfers and limit coefficient\n"
                                     "  journal yearly|consumption [--xls FILE]\n"
                                     "         read the meter's yearly or consumption journal and print its\n"
                                     "         table, captions first, cells separated by TAB; --xls also saves\n"
                                     "         it as an Excel 97-2003 workbook\n"
                                     "  record [--number N]\n"
                                     "         production line only: record the meter in the production\n"
                                     "         database as \"Зафиксировать в БД\" does; --number gives the\n"
                                     "         number of a meter without number (the other write options\n"
                                     "         play no part)\n"
                                     "  demo-db FILE\n"
                                     "         write a demo production database for this computer and login\n"
                                     "         into the new SQLite file FILE\n\n"
                                     "With --db FILE or --dsn NAME a meter command runs on the production\n"
                                     "line: the computer, its login and plant must be described in the\n"
                                     "database (exit code 2 when not), the server's clock counts, and write\n"
                                     "records the meter (exit code 3 when the meter was written but the\n"
                                     "record was refused or failed).\n\n"
                                     "schedule-read, schedule-write and journal count their requests\n"
                                     "answered on stderr while it is a terminal.");
    parser.addHelpOption();
    CliSession::AddOptions(parser);
    parser.addOption({"cycles", "poll: whole poll cycles of requests sent (a step dropped unsent by an abort "
                                "counts for nothing), 0 = until interrupted.", "N", "0"});
    parser.addOption({"xls", "journal: also save the table as this Excel 97-2003 workbook.", "FILE"});
    AddWriteOptions(parser);
    parser.addPositionalArgument(
        "command", "poll, read, write, record, tsc-dump, schedule-read, schedule-write, journal or demo-db");
    parser.addPositionalArgument("file", "tsc-dump, schedule-read, schedule-write: the tariff schedule file; "
                                         "journal: yearly or consumption; demo-db: the database file.", "[FILE]");
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    const QString command = arguments.value(0);
    const bool journal = command == "journal";
    const int wanted = FileCommands.contains(command) || journal ? 2 : 1;
    const bool known = (MeterCommands + FileCommands).contains(command) || journal;
    if (!known || arguments.size() != wanted) {
        QTextStream(stderr) << "Unknown or missing command, or FILE missing or out of place; see --help." << Qt::endl;
        return 2;
    }
    if (journal && !Journals.contains(arguments[1])) {
        QTextStream(stderr) << "journal reads \"yearly\" or \"consumption\"; see --help." << Qt::endl;
        return 2;
    }
    if (parser.isSet("xls") && (!journal || parser.value("xls").isEmpty())) {
        QTextStream(stderr) << "--xls FILE belongs to journal only." << Qt::endl;
        return 2;
    }
    if (OfflineCommands.contains(command) && (parser.isSet("db") || parser.isSet("dsn"))) {
        QTextStream(stderr) << "--db and --dsn go with the meter commands only." << Qt::endl;
        return 2;
    }
    if (command == "tsc-dump")
        return RunTscDump(arguments[1]);
    if (command == "demo-db")
        return RunDemoDb(arguments[1]);
    CliSession session;
    if (!session.Configure(parser))
        return 2;
    if (command == "read")
        return RunRead(session);
    if (command == "write")
        return RunWrite(session, parser);
    if (command == "record")
        return RunRecord(session, parser);
    if (command == "schedule-read")
        return RunScheduleRead(session, arguments[1]);
    if (command == "schedule-write")
        return RunScheduleWrite(session, arguments[1]);
    if (journal)
        return RunJournal(session, Journals[arguments[1]], parser.value("xls"));
    bool ok = false;
    const int cycles = parser.value("cycles").toInt(&ok);
    if (!ok || cycles < 0) {
        QTextStream(stderr) << "--cycles must be a whole number, 0 or more." << Qt::endl;
        return 2;
    }
    return RunPoll(session, cycles);
}
