// vm742-cli write, run as the operator runs it: on the built-in simulated
// meter, and on vm742-sim behind a pseudo-terminal, where what was written
// stays for the next run to read and to log in with.

#include "cli_run.h"
#include "simulated_meter_process.h"
#include "windows1251_reader.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// The operation log's lines as the outside world reads a Windows-1251 file
// with CR LF line ends; none when there is no log.
QStringList LogLines(const QString& directory)
{
    const QString path = QDir(directory).filePath("Setting_Vm_742.log");
    return QFileInfo::exists(path) ? Windows1251Lines(path) : QStringList{};
}

// An entry's text, after the meter number and the "[date time] " stamp.
QString EntryText(const QString& line)
{
    return line.section("] ", 1);
}

const QString LoginRefused = QStringLiteral("Ошибка: Доступ запрещен (ввод пароля)");

} // namespace

class TestWriteCommand : public QObject {
    Q_OBJECT
private slots:
    void writesEveryChoice();
    void refusesUnusableValues_data();
    void refusesUnusableValues();
    void refusesWhatTheMeterRulesOut_data();
    void refusesWhatTheMeterRulesOut();
    void numberWriteLogsWhatItWrote();
    void writesStayInTheMeterAndChangeItsPassword();
    void setsTheClockGiven();
    void failsWhenThePortCannotBeOpened();
};

void TestWriteCommand::writesEveryChoice()
{
    QTemporaryDir directory;
    const CliRun run = RunCli({"--sim", "write", "--time", "now", "--dst", "--settlement", "15,23", "--indicator", "9",
                            "--integration", "60", "--new-password", "abc", "--ddm", "5123,3", "--reset-schedule",
                            "--reset-rdh"},
        directory.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));

    const QStringList lines = LogLines(directory.path());
    QCOMPARE(lines.size(), 7);
    for (const QString& line : lines)
        QVERIFY2(line.startsWith("104217["), qPrintable(line));
    QVERIFY2(EntryText(lines[0]).startsWith("Время="), qPrintable(lines[0]));
    QVERIFY2(EntryText(lines[0]).endsWith(" Автопереход на летнее время"), qPrintable(lines[0]));
    const QStringList texts{"Пароль=abc", "Расчетный день=15 Расчетный час=23",
        "Режим индикации=Суммарное потребление Мощность ", "Время интегрирования детектора пиковой можщности=60",
        "ДДМ=5123 Режим тарификации=  3", "Сброс показаний на РЧД"};
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(EntryText(lines[i + 1]), texts[i]);
}

void TestWriteCommand::refusesUnusableValues_data()
{
    QTest::addColumn<QStringList>("options");

    QTest::newRow("day 32") << QStringList{"--settlement", "32,0"};
    QTest::newRow("hour 24") << QStringList{"--settlement", "1,24"};
    QTest::newRow("settlement without hour") << QStringList{"--settlement", "15"};
    QTest::newRow("indicator mask 32") << QStringList{"--indicator", "32"};
    QTest::newRow("integration 0 min") << QStringList{"--integration", "0"};
    QTest::newRow("integration 61 min") << QStringList{"--integration", "61"};
    QTest::newRow("ddm mode 9") << QStringList{"--ddm", "1,9"};
    QTest::newRow("ddm number of 25 bits") << QStringList{"--ddm", "16777216,0"};
    QTest::newRow("number 0") << QStringList{"--number", "0"};
    // The log files entries under six digits: a longer number is never found.
    QTest::newRow("number of seven digits") << QStringList{"--number", "1234567"};
    QTest::newRow("month 13") << QStringList{"--time", "2024-13-01T00:00:00"};
    QTest::newRow("time without seconds") << QStringList{"--time", "2024-05-17T12:00"};
    QTest::newRow("clock before 2000") << QStringList{"--time", "1999-12-31T23:59:59"};
    QTest::newRow("dst without time") << QStringList{"--dst"};
    QTest::newRow("new password of 7") << QStringList{"--new-password", "1234567"};
    QTest::newRow("new password outside 1251") << QStringList{"--new-password", "ab漢"};
    QTest::newRow("access password of 7") << QStringList{"--password", "1234567"};
}

