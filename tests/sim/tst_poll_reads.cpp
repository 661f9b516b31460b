// The simulated meter's answers to the station's poll and its refusals,
// byte for byte.

#include "protocol/frame.h"
#include "sim/sim_requests.h"
#include "sim/virtual_meter.h"
#include "support/test_bytes.h"

#include <QTest>
#include <QtEndian>
#include <QTimeZone>

namespace {

// A meter on a fixed clock with every answered field set to something
// recognisable. Friday 2024-05-17 14:30:05 is day tariff.
VirtualMeter KnownMeter(bool type341)
{
    VirtualMeter meter;
    if (type341)
        meter.MakeType341();
    meter.SetWorkstationClock([] { return QDateTime(QDate(2024, 5, 17), QTime(14, 30, 5)); });
    MeterState& s = meter.State();
    s.number = 42;
    s.automaticDst = true;
    s.clockFaults = ClockFault::Timer;
    s.settlementHour = 23;
    s.settlementDay = 25;
    s.schedule = MeterSchedule{};
    s.schedule.holidays[0] = Hex("0101");
    s.operatingSeconds = 0x01020304;
    s.clockCorrections = 7;
    s.integrationMinutes = 30;
    s.currentPeak = {0x11223344, 0x0A0B0C};
    s.settlementPeak = {-2, 0x0D0E0F};
    s.averagePowerWatts = 0x012345;
    s.indicatorMask = 0x15;
    s.plcGroup = 2;
    s.plcAddress = 0x81;
    s.routes = {Route{3, 0x0A0B0C}, std::nullopt, std::nullopt, Route{9, 1}};
    s.readings = {100.0, 0, 0, 0, 0, 0, 0, 2.0};
    s.settlementReadings = {1.0, 0, 0, 0, 0, 0, 0, 2.0};
    s.ddmNumber = 0x123456;
    s.ddmTariffMode = 0;
    s.ddmBalanceState = 3;
    s.ddmLastSession = 0x11223344;
    return meter;
}

} // namespace

class PollReadsTest : public QObject {
    Q_OBJECT
private slots:
    void answersPoll_data();
    void answersPoll();
    void refuses_data();
    void refuses();
    void clockStatus_data();
    void clockStatus();
    void clockCountsWallClockAcrossDaylightSaving();
    void defaultsDescribeType742();
};

void PollReadsTest::answersPoll_data()
{
    QTest::addColumn<bool>("type341");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("lengthByte");
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("version 742, defaults") << false << int(ReadVersion) << QByteArray() << 7 << Hex("0502034207");
    QTest::newRow("version 341") << true << int(ReadVersion) << QByteArray() << 7 << Hex("0301014103");
    QTest::newRow("number") << false << int(ReadNumber) << QByteArray() << 5 << Hex("2a0000");
    QTest::newRow("clock: DST on, timer fault, tariff 1")
        << false << int(ReadClock) << QByteArray() << 7 << Hex("a06d26da2d");
    QTest::newRow("settlement hour and day") << false << int(ReadSettlement) << QByteArray() << 4 << Hex("2325");
    QTest::newRow("schedule checksum") << false << int(ReadSchedule) << QByteArray() << 4 << Hex("707f");
    QTest::newRow("counters") << false << int(ReadCounters) << QByteArray() << 7 << Hex("0403020107");
    QTest::newRow("integration time") << false << int(ReadIntegrationTime) << QByteArray() << 3 << Hex("1d");
    QTest::newRow("peak powers") << false << int(ReadPeakPowers) << QByteArray() << 16
                                 << Hex("44332211" "0c0b0a" "feffffff" "0f0e0d");
    QTest::newRow("average power") << false << int(ReadAveragePower) << QByteArray() << 5 << Hex("452301");
    QTest::newRow("indicator") << false << int(ReadIndicator) << QByteArray() << 3 << Hex("15");
    QTest::newRow("plc group and address") << false << int(ReadPlcAddress) << QByteArray() << 4 << Hex("0281");
    QTest::newRow("route 0 present") << false << int(ReadRoute) << Hex("00") << 7 << Hex("00030c0b0a");
    QTest::newRow("route 3 present") << false << int(ReadRoute) << Hex("03") << 7 << Hex("0309010000");
    QTest::newRow("route 2 absent") << false << int(ReadRoute) << Hex("02") << 3 << Hex("02");
    QTest::newRow("reading tariff 1") << false << int(ReadReadings) << Hex("00") << 8 << Hex("0000" "00004885");
    QTest::newRow("reading tariff 8") << false << int(ReadReadings) << Hex("07") << 8 << Hex("0700" "00000080");
    QTest::newRow("settlement reading tariff 1") << false << int(ReadReadings) << Hex("08") << 8 << Hex("0800" "0000007f");
    QTest::newRow("settlement reading tariff 8") << false << int(ReadReadings) << Hex("0f") << 8 << Hex("0f00" "00000080");
    QTest::newRow("reading index 16") << false << int(ReadReadings) << Hex("10") << 8 << Hex("1000" "00000000");
    QTest::newRow("ddm number") << false << int(ReadDdmNumber) << QByteArray() << 6 << Hex("56341200");
    QTest::newRow("ddm status") << false << int(ReadDdmStatus) << QByteArray() << 7 << Hex("0344332211");
}

void PollReadsTest::answersPoll()
{
    QFETCH(bool, type341);
    QFETCH(int, code);
    QFETCH(QByteArray, payload);
    QFETCH(int, lengthByte);
    QFETCH(QByteArray, data);

    VirtualMeter meter = KnownMeter(type341);
    const QByteArray reply = Ask(meter, quint8(code), payload);

    QCOMPARE(reply.size(), lengthByte + 2);
    QCOMPARE(int(quint8(reply[0])), code);
    QCOMPARE(int(quint8(reply[1])), lengthByte);
    QCOMPARE(reply.mid(2, reply.size() - 4), data);
    QVERIFY(CrcValid(reply));
}

