// vm742-cli's command line itself: --help lists the commands the README
// documents, each with its operand and options, and a command line the
// tool cannot run is refused with exit code 2 before anything is opened.

#include "cli_run.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString MissingPort = QStringLiteral("/dev/nonexistent");

// The indented lines of help's "Commands:" section.
QStringList CommandsSection(const QStringList& help)
{
    const qsizetype start = help.indexOf("Commands:") + 1;
    QStringList section;
    for (qsizetype i = start; start > 0 && i < help.size() && help[i].startsWith("  "); ++i)
        section << help[i];
    return section;
}

// Each command's synopsis, its wrapped lines joined, by the command's name.
QMap<QString, QString> Synopses(const QStringList& section)
{
    QMap<QString, QString> synopses;
    QString name;
    for (const QString& line : section) {
        const QString text = line.trimmed();
        if (line.startsWith("  ") && !line.startsWith("   ")) {
            name = text.section(' ', 0, 0);
            synopses[name] = text;
        } else if (text.startsWith('[')) {
            synopses[name] += ' ' + text;
        }
    }
    return synopses;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void helpListsEveryCommand();
    void refusesWhatItCannotRun_data();
    void refusesWhatItCannotRun();
};

void TestCommandLine::helpListsEveryCommand()
{
    const CliRun run = RunCli({"--help"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());

    const QMap<QString, QString> documented{
        {"poll", "poll [--cycles N]"},
        {"read", "read"},
        {"write", "write [--time now|TIME] [--dst] [--settlement DAY,HOUR] [--indicator MASK] "
                  "[--integration MINUTES] [--new-password TEXT] [--ddm NUMBER,MODE] [--reset-schedule] "
                  "[--reset-rdh] [--number N]"},
        {"tsc-dump", "tsc-dump FILE"},
        {"schedule-read", "schedule-read FILE"},
        {"schedule-write", "schedule-write FILE"},
        {"journal", "journal yearly|consumption [--xls FILE]"},
        {"demo-db", "demo-db FILE"},
        {"record", "record [--number N]"},
    };
    const QStringList section = CommandsSection(run.out);
    QCOMPARE(Synopses(section), documented);
    // A line of help under each.
    const QStringList helpLines = section.filter(QRegularExpression("^   +[^ \\[]"));
    QCOMPARE(helpLines.size(), documented.size());
}

void TestCommandLine::refusesWhatItCannotRun_data()
{
    QTest::addColumn<QStringList>("arguments");

    const QStringList port{"--port", MissingPort};
    QTest::newRow("no command") << port;
    QTest::newRow("unknown command") << port + QStringList{"frobnicate"};
    QTest::newRow("unknown option") << port + QStringList{"read", "--frobnicate"};
    QTest::newRow("operand missing") << QStringList{"tsc-dump"};
    QTest::newRow("operand where none goes") << port + QStringList{"read", "extra"};
    QTest::newRow("option of another command") << port + QStringList{"read", "--cycles", "2"};
    QTest::newRow("meter option without a meter") << port + QStringList{"tsc-dump", "schedule.tsc"};
    QTest::newRow("neither port nor simulated meter") << QStringList{"read"};
    QTest::newRow("port and simulated meter") << port + QStringList{"--sim", "read"};
    QTest::newRow("timeout out of range") << port + QStringList{"--timeout", "199", "read"};
    QTest::newRow("cycles no count") << port + QStringList{"poll", "--cycles", "-1"};
}

// Said on stderr, and the port is never opened.
void TestCommandLine::refusesWhatItCannotRun()
{
    QFETCH(QStringList, arguments);

    QTemporaryDir directory;
    const CliRun run = RunCli(arguments, directory.path());
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QStringList{});
    QVERIFY(!run.err.isEmpty());
    QVERIFY2(!run.err.contains(MissingPort), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
