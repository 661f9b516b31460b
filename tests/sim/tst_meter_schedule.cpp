// The simulated meter's tariff schedule: what its writes leave as its reads
// show it, the checksum the poll reads, what a meter in service starts with,
// and the refusals.

#include "protocol/frame.h"
#include "sim/sim_login.h"
#include "sim/sim_requests.h"
#include "support/test_bytes.h"

#include <QTest>

namespace {

// Every write must be acknowledged, or what follows proves nothing.
void WriteAll(VirtualMeter& meter, const QList<QByteArray>& writes)
{
    for (const QByteArray& write : writes)
        QCOMPARE(meter.Respond(write), MakeFrame(quint8(write[0])));
}

// What the poll is told once zone records, holidays and transfers are gone.
const QByteArray EmptyChecksumAnswer = MakeFrame(ReadSchedule, Hex("ffff"));

bool SameSchedule(const MeterSchedule& a, const MeterSchedule& b)
{
    return a.records == b.records && a.holidays == b.holidays && a.transfers == b.transfers
        && a.limitCoefficient == b.limitCoefficient;
}

const QByteArray EraseRecords = MakeFrame(WriteSchedule);
const QByteArray EraseHolidays = MakeFrame(WriteHolidays);
const QByteArray EraseTransfers = MakeFrame(WriteTransfers);

// Concatenated answers to the reads of slots first .. last of one list.
QByteArray SlotAnswers(VirtualMeter& meter, quint8 code, int first, int last)
{
    QByteArray answers;
    for (int index = first; index <= last; ++index) {
        const QByteArray reply = Ask(meter, code, QByteArray(1, char(index)));
        answers += reply.mid(2, reply.size() - 4);
    }
    return answers;
}

} // namespace

class MeterScheduleTest : public QObject {
    Q_OBJECT
private slots:
    void keepsWhatIsWritten_data();
    void keepsWhatIsWritten();
    void checksumEmptyOnceAllErased_data();
    void checksumEmptyOnceAllErased();
    void checksumFollowsSlots_data();
    void checksumFollowsSlots();
    void refuses_data();
    void refuses();
    void inServiceSchedule();
    void inServiceZonesMatchClockTariff();
};

void MeterScheduleTest::keepsWhatIsWritten_data()
{
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QByteArray>("answer"); // the data of the read's answer

    const QByteArray record = Hex("31" "0630" "05" "1f" "f0" "03");
    QTest::newRow("record stored in a free slot")
        << QList<QByteArray>{MakeFrame(WriteSchedule, "\x05" + record)} << MakeFrame(ReadSchedule, Hex("05"))
        << QByteArray("\x05" + record);
    QTest::newRow("record 255, bytes kept unchecked")
        << QList<QByteArray>{MakeFrame(WriteSchedule, Hex("ff" "ffaaffffffffff"))}
        << MakeFrame(ReadSchedule, Hex("ff")) << Hex("ff" "ffaaffffffffff");
    QTest::newRow("record stored over another")
        << QList<QByteArray>{MakeFrame(WriteSchedule, '\0' + record)} << MakeFrame(ReadSchedule, Hex("00"))
        << QByteArray('\0' + record);
    QTest::newRow("free record") << QList<QByteArray>{} << MakeFrame(ReadSchedule, Hex("02")) << Hex("02");
    QTest::newRow("records erased") << QList<QByteArray>{EraseRecords} << MakeFrame(ReadSchedule, Hex("01"))
                                    << Hex("01");
    QTest::newRow("records erased, holidays kept")
        << QList<QByteArray>{EraseRecords} << MakeFrame(ReadHolidays, Hex("00")) << Hex("000101");

    QTest::newRow("holiday 15 stored") << QList<QByteArray>{MakeFrame(WriteHolidays, Hex("0f" "3112"))}
                                       << MakeFrame(ReadHolidays, Hex("0f")) << Hex("0f3112");
    QTest::newRow("holiday stored over another") << QList<QByteArray>{MakeFrame(WriteHolidays, Hex("00" "0701"))}
                                                 << MakeFrame(ReadHolidays, Hex("00")) << Hex("000701");
    QTest::newRow("free holiday") << QList<QByteArray>{} << MakeFrame(ReadHolidays, Hex("0c")) << Hex("0c");
    QTest::newRow("holidays erased") << QList<QByteArray>{EraseHolidays} << MakeFrame(ReadHolidays, Hex("0b"))
                                     << Hex("0b");
    QTest::newRow("holidays erased, records kept") << QList<QByteArray>{EraseHolidays}
                                                   << MakeFrame(ReadSchedule, Hex("01")) << Hex("01" "11230000ffff0f");

    QTest::newRow("transfer 0 stored") << QList<QByteArray>{MakeFrame(WriteTransfers, Hex("00" "02112406"))}
                                       << MakeFrame(ReadTransfers, Hex("00")) << Hex("0002112406");
    QTest::newRow("transfer 15 stored") << QList<QByteArray>{MakeFrame(WriteTransfers, Hex("0f" "29022807"))}
                                        << MakeFrame(ReadTransfers, Hex("0f")) << Hex("0f29022807");
    QTest::newRow("free transfer") << QList<QByteArray>{} << MakeFrame(ReadTransfers, Hex("03")) << Hex("03");
    QTest::newRow("transfers erased")
        << QList<QByteArray>{MakeFrame(WriteTransfers, Hex("03" "02112406")), EraseTransfers}
        << MakeFrame(ReadTransfers, Hex("03")) << Hex("03");
    QTest::newRow("transfers erased, holidays kept")
        << QList<QByteArray>{EraseTransfers} << MakeFrame(ReadHolidays, Hex("0b")) << Hex("0b0411");

    QTest::newRow("coefficient") << QList<QByteArray>{MakeFrame(WriteLimitCoefficient, Hex("05"))}
                                 << MakeFrame(ReadLimitCoefficient) << Hex("05");
    QTest::newRow("coefficient 0 kept unchecked") << QList<QByteArray>{MakeFrame(WriteLimitCoefficient, Hex("00"))}
                                                  << MakeFrame(ReadLimitCoefficient) << Hex("00");
    QTest::newRow("coefficient kept by the erases")
        << QList<QByteArray>{MakeFrame(WriteLimitCoefficient, Hex("07")), EraseRecords, EraseHolidays, EraseTransfers}
        << MakeFrame(ReadLimitCoefficient) << Hex("07");
}

