// Meter numbers in the production database: the next free number for a
// new meter and the newest clock this system wrote into a meter.

#include "db/database.h"
#include "db/meter_numbers.h"
#include "db/query.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int MeterType = 30;

const char* const Tables[] = {
    "CREATE TABLE electrometer (electro_id INTEGER PRIMARY KEY, number INT, type_id INT)",
    "CREATE TABLE operation (operation_id INTEGER PRIMARY KEY, electro_id INT, type_id INT)",
    "CREATE TABLE set_vm_741 (operation_id INT, date_time DATETIME)",
};

} // namespace

class TestMeterNumbers : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        database_ = Database::OpenSqlite(dir_.filePath(QString::number(++run_) + QStringLiteral(".db")));
        for (const char* statement : Tables)
            Run(statement);
    }
    void cleanup() { database_.reset(); }

    void allocatedNumber()
    {
        // No meter of the type at all: MIN gives one row holding NULL.
        QCOMPARE(AllocatedNumber(*database_, MeterType), std::optional<int>(1));
        Run("INSERT INTO electrometer VALUES (1, 104001, 30), (2, 104002, 30), (3, 104003, 30), (4, 100, 31)");
        Run("INSERT INTO operation VALUES (1, 1, 3), (2, 2, 5)");
        // 104001 is programmed; 104002 has another kind of operation only.
        QCOMPARE(AllocatedNumber(*database_, MeterType), std::optional<int>(104003));
        Run("INSERT INTO operation VALUES (3, 2, 3), (4, 3, 3)");
        QCOMPARE(AllocatedNumber(*database_, MeterType), std::optional<int>(1));
    }

    void lastProgrammed()
    {
        Run("INSERT INTO electrometer VALUES (1, 104001, 30), (2, 104001, 31), (3, 0, 30)");
        Run("INSERT INTO operation VALUES (1, 1, 3), (2, 1, 3), (3, 2, 3), (4, 1, 3)");
        Run("INSERT INTO set_vm_741 VALUES (1, '2026-11-02T10:00:00.000'), (2, '2026-12-01T09:30:15.000'), "
            "(3, '2026-12-09T00:00:00.000'), (4, NULL)");
        QCOMPARE(LastProgrammed(*database_, 104001, MeterType), QDateTime(QDate(2026, 12, 1), QTime(9, 30, 15)));
        QVERIFY(!LastProgrammed(*database_, 0, MeterType).isValid());
        QVERIFY(!LastProgrammed(*database_, 555555, MeterType).isValid());
    }

private:
    void Run(const char* statement) { Query(*database_, QLatin1String(statement)).Execute(); }

    QTemporaryDir dir_;
    int run_ = 0;
    std::unique_ptr<Database> database_;
};

QTEST_GUILESS_MAIN(TestMeterNumbers)
#include "tst_meter_numbers.moc"
