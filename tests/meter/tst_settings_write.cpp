// The settings batch: which frames the operator's choices give, in which
// order and with which bytes; what is refused before anything is queued;
// the log entries of the acknowledged writes; the clock pickers.

#include "meter/access_password.h"
#include "meter/settings_log_entries.h"
#include "meter/settings_write.h"
#include "scripted_meter.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QtTest>
#include <ctime>

Q_DECLARE_METATYPE(SettingsInputs)

namespace {

// Nothing ticked, the clock of the data rows.
SettingsInputs Unticked()
{
    SettingsInputs inputs;
    inputs.checkTime = false;
    inputs.date = QDate(2024, 3, 15);
    inputs.time = QTime(10, 20, 30);
    return inputs;
}

SettingsInputs With(const std::function<void(SettingsInputs&)>& change)
{
    SettingsInputs inputs = Unticked();
    change(inputs);
    return inputs;
}

void Clock(SettingsInputs& inputs, QDate date, QTime time)
{
    inputs.checkTime = true;
    inputs.date = date;
    inputs.time = time;
}

void TickEverything(SettingsInputs& inputs)
{
    Clock(inputs, QDate(2024, 3, 15), QTime(10, 20, 30));
    inputs.dst = true;
    inputs.checkPassword = true;
    inputs.number = 123456;
    inputs.checkSchedule = true;
    inputs.day = 31;
    inputs.hour = 23;
    inputs.checkIndi = true;
    inputs.indicator = {true, false, false, true, false};
    inputs.checkIntegra = true;
    inputs.integra = 60;
    inputs.checkDdm = true;
    inputs.ddmNumber = 16777215;
    inputs.checkResetTariff = true;
    inputs.checkResetRdh = true;
}

// Frames as hex without their CRC, which each one gets appended.
QList<QByteArray> Frames(const QStringList& hex)
{
    QList<QByteArray> frames;
    for (const QString& frame : hex) {
        frames << QByteArray::fromHex(frame.toLatin1());
        AppendCrc(frames.last());
    }
    return frames;
}

const QStringList Login{"0102", "1102", "1408 000000000000"};
const QString ClockRefusal
    = "Дата и время для записи в счетчик должны быть в пределах от 01.01.2000 00:00:00 до 07.02.2136 06:28:12.";

// The log's entries without their "number[date time] " heads, which must
// carry `shownNumber`.
QStringList EntryTexts(const QString& path, const QString& shownNumber)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decoder("windows-1251");
    QStringList texts;
    const QRegularExpression head("^" + QRegularExpression::escape(shownNumber) + R"(\[[^\]]+\] )");
    for (const QString& line : QString(decoder.decode(file.readAll())).split("\r\n", Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = head.match(line);
        texts << (match.hasMatch() ? line.mid(match.capturedLength()) : "bad head: " + line);
    }
    return texts;
}

} // namespace