void MeterScheduleTest::keepsWhatIsWritten()
{
    QFETCH(QList<QByteArray>, writes);
    QFETCH(QByteArray, read);
    QFETCH(QByteArray, answer);

    VirtualMeter meter;
    QCOMPARE(LogIn(meter, QString()), MakeFrame(EnterPassword));
    WriteAll(meter, writes);
    if (QTest::currentTestFailed())
        return;

    // The whole frame: the length byte tells a free slot from a present one.
    QCOMPARE(meter.Respond(read), MakeFrame(quint8(read[0]), answer));
}

void MeterScheduleTest::checksumEmptyOnceAllErased_data()
{
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::addColumn<bool>("empty");

    QTest::newRow("all three lists erased") << QList<QByteArray>{EraseRecords, EraseHolidays, EraseTransfers}
                                            << true;
    QTest::newRow("records kept") << QList<QByteArray>{EraseHolidays, EraseTransfers} << false;
    QTest::newRow("holidays kept") << QList<QByteArray>{EraseRecords, EraseTransfers} << false;
    QTest::newRow("a transfer kept")
        << QList<QByteArray>{MakeFrame(WriteTransfers, Hex("09" "02112406")), EraseRecords, EraseHolidays} << false;
    QTest::newRow("a record written after the erase")
        << QList<QByteArray>{EraseRecords, EraseHolidays, EraseTransfers,
                             MakeFrame(WriteSchedule, Hex("00" "00000000000000"))}
        << false;
}

void MeterScheduleTest::checksumEmptyOnceAllErased()
{
    QFETCH(QList<QByteArray>, writes);
    QFETCH(bool, empty);

    VirtualMeter meter;
    QCOMPARE(LogIn(meter, QString()), MakeFrame(EnterPassword));
    WriteAll(meter, writes);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(Ask(meter, ReadSchedule) == EmptyChecksumAnswer, empty);
}

