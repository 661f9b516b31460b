// The station's look-up on the production database: the workstation, its
// operator and its type-3 plant, each with its message when it is not
// described; and the server's clock.

#include "db/database.h"
#include "db/query.h"
#include "db/station_lookup.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const char* const Tables[] = {
    "CREATE TABLE computer (computer_id INTEGER PRIMARY KEY, name VARCHAR(50))",
    "CREATE TABLE operator (person_id INTEGER PRIMARY KEY, login VARCHAR(50), operating BIT)",
    "CREATE TABLE plant (plant_id INTEGER PRIMARY KEY, type_id INT, computer_id INT)",
    "INSERT INTO computer VALUES (4, 'BENCH-2')",
    "INSERT INTO computer VALUES (5, 'BENCH-WITHOUT-PLANT')",
    "INSERT INTO operator VALUES (11, 'ivanova', 1)",
    "INSERT INTO operator VALUES (12, 'petrov', 0)",
    // A name longer than sixteen characters is read whole.
    "INSERT INTO operator VALUES (13, 'konstantinopolskaya', 1)",
    "INSERT INTO plant VALUES (20, 2, 4)",
    "INSERT INTO plant VALUES (21, 3, 4)",
    "INSERT INTO plant VALUES (22, 2, 5)",
};

} // namespace

class TestStationLookup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        database_ = Database::OpenSqlite(dir_.filePath(QStringLiteral("electrometer.db")));
        for (const char* statement : Tables)
            Query(*database_, QLatin1String(statement)).Execute();
    }
    void cleanupTestCase() { database_.reset(); }

    void lookUp_data()
    {
        QTest::addColumn<QString>("computer");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("all described") << "BENCH-2" << "ivanova" << "" << QList<int>{4, 11, 21};
        QTest::newRow("long login") << "BENCH-2" << "konstantinopolskaya" << "" << QList<int>{4, 13, 21};
        QTest::newRow("unknown computer")
            << "LAPTOP" << "ivanova" << "Компьютер \"LAPTOP\" не описан в БД." << QList<int>{0, 1, 1};
        QTest::newRow("operator no longer working")
            << "BENCH-2" << "petrov" << "Пользователь \"petrov\" не описан в БД." << QList<int>{4, 0, 1};
        QTest::newRow("no login") << "BENCH-2" << "" << "Пользователь \"\" не описан в БД." << QList<int>{4, 0, 1};
        QTest::newRow("no programming plant")
            << "BENCH-WITHOUT-PLANT" << "ivanova" << "Установка не описана в БД." << QList<int>{5, 11, 0};
    }
    void lookUp()
    {
        QFETCH(QString, computer);
        QFETCH(QString, login);
        QFETCH(QString, message);
        QFETCH(QList<int>, ids);
        // The look-up stops at the first one missing; those after it keep
        // the values of the last look-up.
        StationContext context{1, 1, 1};
        QCOMPARE(LookUpStation(*database_, computer, login, context), message);
        QCOMPARE((QList<int>{context.ComputerId, context.OperatorId, context.PlantId}), ids);
    }

    void serverTime() { QVERIFY(qAbs(ServerTime(*database_).secsTo(QDateTime::currentDateTime())) <= 2); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<Database> database_;
};

QTEST_GUILESS_MAIN(TestStationLookup)
#include "tst_station_lookup.moc"
