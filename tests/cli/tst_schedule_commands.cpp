// vm742-cli tsc-dump, schedule-write and schedule-read, run as the operator
// runs them: on tsc files built here byte by byte, on vm742-sim behind a
// pseudo-terminal, where a written schedule stays for the read, and on a
// line where nothing answers; and what a terminal shows of their progress.

#include "cli_run.h"
#include "running_cli.h"
#include "sim/pseudo_terminal.h"
#include "simulated_meter_process.h"
#include "support/test_files.h"

#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The bytes of a tsc file: the holiday and transfer blocks padded with free
// slots, the coefficient, the records, each followed by CR LF. Slots and
// records are given as hex, blanks between bytes for the reader.
QByteArray Tsc(const char* holidays, const char* transfers, quint8 coefficient, const QList<const char*>& records)
{
    const QByteArray lineEnd("\r\n");
    QByteArray bytes = QByteArray::fromHex(holidays).leftJustified(32, '\0') + lineEnd
        + QByteArray::fromHex(transfers).leftJustified(64, '\0') + lineEnd + char(coefficient) + lineEnd;
    for (const char* record : records)
        bytes += QByteArray::fromHex(record) + lineEnd;
    return bytes;
}

// A schedule in the form the meter gives back: holidays and transfers from
// the first slot on, records canonical, with CR and LF bytes inside them.
QByteArray RichSchedule()
{
    return Tsc("0101 2302 0803 0905", "15062406", 10,
        {"00 0000 00 FF FF0F", "11 0730 0D 0A 0D0A", "72 2359 0A 0D 0A0D", "25 1200 64 3E 0700", "07 0600 00 41 000D"});
}

QString FilePath(const QTemporaryDir& directory, const QString& name)
{
    return QDir(directory.path()).filePath(name);
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

const QString ChecksumRow = QStringLiteral("Контрольная сумма тарифного расписания");

// Everything written to a pseudo-terminal's slave, read from its master
// while the test's event loop runs.
class TerminalScreen {
public:
    TerminalScreen()
    {
        fcntl(terminal_.Master(), F_SETFL, fcntl(terminal_.Master(), F_GETFL) | O_NONBLOCK);
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { Drain(); });
    }
    QString SlavePath() const { return terminal_.SlavePath(); }
    QString Text()
    {
        Drain();
        return QString::fromUtf8(bytes_);
    }

private:
    void Drain()
    {
        char buffer[4096];
        for (ssize_t got; (got = ::read(terminal_.Master(), buffer, sizeof buffer)) > 0;)
            bytes_.append(buffer, got);
    }

    PseudoTerminal terminal_;
    QSocketNotifier notifier_{terminal_.Master(), QSocketNotifier::Read};
    QByteArray bytes_;
};

} // namespace

class TestScheduleCommands : public QObject {
    Q_OBJECT
private slots:
    void dumpsTheFileAsTheStationReadsIt_data();
    void dumpsTheFileAsTheStationReadsIt();
    void refusesWhatTheStationRefuses_data();
    void refusesWhatTheStationRefuses();
    void dumpFailsWithoutTheFile();
    void writtenScheduleReadsBack_data();
    void writtenScheduleReadsBack();
    void writeLogsInWithThePasswordGiven();
    void refusesMoreRecordsThanTheMeterHolds();
    void readFailsWhenTheFileCannotBeWritten();
    void terminalSeesTheCountOnOneLine_data();
    void terminalSeesTheCountOnOneLine();
    void failsWhereNothingAnswers_data();
    void failsWhereNothingAnswers();
};

void TestScheduleCommands::dumpsTheFileAsTheStationReadsIt_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("lines");

    // A free holiday slot between used ones; day and month differ so that
    // their order shows; records with CR and LF inside are read by length.
    QTest::newRow("calendar and records")
        << Tsc("0101 2302 0000 0803", "15062406 29022808", 10,
               {"11 0730 00 1F FF0F", "70 2359 FA AB 0DF0", "00 0000 0D 0A 0D0A"})
        << QStringList{"holiday\t01.01", "holiday\t23.02", "holiday\t08.03", "transfer\t15.06.2024\t6",
               "transfer\t29.02.2028\t8", "coefficient\t10", "record\t07:30\t2\t0\t2\t1F\t0FFF",
               "record\t23:59\t1\t250\t8\tAB\tF00D", "record\t00:00\t1\t13\t1\t0A\t0A0D"};
    QTest::newRow("stored zero coefficient") << Tsc("", "", 0, {}) << QStringList{"coefficient\t1"};
}

