// vm742-cli journal, run as the operator runs it: on a meter served here
// whose journals the test chooses, and on the built-in simulated meter; the
// table on stdout, the workbook read back by another program, a read the
// meter breaks off, a workbook that cannot be written or that bears the
// temporary file's name, and usage errors.

#include "cli_run.h"
#include "running_cli.h"
#include "xls_reader.h"

#include "protocol/frame.h"
#include "sim/pty_server.h"
#include "sim/virtual_meter.h"

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// 2024-03-15 10:20:30 in meter seconds.
constexpr qint32 March15 = 763813230;

// A meter whose yearly journal holds January and February, then a month
// without a record, then December; its consumption journal is left as in
// service.
void ChooseYearJournal(VirtualMeter& meter)
{
    MeterState& s = meter.State();
    s.number = 4711;
    s.yearJournal = {};
    s.yearJournal[0] = YearJournalMonth{0x24, {1000.5, 250.25}, {March15, 1800}, 90061};
    s.yearJournal[1] = YearJournalMonth{0x24, {1100.75, 260}, {March15 + 3600, 2100}, 180000};
    s.yearJournal[11] = YearJournalMonth{0x23, {0.125}, {0, 0}, 0};
}

// The rows printed for that journal in the C locale the tool runs under.
QStringList ChosenYearTable()
{
    const QString zeros = QStringList(6, "0.000").join('\t');
    QStringList table{"месяц\tпик.мощн.\tдата пик.\tвремя пик.\t1 тариф\t2 тариф\t3 тариф\t4 тариф\t5 тариф\t"
                      "6 тариф\t7 тариф\t8 тариф\tнаработка",
        "24 янв.\t1800\t15 Mar 2024\t10:20:30\t1000.500\t250.250\t" + zeros + "\t1д.01:01:01",
        "24 фев.\t2100\t15 Mar 2024\t11:20:30\t1100.750\t260.000\t" + zeros + "\t2д.02:00:00"};
    const QString empty = QString(12, '\t');
    for (const char* month : {"март", "апр.", "май", "июнь", "июль", "авг.", "сент.", "окт.", "нояб."})
        table << month + empty;
    table << "23 дек.\t0\t1 Jan 2000\t00:00:00\t0.125\t0.000\t" + zeros + "\t00:00:00";
    return table;
}

QString FilePath(const QTemporaryDir& directory, const QString& name)
{
    return QDir(directory.path()).filePath(name);
}

// The first sheet's rows as another program reads them.
QJsonArray SheetRows(const QString& path)
{
    return ReadXls(path)["sheets"].toArray().at(0).toObject()["rows"].toArray();
}

// The workbook holds the title, then the printed table cell for cell: a
// number where the text is one (in the C locale), the text otherwise.
void CompareWorkbook(const QString& path, const QString& title, const QStringList& table)
{
    const QJsonArray rows = SheetRows(path);
    QCOMPARE(rows.size(), table.size() + 1);
    QCOMPARE(rows[0].toArray()[0].toArray()[1].toString(), title);
    for (int r = 0; r < table.size(); ++r) {
        const QStringList cells = table[r].split('\t');
        const QJsonArray read = rows[r + 1].toArray();
        for (int c = 0; c < cells.size(); ++c) {
            bool isNumber = false;
            const double number = cells[c].toDouble(&isNumber);
            const QJsonArray cell = read.at(c).toArray();
            if (isNumber)
                QVERIFY2(cell[0] == "number" && qFuzzyCompare(cell[1].toDouble() + 1, number + 1),
                    qPrintable(QString("row %1 column %2: %3").arg(r).arg(c).arg(cells[c])));
            else
                QCOMPARE(cell[1].toString(), cells[c]);
        }
    }
}

} // namespace

