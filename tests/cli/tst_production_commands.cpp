// vm742-cli on the production line: the demo database it writes, the
// station look-up that must pass before any meter command, and the records
// of write and record, on vm742-sim behind a pseudo-terminal.

#include "cli_run.h"
#include "simulated_meter_process.h"

#include "db/database.h"
#include "db/query.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int NotRecorded = 3;

// Runs statements on the database file while no command holds it.
void Change(const QString& path, const QStringList& statements)
{
    auto database = Database::OpenSqlite(path);
    for (const QString& statement : statements)
        Query(*database, statement).Execute();
}

int Count(const QString& path, const QString& table)
{
    auto database = Database::OpenSqlite(path);
    Query query(*database, "SELECT COUNT(*) FROM " + table);
    query.Open();
    return query.Integer(0);
}

// The record's rows of the newest operation, as "table: values".
QStringList NewestRecord(const QString& path)
{
    auto database = Database::OpenSqlite(path);
    QStringList rows;
    for (const QString& text : {
             QStringLiteral("SELECT type_id, plant_id, person_id, success FROM operation "
                            "WHERE operation_id = (SELECT MAX(operation_id) FROM operation)"),
             QStringLiteral("SELECT date_time IS NOT NULL, summer, count_day, pass FROM set_vm_741 "
                            "WHERE operation_id = (SELECT MAX(operation_id) FROM operation)"),
             QStringLiteral("SELECT plm_group, plm_address, plm_number FROM set_pk "
                            "WHERE operation_id = (SELECT MAX(operation_id) FROM operation)"),
         }) {
        Query query(*database, text);
        query.Open();
        QStringList values;
        for (int column = 0; !query.Eof() && column < 4; ++column)
            if (query.Field(column).isValid())
                values << (query.Field(column).isNull() ? QStringLiteral("NULL") : query.Field(column).toString());
        rows << values.join(',');
    }
    return rows;
}

} // namespace

class TestProductionCommands : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        path_ = dir_.filePath(QString::number(++run_) + ".db");
        const CliRun demo = RunCli({"demo-db", path_});
        QVERIFY2(demo.exitCode == 0, qPrintable(demo.err));
    }

    void demoDbNeverOverwrites()
    {
        Change(path_, {"INSERT INTO type_status (name_status) VALUES ('kept')"});
        const CliRun again = RunCli({"demo-db", path_});
        QCOMPARE(again.exitCode, 1);
        QVERIFY2(again.err.contains(path_), qPrintable(again.err));
        QCOMPARE(Count(path_, "type_status WHERE name_status = 'kept'"), 1);

        QCOMPARE(RunCli({"demo-db", dir_.filePath("other.db"), "--db", path_}).exitCode, 2);
        QCOMPARE(RunCli({"--sim", "record"}).exitCode, 2);
        QCOMPARE(RunCli({"--sim", "read", "--db", dir_.filePath("missing.db")}).exitCode, 2);
    }

    // Nothing reaches the meter from a station the database does not know.
    void lookUpEndsTheRun_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("computer") << "UPDATE computer SET name = 'elsewhere'" << "не описан в БД.";
        QTest::newRow("operator") << "UPDATE operator SET operating = 0" << "не описан в БД.";
        QTest::newRow("plant") << "UPDATE plant SET type_id = 2" << "Установка не описана в БД.";
    }
    void lookUpEndsTheRun()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        Change(path_, {change});
        const int operations = Count(path_, "operation");
        const CliRun run = RunCli({"--sim", "record", "--db", path_});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains("Приложение остановлено") && run.err.contains(message), qPrintable(run.err));
        QCOMPARE(Count(path_, "operation"), operations);
    }

    void writeRecordsTheNewMeter()
    {
        SimulatedMeterProcess meter({"--number", "0"});
        const CliRun run = RunCli({"--port", meter.Path(), "--db", path_, "write", "--number", "104219", "--time", "now"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(NewestRecord(path_), (QStringList{"3,1,1,1", "1,0,NULL,NULL", "42,19,104219"}));
        // The meter is the first of the demo's route sheet.
        QCOMPARE(Count(path_, "RegMslGood"), 1);
        QCOMPARE(Count(path_, "RegMslEntry"), 2);
    }

    void writtenButNotRecorded_data()
    {
        QTest::addColumn<QStringList>("change");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("number not in the database")
            << QStringList{} << "999" << "Номер прибора не описан в БД. Установите его.";
        // Root ignores file permissions: a trigger makes the insert fail.
        QTest::newRow("insert fails") << QStringList{"CREATE TRIGGER refuse BEFORE INSERT ON set_vm_741 "
                                                     "BEGIN SELECT RAISE(ABORT, 'set_vm_741 refused'); END"}
                                      << "104220" << "Ошибка записи в БД: set_vm_741 refused";
        // A failure before the record's transaction is reported, and the
        // write's completion still runs to its end.
        QTest::newRow("checks fail") << QStringList{"ALTER TABLE electrometer RENAME TO meters_away"} << "104220"
                                     << "no such table: electrometer";
    }
    void writtenButNotRecorded()
    {
        QFETCH(QStringList, change);
        QFETCH(QString, number);
        QFETCH(QString, message);
        Change(path_, change);
        const int operations = Count(path_, "operation");
        const int sheetRows = Count(path_, "RegMsl");

        SimulatedMeterProcess meter({"--number", "0"});
        const CliRun run = RunCli({"--port", meter.Path(), "--db", path_, "write", "--number", number});
        QCOMPARE(run.exitCode, NotRecorded);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        // The transaction was rolled back whole.
        QCOMPARE(Count(path_, "operation"), operations);
        QCOMPARE(Count(path_, "set_pk"), 3);
        QCOMPARE(Count(path_, "RegMsl"), sheetRows);
        // The meter took its number all the same.
        const CliRun read = RunCli({"--port", meter.Path(), "read"});
        QCOMPARE(Shown(read.out, "Заводской номер"), QString("%1").arg(number, 6, QLatin1Char('0')));
    }

    void recordWithoutWriting()
    {
        const int operations = Count(path_, "operation");
        const CliRun run = RunCli({"--sim", "--db", path_, "record"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(Count(path_, "operation"), operations + 1);
        // The built-in meter has its number: no set_pk, and no written values.
        QCOMPARE(NewestRecord(path_), (QStringList{"3,1,1,1", "0,NULL,NULL,NULL", ""}));
    }

private:
    QTemporaryDir dir_;
    QString path_;
    int run_ = 0;
};

QTEST_GUILESS_MAIN(TestProductionCommands)
#include "tst_production_commands.moc"
