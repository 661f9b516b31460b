// The simulated meter's journals: records answered byte for byte, free slots
// answered with the index alone, the refusals, and a journal an ordinary
// meter in service could hold.

#include "protocol/frame.h"
#include "protocol/meter_calendar.h"
#include "protocol/wire_values.h"
#include "meter/response_fields.h"
#include "meter/value_formats.h"
#include "sim/meter_real.h"
#include "sim/sim_requests.h"
#include "sim/virtual_meter.h"
#include "support/test_bytes.h"

#include <QDateTime>
#include <QSet>
#include <QTest>

namespace {

QByteArray Real(double kWh)
{
    QByteArray bytes;
    AppendLittleEndian(bytes, EncodeMeterReal(kWh), 4);
    return bytes;
}

QDate MeterDate(qint32 stamp)
{
    return MeterEpoch().addDays(stamp / SecondsPerDay);
}

// A meter whose journals hold one recognisable month and record, the other
// slots free.
VirtualMeter KnownMeter()
{
    VirtualMeter meter;
    MeterState& s = meter.State();
    s.yearJournal = {};
    s.yearJournal[11] = YearJournalMonth{0x24, {1.0, 2.0, 0, 0, 0, 0, 0, 100.0}, {-2, 0x0A0B0C}, 0x01020304};
    s.consumptionJournal = {};
    s.consumptionJournal[249] = ConsumptionRecord{0x81, 0x11223344, 3, 2.0, 0xFF, 0x05060708};
    return meter;
}

} // namespace

class MeterJournalsTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("data");
        const QByteArray zero = Real(0);
        QTest::newRow("a month") << quint8(ReadYearJournal) << Hex("0B")
                                 << Hex("0B 24") + Real(1) + Real(2) + zero + zero + zero + zero + zero + Real(100)
                + Hex("FEFFFFFF 0C0B0A 04030201");
        QTest::newRow("a month without a record") << quint8(ReadYearJournal) << Hex("00") << Hex("00");
        QTest::newRow("a record") << quint8(ReadConsumptionJournal) << Hex("F9")
                                  << Hex("F9 81 44332211 03") + Real(2) + Hex("FF 08070605");
        QTest::newRow("a free slot") << quint8(ReadConsumptionJournal) << Hex("00") << Hex("00");
    }
    void answers()
    {
        QFETCH(quint8, code);
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, data);
        VirtualMeter meter = KnownMeter();
        QCOMPARE(Ask(meter, code, payload).toHex(' '), MakeFrame(code, data).toHex(' '));
    }

    void refuses_data()
    {
        QTest::addColumn<quint8>("code");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("error");
        QTest::newRow("month 12") << quint8(ReadYearJournal) << Hex("0C") << 4;
        QTest::newRow("month 255") << quint8(ReadYearJournal) << Hex("FF") << 4;
        QTest::newRow("record index 250") << quint8(ReadConsumptionJournal) << Hex("FA") << 4;
        QTest::newRow("month without index") << quint8(ReadYearJournal) << QByteArray() << 2;
        QTest::newRow("record with two bytes") << quint8(ReadConsumptionJournal) << Hex("0001") << 2;
    }
    void refuses()
    {
        QFETCH(quint8, code);
        QFETCH(QByteArray, payload);
        QFETCH(int, error);
        VirtualMeter meter = KnownMeter();
        QCOMPARE(Ask(meter, code, payload), MakeFrame(code | ErrorReplyBit, Bytes({error})));
    }

    // Full records for every month of one year: peaks inside their month,
    // readings never falling, only the day and night tariffs used.
    void inServiceYearJournal()
    {
        VirtualMeter meter;
        QList<double> previous(8, 0.0);
        quint32 previousOperating = 0;
        for (int month = 0; month < 12; ++month) {
            const QByteArray answer = Ask(meter, ReadYearJournal, Bytes({month}));
            const ResponseFields fields(answer);
            QVERIFY2(fields.HasLength(47), qPrintable(answer.toHex(' ')));
            QCOMPARE(fields.Byte(2), month);
            QCOMPARE(fields.Byte(3), 0x24);
            const QDate peak = MeterDate(fields.I32(36));
            QCOMPARE(peak.year(), 2024);
            QCOMPARE(peak.month(), month + 1);
            QVERIFY(fields.U24(40) > 0);
            for (int tariff = 0; tariff < 8; ++tariff) {
                const double reading = DecodeMeterReal(fields.U32(4 + 4 * tariff));
                QVERIFY(reading >= previous[tariff]);
                QCOMPARE(reading > 0, tariff < 2);
                previous[tariff] = reading;
            }
            QVERIFY(fields.U32(43) > previousOperating);
            previousOperating = fields.U32(43);
        }
    }

    // Every record number once, in a ring that has come round: numbers run
    // against the indexes, and the free slots lie between newest and oldest.
    void inServiceConsumptionJournal()
    {
        VirtualMeter meter;
        QMap<int, qint32> stampByNumber;
        QList<int> freeSlots;
        QSet<int> tariffs;
        for (int index = 0; index < 250; ++index) {
            const QByteArray answer = Ask(meter, ReadConsumptionJournal, Bytes({index}));
            const ResponseFields fields(answer);
            QCOMPARE(fields.Byte(2), index);
            if (fields.HasLength(3)) {
                freeSlots << index;
                continue;
            }
            QVERIFY2(fields.HasLength(18), qPrintable(answer.toHex(' ')));
            QVERIFY(!stampByNumber.contains(fields.Byte(3)));
            stampByNumber.insert(fields.Byte(3), fields.I32(4));
            tariffs << fields.Byte(8);
        }
        QCOMPARE(stampByNumber.firstKey(), 1);
        QCOMPARE(stampByNumber.lastKey(), 220);
        QCOMPARE(stampByNumber.size(), 220);
        QCOMPARE(freeSlots.first(), 30);
        QCOMPARE(freeSlots.last(), 59);
        QCOMPARE(freeSlots.size(), 30);
        QCOMPARE(ResponseFields(Ask(meter, ReadConsumptionJournal, Bytes({0}))).Byte(3), 191);
        QVERIFY(std::is_sorted(stampByNumber.begin(), stampByNumber.end()));
        QCOMPARE(MeterDate(stampByNumber.first()).year(), 2024);
        QCOMPARE(MeterDate(stampByNumber.last()).year(), 2024);
        QCOMPARE(tariffs, (QSet<int>{0, 1, 2}));
    }
};

QTEST_GUILESS_MAIN(MeterJournalsTest)
#include "tst_meter_journals.moc"
