// The programming station's share of the route-sheet work on a sheet of
// three meters (and one rejected earlier) whose first operation is open:
// the registration at the first meter, the filing of every meter, and the
// last meter closing the operation and walking the route.

#include "db/route_sheets.h"

#include "db_fixture.h"
#include "workstation/workstation_clock.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

using Result = TDMemsl::MeterResult;
Q_DECLARE_METATYPE(TDMemsl::MeterResult)

namespace {

constexpr int Config = TDMemsl::ProgrammingConfig;
constexpr int MeterType = 30;
constexpr int Operator = 5;
constexpr int Plant = 7;

// Route types: their steps are route_id = type + Srun. Operation types 1
// and 2 are performed by the programming configuration, 3 by another one.
enum RouteType {
    // Programming, then packing elsewhere.
    ToOtherStation = 100,
    // Programming, checking here too, then packing elsewhere.
    CheckedHereToo = 200,
    // Programming, then checking here but not as an operation of its own.
    NoLaterOperation = 300,
};

QStringList SheetStatements(int routeType)
{
    return {
        "INSERT INTO operator VALUES (5, 'ivanova', 1), (6, 'petrov', 1)",
        // Person 9 is assigned but is no operator.
        "INSERT INTO config_operator VALUES (11, 5), (12, 6), (11, 9)",
        "INSERT INTO type_operation_msl VALUES (1, 'Программирование'), (2, 'Проверка'), (3, 'Упаковка')",
        "INSERT INTO config_operation VALUES (1, 11, 1), (2, 11, 2), (3, 12, 3)",
        "INSERT INTO type_status VALUES (1, 'Ожидает работы'), (2, 'В работе')",
        "INSERT INTO route VALUES (101, 100, 1, 1, 1), (102, 100, 2, 1, 3), "
        "(201, 200, 1, 1, 1), (202, 200, 2, 1, 2), (203, 200, 3, 1, 3), "
        "(301, 300, 1, 1, 1), (302, 300, 2, 0, 2)",
        "INSERT INTO name_electro VALUES (1, 'Вельмар 742')",
        "INSERT INTO JournalMsl VALUES (1, 1)",
        QStringLiteral("INSERT INTO msl_info VALUES (1, 1, %1, 1, 0, 1)").arg(routeType),
        // 2001 is on no sheet.
        "INSERT INTO electrometer VALUES (1, 1001, 30), (2, 1002, 30), (3, 1003, 30), (4, 1004, 30), (5, 2001, 30)",
        "INSERT INTO MslElectro VALUES (1, 1, 1, 0, 10), (2, 1, 2, 0, 10), (3, 1, 3, 0, 10), (4, 1, 4, 1, 10)",
        QStringLiteral("INSERT INTO msl_ (msl_id, JournalMsl_id, route_id, entry, date_time_start, dt_start, user_id, "
                       "state_operation) VALUES (10, 1, %1, 3, '24.12.11', '2011-12-24 08:00:00', 6, 0)")
            .arg(routeType + 1),
    };
}

// The station's moment of the closing, with milliseconds to be dropped.
const QDateTime ClosingTime(QDate(2011, 12, 25), QTime(10, 20, 30, 750));

// Every row of the sheet's tables, to see that nothing was written.
const char* const SheetTables[] = {
    "SELECT * FROM msl_ ORDER BY msl_id",
    "SELECT * FROM MslElectro ORDER BY MslElectro_id",
    "SELECT * FROM RegMsl ORDER BY RegMsl_id",
    "SELECT * FROM RegMslEntry ORDER BY RegMslEntry_id",
    "SELECT * FROM RegMslGood ORDER BY RegMslGood_id",
    "SELECT * FROM RegMslBrak ORDER BY RegMslBrak_id",
};

// Fails the run instead of hanging it when a call never returns.
class Deadline {
public:
    explicit Deadline(std::chrono::seconds limit)
        : watcher_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!returned_.wait_for(lock, limit, [this] { return done_; }))
                  qFatal("the route-sheet work did not return within %lld s", qlonglong(limit.count()));
          })
    {
    }
    ~Deadline()
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        returned_.notify_one();
        watcher_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable returned_;
    bool done_ = false;
    std::thread watcher_;
};

} // namespace

