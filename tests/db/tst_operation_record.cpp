// The record of a programmed meter: the operation with its clock verdict,
// the meter's values and the written ones, the number given now, and the
// route-sheet step, all or nothing.

#include "db/operation_record.h"

#include "db/database.h"
#include "db/query.h"
#include "db_fixture.h"
#include "meter/value_formats.h"
#include "recording_dialogs.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(RecordOutcome)

namespace {

constexpr int OperatorId = 5;
constexpr int PlantId = 7;
// Meters of the program's type; 777 is a meter of another type.
constexpr int Numbered = 12345;
constexpr int Fresh = 123456;

const QStringList Station = {
    QStringLiteral("INSERT INTO operator (person_id, login, operating) VALUES (5, 'ivanova', 1)"),
    QStringLiteral("INSERT INTO computer VALUES (1, 'BENCH-2')"),
    QStringLiteral("INSERT INTO plant VALUES (7, 3, 1)"),
    QStringLiteral("INSERT INTO electrometer VALUES (1, 12345, 30), (2, 123456, 30), (3, 777, 31)"),
};

// Sheet 1 holds both meters and waits for the programming (route step 1,
// an open operation expecting 2 meters).
const QStringList ReadySheet = {
    QStringLiteral("INSERT INTO name_electro VALUES (1, 'VM-742')"),
    QStringLiteral("INSERT INTO JournalMsl VALUES (1, 1)"),
    QStringLiteral("INSERT INTO MslElectro (JournalMsl_id, electro_id, Fbad) VALUES (1, 1, 0), (1, 2, 0)"),
    QStringLiteral("INSERT INTO type_status VALUES (1, 'Ожидает работы')"),
    QStringLiteral("INSERT INTO msl_info (JournalMsl_id, type_route_id, type_status_id, archive, active) "
                   "VALUES (1, 1, 1, 0, 1)"),
    QStringLiteral("INSERT INTO type_operation_msl VALUES (1, 'Программирование')"),
    QStringLiteral("INSERT INTO route VALUES (1, 1, 1, 1, 1)"),
    QStringLiteral("INSERT INTO msl_ (msl_id, JournalMsl_id, route_id, entry, state_operation) VALUES (1, 1, 1, 2, 0)"),
    QStringLiteral("INSERT INTO config_operation (config_id, type_operation_msl_id) VALUES (11, 1)"),
};

// The set_vm_741 columns that hold written values.
const QStringList WrittenColumns = {
    QStringLiteral("date_time"), QStringLiteral("summer"), QStringLiteral("pass"), QStringLiteral("count_day"),
    QStringLiteral("count_hour"), QStringLiteral("indicator"), QStringLiteral("time_integ"), QStringLiteral("ddm"),
    QStringLiteral("mode_tarif"), QStringLiteral("t_1"), QStringLiteral("t_2"), QStringLiteral("t_3"),
    QStringLiteral("t_4"), QStringLiteral("t_5"), QStringLiteral("t_6"), QStringLiteral("t_7"), QStringLiteral("t_8"),
};

const QString WriteFailure = QStringLiteral("Ошибка БД: Ошибка записи в БД: ");

QLocale Comma()
{
    return QLocale(QLocale::Russian, QLocale::Russia);
}

QLocale Point()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

// A meter read as the tabs show it.
RecordValues MeterValues(const QString& shownNumber, quint32 ownNumber, qint64 number)
{
    RecordValues values;
    values.elType = QStringLiteral("VM-742");
    values.shownNumber = shownNumber;
    values.version = QStringLiteral("2.05");
    values.checkSum = QStringLiteral("4660");
    values.turnOn = QStringLiteral("3д. 04:05:06");
    values.corrections = QStringLiteral("7");
    values.status = 0x40 + 2;
    values.ownNumber = ownNumber;
    values.settings.number = number;
    values.settings.date = QDate(2026, 3, 14);
    values.settings.time = QTime(10, 20, 30);
    return values;
}

// The meter already had its number.
RecordValues NumberedMeter()
{
    return MeterValues(QStringLiteral("012345"), Numbered, Numbered);
}

// The meter had none and received `number` in this write.
RecordValues FreshMeter(qint64 number)
{
    return MeterValues(QStringLiteral("0"), 0, number);
}

void TickEverything(RecordValues& values)
{
    SettingsInputs& written = values.settings;
    written.checkIndi = true;
    written.indicator = {true, false, false, true, false};
    written.checkTime = true;
    written.dst = true;
    written.checkPassword = true;
    written.newPassword = QStringLiteral("87654321");
    written.checkSchedule = true;
    written.day = 25;
    written.hour = 23;
    written.checkIntegra = true;
    written.integra = 60;
    written.checkDdm = true;
    written.ddmNumber = 16777215;
    written.ddmMode = 8;
    for (QString& reading : values.tariffs)
        reading = RealText(1.5);
}

} // namespace

