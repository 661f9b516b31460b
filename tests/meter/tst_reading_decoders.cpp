// The decoders of the poll's read responses: response frames in, the texts
// of the tab "О счетчике" and the per-meter values out.

#include "protocol/frame.h"
#include "meter/meter_readings.h"
#include "meter/reading_decoders.h"
#include "shown_readings.h"
#include "support/test_bytes.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// 2024-03-15 10:20:30 as a meter time stamp, low byte first.
const QByteArray March15 = QByteArray::fromHex("6edd862d");

QByteArray Frame(quint8 code, const QByteArray& data)
{
    return MakeFrame(code, data);
}

QStringList Sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

// The first argument of every emission so far.
QVariantList Emitted(const QSignalSpy& spy)
{
    QVariantList values;
    for (const QVariantList& arguments : spy)
        values << arguments.first();
    return values;
}

QStringList ShownAfter(const QList<QByteArray>& frames, MeterReadings& readings)
{
    for (const QByteArray& frame : frames)
        ReadingDecoders::Decode(readings, frame);
    return Sorted(Shown(readings));
}

} // namespace

class TestReadingDecoders : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void shownTexts_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QStringList>("shown");

        QTest::newRow("version 742.03") << Frame(ReadVersion, Hex("0502034207"))
                                        << QStringList{"Тип: Velmar742.03", "Версия ПО: 2.5"};
        QTest::newRow("version digits are BCD") << Frame(ReadVersion, Hex("1210014107"))
                                                << QStringList{"Тип: Velmar741.01", "Версия ПО: 10.12"};
        QTest::newRow("type 341") << Frame(ReadVersion, Hex("0301014103"))
                                  << QStringList{"Тип: Velmar341.01", "Версия ПО: 1.3"};
        QTest::newRow("unknown type 12345") << Frame(ReadVersion, Hex("0502452301"))
                                            << QStringList{"Тип: 12345", "Версия ПО: неизвест."};

        QTest::newRow("number 42") << Frame(ReadNumber, Hex("2a0000")) << QStringList{"Заводской номер: 000042"};
        QTest::newRow("number 0") << Frame(ReadNumber, Hex("000000")) << QStringList{"Заводской номер: 0"};
        QTest::newRow("largest number") << Frame(ReadNumber, Hex("ffffff"))
                                        << QStringList{"Заводской номер: 16777215"};

        QTest::newRow("clock 0x83") << Frame(ReadClock, Hex("83") + March15)
                                    << QStringList{"Дата / время: 15.03.2024 10:20:30",
                                           "Автопереход на летнее время: да", "Тест часов: Ok",
                                           "Текущий тариф (текущие): 4"};
        QTest::newRow("clock at midnight") << Frame(ReadClock, Hex("0000000000"))
                                           << QStringList{"Дата / время: 01.01.2000",
                                                  "Автопереход на летнее время: нет", "Тест часов: Ok",
                                                  "Текущий тариф (текущие): 1"};
        QTest::newRow("clock count unsigned") << Frame(ReadClock, Hex("07ffffffff"))
                                              << QStringList{"Дата / время: 07.02.2136 06:28:15",
                                                     "Автопереход на летнее время: нет", "Тест часов: Ok",
                                                     "Текущий тариф (текущие): 8"};
        QTest::newRow("clock 0x60: timer fault first")
            << Frame(ReadClock, Hex("60") + March15)
            << QStringList{"Автопереход на летнее время: нет", "Тест часов: Неисправность таймера.",
                   "Текущий тариф (текущие): 1"};
        QTest::newRow("clock not set") << Frame(ReadClock, Hex("c1") + March15)
                                       << QStringList{"Автопереход на летнее время: да",
                                              "Тест часов: Дата и время таймера не установлены.",
                                              "Текущий тариф (текущие): 2"};
        QTest::newRow("clock bit 4 alone") << Frame(ReadClock, Hex("10") + March15)
                                           << QStringList{"Автопереход на летнее время: нет",
                                                  "Текущий тариф (текущие): 1"};
        QTest::newRow("clock without time stamp")
            << Frame(ReadClock, Hex("02"))
            << QStringList{"Автопереход на летнее время: нет", "Тест часов: Ok", "Текущий тариф (текущие): 3"};

        QTest::newRow("average power") << Frame(ReadAveragePower, Hex("e00100"))
                                       << QStringList{"Текущая мощность, Вт (текущие): 480"};

        QTest::newRow("indicator bits 0, 2, 4")
            << Frame(ReadIndicator, Hex("15"))
            << QStringList{"Индикатор: Суммарное потребление", "Индикатор: Дата",
                   "Индикатор: Автопереключение индикации"};
        QTest::newRow("indicator bits above 4") << Frame(ReadIndicator, Hex("e2"))
                                                << QStringList{"Индикатор: Потребление на РДЧ"};

        QTest::newRow("reading index 0x0B") << Frame(ReadReadings, Hex("0b0000004885"))
                                            << QStringList{"4 тариф (РДЧ): 100,000"};
        QTest::newRow("reading index 0x00") << Frame(ReadReadings, Hex("000000000080"))
                                            << QStringList{"1 тариф (текущие): 2,000"};
        QTest::newRow("reading index 0x07") << Frame(ReadReadings, Hex("07000000807f"))
                                            << QStringList{"8 тариф (текущие): -1,000"};
        QTest::newRow("reading index 16 ignored") << Frame(ReadReadings, Hex("100000004885")) << QStringList{};
        QTest::newRow("reading, length byte 7") << Frame(ReadReadings, Hex("0b00000048")) << QStringList{};

        QTest::newRow("operating time 90061 s") << Frame(ReadCounters, Hex("cd5f010003"))
                                                << QStringList{"Время работы (текущие): 1д.01:01:01",
                                                       "Счетчик коррекций (текущие): 3"};

        QTest::newRow("integration byte 0") << Frame(ReadIntegrationTime, Hex("00"))
                                            << QStringList{"Время интегрирования пиковой мощности, мин.: 1"};
        QTest::newRow("integration byte 29") << Frame(ReadIntegrationTime, Hex("1d"))
                                             << QStringList{"Время интегрирования пиковой мощности, мин.: 30"};

        QTest::newRow("settlement 23 15") << Frame(ReadSettlement, Hex("2315"))
                                          << QStringList{"Расчетный день: 15", "Расчетный час: 23"};

        QTest::newRow("ДДМ never reported") << Frame(ReadDdmStatus, Hex("0200000000")) << QStringList{};
        QTest::newRow("ДДМ state 0") << Frame(ReadDdmStatus, Hex("00") + March15)
                                     << QStringList{"Статус баланса ДДМ: в норме",
                                            "Последний сеанс ДДМ: 15.03.2024 10:20:30"};
        QTest::newRow("ДДМ state 1") << Frame(ReadDdmStatus, Hex("01") + March15)
                                     << QStringList{"Статус баланса ДДМ: ДДМ > ББ",
                                            "Последний сеанс ДДМ: 15.03.2024 10:20:30"};
        QTest::newRow("ДДМ state 2 among other bits")
            << Frame(ReadDdmStatus, Hex("fe") + March15)
            << QStringList{"Статус баланса ДДМ: ДДМ < ББ", "Последний сеанс ДДМ: 15.03.2024 10:20:30"};
        QTest::newRow("ДДМ state 3") << Frame(ReadDdmStatus, Hex("03") + March15)
                                     << QStringList{"Последний сеанс ДДМ: 15.03.2024 10:20:30"};

        QTest::newRow("peak powers, settlement stamp signed")
            << Frame(ReadPeakPowers, March15 + Hex("2e0900") + Hex("ffffffff") + Hex("300c00"))
            << QStringList{"Пиковая мощность, Вт (текущие): 2350", "Пиковая мощность, Вт (РДЧ): 3120",
                   "Время фиксации (текущие): 15.03.2024 10:20:30", "Время фиксации (РДЧ): 31.12.1999 23:59:59"};
        QTest::newRow("peak powers, length byte 15")
            << Frame(ReadPeakPowers, March15 + Hex("2e0900") + Hex("ffffffff") + Hex("300c")) << QStringList{};

        QTest::newRow("ДДМ mode 0") << Frame(ReadDdmNumber, Hex("03140000"))
                                    << QStringList{"Номер ДДМ: 5123", "Режим тарификации ДДМ: авто"};
        QTest::newRow("ДДМ mode 3") << Frame(ReadDdmNumber, Hex("03140003"))
                                    << QStringList{"Номер ДДМ: 5123", "Режим тарификации ДДМ: 3"};

        // Shorter than the positions read: nothing to show, nothing read
        // past the data (the CRC is no data).
        QTest::newRow("short version") << Frame(ReadVersion, Hex("05020342")) << QStringList{};
        QTest::newRow("short number") << Frame(ReadNumber, Hex("2a00")) << QStringList{};
        QTest::newRow("short clock") << Frame(ReadClock, {}) << QStringList{};
        QTest::newRow("short average power") << Frame(ReadAveragePower, Hex("e001")) << QStringList{};
        QTest::newRow("short indicator") << Frame(ReadIndicator, {}) << QStringList{};
        QTest::newRow("short counters") << Frame(ReadCounters, Hex("cd5f0100")) << QStringList{};
        QTest::newRow("short integration") << Frame(ReadIntegrationTime, {}) << QStringList{};
        QTest::newRow("short settlement") << Frame(ReadSettlement, Hex("23")) << QStringList{};
        QTest::newRow("short ДДМ status") << Frame(ReadDdmStatus, Hex("02") + March15.left(3)) << QStringList{};
        QTest::newRow("short ДДМ number") << Frame(ReadDdmNumber, Hex("031400")) << QStringList{};
    }
    void shownTexts()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QStringList, shown);
        MeterReadings readings;
        QCOMPARE(ShownAfter({frame}, readings), Sorted(shown));
    }

    void perMeterValues_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("value");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("type 742.03") << Frame(ReadVersion, Hex("0502034207")) << "TypeCode" << 74203LL;
        QTest::newRow("version 742.03") << Frame(ReadVersion, Hex("0502034207")) << "VersionWord" << 0x0205LL;
        QTest::newRow("type 12345") << Frame(ReadVersion, Hex("0502452301")) << "TypeCode" << 12345LL;
        QTest::newRow("version of type 12345") << Frame(ReadVersion, Hex("0502452301")) << "VersionWord" << 0LL;
        QTest::newRow("number 42") << Frame(ReadNumber, Hex("2a0000")) << "MeterNumber" << 42LL;
        QTest::newRow("clock 0x60") << Frame(ReadClock, Hex("60") + March15) << "ClockFlags" << 0x60LL;
        QTest::newRow("clock 0xF3") << Frame(ReadClock, Hex("f3") + March15) << "ClockFlags" << 0x60LL;
        QTest::newRow("clock 0x83") << Frame(ReadClock, Hex("83") + March15) << "ClockFlags" << 0LL;
        QTest::newRow("operating time") << Frame(ReadCounters, Hex("cd5f010003")) << "OperatingTime" << 90061LL;
        QTest::newRow("large operating time") << Frame(ReadCounters, Hex("ffffffff00")) << "OperatingTime"
                                              << 0xFFFFFFFFLL;
        QTest::newRow("ДДМ count 0") << Frame(ReadDdmStatus, Hex("0200000000")) << "DdmState" << 128LL;
        QTest::newRow("ДДМ state 2") << Frame(ReadDdmStatus, Hex("fe") + March15) << "DdmState" << 2LL;
    }
    void perMeterValues()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, value);
        QFETCH(qint64, expected);
        MeterReadings readings;
        ReadingDecoders::Decode(readings, frame);
        const QHash<QString, qint64> values{
            {"TypeCode", readings.TypeCode()},
            {"VersionWord", readings.VersionWord()},
            {"MeterNumber", readings.MeterNumber()},
            {"ClockFlags", readings.ClockFlags()},
            {"OperatingTime", readings.OperatingTime()},
            {"DdmState", readings.DdmState()},
        };
        QCOMPARE(values.value(value, -1), expected);
    }

    void numberEditableExactlyWhileTheNumberIsZero()
    {
        MeterReadings readings;
        QSignalSpy editable(&readings, &MeterReadings::NumberEditableChanged);
        ReadingDecoders::Decode(readings, Frame(ReadNumber, Hex("2a0000")));
        ReadingDecoders::Decode(readings, Frame(ReadNumber, Hex("2b0000")));
        QVERIFY(!readings.NumberEditable());
        ReadingDecoders::Decode(readings, Frame(ReadNumber, Hex("000000")));
        QVERIFY(readings.NumberEditable());
        QCOMPARE(Emitted(editable), (QVariantList{false, true}));
    }

    void ddmUnavailableForGoodOnceA341IsSeen()
    {
        MeterReadings readings;
        QSignalSpy available(&readings, &MeterReadings::DdmAvailableChanged);
        ReadingDecoders::Decode(readings, Frame(ReadVersion, Hex("0502034207")));
        QVERIFY(readings.DdmAvailable());
        ReadingDecoders::Decode(readings, Frame(ReadVersion, Hex("0301014103")));
        ReadingDecoders::Decode(readings, Frame(ReadVersion, Hex("0502034207")));
        readings.Reset();
        QVERIFY(!readings.DdmAvailable());
        QCOMPARE(Emitted(available), QVariantList{false});
    }

    void aRepeatedAnswerSignalsNothing()
    {
        const QList<QByteArray> cycle{
            Frame(ReadVersion, Hex("0502034207")),
            Frame(ReadClock, Hex("83") + March15),
            Frame(ReadIndicator, Hex("15")),
            Frame(ReadReadings, Hex("0b0000004885")),
        };
        MeterReadings readings;
        ShownAfter(cycle, readings);
        QSignalSpy main(&readings, &MeterReadings::MainChanged);
        QSignalSpy addi(&readings, &MeterReadings::AddiChanged);
        QSignalSpy indicator(&readings, &MeterReadings::IndicatorChanged);
        ShownAfter(cycle, readings);
        QCOMPARE(main.count() + addi.count() + indicator.count(), 0);

        ReadingDecoders::Decode(readings, Frame(ReadClock, Hex("60") + March15));
        QCOMPARE(main.count(), 3); // date gone, daylight saving "нет", the fault
        QCOMPARE(addi.count(), 1);
        QCOMPARE(addi[0], (QVariantList{MeterReadings::TariffRow, MeterReadings::Current, "1"}));
    }

    void resetKeepsTheSettlementColumnAndTheSurvivors()
    {
        MeterReadings readings;
        ShownAfter({Frame(ReadVersion, Hex("0502034207")), Frame(ReadNumber, Hex("2a0000")),
                       Frame(ReadClock, Hex("60") + March15), Frame(ReadIndicator, Hex("03")),
                       Frame(ReadReadings, Hex("0b0000004885")), Frame(ReadReadings, Hex("030000004885")),
                       Frame(ReadCounters, Hex("cd5f010003")), Frame(ReadDdmStatus, Hex("0200000000")),
                       Frame(ReadPeakPowers, March15 + Hex("2e0900") + March15 + Hex("300c00"))},
            readings);
        QSignalSpy main(&readings, &MeterReadings::MainChanged);
        readings.Reset();
        QCOMPARE(Sorted(Shown(readings)),
            Sorted({"4 тариф (РДЧ): 100,000", "Пиковая мощность, Вт (РДЧ): 3120",
                "Время фиксации (РДЧ): 15.03.2024 10:20:30", "Индикатор: Суммарное потребление",
                "Индикатор: Потребление на РДЧ"}));
        // Only the rows that showed something change.
        QCOMPARE(main.count(), 5);
        QCOMPARE(readings.TypeCode(), 0);
        QCOMPARE(readings.MeterNumber(), 0u);
        QCOMPARE(int(readings.ClockFlags()), 0);
        QCOMPARE(int(readings.DdmState()), 0);
        QCOMPARE(int(readings.VersionWord()), 0x0205);
        QCOMPARE(readings.OperatingTime(), 90061u);
    }
};

QTEST_GUILESS_MAIN(TestReadingDecoders)
#include "tst_reading_decoders.moc"