class TestSettingsWrite : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        // A zone with daylight saving: the meter's count must not see it.
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void batch_data()
    {
        QTest::addColumn<SettingsInputs>("inputs");
        QTest::addColumn<QString>("shownNumber");
        QTest::addColumn<QStringList>("frames");

        QTest::newRow("the login alone") << Unticked() << "000042" << Login;
        QTest::newRow("an unticked clock is not checked")
            << With([](SettingsInputs& in) { in.date = QDate(1999, 1, 1); }) << "000042" << Login;

        const auto number = [](qint64 value) { return With([value](SettingsInputs& in) { in.number = value; }); };
        QTest::newRow("a meter showing 0 gets the number and its group and address")
            << number(123456) << "0" << Login + QStringList{"0205 40E201", "0B04 2238"};
        QTest::newRow("group and address 0 are sent as 100")
            << number(120000) << "0" << Login + QStringList{"0205 C0D401", "0B04 6464"};
        QTest::newRow("no number for a numbered meter") << number(123456) << "000042" << Login;
        QTest::newRow("no number before the row is read") << number(123456) << "" << Login;
        QTest::newRow("number 0 is not written") << number(0) << "0" << Login;

        const auto clock = [](QDate date, QTime time, bool dst) {
            return With([=](SettingsInputs& in) {
                Clock(in, date, time);
                in.dst = dst;
            });
        };
        QTest::newRow("clock at the meter's epoch")
            << clock(QDate(2000, 1, 1), QTime(0, 0), false) << "0" << Login + QStringList{"0507 00 03000000"};
        QTest::newRow("clock with automatic daylight saving")
            << clock(QDate(2000, 1, 1), QTime(0, 0), true) << "0" << Login + QStringList{"0507 80 03000000"};
        QTest::newRow("clock in summer: calendar days, no zone")
            << clock(QDate(2024, 7, 1), QTime(0, 0), false) << "0" << Login + QStringList{"0507 00 03AE142E"};
        QTest::newRow("clock at the last second the meter can hold")
            << clock(QDate(2136, 2, 7), QTime(6, 28, 12), false) << "0" << Login + QStringList{"0507 00 FFFFFFFF"};

        QTest::newRow("new password")
            << With([](SettingsInputs& in) { in.checkPassword = true; }) << "0"
            << Login + QStringList{"1508 000000000000"};
        QTest::newRow("settlement hour 23 day 31 in BCD") << With([](SettingsInputs& in) {
            in.checkSchedule = true;
            in.day = 31;
            in.hour = 23;
        }) << "0" << Login + QStringList{"2304 2331"};
        QTest::newRow("indicator items 0 and 3") << With([](SettingsInputs& in) {
            in.checkIndi = true;
            in.indicator = {true, false, false, true, false};
        }) << "0" << Login + QStringList{"0E03 09"};

        const auto integra = [](int minutes) {
            return With([minutes](SettingsInputs& in) {
                in.checkIntegra = true;
                in.integra = minutes;
            });
        };
        QTest::newRow("integration 60 minutes") << integra(60) << "0" << Login + QStringList{"1F03 3B"};
        QTest::newRow("integration 1 minute") << integra(1) << "0" << Login + QStringList{"1F03 00"};

        const auto ddm = [](quint32 ddmNumber, int mode) {
            return With([=](SettingsInputs& in) {
                in.checkDdm = true;
                in.ddmNumber = ddmNumber;
                in.ddmMode = mode;
            });
        };
        QTest::newRow("ДДМ 16777215 авто") << ddm(16777215, 0) << "0" << Login + QStringList{"2D06 FFFFFF00"};
        QTest::newRow("ДДМ 258 tariff 8") << ddm(258, 8) << "0" << Login + QStringList{"2D06 02010008"};

        QTest::newRow("tariff schedule reset: holidays, transfers, schedule")
            << With([](SettingsInputs& in) { in.checkResetTariff = true; }) << "0"
            << Login + QStringList{"2702", "2902", "0902"};
        QTest::newRow("settlement readings reset")
            << With([](SettingsInputs& in) { in.checkResetRdh = true; }) << "0" << Login + QStringList{"2402"};

        QTest::newRow("everything, in the meter's order")
            << With(TickEverything) << "0"
            << Login
                + QStringList{"0507 80 71DD862D", "1508 000000000000", "0205 40E201", "0B04 2238", "2304 2331",
                    "0E03 09", "1F03 3B", "2D06 FFFFFF00", "2702", "2902", "0902", "2402"};
    }
    void batch()
    {
        QFETCH(SettingsInputs, inputs);
        QFETCH(QString, shownNumber);
        QFETCH(QStringList, frames);
        const auto batch = BuildSettingsBatch(inputs, shownNumber);
        QVERIFY(std::holds_alternative<QList<QByteArray>>(batch));
        QCOMPARE(std::get<QList<QByteArray>>(batch), Frames(frames));
    }

    void refused_data()
    {
        QTest::addColumn<SettingsInputs>("inputs");
        QTest::addColumn<QString>("reason");

        QTest::newRow("clock before 2000")
            << With([](SettingsInputs& in) { Clock(in, QDate(1999, 12, 31), QTime(23, 59, 59)); }) << ClockRefusal;
        QTest::newRow("clock past the meter's 32 bits")
            << With([](SettingsInputs& in) { Clock(in, QDate(2136, 2, 7), QTime(6, 28, 13)); }) << ClockRefusal;
        QTest::newRow("no date") << With([](SettingsInputs& in) { Clock(in, QDate(), QTime(10, 0)); })
                                 << ClockRefusal;
        QTest::newRow("ДДМ mode typed, not chosen") << With([](SettingsInputs& in) {
            in.checkDdm = true;
            in.ddmMode = -1;
        }) << "Режим тарификации ДДМ должен быть выбран из списка.";
    }
    void refused()
    {
        QFETCH(SettingsInputs, inputs);
        QFETCH(QString, reason);
        ScriptedMeter meter;
        SettingsWrite write(meter.link, meter.readings, meter.inputs, meter.log, meter.dialogs);
        QVERIFY(meter.Connect());
        meter.inputs.settings = inputs;
        meter.inputs.settings.dateEdited = meter.inputs.settings.timeEdited = true;

        QVERIFY(!write.ActionSettingExecute());
        QCOMPARE(meter.dialogs.messages, QStringList{"Ошибка: " + reason});
        QVERIFY(!meter.link.SettingsWritePending());
        // The poll goes on behind the open message; no login went out, nor
        // waits to.
        QVERIFY(meter.Sent(EnterPassword).isEmpty());
        for (const QByteArray& request : meter.link.CommandQueue())
            QVERIFY(quint8(request[0]) != EnterPassword);
    }

    void clockEntry_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<bool>("dst");
        QTest::addColumn<QString>("entry");

        QTest::newRow("automatic") << QTime(10, 20, 30) << true
                                   << "Время=15.03.2024 10:20:30 Автопереход на летнее время";
        QTest::newRow("none") << QTime(10, 20, 30) << false
                              << "Время=15.03.2024 10:20:30 Нет автоперехода на летнее время";
        // The clock written is named in full, midnight too.
        QTest::newRow("midnight") << QTime(0, 0) << false
                                  << "Время=15.03.2024 00:00:00 Нет автоперехода на летнее время";
    }
    void clockEntry()
    {
        QFETCH(QTime, time);
        QFETCH(bool, dst);
        QFETCH(QString, entry);
        SettingsInputs inputs = Unticked();
        inputs.time = time;
        inputs.dst = dst;
        QCOMPARE(SettingsLogEntries().value(WriteClock)(inputs), entry);
    }

    // The whole batch on a meter without number; the operator changes two
    // values after the batch was queued: the frames keep the values
    // queued, the entries show the new ones.
    void acknowledgedWritesAreLoggedAsTheyStandThen()
    {
        ScriptedMeter meter;
        AccessPassword password(meter.link, meter.readings, meter.inputs, meter.log);
        SettingsWrite write(meter.link, meter.readings, meter.inputs, meter.log, meter.dialogs);
        QSignalSpy finished(&meter.link, &MeterLink::BatchFinished);
        QVERIFY(meter.Connect());
        QCOMPARE(meter.readings.Main(MeterReadings::NumberRow), QString("0"));
        SettingsInputs& settings = meter.inputs.settings;
        TickEverything(settings);
        settings.dateEdited = settings.timeEdited = true;
        settings.newPassword = "новый";

        QVERIFY(write.ActionSettingExecute());
        QVERIFY(meter.link.SettingsWritePending());
        settings.integra = 30;
        settings.ddmMode = 3;
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);

        QCOMPARE(finished[0][1].value<BatchOutcome>(), BatchOutcome::Completed);
        QCOMPARE(meter.Sent(WriteIntegrationTime), Frames({"1F03 3B"}));
        QCOMPARE(EntryTexts(meter.log.Path(), "0"),
            QStringList({
                "Время=15.03.2024 10:20:30 Автопереход на летнее время",
                "Пароль=новый",
                "Номер=123456",
                "Расчетный день=31 Расчетный час=23",
                "Режим индикации=Суммарное потребление Мощность ",
                "Время интегрирования детектора пиковой можщности=30",
                "ДДМ=16777215 Режим тарификации=  3",
                "Сброс показаний на РЧД",
            }));
    }

    void pickersFollowTheClockUntilEdited()
    {
        ScriptedMeter meter;
        SettingsInputs& settings = meter.inputs.settings;
        SettingsWrite write(meter.link, meter.readings, meter.inputs, meter.log, meter.dialogs);
        QCOMPARE(settings.date, QDate::currentDate());
        QVERIFY(qAbs(settings.time.secsTo(QTime::currentTime())) <= 1);

        const QDate editedDate(2001, 2, 3);
        const QTime editedTime(4, 5, 6);
        settings.date = editedDate;
        settings.dateEdited = true;
        settings.time = editedTime;
        QSignalSpy changed(&meter.inputs, &WriteInputs::Changed);
        QTRY_VERIFY(settings.time != editedTime);
        QVERIFY(changed.count() > 0);
        QCOMPARE(settings.date, editedDate);

        settings.time = editedTime;
        settings.timeEdited = true;
        QTest::qWait(2 * write.Timer3().interval());
        QCOMPARE(settings.date, editedDate);
        QCOMPARE(settings.time, editedTime);

        meter.link.ResetMeterState();
        QTRY_COMPARE(settings.date, QDate::currentDate());
        QTRY_VERIFY(qAbs(settings.time.secsTo(QTime::currentTime())) <= 1);
    }
};

QTEST_GUILESS_MAIN(TestSettingsWrite)
#include "tst_settings_write.moc"