void PollReadsTest::refuses_data()
{
    QTest::addColumn<bool>("type341");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("error");

    QByteArray badCrc = MakeFrame(ReadVersion);
    badCrc[3] = char(badCrc[3] ^ 0x01);
    QByteArray badCrcUnknown = MakeFrame(99);
    badCrcUnknown[2] = char(badCrcUnknown[2] ^ 0x80);
    QByteArray lengthByteDisagrees = MakeFrame(ReadVersion, Hex("00"));
    lengthByteDisagrees[1] = 2;
    lengthByteDisagrees.chop(2);
    AppendCrc(lengthByteDisagrees);

    QTest::newRow("bad CRC") << false << badCrc << 3;
    QTest::newRow("bad CRC beats unknown code") << false << badCrcUnknown << 3;
    QTest::newRow("unknown code") << false << MakeFrame(99) << 1;
    QTest::newRow("unknown code beats wrong length") << false << MakeFrame(99, Hex("0102")) << 1;
    QTest::newRow("payload where none belongs") << false << MakeFrame(ReadVersion, Hex("00")) << 2;
    QTest::newRow("reading without index") << false << MakeFrame(ReadReadings) << 2;
    QTest::newRow("length byte disagrees with frame") << false << lengthByteDisagrees << 2;
    QTest::newRow("wrong length beats wrong data") << false << MakeFrame(ReadRoute, Hex("0900")) << 2;
    QTest::newRow("route index 4") << false << MakeFrame(ReadRoute, Hex("04")) << 4;
    QTest::newRow("reading index 17") << false << MakeFrame(ReadReadings, Hex("11")) << 4;
    QTest::newRow("341 has no ddm status") << true << MakeFrame(ReadDdmStatus) << 1;
    QTest::newRow("341 has no ddm number") << true << MakeFrame(ReadDdmNumber) << 1;
}

void PollReadsTest::refuses()
{
    QFETCH(bool, type341);
    QFETCH(QByteArray, request);
    QFETCH(int, error);

    VirtualMeter meter = KnownMeter(type341);
    const QByteArray expected = MakeFrame(quint8(request[0]) | ErrorReplyBit, QByteArray(1, char(error)));
    QCOMPARE(meter.Respond(request), expected);
}

void PollReadsTest::clockStatus_data()
{
    QTest::addColumn<bool>("automaticDst");
    QTest::addColumn<int>("tariffOverride"); // 0: none
    QTest::addColumn<int>("faults");
    QTest::addColumn<QTime>("wallClock");
    QTest::addColumn<int>("status");

    QTest::newRow("day, no DST") << false << 0 << 0 << QTime(12, 0) << 0x00;
    QTest::newRow("night") << false << 0 << 0 << QTime(23, 30) << 0x01;
    QTest::newRow("early morning") << false << 0 << 0 << QTime(6, 59) << 0x01;
    QTest::newRow("tariff 8 set") << true << 8 << 0 << QTime(12, 0) << 0x87;
    QTest::newRow("all faults") << false << 0 << int(ClockFault::Other | ClockFault::Timer | ClockFault::NotSet)
                                << QTime(12, 0) << 0x70;
}

void PollReadsTest::clockStatus()
{
    QFETCH(bool, automaticDst);
    QFETCH(int, tariffOverride);
    QFETCH(int, faults);
    QFETCH(QTime, wallClock);
    QFETCH(int, status);

    VirtualMeter meter = KnownMeter(false);
    meter.SetWorkstationClock([wallClock] { return QDateTime(QDate(2024, 5, 17), wallClock); });
    meter.State().automaticDst = automaticDst;
    meter.State().clockFaults = quint8(faults);
    if (tariffOverride)
        meter.State().tariffOverride = tariffOverride;

    QCOMPARE(int(quint8(Ask(meter, ReadClock)[2])), status);
}

void PollReadsTest::clockCountsWallClockAcrossDaylightSaving()
{
    // Berlin skips 02:00..03:00 on 2024-03-31: one hour passes between these
    // two readings, but the wall clock, and so the meter, moves on two.
    const QTimeZone berlin("Europe/Berlin");
    QDateTime workstation(QDate(2024, 3, 31), QTime(1, 30), berlin);
    VirtualMeter meter = KnownMeter(false);
    meter.State().clockOffsetSeconds = 90;
    meter.SetWorkstationClock([&workstation] { return workstation; });

    const QByteArray before = Ask(meter, ReadClock);
    workstation = workstation.addSecs(3600);
    const QByteArray after = Ask(meter, ReadClock);

    const auto seconds = [](const QByteArray& reply) { return qFromLittleEndian<quint32>(reply.constData() + 3); };
    QCOMPARE(workstation.time(), QTime(3, 30));
    QCOMPARE(seconds(after) - seconds(before), 7200u);
    QCOMPARE(seconds(after), 8856u * 86400 + 3 * 3600 + 30 * 60 + 90);
}

void PollReadsTest::defaultsDescribeType742()
{
    VirtualMeter meter;
    QCOMPARE(Ask(meter, ReadVersion).mid(2, 5), Hex("0502034207"));
    QVERIFY(qFromLittleEndian<quint32>(Ask(meter, ReadNumber).constData() + 2) & 0xFFFFFF);
    QCOMPARE(quint8(Ask(meter, ReadDdmNumber)[0]), quint8(ReadDdmNumber));
}

QTEST_GUILESS_MAIN(PollReadsTest)
#include "tst_poll_reads.moc"