void TestScheduleCommands::dumpsTheFileAsTheStationReadsIt()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, lines);

    QTemporaryDir directory;
    const QString path = FilePath(directory, "schedule.tsc");
    WriteFile(path, file);
    const CliRun run = RunCli({"tsc-dump", path});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, lines);
}

void TestScheduleCommands::refusesWhatTheStationRefuses_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");

    const QByteArray header = Tsc("0101", "", 1, {});
    QTest::newRow("too short") << header.left(102) << "короче 103 байт";
    QTest::newRow("partial record") << header + QByteArray::fromHex("11073000 1FFF0F 0D") << "посреди записи";
    QTest::newRow("impossible hour") << Tsc("", "", 1, {"11 0730 00 1F FF0F", "11 2400 00 1F FF0F"})
                                     << "Запись 2 тарифного расписания: Время 24:00";
    QTest::newRow("impossible minute") << Tsc("", "", 1, {"11 0760 00 1F FF0F"}) << "Время 07:60";
    QTest::newRow("impossible transfer date") << Tsc("", "15062406 31042402", 1, {}) << "31.04.2024";
}

void TestScheduleCommands::refusesWhatTheStationRefuses()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);

    QTemporaryDir directory;
    const QString path = FilePath(directory, "schedule.tsc");
    WriteFile(path, file);
    const CliRun run = RunCli({"tsc-dump", path});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QStringList{});
    QVERIFY2(run.err.contains(reason), qPrintable(run.err));

    // The same refusal before anything is sent: the port does not exist.
    const CliRun write = RunCli({"--port", "/dev/nonexistent", "schedule-write", path}, directory.path());
    QCOMPARE(write.exitCode, 1);
    QVERIFY2(write.err.contains(reason), qPrintable(write.err));
    QVERIFY2(!write.err.contains("/dev/nonexistent"), qPrintable(write.err));
}

void TestScheduleCommands::dumpFailsWithoutTheFile()
{
    QTemporaryDir directory;
    const QString path = FilePath(directory, "missing.tsc");
    const CliRun run = RunCli({"tsc-dump", path});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QStringList{});
    QVERIFY2(run.err.contains(path), qPrintable(run.err));
}

void TestScheduleCommands::writtenScheduleReadsBack_data()
{
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("readBack");

    QTest::newRow("rich") << RichSchedule() << RichSchedule();
    // The station writes holidays and transfers only along with zone
    // records; the erase before them still happens.
    QTest::newRow("no records") << Tsc("0101 2302", "15062406", 7, {}) << Tsc("", "", 7, {});
}

void TestScheduleCommands::writtenScheduleReadsBack()
{
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, readBack);

    const SimulatedMeterProcess meter({});
    QVERIFY(meter.Path().startsWith("/dev/"));
    const QStringList port{"--port", meter.Path()};
    QTemporaryDir directory;

    // A longer schedule first, so that whatever the write leaves of it shows.
    const QString earlier = FilePath(directory, "earlier.tsc");
    WriteFile(earlier, Tsc("0101 0201 0301 0401 0501 0701", "01052403 02052404", 3,
                           {"00 0000 00 01 0100", "01 0100 00 01 0100", "02 0200 00 01 0100", "03 0300 00 01 0100",
                               "04 0400 00 01 0100", "05 0500 00 01 0100", "06 0600 00 01 0100", "07 0700 00 01 0100"}));
    const CliRun first = RunCli(port + QStringList{"schedule-write", earlier}, directory.path());
    QVERIFY2(first.exitCode == 0, qPrintable(first.err));

    const QString path = FilePath(directory, "written.tsc");
    WriteFile(path, written);
    const CliRun write = RunCli(port + QStringList{"schedule-write", path}, directory.path());
    QVERIFY2(write.exitCode == 0, qPrintable(write.err));

    const QString readPath = FilePath(directory, "read.tsc");
    const CliRun read = RunCli(port + QStringList{"schedule-read", readPath}, directory.path());
    QVERIFY2(read.exitCode == 0, qPrintable(read.err));
    QCOMPARE(FileBytes(readPath).toHex(' '), readBack.toHex(' '));
    // A stderr that is no terminal gets no progress drawn on it.
    QCOMPARE(write.err, QString());
    QCOMPARE(read.err, QString());
}