class TestJournalCommand : public QObject {
    Q_OBJECT
private slots:
    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no journal named") << QStringList{"--sim", "journal"};
        QTest::newRow("unknown journal") << QStringList{"--sim", "journal", "monthly"};
        QTest::newRow("one journal too many") << QStringList{"--sim", "journal", "yearly", "consumption"};
        QTest::newRow("--xls without a file name") << QStringList{"--sim", "journal", "yearly", "--xls", ""};
        QTest::newRow("--xls on another command") << QStringList{"--sim", "read", "--xls", "read.xls"};
        QTest::newRow("neither port nor simulated meter") << QStringList{"journal", "yearly"};
    }
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir directory;
        const CliRun run = RunCli(arguments, directory.path());
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QStringList{});
        QVERIFY(!run.err.isEmpty());
    }

    // The whole grid printed; the workbook beside it holds the same table
    // under the meter's number.
    void yearlyTableAndWorkbook()
    {
        VirtualMeter meter;
        ChooseYearJournal(meter);
        PtyServer server(meter);
        QTemporaryDir directory;
        const QString xls = FilePath(directory, "year.xls");
        RunningCli cli({"--port", server.SlavePath(), "journal", "yearly", "--xls", xls});
        QCOMPARE(cli.Finish(60000), 0);
        QCOMPARE(cli.Err(), QString());
        const QStringList table = ChosenYearTable();
        QCOMPARE(cli.Out(), table);
        CompareWorkbook(xls, "Счетчик № 4711, Годовой журнал", table);
    }

    // A workbook that cannot be written fails the run after the table.
    void workbookThatCannotBeWritten()
    {
        VirtualMeter meter;
        ChooseYearJournal(meter);
        PtyServer server(meter);
        QTemporaryDir directory;
        const QString xls = FilePath(directory, "missing/year.xls");
        RunningCli cli({"--port", server.SlavePath(), "journal", "yearly", "--xls", xls});
        QCOMPARE(cli.Finish(60000), 1);
        QCOMPARE(cli.Out(), ChosenYearTable());
        const QString err = cli.Err();
        QVERIFY2(err.contains(xls), qPrintable(err));
        QVERIFY(!QFileInfo::exists(xls));
    }

    // A workbook named like the first free temporary file beside it: the
    // temporary file takes another name, and the workbook is where it was
    // asked to be, alone.
    void workbookNamedLikeTheTemporaryFile()
    {
        QTemporaryDir directory;
        const QString xls = FilePath(directory, "1new.xls");
        RunningCli cli({"--sim", "journal", "yearly", "--xls", xls});
        QCOMPARE(cli.Finish(60000), 0);
        QCOMPARE(cli.Err(), QString());
        const VirtualMeter simulated;
        CompareWorkbook(xls, QString("Счетчик № %1, Годовой журнал").arg(simulated.State().number), cli.Out());
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList{"1new.xls"});
    }

    // The meter stops answering the journal: nothing is printed, the
    // reason and the count of answers go to stderr.
    void readBrokenOff()
    {
        VirtualMeter meter;
        ChooseYearJournal(meter);
        meter.InjectFault(Fault(FaultKind::NoAnswer).OnlyFor(ReadYearJournal));
        PtyServer server(meter);
        QTemporaryDir directory;
        const QString xls = FilePath(directory, "year.xls");
        RunningCli cli({"--port", server.SlavePath(), "--timeout", "200", "journal", "yearly", "--xls", xls});
        QCOMPARE(cli.Finish(60000), 1);
        QCOMPARE(cli.Out(), QStringList{});
        const QString err = cli.Err();
        QVERIFY2(err.contains("answered 0 of 12") && err.contains("Timeout."), qPrintable(err));
        QVERIFY(!QFileInfo::exists(xls));
    }

    // All 250 records asked for; the simulated meter's ring gives them out
    // of order and with free slots, the table lists them by number.
    void consumptionOnTheSimulatedMeter()
    {
        QTemporaryDir directory;
        const QString xls = FilePath(directory, "consumption.xls");
        RunningCli cli({"--sim", "journal", "consumption", "--xls", xls});
        QCOMPARE(cli.Finish(120000), 0);
        QCOMPARE(cli.Err(), QString());
        const QStringList table = cli.Out();
        QCOMPARE(table.size(), 221);
        QCOMPARE(table[0], "Запись №\tВремя\tСтатус\tТариф\tПоказания\tНаработка");
        for (int number = 1; number <= 220; ++number)
            QCOMPARE(table[number].section('\t', 0, 0), QString::number(number));
        QCOMPARE(table[22].section('\t', 3, 3), "однот.");
        const VirtualMeter simulated;
        CompareWorkbook(xls, QString("Счетчик № %1, Журнал потребления").arg(simulated.State().number), table);
    }
};

QTEST_GUILESS_MAIN(TestJournalCommand)
#include "tst_journal_command.moc"
