// The database contract the station relies on, on a SQLite file: typed
// parameters by name, fields by name or position with the NULL rules, row
// counts, stepping, changes inside transactions, getdate(), and every
// failure thrown with the engine's message.

#include "db/database.h"
#include "db/query.h"

#include <QTemporaryDir>
#include <QTest>

class TestDatabase : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        database_ = Database::OpenSqlite(dir_.filePath(QStringLiteral("electrometer.db")));
        Query(*database_, "DROP TABLE IF EXISTS operation").Execute();
        Query(*database_,
            "CREATE TABLE operation (operation_id INTEGER PRIMARY KEY, electro_id INT, note VARCHAR(50), "
            "done BIT, drift FLOAT, date_time DATETIME)")
            .Execute();
    }
    void cleanup() { database_.reset(); }

    void parametersTypedAndKept()
    {
        Query insert(*database_, "INSERT INTO operation (electro_id, note, done, drift, date_time) "
                                 "VALUES (:electro_id, :note, :done, :drift, :date_time)");
        insert.SetInteger("electro_id", 7);
        insert.SetText("note", "Запись");
        insert.SetBoolean("done", true);
        insert.SetFloat("drift", 1.5);
        insert.SetDateTime("date_time", QDateTime(QDate(2026, 12, 10), QTime(23, 59, 58, 125)));
        insert.Execute();
        // Only what changes is set again; the rest keeps its value.
        insert.SetInteger("electro_id", 8);
        insert.Clear("date_time");
        insert.Execute();

        Query rows(*database_, "SELECT * FROM operation ORDER BY electro_id");
        rows.Open();
        QCOMPARE(rows.RowCount(), 2);
        QCOMPARE(rows.Integer("electro_id"), 7);
        QCOMPARE(rows.Field("note").toString(), QStringLiteral("Запись"));
        QCOMPARE(rows.Field("done").toBool(), true);
        QCOMPARE(rows.Field("drift").toDouble(), 1.5);
        QCOMPARE(rows.DateTime(5), QDateTime(QDate(2026, 12, 10), QTime(23, 59, 58, 125)));
        rows.Next();
        QVERIFY(!rows.Eof());
        QCOMPARE(rows.Integer(1), 8);
        QCOMPARE(rows.Field("note").toString(), QStringLiteral("Запись"));
        QVERIFY(rows.Field("date_time").isNull());
        QVERIFY(!rows.DateTime(5).isValid());
        rows.Next();
        QVERIFY(rows.Eof());
    }

    // An aggregate over nothing is one row holding NULL; no row at all
    // reads as 0 or null as well.
    void nullRules()
    {
        Query aggregate(*database_, "SELECT MIN(electro_id) FROM operation");
        aggregate.Open();
        QCOMPARE(aggregate.RowCount(), 1);
        QVERIFY(aggregate.Field(0).isNull());
        QCOMPARE(aggregate.Integer(0), 0);

        Query none(*database_, "SELECT * FROM operation WHERE electro_id = :electro_id");
        none.SetInteger("electro_id", 1);
        none.Open();
        QCOMPARE(none.RowCount(), 0);
        QVERIFY(none.Eof());
        QCOMPARE(none.Integer("operation_id"), 0);
        QVERIFY(none.Field("note").isNull());
        QVERIFY(!none.DateTime(0).isValid());
    }

    void transactions()
    {
        Query insert(*database_, "INSERT INTO operation (electro_id) VALUES (:electro_id)");
        Query count(*database_, "SELECT COUNT(*) FROM operation");
        database_->Begin();
        insert.SetInteger("electro_id", 1);
        insert.Execute();
        database_->Rollback();
        count.Open();
        QCOMPARE(count.Integer(0), 0);

        database_->Begin();
        insert.Execute();
        insert.SetInteger("electro_id", 2);
        insert.Execute();
        database_->Commit();
        count.Open();
        QCOMPARE(count.Integer(0), 2);
    }

    // The SQL Server texts run as they stand.
    void serverTime()
    {
        Query time(*database_, "SELECT getdate()");
        time.Open();
        QVERIFY(qAbs(time.DateTime(0).secsTo(QDateTime::currentDateTime())) <= 2);
    }

    void failuresThrownWithTheirMessage()
    {
        Query wrong(*database_, "SELECT * FROM no_such_table");
        try {
            wrong.Open();
            QFAIL("a query on a missing table ran");
        } catch (const DbError& error) {
            QVERIFY2(error.Message().contains("no_such_table"), qPrintable(error.Message()));
        }
        QVERIFY_THROWS_EXCEPTION(DbError, Query(*database_, "INSERT INTO operation (operation_id) VALUES (1), (1)")
                                              .Execute());
        database_.reset();
        QVERIFY_THROWS_EXCEPTION(DbError, Database::OpenSqlite(dir_.filePath(QStringLiteral("missing/x.db"))));
        QVERIFY_THROWS_EXCEPTION(DbError, Database::OpenOdbc(QStringLiteral("no data source of this name")));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<Database> database_;
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