class TestRouteSheets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { WorkstationClock::SetTo(ClosingTime); }
    void cleanupTestCase() { WorkstationClock::Reset(); }
    void cleanup()
    {
        memsl_.reset();
        database_.reset();
    }

    void operatorHasConfig_data()
    {
        QTest::addColumn<int>("config");
        QTest::addColumn<int>("person");
        QTest::addColumn<bool>("assigned");
        QTest::newRow("assigned") << Config << Operator << true;
        QTest::newRow("assigned to another configuration") << Config << 6 << false;
        QTest::newRow("another configuration asked") << 12 << Operator << false;
        QTest::newRow("assigned but no operator") << Config << 9 << false;
        QTest::newRow("unknown") << Config << 77 << false;
    }
    void operatorHasConfig()
    {
        QFETCH(int, config);
        QFETCH(int, person);
        QFETCH(bool, assigned);
        Open(ToOtherStation);
        QCOMPARE(memsl_->OperatorHasConfig(config, person), assigned);
    }

    void notReady_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<int>("number");
        QTest::newRow("unknown meter") << QStringList() << 999;
        QTest::newRow("meter on no sheet") << QStringList() << 2001;
        QTest::newRow("status other than waiting") << QStringList{"UPDATE msl_info SET type_status_id = 2"} << 1001;
        QTest::newRow("no status") << QStringList{"UPDATE msl_info SET type_status_id = NULL"} << 1001;
        QTest::newRow("unknown status") << QStringList{"UPDATE msl_info SET type_status_id = 9"} << 1001;
        QTest::newRow("archived") << QStringList{"UPDATE msl_info SET archive = 1"} << 1001;
        QTest::newRow("inactive") << QStringList{"UPDATE msl_info SET active = 0"} << 1001;
        QTest::newRow("no route type") << QStringList{"UPDATE msl_info SET type_route_id = NULL"} << 1001;
        QTest::newRow("no sheet information") << QStringList{"DELETE FROM msl_info"} << 1001;
        QTest::newRow("no open operation") << QStringList{"UPDATE msl_ SET state_operation = 1"} << 1001;
        QTest::newRow("open operation performed elsewhere")
            << QStringList{"UPDATE msl_ SET route_id = 102"} << 1001;
        QTest::newRow("open operation on another route type")
            << QStringList{"UPDATE msl_ SET route_id = 201"} << 1001;
        // Values the decision does not come to are not read: left NULL,
        // they refuse nothing.
        QTest::newRow("finished, flags not set")
            << QStringList{"UPDATE msl_ SET state_operation = 1",
                   "UPDATE msl_info SET type_status_id = 2, archive = NULL, active = NULL"}
            << 1001;
        QTest::newRow("archived, active not set") << QStringList{"UPDATE msl_info SET archive = 1, active = NULL"}
                                                  << 1001;
        QTest::newRow("at another station's operation, flags and entry not set")
            << QStringList{"UPDATE msl_ SET route_id = 102, entry = NULL",
                   "UPDATE msl_info SET archive = NULL, active = NULL"}
            << 1001;
        // The meter was rejected on a newer sheet, which is at work.
        QTest::newRow("newest sheet not ready")
            << QStringList{"INSERT INTO JournalMsl VALUES (2, 1)", "INSERT INTO msl_info VALUES (2, 2, 100, 2, 0, 1)",
                   "INSERT INTO MslElectro VALUES (5, 2, 1, 1, NULL)"}
            << 1001;
    }
    void notReady()
    {
        QFETCH(QStringList, changes);
        QFETCH(int, number);
        Open(ToOtherStation, changes);
        const QString before = Snapshot();
        QVERIFY(!memsl_->PrepareRouteSheet(number, MeterType, Plant, Operator, Config));
        memsl_->RegisterMeterResult(number, MeterType, Result::Good, Operator, Config);
        QCOMPARE(Snapshot(), before);
    }

    void firstMeterRegistersTheSheet()
    {
        Open(ToOtherStation);
        QVERIFY(memsl_->PrepareRouteSheet(1001, MeterType, Plant, Operator, Config));
        QCOMPARE(Column("SELECT person_id || ':' || plant_id || ':' || JournalMsl_id || ':' || EntryEl FROM RegMsl"),
            "5:7:1:3");
        // The meter rejected earlier is not expected.
        QCOMPARE(Column("SELECT electro_id FROM RegMslEntry ORDER BY electro_id"), "1,2,3");

        memsl_->RegisterMeterResult(1001, MeterType, Result::Good, Operator, Config);
        QCOMPARE(Column("SELECT electro_id FROM RegMslEntry ORDER BY electro_id"), "2,3");
        QCOMPARE(Column("SELECT electro_id FROM RegMslGood"), "1");

        // The next meter finds the registration as it is.
        Record(1002);
        QCOMPARE(Column("SELECT RegMsl_id || ':' || EntryEl FROM RegMsl"), "1:3");
        QCOMPARE(Column("SELECT electro_id FROM RegMslEntry"), "3");
        QCOMPARE(Column("SELECT electro_id FROM RegMslGood ORDER BY electro_id"), "1,2");
        // Nothing is closed before the last meter.
        QCOMPARE(Column("SELECT msl_id || ':' || state_operation || ':' || ifnull(good, '-') FROM msl_"), "10:0:-");
    }

    // The expected count is taken when the registration is made; a sheet
    // registered already goes on without it.
    void registeredSheetNeedsNoEntry()
    {
        Open(ToOtherStation, {"UPDATE msl_ SET entry = NULL", "INSERT INTO RegMsl VALUES (1, 6, 7, 1, 3)",
                                 "INSERT INTO RegMslEntry VALUES (1, 1, 1), (2, 1, 2), (3, 1, 3)"});
        Record(1001);
        QCOMPARE(Column("SELECT electro_id FROM RegMslGood"), "1");
        QCOMPARE(Column("SELECT electro_id FROM RegMslEntry ORDER BY electro_id"), "2,3");
    }

    // A sheet whose kind of meter is not described is ready, but not
    // registered, so nothing is filed on it.
    void sheetOfUnknownKindNotRegistered()
    {
        Open(ToOtherStation, {"UPDATE JournalMsl SET name_electro_id = 9"});
        const QString before = Snapshot();
        QVERIFY(memsl_->PrepareRouteSheet(1001, MeterType, Plant, Operator, Config));
        memsl_->RegisterMeterResult(1001, MeterType, Result::Good, Operator, Config);
        QCOMPARE(Snapshot(), before);
    }

    void sameMeterTwiceCountedOnce()
    {
        Open(ToOtherStation);
        Record(1001);
        const QString once = Snapshot();
        Record(1001);
        QCOMPARE(Snapshot(), once);
        QCOMPARE(Column("SELECT electro_id FROM RegMslGood"), "1");
    }

    void resultRefiled_data()
    {
        QTest::addColumn<Result>("first");
        QTest::addColumn<Result>("second");
        QTest::addColumn<QString>("goodAfterFirst");
        QTest::addColumn<QString>("goodAfterSecond");
        QTest::addColumn<QString>("rejectedAfterSecond");
        QTest::newRow("good, then rejected") << Result::Good << Result::Rejected << "1" << "" << "1";
        QTest::newRow("rejected, then good") << Result::Rejected << Result::Good << "" << "1" << "";
        QTest::newRow("rejected twice") << Result::Rejected << Result::Rejected << "" << "" << "1";
    }
    void resultRefiled()
    {
        QFETCH(Result, first);
        QFETCH(Result, second);
        QFETCH(QString, goodAfterFirst);
        QFETCH(QString, goodAfterSecond);
        QFETCH(QString, rejectedAfterSecond);
        Open(ToOtherStation);
        Record(1001, first);
        QCOMPARE(Column("SELECT electro_id FROM RegMslGood"), goodAfterFirst);
        QCOMPARE(Column("SELECT electro_id FROM RegMslBrak").isEmpty(), !goodAfterFirst.isEmpty());
        Record(1001, second);
        QCOMPARE(Column("SELECT electro_id FROM RegMslGood"), goodAfterSecond);
        QCOMPARE(Column("SELECT electro_id FROM RegMslBrak"), rejectedAfterSecond);
        QCOMPARE(Column("SELECT electro_id FROM RegMslEntry ORDER BY electro_id"), "2,3");
    }

    // The operations are listed as msl_id:route_id:entry:good:bad:state and
    // the sheet's meters as electro_id:Fbad:msl_id.
    void lastMeterClosesTheOperation_data()
    {
        QTest::addColumn<int>("routeType");
        QTest::addColumn<QList<Result>>("results");
        QTest::addColumn<QString>("operations");
        QTest::addColumn<QString>("meters");
        const Result G = Result::Good;
        const Result R = Result::Rejected;
        QTest::newRow("next step elsewhere") << int(ToOtherStation) << QList<Result>{G, G, G}
                                             << "10:101:3:3:0:1,11:102:3:0:0:0" << "1:0:11,2:0:11,3:0:11,4:1:10";
        QTest::newRow("one rejected") << int(ToOtherStation) << QList<Result>{G, R, G}
                                      << "10:101:3:2:1:1,11:102:2:0:0:0" << "1:0:11,2:1:10,3:0:11,4:1:10";
        QTest::newRow("all rejected: no next operation")
            << int(ToOtherStation) << QList<Result>{R, R, R} << "10:101:3:0:3:1" << "1:1:10,2:1:10,3:1:10,4:1:10";
        QTest::newRow("next step here too: opened and closed at once")
            << int(CheckedHereToo) << QList<Result>{G, G, G} << "10:201:3:3:0:1,11:202:3:3:0:1,12:203:3:0:0:0"
            << "1:0:12,2:0:12,3:0:12,4:1:10";
        QTest::newRow("next step here too, one rejected")
            << int(CheckedHereToo) << QList<Result>{G, G, R} << "10:201:3:2:1:1,11:202:2:2:0:1,12:203:2:0:0:0"
            << "1:0:12,2:0:12,3:1:10,4:1:10";
        QTest::newRow("next step here too, all rejected")
            << int(CheckedHereToo) << QList<Result>{R, R, R} << "10:201:3:0:3:1" << "1:1:10,2:1:10,3:1:10,4:1:10";
        QTest::newRow("no later step run on its own: the route ends")
            << int(NoLaterOperation) << QList<Result>{G, G, G} << "10:301:3:3:0:1" << "1:0:10,2:0:10,3:0:10,4:1:10";
    }
    void lastMeterClosesTheOperation()
    {
        QFETCH(int, routeType);
        QFETCH(QList<Result>, results);
        QFETCH(QString, operations);
        QFETCH(QString, meters);
        Open(routeType);
        {
            const Deadline deadline(std::chrono::seconds(60));
            for (int meter = 0; meter < results.size(); ++meter)
                Record(1001 + meter, results[meter]);
        }
        QCOMPARE(Column("SELECT msl_id || ':' || route_id || ':' || entry || ':' || good || ':' || bad || ':' || "
                        "state_operation FROM msl_ ORDER BY msl_id"),
            operations);
        QCOMPARE(Column("SELECT electro_id || ':' || Fbad || ':' || msl_id FROM MslElectro ORDER BY electro_id"), meters);
        QCOMPARE(Column("SELECT (SELECT count(*) FROM RegMsl) + (SELECT count(*) FROM RegMslEntry) + "
                        "(SELECT count(*) FROM RegMslGood) + (SELECT count(*) FROM RegMslBrak)"),
            "0");
    }

    // Who closed and opened the operations, and when.
    void closingStamps()
    {
        Open(ToOtherStation);
        for (int number : {1001, 1002, 1003})
            Record(number);
        QCOMPARE(Column("SELECT date_time_stop || ':' || person_id || ':' || date_time_start || ':' || user_id || ':' || "
                        "JournalMsl_id FROM msl_ WHERE msl_id = 10"),
            "25.12.11:5:24.12.11:6:1");
        QCOMPARE(Column("SELECT date_time_start || ':' || user_id || ':' || JournalMsl_id || ':' || "
                        "ifnull(date_time_stop, '-') || ':' || ifnull(person_id, '-') FROM msl_ WHERE msl_id = 11"),
            "25.12.11:5:1:-:-");
        for (const char* moment : {"SELECT dt_stop FROM msl_ WHERE msl_id = 10", "SELECT dt_start FROM msl_ WHERE msl_id = 11"}) {
            Query query(*database_, QLatin1String(moment));
            query.Open();
            const QDateTime stamp = query.DateTime(0);
            QVERIFY2(stamp.isValid(), moment);
            QCOMPARE(stamp.time().msec(), 0);
            QVERIFY2(stamp >= ClosingTime.addMSecs(-750) && stamp < ClosingTime.addSecs(60), qPrintable(stamp.toString()));
        }
    }

    // The sheet's newest operation is not the open one this station
    // registered for: the complete registration is left as it is.
    void completeButNewestOperationNotOpen_data()
    {
        QTest::addColumn<QString>("newest");
        QTest::newRow("closed already") << "INSERT INTO msl_ (msl_id, JournalMsl_id, route_id, entry, state_operation) "
                                           "VALUES (11, 1, 102, 1, 1)";
        QTest::newRow("on no route") << "INSERT INTO msl_ (msl_id, JournalMsl_id, route_id, entry, state_operation) "
                                        "VALUES (11, 1, NULL, 1, 0)";
    }
    void completeButNewestOperationNotOpen()
    {
        QFETCH(QString, newest);
        Open(ToOtherStation, {"UPDATE msl_ SET entry = 1", newest});
        const char* const operations = "SELECT msl_id || ':' || ifnull(good, '-') || ':' || ifnull(person_id, '-') || "
                                       "':' || state_operation FROM msl_ ORDER BY msl_id";
        const QString before = Column(operations);
        Record(1001);
        QCOMPARE(Column(operations), before);
        QCOMPARE(Column("SELECT electro_id FROM RegMslGood"), "1");
        QCOMPARE(Column("SELECT msl_id FROM MslElectro"), "10,10,10,10");
    }

    void entryLargerThanTheSheetNeverCompletes()
    {
        Open(ToOtherStation, {"UPDATE msl_ SET entry = 5"});
        for (int number : {1001, 1002, 1003, 1001})
            Record(number);
        QCOMPARE(Column("SELECT EntryEl FROM RegMsl"), "5");
        QCOMPARE(Column("SELECT electro_id FROM RegMslGood ORDER BY electro_id"), "1,2,3");
        QCOMPARE(Column("SELECT msl_id || ':' || state_operation FROM msl_"), "10:0");
        QCOMPARE(Column("SELECT msl_id FROM MslElectro"), "10,10,10,10");
    }

    void nullNumberThrows_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<bool>("whenRegistering");
        QTest::newRow("archive") << QStringList{"UPDATE msl_info SET archive = NULL"} << false;
        QTest::newRow("active") << QStringList{"UPDATE msl_info SET active = NULL"} << false;
        QTest::newRow("entry of the open operation") << QStringList{"UPDATE msl_ SET entry = NULL"} << false;
        QTest::newRow("expected count of the registration")
            << QStringList{"INSERT INTO RegMsl VALUES (1, 5, 7, 1, NULL)"} << true;
        // With one meter expected the first one completes the registration.
        QTest::newRow("step of the finished operation")
            << QStringList{"UPDATE msl_ SET entry = 1", "UPDATE route SET Srun = NULL WHERE route_id = 101"} << true;
        QTest::newRow("run flag of the finished operation")
            << QStringList{"UPDATE msl_ SET entry = 1", "UPDATE route SET Frun = NULL WHERE route_id = 101"} << true;
        QTest::newRow("run flag of the next step")
            << QStringList{"UPDATE msl_ SET entry = 1", "UPDATE route SET Frun = NULL WHERE route_id = 102"} << true;
        QTest::newRow("state of the newest operation")
            << QStringList{"UPDATE msl_ SET entry = 1",
                   "INSERT INTO msl_ (msl_id, JournalMsl_id, route_id, entry, state_operation) VALUES (11, 1, 102, 1, NULL)"}
            << true;
    }
    void nullNumberThrows()
    {
        QFETCH(QStringList, changes);
        QFETCH(bool, whenRegistering);
        Open(ToOtherStation, changes);
        if (!whenRegistering) {
            QVERIFY_THROWS_EXCEPTION(DbError, memsl_->PrepareRouteSheet(1001, MeterType, Plant, Operator, Config));
            return;
        }
        QVERIFY(memsl_->PrepareRouteSheet(1001, MeterType, Plant, Operator, Config));
        QVERIFY_THROWS_EXCEPTION(DbError, memsl_->RegisterMeterResult(1001, MeterType, Result::Good, Operator, Config));
    }

