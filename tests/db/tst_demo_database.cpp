// The demo production database: a new SQLite file only, never a half-written
// one, and data on which the station works as on the line: it finds itself,
// "+" gives a described number, the drift of a programmed meter shows, and
// the route sheet takes its meters through programming.

#include "db/demo_database.h"

#include "db/database.h"
#include "db/meter_numbers.h"
#include "db/query.h"
#include "db/route_sheets.h"
#include "db/station_lookup.h"
#include "db_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int MeterType = 30;
constexpr int Programming = TDMemsl::ProgrammingConfig;
// The number the simulated meter reports.
constexpr int SimulatedMeter = 104217;
const QList<int> SheetMeters{104219, 104220, 104221};
const QString Computer = QStringLiteral("BENCH-1");
const QString Login = QStringLiteral("ivanova");

} // namespace

class TestDemoDatabase : public QObject {
    Q_OBJECT

private slots:
    void existingFileKept()
    {
        const QString path = dir_.filePath(QStringLiteral("electrometer.db"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("the line's own data");
        file.close();

        QVERIFY_THROWS_EXCEPTION(DbError, WriteDemoDatabase(path, Computer, Login));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("the line's own data"));
    }

    void unwritablePlace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("missing folder") << dir_.filePath(QStringLiteral("missing/electrometer.db")) << false;
        QTest::newRow("read-only folder") << dir_.filePath(QStringLiteral("read-only/electrometer.db")) << true;
        QTest::newRow("file as folder") << dir_.filePath(QStringLiteral("plain-file/electrometer.db")) << false;
    }
    void unwritablePlace()
    {
        QFETCH(QString, path);
        QFETCH(bool, readOnlyFolder);
        const QString folder = QFileInfo(path).path();
        if (readOnlyFolder) {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            QFile probe(folder + QStringLiteral("/probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QSKIP("this user writes into read-only folders");
            }
        } else if (folder.endsWith(QLatin1String("plain-file"))) {
            QFile plain(folder);
            QVERIFY(plain.open(QIODevice::WriteOnly));
        }

        QVERIFY_THROWS_EXCEPTION(DbError, WriteDemoDatabase(path, Computer, Login));
        QVERIFY(!QFileInfo::exists(path));
    }

    // The file exists by the time the workstation's names are inserted; a
    // computer without a name breaks the insert there.
    void failureRemovesTheFile()
    {
        const QString path = dir_.filePath(QStringLiteral("nameless.db"));
        QVERIFY_THROWS_EXCEPTION(DbError, WriteDemoDatabase(path, QString(), Login));
        QVERIFY(!QFileInfo::exists(path));
        // Nothing of the failed attempt stands in the way of the next.
        WriteDemoDatabase(path, Computer, Login);
        QVERIFY(QFileInfo::exists(path));
    }

    void stationFindsItself_data()
    {
        QTest::addColumn<QString>("computer");
        QTest::addColumn<QString>("login");
        QTest::newRow("plain") << "BENCH-1" << "ivanova";
        QTest::newRow("quotes") << "O'Neil \"bench\"" << "d'Artagnan";
        QTest::newRow("cyrillic") << "СТЕНД-2" << "Иванова";
        QTest::newRow("sql in the name") << "x'); DELETE FROM plant; --" << "';\nDROP TABLE operator;\n";
    }
    void stationFindsItself()
    {
        QFETCH(QString, computer);
        QFETCH(QString, login);
        auto database = FreshDemo(computer, login);

        Query names(*database, QStringLiteral("SELECT name, login FROM computer, operator"));
        names.Open();
        QCOMPARE(names.RowCount(), 1);
        QCOMPARE(names.Field(0).toString(), computer);
        QCOMPARE(names.Field(1).toString(), login);

        StationContext context;
        QCOMPARE(LookUpStation(*database, computer, login, context), QString());
        QVERIFY(context.ComputerId > 0);
        QVERIFY(context.OperatorId > 0);
        QVERIFY(context.PlantId > 0);
    }

    // "+" gives one more than the smallest free number: a meter the
    // database describes, on the route sheet, with no programming yet.
    void plusGivesADescribedMeter()
    {
        auto database = FreshDemo();
        const std::optional<int> number = AllocatedNumber(*database, MeterType);
        QVERIFY(number.has_value());
        QVERIFY(SheetMeters.contains(*number));
        QCOMPARE(CountOf(*database, QStringLiteral("electrometer WHERE type_id = %1 AND number = %2"), *number), 1);
        QCOMPARE(CountOf(*database, QStringLiteral("operation JOIN electrometer USING (electro_id) "
                                                   "WHERE electrometer.type_id = %1 AND number = %2"),
                     *number),
            0);
    }

    void lastProgrammed_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<qint64>("secondsAgo");
        QTest::newRow("simulated meter, newer of two") << SimulatedMeter << qint64(3 * 86400 + 3600);
        QTest::newRow("programmed once") << 104215 << qint64(6 * 86400 + 2 * 3600);
        QTest::newRow("free meter") << SheetMeters.first() << qint64(-1);
        QTest::newRow("unknown number") << 555555 << qint64(-1);
    }
    void lastProgrammed()
    {
        QFETCH(int, number);
        QFETCH(qint64, secondsAgo);
        auto database = FreshDemo();
        const QDateTime when = LastProgrammed(*database, number, MeterType);
        if (secondsAgo < 0) {
            QVERIFY(!when.isValid());
            return;
        }
        QVERIFY(when.isValid());
        QVERIFY2(qAbs(when.secsTo(QDateTime::currentDateTime()) - secondsAgo) <= 60, qPrintable(when.toString()));
    }