void MeterScheduleTest::checksumFollowsSlots_data()
{
    QTest::addColumn<QList<QByteArray>>("before");
    QTest::addColumn<QList<QByteArray>>("change");
    QTest::addColumn<bool>("changes");

    const QList<QByteArray> emptied{EraseRecords, EraseHolidays, EraseTransfers};
    const QByteArray dayZone = Hex("00" "00070000ffff0f"); // what slot 0 holds in service
    QTest::newRow("record stored in a free slot")
        << QList<QByteArray>{} << QList<QByteArray>{MakeFrame(WriteSchedule, Hex("02" "10150000ffff0f"))} << true;
    QTest::newRow("record's minute changed")
        << QList<QByteArray>{} << QList<QByteArray>{MakeFrame(WriteSchedule, Hex("00" "00070100ffff0f"))} << true;
    QTest::newRow("record's last byte changed")
        << QList<QByteArray>{} << QList<QByteArray>{MakeFrame(WriteSchedule, Hex("00" "00070000ffff0e"))} << true;
    QTest::newRow("record moved to another slot")
        << QList<QByteArray>{EraseRecords, MakeFrame(WriteSchedule, Hex("00" "00070000ffff0f"))}
        << QList<QByteArray>{EraseRecords, MakeFrame(WriteSchedule, Hex("01" "00070000ffff0f"))} << true;
    QTest::newRow("same record written again") << QList<QByteArray>{} << QList<QByteArray>{MakeFrame(WriteSchedule, dayZone)}
                                               << false;
    QTest::newRow("records erased") << QList<QByteArray>{} << QList<QByteArray>{EraseRecords} << true;
    QTest::newRow("holiday stored") << QList<QByteArray>{} << QList<QByteArray>{MakeFrame(WriteHolidays, Hex("0c" "3112"))}
                                    << true;
    QTest::newRow("holiday changed") << QList<QByteArray>{} << QList<QByteArray>{MakeFrame(WriteHolidays, Hex("00" "0201"))}
                                     << true;
    QTest::newRow("holiday into an emptied schedule")
        << emptied << QList<QByteArray>{MakeFrame(WriteHolidays, Hex("00" "0101"))} << true;
    QTest::newRow("transfer stored") << QList<QByteArray>{} << QList<QByteArray>{MakeFrame(WriteTransfers, Hex("00" "02112406"))}
                                     << true;
    QTest::newRow("transfer's day type changed")
        << QList<QByteArray>{MakeFrame(WriteTransfers, Hex("00" "02112406"))}
        << QList<QByteArray>{MakeFrame(WriteTransfers, Hex("00" "02112405"))} << true;
    QTest::newRow("transfer into an emptied schedule")
        << emptied << QList<QByteArray>{MakeFrame(WriteTransfers, Hex("0f" "00000000"))} << true;
    QTest::newRow("coefficient left out")
        << QList<QByteArray>{} << QList<QByteArray>{MakeFrame(WriteLimitCoefficient, Hex("09"))} << false;
}

void MeterScheduleTest::checksumFollowsSlots()
{
    QFETCH(QList<QByteArray>, before);
    QFETCH(QList<QByteArray>, change);
    QFETCH(bool, changes);

    VirtualMeter meter;
    QCOMPARE(LogIn(meter, QString()), MakeFrame(EnterPassword));
    WriteAll(meter, before);
    const QByteArray was = Ask(meter, ReadSchedule);
    WriteAll(meter, change);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(Ask(meter, ReadSchedule) != was, changes);
}