private:
    void Open(int routeType, const QStringList& changes = {})
    {
        database_ = OpenTestDatabase(dir_.filePath(QString::number(++run_) + QStringLiteral(".db")),
            SheetStatements(routeType) + changes);
        memsl_ = std::make_unique<TDMemsl>(*database_);
    }

    // The calls of the operation record for one meter.
    void Record(int number, Result result = Result::Good)
    {
        if (memsl_->OperatorHasConfig(Config, Operator)
            && memsl_->PrepareRouteSheet(number, MeterType, Plant, Operator, Config))
            memsl_->RegisterMeterResult(number, MeterType, result, Operator, Config);
    }

    // Field 0 of every row, joined by commas.
    QString Column(const char* text)
    {
        Query query(*database_, QString::fromUtf8(text));
        query.Open();
        QStringList values;
        for (; !query.Eof(); query.Next())
            values << query.Field(0).toString();
        return values.join(QLatin1Char(','));
    }

    QString Snapshot()
    {
        QStringList rows;
        for (const char* table : SheetTables) {
            QSqlQuery query(database_->Connection());
            if (!query.exec(QLatin1String(table)))
                qFatal("%s", table);
            while (query.next()) {
                QStringList values;
                for (int field = 0; field < query.record().count(); ++field)
                    values << query.value(field).toString();
                rows << values.join(QLatin1Char('|'));
            }
        }
        return rows.join(QLatin1Char('\n'));
    }

    QTemporaryDir dir_;
    int run_ = 0;
    std::unique_ptr<Database> database_;
    std::unique_ptr<TDMemsl> memsl_;
};

QTEST_GUILESS_MAIN(TestRouteSheets)
#include "tst_route_sheets.moc"