class TestOperationRecord : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(Comma());
        dialogs_ = std::make_unique<RecordingDialogs>();
        dialogs_->openMs = 0;
    }
    void cleanup()
    {
        record_.reset();
        database_.reset();
        QLocale::setDefault(QLocale::system());
    }

    // The meter clock passes between losing 3 and gaining 1 second a day;
    // the drift is kept as shown.
    void clockVerdict_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("delta");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QVariant>("secperday");
        QTest::newRow("1,00") << Comma() << "1,00" << true << QVariant(1.0);
        QTest::newRow("1,01") << Comma() << "1,01" << false << QVariant(1.01);
        QTest::newRow("-3,00") << Comma() << "-3,00" << true << QVariant(-3.0);
        QTest::newRow("-3,01") << Comma() << "-3,01" << false << QVariant(-3.01);
        QTest::newRow("1.00") << Point() << "1.00" << true << QVariant(1.0);
        QTest::newRow("1.01") << Point() << "1.01" << false << QVariant(1.01);
        QTest::newRow("-3.01") << Point() << "-3.01" << false << QVariant(-3.01);
        QTest::newRow("large, in exponent form") << Comma() << "1,2346E+05" << false << QVariant(123460.0);
        QTest::newRow("no drift known") << Comma() << "" << true << QVariant();
    }
    void clockVerdict()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, delta);
        QFETCH(bool, success);
        QFETCH(QVariant, secperday);
        QLocale::setDefault(locale);
        Open();
        RecordValues values = NumberedMeter();
        values.editDelta = delta;
        QCOMPARE(record_->RecordOperation(values), RecordOutcome::Recorded);

        QCOMPARE(Value("SELECT success FROM operation").toInt(), int(success));
        const QVariant stored = Value("SELECT secperday FROM set_vm_741");
        QCOMPARE(stored.isNull(), secperday.isNull());
        if (!secperday.isNull())
            QVERIFY2(qFuzzyCompare(stored.toDouble(), secperday.toDouble()), qPrintable(stored.toString()));
    }

    // Readings as the tab shows them; a tariff without energy is no reading.
    void tariffReadings_data()
    {
        QTest::addColumn<QLocale>("locale");
        for (const QLocale& locale : {Comma(), Point()})
            QTest::newRow(qPrintable(QString(locale.decimalPoint()))) << locale;
    }
    void tariffReadings()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        Open();
        RecordValues values = NumberedMeter();
        // Tariff 3 was never read; 6 is too large for the shown digits.
        values.tariffs = {RealText(1234.5), RealText(0), QString(), RealText(12.345), RealText(-1), RealText(123456789),
            RealText(0.001), RealText(0)};
        QCOMPARE(record_->RecordOperation(values), RecordOutcome::Recorded);

        const QList<QVariant> expected = {1234.5, QVariant(), QVariant(), 12.345, QVariant(), 123456790.0, 0.001,
            QVariant()};
        for (int k = 1; k <= 8; ++k) {
            const QVariant stored = Value(QStringLiteral("SELECT t_%1 FROM set_vm_741").arg(k));
            const QVariant& wanted = expected[k - 1];
            QVERIFY2(stored.isNull() == wanted.isNull(), qPrintable(QStringLiteral("t_%1: %2").arg(k).arg(stored.toString())));
            if (!wanted.isNull())
                QVERIFY2(qFuzzyCompare(stored.toDouble(), wanted.toDouble()), qPrintable(stored.toString()));
        }
    }

    // A settings write records what its ticked boxes wrote, nothing else.
    void writtenValuesFollowTheirBoxes_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::newRow("every box") << true;
        QTest::newRow("no box") << false;
    }
    void writtenValuesFollowTheirBoxes()
    {
        QFETCH(bool, ticked);
        Open();
        RecordValues values = NumberedMeter();
        TickEverything(values);
        if (!ticked) {
            SettingsInputs& written = values.settings;
            written.checkIndi = written.checkTime = written.checkPassword = false;
            written.checkSchedule = written.checkIntegra = written.checkDdm = false;
        }
        QCOMPARE(record_->RecordOperation(values), RecordOutcome::Recorded);

        // Readings are no written values: they are kept either way.
        QVariantMap expected = {{"t_1", 1.5}, {"t_2", 1.5}, {"t_3", 1.5}, {"t_4", 1.5}, {"t_5", 1.5}, {"t_6", 1.5},
            {"t_7", 1.5}, {"t_8", 1.5}};
        if (ticked) {
            expected.insert(QVariantMap{{"summer", 1}, {"pass", "87654321"}, {"count_day", 25}, {"count_hour", 23},
                {"indicator", 0b01001}, {"time_integ", 60}, {"ddm", 16777215}, {"mode_tarif", 8}});
            QCOMPARE(DateTimeValue("SELECT date_time FROM set_vm_741"), QDateTime(QDate(2026, 3, 14), QTime(10, 20, 30)));
            expected.insert("date_time", QString());
        }
        for (const QString& column : WrittenColumns) {
            const QVariant stored = Value(QStringLiteral("SELECT %1 FROM set_vm_741").arg(column));
            QVERIFY2(stored.isNull() != expected.contains(column), qPrintable(column));
            if (column == QLatin1String("date_time") || stored.isNull())
                continue;
            const QVariant wanted = expected.value(column);
            if (wanted.typeId() == QMetaType::Double)
                QVERIFY2(qFuzzyCompare(stored.toDouble(), wanted.toDouble()), qPrintable(column));
            else if (wanted.typeId() == QMetaType::Int)
                QCOMPARE(stored.toInt(), wanted.toInt());
            else
                QCOMPARE(stored.toString(), wanted.toString());
        }
    }

    // A meter without number given 123456, the clock written, no drift
    // known.
    void newlyNumberedMeter()
    {
        Open();
        RecordValues values = FreshMeter(Fresh);
        values.settings.dst = true;
        QCOMPARE(record_->RecordOperation(values), RecordOutcome::Recorded);
        QCOMPARE(record_->RecordNumber(), Fresh);
        QCOMPARE(dialogs_->messages, QStringList());

        QCOMPARE(Count("operation"), 1);
        QCOMPARE(Value("SELECT type_id FROM operation").toInt(), 3);
        QCOMPARE(Value("SELECT electro_id FROM operation").toInt(), 2);
        QCOMPARE(Value("SELECT plant_id FROM operation").toInt(), PlantId);
        QCOMPARE(Value("SELECT person_id FROM operation").toInt(), OperatorId);
        QCOMPARE(Value("SELECT success FROM operation").toInt(), 1);
        const int operationId = Value("SELECT operation_id FROM operation").toInt();

        QCOMPARE(Count("set_vm_741"), 1);
        QCOMPARE(Value("SELECT operation_id FROM set_vm_741").toInt(), operationId);
        QCOMPARE(Value("SELECT version FROM set_vm_741").toString(), QStringLiteral("2.05"));
        QCOMPARE(Value("SELECT el_type FROM set_vm_741").toString(), QStringLiteral("VM-742"));
        QCOMPARE(Value("SELECT turn_on FROM set_vm_741").toString(), QStringLiteral("3д. 04:05:06"));
        QCOMPARE(Value("SELECT status FROM set_vm_741").toInt(), 0x42);
        QCOMPARE(Value("SELECT check_sum FROM set_vm_741").toInt(), 4660);
        QCOMPARE(Value("SELECT ncorrect FROM set_vm_741").toInt(), 7);
        QCOMPARE(DateTimeValue("SELECT date_time FROM set_vm_741"), QDateTime(QDate(2026, 3, 14), QTime(10, 20, 30)));
        QCOMPARE(Value("SELECT summer FROM set_vm_741").toInt(), 1);
        QVERIFY(Value("SELECT secperday FROM set_vm_741").isNull());
        QVERIFY(Value("SELECT pass FROM set_vm_741").isNull());
        QVERIFY(Value("SELECT count_day FROM set_vm_741").isNull());

        QCOMPARE(Count("set_pk"), 1);
        QCOMPARE(Value("SELECT operation_id FROM set_pk").toInt(), operationId);
        QCOMPARE(Value("SELECT version FROM set_pk").toString(), QStringLiteral("2.05"));
        QCOMPARE(Value("SELECT plm_group FROM set_pk").toInt(), 34);
        QCOMPARE(Value("SELECT plm_address FROM set_pk").toInt(), 56);
        QCOMPARE(Value("SELECT plm_number FROM set_pk").toInt(), Fresh);
    }

    // The power-line group and address derived from the number; 0 is 100.
    void plmGroupAndAddress_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("address");
        QTest::newRow("120000") << 120000 << 100 << 100;
        QTest::newRow("100") << 100 << 1 << 100;
        QTest::newRow("5") << 5 << 100 << 5;
        QTest::newRow("999999") << 999999 << 99 << 99;
    }
    void plmGroupAndAddress()
    {
        QFETCH(int, number);
        QFETCH(int, group);
        QFETCH(int, address);
        Open({QStringLiteral("INSERT INTO electrometer (number, type_id) VALUES (%1, 30)").arg(number)});
        QCOMPARE(record_->RecordOperation(FreshMeter(number)), RecordOutcome::Recorded);
        QCOMPARE(Value("SELECT plm_group FROM set_pk").toInt(), group);
        QCOMPARE(Value("SELECT plm_address FROM set_pk").toInt(), address);
        QCOMPARE(Value("SELECT plm_number FROM set_pk").toInt(), number);
    }

    // The meter's number as shown when the write began wins over the one
    // typed; a meter that showed none is recorded under the typed one.
    void recordNumber_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("own");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("recordNumber");
        QTest::addColumn<int>("electroId");
        QTest::addColumn<int>("plmRows");
        QTest::newRow("number shown") << "012345" << Numbered << 999 << Numbered << 1 << 0;
        QTest::newRow("0 shown") << "0" << 0 << Fresh << Fresh << 2 << 1;
        QTest::newRow("nothing shown") << "" << 0 << Fresh << Fresh << 2 << 1;
    }
    void recordNumber()
    {
        QFETCH(QString, shown);
        QFETCH(int, own);
        QFETCH(int, typed);
        QFETCH(int, recordNumber);
        QFETCH(int, electroId);
        QFETCH(int, plmRows);
        Open();
        QCOMPARE(record_->RecordOperation(MeterValues(shown, quint32(own), typed)), RecordOutcome::Recorded);
        QCOMPARE(record_->RecordNumber(), recordNumber);
        QCOMPARE(Value("SELECT electro_id FROM operation").toInt(), electroId);
        QCOMPARE(Count("set_pk"), plmRows);
    }

    // "Зафиксировать в БД" records the meter under the typed number,
    // without anything written, even with every box ticked; a meter without
    // number gets its set_pk row with no duplicate test.
    void fixDbRecordsTheMeterOnly_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("own");
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("electroId");
        QTest::addColumn<int>("plmRows");
        QTest::newRow("numbered meter, another number typed") << "012345" << Numbered << Fresh << 2 << 1;
        QTest::newRow("meter without number, number in set_pk") << "0" << 0 << Fresh << 2 << 2;
    }
    void fixDbRecordsTheMeterOnly()
    {
        QFETCH(QString, shown);
        QFETCH(int, own);
        QFETCH(int, typed);
        QFETCH(int, electroId);
        QFETCH(int, plmRows);
        Open({QStringLiteral("INSERT INTO operation VALUES (1, 3, 2, 7, 5, 1)"),
            QStringLiteral("INSERT INTO set_pk VALUES (1, '2.04', 34, 56, 123456)")});
        RecordValues values = MeterValues(shown, quint32(own), typed);
        TickEverything(values);
        values.editDelta = QStringLiteral("0,50");
        QCOMPARE(record_->ActionFixDbExecute(values), RecordOutcome::Recorded);
        QCOMPARE(record_->RecordNumber(), typed);
        QCOMPARE(dialogs_->messages, QStringList());

        QCOMPARE(Count("operation"), 2);
        QCOMPARE(Value("SELECT electro_id FROM operation WHERE operation_id = 2").toInt(), electroId);
        QCOMPARE(Value("SELECT operation_id FROM set_vm_741").toInt(), 2);
        QCOMPARE(Value("SELECT version FROM set_vm_741").toString(), QStringLiteral("2.05"));
        QCOMPARE(Value("SELECT el_type FROM set_vm_741").toString(), QStringLiteral("VM-742"));
        QCOMPARE(Value("SELECT turn_on FROM set_vm_741").toString(), QStringLiteral("3д. 04:05:06"));
        QCOMPARE(Value("SELECT status FROM set_vm_741").toInt(), 0x42);
        QCOMPARE(Value("SELECT check_sum FROM set_vm_741").toInt(), 4660);
        QCOMPARE(Value("SELECT ncorrect FROM set_vm_741").toInt(), 7);
        QVERIFY(qFuzzyCompare(Value("SELECT secperday FROM set_vm_741").toDouble(), 0.5));
        for (const QString& column : WrittenColumns)
            QVERIFY2(Value(QStringLiteral("SELECT %1 FROM set_vm_741").arg(column)).isNull(), qPrintable(column));
        QCOMPARE(Count("set_pk"), plmRows);
        if (plmRows > 1)
            QCOMPARE(Value("SELECT plm_number FROM set_pk WHERE operation_id = 2").toInt(), Fresh);
    }

    // Counters and checksums that are no integer are recorded as 0.
    void integerTexts_data()
    {
        QTest::addColumn<QString>("checkSum");
        QTest::addColumn<QString>("corrections");
        QTest::addColumn<int>("storedCheckSum");
        QTest::addColumn<int>("storedCorrections");
        QTest::newRow("integers") << "65535" << "255" << 65535 << 255;
        QTest::newRow("not read") << "" << "" << 0 << 0;
        QTest::newRow("no integers") << "нет" << "1,5" << 0 << 0;
    }
    void integerTexts()
    {
        QFETCH(QString, checkSum);
        QFETCH(QString, corrections);
        QFETCH(int, storedCheckSum);
        QFETCH(int, storedCorrections);
        Open();
        RecordValues values = NumberedMeter();
        values.checkSum = checkSum;
        values.corrections = corrections;
        QCOMPARE(record_->ActionFixDbExecute(values), RecordOutcome::Recorded);
        QCOMPARE(Value("SELECT check_sum FROM set_vm_741").toInt(), storedCheckSum);
        QCOMPARE(Value("SELECT ncorrect FROM set_vm_741").toInt(), storedCorrections);
    }

    // A number already on the power line is not given twice; a meter that
    // kept its own number is not asked.
    void duplicatePlmNumber_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("own");
        QTest::addColumn<RecordOutcome>("outcome");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("meter without number")
            << "0" << 0 << RecordOutcome::Refused
            << QStringList{"Ошибка записи в БД: Счетчик с таким Plm-номером уже существует. Обратитесь к главному "
                           "конструктору прибора."};
        QTest::newRow("meter with its number") << "123456" << Fresh << RecordOutcome::Recorded << QStringList();
    }
    void duplicatePlmNumber()
    {
        QFETCH(QString, shown);
        QFETCH(int, own);
        QFETCH(RecordOutcome, outcome);
        QFETCH(QStringList, messages);
        Open({QStringLiteral("INSERT INTO operation VALUES (1, 3, 2, 7, 5, 1)"),
            QStringLiteral("INSERT INTO set_pk VALUES (1, '2.04', 34, 56, 123456)")});
        QCOMPARE(record_->RecordOperation(MeterValues(shown, quint32(own), Fresh)), outcome);
        QCOMPARE(dialogs_->messages, messages);
        const int recorded = outcome == RecordOutcome::Recorded ? 1 : 0;
        QCOMPARE(Count("operation"), 1 + recorded);
        QCOMPARE(Count("set_vm_741"), recorded);
        QCOMPARE(Count("set_pk"), 1);
    }

    void numberNotDescribed_data()
    {
        QTest::addColumn<bool>("fixDb");
        QTest::addColumn<int>("number");
        QTest::newRow("settings write, unknown number") << false << 999;
        QTest::newRow("settings write, meter of another type") << false << 777;
        QTest::newRow("fix, unknown number") << true << 999;
        QTest::newRow("fix, meter of another type") << true << 777;
    }
    void numberNotDescribed()
    {
        QFETCH(bool, fixDb);
        QFETCH(int, number);
        Open();
        const RecordValues values = FreshMeter(number);
        QCOMPARE(fixDb ? record_->ActionFixDbExecute(values) : record_->RecordOperation(values), RecordOutcome::Refused);
        QCOMPARE(dialogs_->messages,
            QStringList{QStringLiteral("Ошибка записи в БД: Номер прибора не описан в БД. Установите его.")});
        QCOMPARE(Count("operation"), 0);
        QCOMPARE(Count("set_vm_741"), 0);
        QCOMPARE(Count("set_pk"), 0);
    }

    // The checks run before the record and leave their failures to the
    // caller.
    void checkFailuresThrown_data()
    {
        QTest::addColumn<bool>("fixDb");
        QTest::addColumn<QString>("lost");
        QTest::newRow("settings write, meters") << false << "electrometer";
        QTest::newRow("settings write, power-line numbers") << false << "set_pk";
        QTest::newRow("fix, meters") << true << "electrometer";
    }
    void checkFailuresThrown()
    {
        QFETCH(bool, fixDb);
        QFETCH(QString, lost);
        Open({QStringLiteral("DROP TABLE %1").arg(lost)});
        const RecordValues values = FreshMeter(Fresh);
        if (fixDb)
            QVERIFY_THROWS_EXCEPTION(DbError, record_->ActionFixDbExecute(values));
        else
            QVERIFY_THROWS_EXCEPTION(DbError, record_->RecordOperation(values));
        QCOMPARE(dialogs_->messages, QStringList());
        QCOMPARE(Count("operation"), 0);
    }

    // An operator of the programming configuration files the meter on its
    // ready sheet; any other operator leaves the sheet alone.
    void routeSheetStep_data()
    {
        QTest::addColumn<int>("config");
        QTest::addColumn<int>("registrations");
        QTest::newRow("programming operator") << 11 << 1;
        QTest::newRow("operator of another configuration") << 12 << 0;
    }
    void routeSheetStep()
    {
        QFETCH(int, config);
        QFETCH(int, registrations);
        Open(ReadySheet + QStringList{QStringLiteral("INSERT INTO config_operator VALUES (%1, 5)").arg(config)});
        QCOMPARE(record_->RecordOperation(FreshMeter(Fresh)), RecordOutcome::Recorded);
        QCOMPARE(Count("operation"), 1);
        QCOMPARE(Count("RegMsl"), registrations);
        if (registrations == 0)
            return;
        QCOMPARE(Value("SELECT person_id FROM RegMsl").toInt(), OperatorId);
        QCOMPARE(Value("SELECT plant_id FROM RegMsl").toInt(), PlantId);
        QCOMPARE(Value("SELECT EntryEl FROM RegMsl").toInt(), 2);
        QCOMPARE(Value("SELECT electro_id FROM RegMslGood").toInt(), 2);
        QCOMPARE(Value("SELECT electro_id FROM RegMslEntry").toInt(), 1);
    }

    // The route-sheet step fails before or after it wrote: nothing of the
    // record remains.
    void routeSheetFailureRollsBack_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("sheet's archive flag NULL") << "UPDATE msl_info SET archive = NULL" << "";
        QTest::newRow("good list refuses the meter")
            << "CREATE TRIGGER good_closed BEFORE INSERT ON RegMslGood BEGIN SELECT RAISE(ABORT, 'good list closed'); END"
            << "good list closed";
    }
    void routeSheetFailureRollsBack()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        Open(ReadySheet + QStringList{QStringLiteral("INSERT INTO config_operator VALUES (11, 5)"), fault});
        QCOMPARE(record_->RecordOperation(FreshMeter(Fresh)), RecordOutcome::Failed);
        QCOMPARE(dialogs_->messages.size(), 1);
        QVERIFY2(dialogs_->messages[0].startsWith(WriteFailure) && dialogs_->messages[0].contains(reason),
            qPrintable(dialogs_->messages[0]));
        for (const char* table : {"operation", "set_vm_741", "set_pk", "RegMsl", "RegMslEntry", "RegMslGood"})
            QVERIFY2(Count(table) == 0, table);
    }

    // A failing insert shows the engine's reason; the record is rolled back
    // before the box opens, and the connection records the next meter.
    void insertFailureRollsBackFirst()
    {
        Open({QStringLiteral("CREATE TRIGGER closed BEFORE INSERT ON set_vm_741 "
                             "BEGIN SELECT RAISE(ABORT, 'set_vm_741 closed for maintenance'); END")});
        int operationsWhileShown = -1;
        dialogs_->onClose = [&] { operationsWhileShown = Count("operation"); };
        QCOMPARE(record_->RecordOperation(FreshMeter(Fresh)), RecordOutcome::Failed);
        QCOMPARE(dialogs_->messages.size(), 1);
        QVERIFY2(dialogs_->messages[0].startsWith(WriteFailure)
                && dialogs_->messages[0].contains(QLatin1String("set_vm_741 closed for maintenance")),
            qPrintable(dialogs_->messages[0]));
        QCOMPARE(operationsWhileShown, 0);
        QCOMPARE(Count("operation"), 0);
        QCOMPARE(Count("set_pk"), 0);

        dialogs_->onClose = nullptr;
        Query(*database_, QStringLiteral("DROP TRIGGER closed")).Execute();
        QCOMPARE(record_->RecordOperation(FreshMeter(Fresh)), RecordOutcome::Recorded);
        QCOMPARE(Count("operation"), 1);
        QCOMPARE(Count("set_vm_741"), 1);
    }

private:
    void Open(const QStringList& statements = {})
    {
        database_ = OpenTestDatabase(dir_.filePath(QStringLiteral("electrometer.db")), Station + statements);
        record_ = std::make_unique<OperationRecord>(*database_, *dialogs_, context_);
    }
    QVariant Value(const QString& text)
    {
        Query query(*database_, text);
        query.Open();
        return query.Field(0);
    }
    QVariant Value(const char* text) { return Value(QString::fromUtf8(text)); }
    QDateTime DateTimeValue(const char* text)
    {
        Query query(*database_, QString::fromUtf8(text));
        query.Open();
        return query.DateTime(0);
    }
    int Count(const char* table)
    {
        return ScalarOf(*database_, QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)));
    }

    QTemporaryDir dir_;
    const StationContext context_{1, OperatorId, PlantId};
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<Database> database_;
    std::unique_ptr<OperationRecord> record_;
};

QTEST_GUILESS_MAIN(TestOperationRecord)
#include "tst_operation_record.moc"