    void sheetReadyForProgramming_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("ready");
        for (int number : SheetMeters)
            QTest::addRow("%d on the sheet", number) << number << true;
        QTest::newRow("free meter on no sheet") << 104218 << false;
        QTest::newRow("programmed meter on no sheet") << SimulatedMeter << false;
    }
    void sheetReadyForProgramming()
    {
        QFETCH(int, number);
        QFETCH(bool, ready);
        auto database = FreshDemo();
        StationContext station;
        QCOMPARE(LookUpStation(*database, Computer, Login, station), QString());
        TDMemsl sheets(*database);
        QVERIFY(sheets.OperatorHasConfig(Programming, station.OperatorId));
        QCOMPARE(sheets.PrepareRouteSheet(number, MeterType, station.PlantId, station.OperatorId, Programming), ready);
    }

    // Programming all three meters of the sheet closes its programming and
    // leaves the verification open for them, for the station that does it.
    void sheetPassesToVerification()
    {
        auto database = FreshDemo();
        StationContext station;
        QCOMPARE(LookUpStation(*database, Computer, Login, station), QString());
        TDMemsl sheets(*database);
        for (int number : SheetMeters) {
            QVERIFY(sheets.PrepareRouteSheet(number, MeterType, station.PlantId, station.OperatorId, Programming));
            sheets.RegisterMeterResult(number, MeterType, TDMemsl::MeterResult::Good, station.OperatorId, Programming);
        }

        Query operations(*database,
            QStringLiteral("SELECT name_operation, entry, good, state_operation FROM msl_ "
                           "JOIN route USING (route_id) JOIN type_operation_msl USING (type_operation_msl_id) "
                           "ORDER BY msl_id"));
        operations.Open();
        QStringList rows;
        for (; !operations.Eof(); operations.Next())
            rows << QStringLiteral("%1 %2 %3 %4")
                        .arg(operations.Field(0).toString())
                        .arg(operations.Integer(1))
                        .arg(operations.Integer(2))
                        .arg(operations.Integer(3));
        QCOMPARE(rows,
            (QStringList{QStringLiteral("Сборка 3 3 1"), QStringLiteral("Программирование 3 3 1"),
                QStringLiteral("Поверка 3 0 0")}));
        QCOMPARE(ScalarOf(*database, QStringLiteral("SELECT COUNT(*) FROM RegMsl")), 0);
    }

private:
    std::unique_ptr<Database> FreshDemo(const QString& computer = Computer, const QString& login = Login)
    {
        const QString path = dir_.filePath(QStringLiteral("demo-%1.db").arg(++files_));
        WriteDemoDatabase(path, computer, login);
        return Database::OpenSqlite(path);
    }

    static int CountOf(Database& database, const QString& fromWhere, int number)
    {
        return ScalarOf(database, QStringLiteral("SELECT COUNT(*) FROM ") + fromWhere.arg(MeterType).arg(number));
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

QTEST_GUILESS_MAIN(TestDemoDatabase)
#include "tst_demo_database.moc"