void TestWriteCommand::refusesUnusableValues()
{
    QFETCH(QStringList, options);

    QTemporaryDir directory;
    const CliRun run = RunCli(QStringList{"--sim", "write"} + options, directory.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY(!run.err.isEmpty());
    QCOMPARE(LogLines(directory.path()), QStringList{});
}

void TestWriteCommand::refusesWhatTheMeterRulesOut_data()
{
    QTest::addColumn<QStringList>("meterType");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("number for a numbered meter")
        << QStringList{} << QStringList{"--number", "5"} << "--number refused: the meter already has the number 104217.";
    QTest::newRow("ДДМ on a type-341 meter") << QStringList{"--type", "341"} << QStringList{"--ddm", "5,1"}
                                              << "--ddm refused: a type-341 meter has no remote display (ДДМ).";
}

// The meter's answers rule the write out: the writes it could take, asked
// for with it, are not done either.
void TestWriteCommand::refusesWhatTheMeterRulesOut()
{
    QFETCH(QStringList, meterType);
    QFETCH(QStringList, options);
    QFETCH(QString, refusal);

    const SimulatedMeterProcess meter(meterType);
    const QStringList port{"--port", meter.Path()};
    QTemporaryDir directory;
    const auto shown = [&] {
        const QStringList lines = RunCli(port + QStringList{"read"}, directory.path()).out;
        // The indicator's ticked items follow its caption, each as "TAB item".
        return QStringList{Shown(lines, "Расчетный день"), Shown(lines, "Расчетный час")}
            + lines.filter(QRegularExpression("^\t\\S"));
    };
    const QStringList before = shown();
    QVERIFY2(!before.first().startsWith("(no line"), qPrintable(before.join('|')));

    const CliRun run = RunCli(
        port + QStringList{"write", "--settlement", "15,23", "--indicator", "31"} + options, directory.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(refusal), qPrintable(run.err));
    QCOMPARE(LogLines(directory.path()), QStringList{});
    QCOMPARE(shown(), before);
}

void TestWriteCommand::numberWriteLogsWhatItWrote()
{
    const SimulatedMeterProcess meter({"--number", "0"});
    const QStringList port{"--port", meter.Path()};
    QTemporaryDir directory;

    const CliRun written = RunCli(port + QStringList{"write", "--number", "123456"}, directory.path());
    QVERIFY2(written.exitCode == 0, qPrintable(written.err));
    const QStringList read = RunCli(port + QStringList{"read"}, directory.path()).out;
    QCOMPARE(Shown(read, "Заводской номер"), QString("123456"));
    QCOMPARE(Shown(read, "Группа : "), QString("34"));
    QCOMPARE(Shown(read, "Адрес : "), QString("56"));

    // Entries made while the meter still showed no number.
    const QStringList lines = LogLines(directory.path());
    QCOMPARE(lines.size(), 2);
    QCOMPARE(EntryText(lines[0]), QString("Номер=123456"));
    QCOMPARE(EntryText(lines[1]), QString("Plc-группа=34, Plc-адрес=56"));
}

void TestWriteCommand::writesStayInTheMeterAndChangeItsPassword()
{
    const SimulatedMeterProcess meter({"--password", "old"});
    QVERIFY(meter.Path().startsWith("/dev/"));
    const QStringList port{"--port", meter.Path()};
    QTemporaryDir directory;

    const CliRun wrong = RunCli(port + QStringList{"--password", "wrong", "write", "--settlement", "15,23"}, directory.path());
    QVERIFY(wrong.exitCode > 0);
    QVERIFY2(wrong.err.contains(LoginRefused), qPrintable(wrong.err));
    QCOMPARE(LogLines(directory.path()), QStringList{});

    const CliRun written = RunCli(port + QStringList{"--password", "old", "write", "--settlement", "15,23", "--time", "now",
                                       "--new-password", "new"},
        directory.path());
    QVERIFY2(written.exitCode == 0, qPrintable(written.err));
    const int entries = LogLines(directory.path()).size();
    QCOMPARE(entries, 3);

    const CliRun read = RunCli(port + QStringList{"read"}, directory.path());
    QCOMPARE(Shown(read.out, "Расчетный день"), QString("15"));
    QCOMPARE(Shown(read.out, "Расчетный час"), QString("23"));

    const CliRun old = RunCli(port + QStringList{"--password", "old", "write", "--indicator", "1"}, directory.path());
    QVERIFY(old.exitCode > 0);
    QVERIFY2(old.err.contains(LoginRefused), qPrintable(old.err));
    QCOMPARE(LogLines(directory.path()).size(), entries);

    const CliRun renewed = RunCli(port + QStringList{"--password", "new", "write", "--indicator", "1"}, directory.path());
    QVERIFY2(renewed.exitCode == 0, qPrintable(renewed.err));
    QCOMPARE(EntryText(LogLines(directory.path()).last()), QString("Режим индикации=Суммарное потребление "));
}

void TestWriteCommand::setsTheClockGiven()
{
    const SimulatedMeterProcess meter({});
    const QStringList port{"--port", meter.Path()};
    QTemporaryDir directory;

    const CliRun written = RunCli(port + QStringList{"write", "--time", "2031-07-04T12:00:00"}, directory.path());
    QVERIFY2(written.exitCode == 0, qPrintable(written.err));
    const QString clock = Shown(RunCli(port + QStringList{"read"}, directory.path()).out, "Дата / время");
    QVERIFY2(clock.contains("2031") && clock.contains("12:00:"), qPrintable(clock));
}

void TestWriteCommand::failsWhenThePortCannotBeOpened()
{
    QTemporaryDir directory;
    const CliRun run = RunCli({"--port", "/dev/nonexistent", "write", "--indicator", "1"}, directory.path());
    QVERIFY(run.exitCode > 0);
    QVERIFY2(run.err.contains("Ошибка открытия порта /dev/nonexistent: порт не найден"), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestWriteCommand)
#include "tst_write_command.moc"