void MeterScheduleTest::refuses_data()
{
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("error");

    QTest::newRow("no login: record stored")
        << false << MakeFrame(WriteSchedule, Hex("02" "10150000ffff0f")) << 6;
    QTest::newRow("no login: records erased") << false << EraseRecords << 6;
    QTest::newRow("no login: holiday stored") << false << MakeFrame(WriteHolidays, Hex("0c" "3112")) << 6;
    QTest::newRow("no login: holidays erased") << false << EraseHolidays << 6;
    QTest::newRow("no login: transfer stored") << false << MakeFrame(WriteTransfers, Hex("00" "02112406")) << 6;
    QTest::newRow("no login: transfers erased") << false << EraseTransfers << 6;
    QTest::newRow("no login: coefficient") << false << MakeFrame(WriteLimitCoefficient, Hex("05")) << 6;

    QTest::newRow("record erase with a byte") << true << MakeFrame(WriteSchedule, Hex("00")) << 2;
    QTest::newRow("record without its last byte") << true << MakeFrame(WriteSchedule, Hex("02" "10150000ffff")) << 2;
    QTest::newRow("record with a byte too many")
        << true << MakeFrame(WriteSchedule, Hex("02" "10150000ffff0f00")) << 2;
    QTest::newRow("holiday without its month") << true << MakeFrame(WriteHolidays, Hex("0c" "31")) << 2;
    QTest::newRow("holiday with a byte too many") << true << MakeFrame(WriteHolidays, Hex("0c" "311200")) << 2;
    QTest::newRow("transfer without its day type") << true << MakeFrame(WriteTransfers, Hex("00" "021124")) << 2;
    QTest::newRow("transfer with a byte too many") << true << MakeFrame(WriteTransfers, Hex("00" "0211240600")) << 2;
    QTest::newRow("coefficient of nothing") << true << MakeFrame(WriteLimitCoefficient) << 2;
    QTest::newRow("coefficient of 2 bytes") << true << MakeFrame(WriteLimitCoefficient, Hex("0500")) << 2;
    QTest::newRow("holiday 16 stored") << true << MakeFrame(WriteHolidays, Hex("10" "3112")) << 4;
    QTest::newRow("transfer 16 stored") << true << MakeFrame(WriteTransfers, Hex("10" "02112406")) << 4;

    QTest::newRow("record read of 2 bytes") << false << MakeFrame(ReadSchedule, Hex("0000")) << 2;
    QTest::newRow("holiday read without index") << false << MakeFrame(ReadHolidays) << 2;
    QTest::newRow("holiday read of 2 bytes") << false << MakeFrame(ReadHolidays, Hex("0000")) << 2;
    QTest::newRow("transfer read without index") << false << MakeFrame(ReadTransfers) << 2;
    QTest::newRow("transfer read of 2 bytes") << false << MakeFrame(ReadTransfers, Hex("0000")) << 2;
    QTest::newRow("coefficient read with a byte") << false << MakeFrame(ReadLimitCoefficient, Hex("00")) << 2;
    QTest::newRow("holiday 16 read") << false << MakeFrame(ReadHolidays, Hex("10")) << 4;
    QTest::newRow("transfer 16 read") << false << MakeFrame(ReadTransfers, Hex("10")) << 4;
    QTest::newRow("holiday 255 read") << false << MakeFrame(ReadHolidays, Hex("ff")) << 4;
}

void MeterScheduleTest::refuses()
{
    QFETCH(bool, loggedIn);
    QFETCH(QByteArray, request);
    QFETCH(int, error);

    VirtualMeter meter;
    if (loggedIn)
        QCOMPARE(LogIn(meter, QString()), MakeFrame(EnterPassword));
    const MeterSchedule before = meter.State().schedule;

    QCOMPARE(meter.Respond(request), Refusal(quint8(request[0]), error));
    QVERIFY(SameSchedule(meter.State().schedule, before));
}

void MeterScheduleTest::inServiceSchedule()
{
    VirtualMeter meter;

    QCOMPARE(SlotAnswers(meter, ReadSchedule, 0, 2), Hex("00" "00070000ffff0f" "01" "11230000ffff0f" "02"));
    QCOMPARE(SlotAnswers(meter, ReadSchedule, 255, 255), Hex("ff"));
    QCOMPARE(SlotAnswers(meter, ReadHolidays, 0, 15),
        Hex("000101" "010201" "020301" "030401" "040501" "050701" "062302" "070803"
            "080105" "090905" "0a1206" "0b0411" "0c" "0d" "0e" "0f"));
    QCOMPARE(SlotAnswers(meter, ReadTransfers, 0, 15), Hex("000102030405060708090a0b0c0d0e0f"));
    QCOMPARE(Ask(meter, ReadLimitCoefficient), MakeFrame(ReadLimitCoefficient, Hex("01")));
    QVERIFY(Ask(meter, ReadSchedule) != EmptyChecksumAnswer);
}

// The clock's tariff and the schedule the meter reports must not tell two
// stories: each zone switches to its tariff at its hour.
void MeterScheduleTest::inServiceZonesMatchClockTariff()
{
    const MeterState state;
    int zones = 0;
    for (const QByteArray& record : state.schedule.records) {
        if (record.isEmpty())
            continue;
        ++zones;
        const int tariff = (quint8(record[0]) & 0x0F) + 1;
        const int hour = (quint8(record[1]) >> 4) * 10 + (quint8(record[1]) & 0x0F);
        const qint64 switchAt = qint64(hour) * 3600;
        QCOMPARE(state.TariffAt(switchAt), tariff);
        QVERIFY(state.TariffAt(switchAt - 1 + 86400) != tariff);
    }
    QVERIFY(zones > 0);
}

QTEST_GUILESS_MAIN(MeterScheduleTest)
#include "tst_meter_schedule.moc"