void TestScheduleCommands::writeLogsInWithThePasswordGiven()
{
    const SimulatedMeterProcess meter({"--password", "abc"});
    const QStringList port{"--port", meter.Path()};
    QTemporaryDir directory;
    const QString path = FilePath(directory, "schedule.tsc");
    WriteFile(path, RichSchedule());
    const auto checksum = [&] { return Shown(RunCli(port + QStringList{"read"}, directory.path()).out, ChecksumRow); };
    const QString before = checksum();

    const CliRun refused = RunCli(port + QStringList{"--password", "wrong", "schedule-write", path}, directory.path());
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("Доступ запрещен"), qPrintable(refused.err));
    QCOMPARE(checksum(), before);

    const CliRun written = RunCli(port + QStringList{"--password", "abc", "schedule-write", path}, directory.path());
    QVERIFY2(written.exitCode == 0, qPrintable(written.err));
    QVERIFY(checksum() != before);
}

void TestScheduleCommands::refusesMoreRecordsThanTheMeterHolds()
{
    QTemporaryDir directory;
    const QString path = FilePath(directory, "schedule.tsc");
    WriteFile(path, Tsc("0101", "", 1, QList<const char*>(257, "11 0730 00 1F FF0F")));
    const CliRun run = RunCli({"--sim", "schedule-write", path}, directory.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("257"), qPrintable(run.err));
    // Not even the coefficient went out: its acknowledgement would be logged.
    QVERIFY(!QFileInfo::exists(FilePath(directory, "Setting_Vm_742.log")));
}

void TestScheduleCommands::readFailsWhenTheFileCannotBeWritten()
{
    QTemporaryDir directory;
    const QString path = FilePath(directory, "missing/schedule.tsc");
    const CliRun run = RunCli({"--sim", "schedule-read", path}, directory.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(path), qPrintable(run.err));
}

void TestScheduleCommands::terminalSeesTheCountOnOneLine_data()
{
    QTest::addColumn<QString>("command");

    QTest::newRow("write") << "schedule-write";
    QTest::newRow("read") << "schedule-read";
}

// Each answer redraws "command: answered/size" over the line; the whole
// batch answered, the line ends.
void TestScheduleCommands::terminalSeesTheCountOnOneLine()
{
    QFETCH(QString, command);

    const SimulatedMeterProcess meter({});
    QTemporaryDir directory;
    const QString path = FilePath(directory, "schedule.tsc");
    WriteFile(path, RichSchedule());
    TerminalScreen screen;
    RunningCli cli({"--port", meter.Path(), command, path}, screen.SlavePath());
    QCOMPARE(cli.Finish(90000), 0);

    const QString text = screen.Text();
    QVERIFY2(text.startsWith('\r') && text.endsWith('\n'), qPrintable(text));
    const QStringList draws = text.chopped(1).split('\r').mid(1);
    const QString size = draws.last().section('/', 1);
    QVERIFY2(draws.size() > 1 && draws.size() == size.toInt(), qPrintable(text));
    for (int answered = 1; answered <= draws.size(); ++answered)
        QCOMPARE(draws[answered - 1], command + ": " + QString::number(answered) + '/' + size);
}

void TestScheduleCommands::failsWhereNothingAnswers_data()
{
    QTest::addColumn<QString>("command");

    QTest::newRow("write") << "schedule-write";
    QTest::newRow("read") << "schedule-read";
}

void TestScheduleCommands::failsWhereNothingAnswers()
{
    QFETCH(QString, command);

    QTemporaryDir directory;
    const QString path = FilePath(directory, "schedule.tsc");
    const QByteArray bytes = RichSchedule();
    WriteFile(path, bytes);
    PseudoTerminal silentLine;
    const CliRun run = RunCli({"--port", silentLine.SlavePath(), "--timeout", "200", command, path}, directory.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("Timeout."), qPrintable(run.err));
    // A read that got nothing leaves the file as it was.
    QCOMPARE(FileBytes(path), bytes);
}

QTEST_GUILESS_MAIN(TestScheduleCommands)
#include "tst_schedule_commands.moc"
