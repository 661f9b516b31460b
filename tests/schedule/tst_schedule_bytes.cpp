// The byte forms a schedule travels in, to tsc files and to the meter: the
// 7-byte zone record, the holiday block of 2-byte slots and the transfer
// block of 4-byte slots, and which slots count as empty or impossible.

#include "calendar_text.h"
#include "schedule_records.h"
#include "schedule/schedule_bytes.h"
#include "support/test_bytes.h"

#include <QtTest>

namespace {

// The refusal a decoding result holds, for failure messages; empty when
// it holds a value.
template <typename Value>
QByteArray Refusal(const std::variant<Value, QString>& result)
{
    const QString* reason = std::get_if<QString>(&result);
    return reason ? reason->toUtf8() : QByteArray();
}

const QByteArray DefaultHolidayBlock = Hex("0101 0201 0301 0401 0501 0701 2302 0803 0105 0905 1206 0411") + Zeros(8);

} // namespace

class TestScheduleBytes : public QObject {
    Q_OBJECT
private slots:
    void decodeBcd_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << 0x00 << 0;
        QTest::newRow("units only") << 0x09 << 9;
        QTest::newRow("tens only") << 0x10 << 10;
        QTest::newRow("last minute") << 0x59 << 59;
        QTest::newRow("largest") << 0x99 << 99;
        QTest::newRow("nibbles are not checked") << 0x2A << 30;
    }
    void decodeBcd()
    {
        QFETCH(int, byte);
        QFETCH(int, value);
        QCOMPARE(DecodeBcd(char(byte)), value);
    }

    void encodeRecord_data()
    {
        QTest::addColumn<AList>("record");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("07:30 tariff 2, Monday to Friday, all months")
            << LimitedZone("07:30", 2, 0, 2, 0x1F, AllMonths) << Hex("11 07 30 00 1F FF 0F");
        QTest::newRow("tariff 1 over the limit tariff 3")
            << LimitedZone("00:00", 1, 50, 3, Days({1}), Month(1)) << Hex("20 00 00 32 01 01 00");
        QTest::newRow("tariff 8 over the limit tariff 8, last minute")
            << LimitedZone("23:59", 8, 255, 8, 0xFF, Month(12)) << Hex("77 23 59 FF FF 00 08");
        QTest::newRow("tariff 4 over the limit tariff 1, low and high month bytes")
            << LimitedZone("12:05", 4, 7, 1, Days({8}), Month(8) | Month(9)) << Hex("03 12 05 07 80 80 01");
    }
    void encodeRecord()
    {
        QFETCH(AList, record);
        QFETCH(QByteArray, bytes);
        QCOMPARE(EncodeRecord(record).toHex(' '), bytes.toHex(' '));
    }

    void decodeRecord_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<AList>("record");

        QTest::newRow("07:30 tariff 2, Monday to Friday, all months")
            << Hex("11 07 30 00 1F FF 0F") << LimitedZone("07:30", 2, 0, 2, 0x1F, AllMonths);
        QTest::newRow("tariff 1 over the limit tariff 3")
            << Hex("20 00 00 32 01 01 00") << LimitedZone("00:00", 1, 50, 3, Days({1}), Month(1));
        QTest::newRow("23:59 tariff 8 limit 255")
            << Hex("77 23 59 FF FF 00 08") << LimitedZone("23:59", 8, 255, 8, 0xFF, Month(12));
        QTest::newRow("bit 3 does not belong to the tariff")
            << Hex("09 06 00 00 01 01 00") << LimitedZone("06:00", 2, 0, 1, Days({1}), Month(1));
        QTest::newRow("bit 7 does not belong to the over-limit tariff")
            << Hex("81 06 00 00 01 01 00") << LimitedZone("06:00", 2, 0, 1, Days({1}), Month(1));
        QTest::newRow("bits 3 and 7 both set")
            << Hex("F8 06 00 00 01 01 00") << LimitedZone("06:00", 1, 0, 8, Days({1}), Month(1));
        QTest::newRow("stray high month bits are kept as stored")
            << Hex("00 10 00 00 01 00 F8") << Zone("10:00", 1, Days({1}), 0xF800);
    }
    void decodeRecord()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(AList, record);
        const auto decoded = DecodeRecord(bytes);
        QVERIFY2(std::holds_alternative<AList>(decoded), Refusal(decoded).constData());
        QCOMPARE(Describe(QList<AList>{std::get<AList>(decoded)}), Describe(QList<AList>{record}));
    }

    // The two tariffs share one byte: every pair must come back separately.
    void everyTariffPairComesBack()
    {
        for (quint8 tariff = 1; tariff <= 8; ++tariff) {
            for (quint8 limitTariff = 1; limitTariff <= 8; ++limitTariff) {
                const AList record = LimitedZone("18:45", tariff, 100, limitTariff, 0x60, Months(4, 10));
                const auto decoded = DecodeRecord(EncodeRecord(record));
                QVERIFY(std::holds_alternative<AList>(decoded));
                QCOMPARE(Describe(QList<AList>{std::get<AList>(decoded)}), Describe(QList<AList>{record}));
            }
        }
    }

    void impossibleTimesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shownTime");
        QTest::newRow("hour 24") << Hex("00 24 00 00 01 01 00") << "24:00";
        QTest::newRow("minute 60") << Hex("00 23 60 00 01 01 00") << "23:60";
        QTest::newRow("hour nibble beyond 9") << Hex("00 2A 00 00 01 01 00") << "30:00";
        QTest::newRow("minute nibble beyond 9") << Hex("00 12 5A 00 01 01 00") << "12:60";
        QTest::newRow("both out of range") << Hex("00 99 99 00 01 01 00") << "99:99";
    }
    void impossibleTimesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shownTime);
        const auto decoded = DecodeRecord(bytes);
        QVERIFY(std::holds_alternative<QString>(decoded));
        QVERIFY2(std::get<QString>(decoded).contains(shownTime), Refusal(decoded).constData());
    }

    void encodeHolidays_data()
    {
        QTest::addColumn<QList<Holiday>>("holidays");
        QTest::addColumn<QByteArray>("block");

        QTest::newRow("none") << QList<Holiday>{} << Zeros(HolidayBlockSize);
        QTest::newRow("the usual twelve") << DefaultHolidays() << DefaultHolidayBlock;
        QList<Holiday> sixteen;
        QByteArray full;
        for (int k = 0; k < MaxHolidays; ++k) {
            sixteen << Holiday{k % 12 + 1, 31 - k};
            full += QByteArray::fromHex(QByteArray::number(31 - k));
            full += QByteArray::fromHex(QByteArray::number(k % 12 + 1).rightJustified(2, '0'));
        }
        QTest::newRow("all sixteen slots") << sixteen << full;
    }
    void encodeHolidays()
    {
        QFETCH(QList<Holiday>, holidays);
        QFETCH(QByteArray, block);
        QCOMPARE(EncodeHolidays(holidays).toHex(' '), block.toHex(' '));
    }

    void decodeHolidays_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QList<Holiday>>("holidays");

        QTest::newRow("empty block") << Zeros(HolidayBlockSize) << QList<Holiday>{};
        QTest::newRow("the usual twelve") << DefaultHolidayBlock << DefaultHolidays();
        QTest::newRow("day 32 first") << Hex("3201 3112") + Zeros(28) << QList<Holiday>{{12, 31}};
        QTest::newRow("month 13 in the middle")
            << Hex("0101 1513 0905") + Zeros(26) << QList<Holiday>{{1, 1}, {5, 9}};
        QTest::newRow("day 0 and month 0 among used slots")
            << Hex("0003 0101 1500 0803") + Zeros(24) << QList<Holiday>{{1, 1}, {3, 8}};
        QTest::newRow("a free slot before the last")
            << Zeros(30) + Hex("3112") << QList<Holiday>{{12, 31}};
        QTest::newRow("BCD beyond 31 and 12") << Hex("4001 0120") + Zeros(28) << QList<Holiday>{};
    }
    void decodeHolidays()
    {
        QFETCH(QByteArray, block);
        QFETCH(QList<Holiday>, holidays);
        QCOMPARE(Describe(DecodeHolidays(block)), Describe(holidays));
    }

    void holidayFromSlot_data()
    {
        QTest::addColumn<int>("dayByte");
        QTest::addColumn<int>("monthByte");
        QTest::addColumn<bool>("used");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("month");
        QTest::newRow("1 January") << 0x01 << 0x01 << true << 1 << 1;
        QTest::newRow("31 December") << 0x31 << 0x12 << true << 31 << 12;
        QTest::newRow("23 February") << 0x23 << 0x02 << true << 23 << 2;
        QTest::newRow("day 0") << 0x00 << 0x05 << false << 0 << 0;
        QTest::newRow("day 32") << 0x32 << 0x05 << false << 0 << 0;
        QTest::newRow("month 0") << 0x15 << 0x00 << false << 0 << 0;
        QTest::newRow("month 13") << 0x15 << 0x13 << false << 0 << 0;
    }
    void holidayFromSlot()
    {
        QFETCH(int, dayByte);
        QFETCH(int, monthByte);
        QFETCH(bool, used);
        QFETCH(int, day);
        QFETCH(int, month);
        const auto holiday = HolidayFromSlot(char(dayByte), char(monthByte));
        QCOMPARE(holiday.has_value(), used);
        if (used)
            QCOMPARE(Describe(QList<Holiday>{*holiday}), Describe(QList<Holiday>{{month, day}}));
    }

    void encodeTransfers_data()
    {
        QTest::addColumn<QList<Transfer>>("transfers");
        QTest::addColumn<QByteArray>("block");

        QTest::newRow("none") << QList<Transfer>{} << Zeros(TransferBlockSize);
        QTest::newRow("3 March 2025 as Saturday")
            << QList<Transfer>{{QDate(2025, 3, 3), 6}} << Hex("03 03 25 06") + Zeros(60);
        QTest::newRow("year 2000 is byte 0, day type is no BCD")
            << QList<Transfer>{{QDate(2000, 5, 1), 1}, {QDate(2099, 12, 31), 8}}
            << Hex("01 05 00 01  31 12 99 08") + Zeros(56);
    }
    void encodeTransfers()
    {
        QFETCH(QList<Transfer>, transfers);
        QFETCH(QByteArray, block);
        QCOMPARE(EncodeTransfers(transfers).toHex(' '), block.toHex(' '));
    }

    void decodeTransfers_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QList<Transfer>>("transfers");

        const Transfer march3{QDate(2025, 3, 3), 6};
        const QByteArray march3Slot = Hex("03 03 25 06");
        QTest::newRow("empty block") << Zeros(TransferBlockSize) << QList<Transfer>{};
        QTest::newRow("3 March 2025 as Saturday") << march3Slot + Zeros(60) << QList<Transfer>{march3};
        QTest::newRow("1 May 2000 as Monday") << Hex("01 05 00 01") + Zeros(60)
                                              << QList<Transfer>{{QDate(2000, 5, 1), 1}};
        QTest::newRow("day type 0 first") << Hex("10 10 24 00") + march3Slot + Zeros(56)
                                          << QList<Transfer>{march3};
        QTest::newRow("day type 9 in the middle")
            << Hex("01 06 24 08  10 10 24 09") + march3Slot + Zeros(52)
            << QList<Transfer>{{QDate(2024, 6, 1), 8}, march3};
        QTest::newRow("month 13 and day 32 skipped")
            << Hex("01 13 24 01  32 01 24 01") + march3Slot + Zeros(52) << QList<Transfer>{march3};
        QTest::newRow("a free slot before the last") << Zeros(60) + march3Slot << QList<Transfer>{march3};
        // Only a slot in use is asked whether its date exists.
        QTest::newRow("31 April in an unused slot is skipped")
            << Hex("31 04 25 00") + march3Slot + Zeros(56) << QList<Transfer>{march3};
        QTest::newRow("a year not in decimal digits is skipped")
            << Hex("03 03 FA 06") + march3Slot + Zeros(56) << QList<Transfer>{march3};
        QTest::newRow("31 April of a year not in decimal digits is skipped, not refused")
            << Hex("31 04 2A 01") + march3Slot + Zeros(56) << QList<Transfer>{march3};
    }
    void decodeTransfers()
    {
        QFETCH(QByteArray, block);
        QFETCH(QList<Transfer>, transfers);
        const auto decoded = DecodeTransfers(block);
        QVERIFY2(std::holds_alternative<QList<Transfer>>(decoded), Refusal(decoded).constData());
        QCOMPARE(Describe(std::get<QList<Transfer>>(decoded)), Describe(transfers));
    }

    void impossibleTransferDates_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QString>("shownDate");
        QTest::newRow("31 April alone") << Hex("31 04 25 01") + Zeros(60) << "31.04.2025";
        QTest::newRow("29 February of a common year after a good slot")
            << Hex("03 03 25 06  29 02 25 02") + Zeros(56) << "29.02.2025";
        QTest::newRow("30 February of a leap year, last slot") << Zeros(60) + Hex("30 02 24 08") << "30.02.2024";
        QTest::newRow("31 June 2000") << Hex("31 06 00 03") + Zeros(60) << "31.06.2000";
    }
    void impossibleTransferDates()
    {
        QFETCH(QByteArray, block);
        QFETCH(QString, shownDate);
        const auto decoded = DecodeTransfers(block);
        QVERIFY(std::holds_alternative<QString>(decoded));
        QVERIFY2(std::get<QString>(decoded).contains(shownDate), Refusal(decoded).constData());
    }

    void transferFromSlot_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<bool>("used");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("dayType");
        QTest::newRow("3 March 2025 as Saturday") << Hex("03 03 25 06") << true << QDate(2025, 3, 3) << 6;
        QTest::newRow("1 May 2000 as Monday") << Hex("01 05 00 01") << true << QDate(2000, 5, 1) << 1;
        QTest::newRow("29 February 2024 as holiday") << Hex("29 02 24 08") << true << QDate(2024, 2, 29) << 8;
        QTest::newRow("the last year, 2099") << Hex("31 12 99 07") << true << QDate(2099, 12, 31) << 7;
        QTest::newRow("free slot") << Zeros(4) << false << QDate() << 0;
        QTest::newRow("day type 0") << Hex("03 03 25 00") << false << QDate() << 0;
        QTest::newRow("day type 9") << Hex("03 03 25 09") << false << QDate() << 0;
        QTest::newRow("day type in BCD 0x10") << Hex("03 03 25 10") << false << QDate() << 0;
        QTest::newRow("month 0") << Hex("03 00 25 01") << false << QDate() << 0;
        QTest::newRow("month 13") << Hex("03 13 25 01") << false << QDate() << 0;
        QTest::newRow("day 32") << Hex("32 03 25 01") << false << QDate() << 0;
        QTest::newRow("31 April") << Hex("31 04 25 01") << false << QDate() << 0;
        // Decoded without a check, these would be the years 2160, 2100
        // and 2025 (0x1F as 1 and 15).
        QTest::newRow("year 0xFA") << Hex("03 03 FA 06") << false << QDate() << 0;
        QTest::newRow("year 0xA0") << Hex("03 03 A0 06") << false << QDate() << 0;
        QTest::newRow("year 0x1F") << Hex("03 03 1F 06") << false << QDate() << 0;
    }
    void transferFromSlot()
    {
        QFETCH(QByteArray, slot);
        QFETCH(bool, used);
        QFETCH(QDate, date);
        QFETCH(int, dayType);
        const auto transfer = TransferFromSlot(slot);
        QCOMPARE(transfer.has_value(), used);
        if (used)
            QCOMPARE(Describe(QList<Transfer>{*transfer}), Describe(QList<Transfer>{{date, dayType}}));
    }

    // Full blocks, every slot used, come back slot for slot.
    void fullBlocksComeBack()
    {
        QList<Holiday> holidays;
        QList<Transfer> transfers;
        for (int k = 0; k < MaxHolidays; ++k) {
            holidays << Holiday{12 - k % 12, k + 10};
            transfers << Transfer{QDate(2000 + 6 * k, k % 12 + 1, 28 - k), k % 8 + 1};
        }
        QCOMPARE(Describe(DecodeHolidays(EncodeHolidays(holidays))), Describe(holidays));
        const auto decoded = DecodeTransfers(EncodeTransfers(transfers));
        QVERIFY(std::holds_alternative<QList<Transfer>>(decoded));
        QCOMPARE(Describe(std::get<QList<Transfer>>(decoded)), Describe(transfers));
    }
};

QTEST_GUILESS_MAIN(TestScheduleBytes)
#include "tst_schedule_bytes.moc"
