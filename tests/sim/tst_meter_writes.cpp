// The simulated meter's writes and the login that opens them: what each
// write leaves (as the meter's own reads show it), its acknowledgement, and
// the refusals.

#include "protocol/frame.h"
#include "sim/sim_login.h"
#include "sim/sim_requests.h"
#include "support/test_bytes.h"

#include <QTest>

namespace {

constexpr quint32 Number = 0x123456;
constexpr quint32 Counter = 0xABCDEF;

// Friday 2024-05-17 14:30:05 on the workstation; the meter has a password,
// its clock reports "not set" and it switches to summer time by itself.
VirtualMeter WritableMeter(bool type341 = false)
{
    VirtualMeter meter;
    if (type341)
        meter.MakeType341();
    meter.SetWorkstationClock([] { return QDateTime(QDate(2024, 5, 17), QTime(14, 30, 5)); });
    MeterState& s = meter.State();
    s.number = Number;
    s.operatingSeconds = Counter;
    s.password = PasswordBytes("secret");
    s.automaticDst = true;
    s.clockFaults = ClockFault::NotSet;
    return meter;
}

// Everything the writes could change, as the poll reads it.
QByteArray Shown(VirtualMeter& meter)
{
    QByteArray shown;
    for (const quint8 code : {ReadNumber, ReadClock, ReadSettlement, ReadSchedule, ReadIndicator,
             ReadIntegrationTime, ReadPlcAddress, ReadDdmNumber})
        shown += Ask(meter, code);
    for (char index = 0; index < 4; ++index)
        shown += Ask(meter, ReadRoute, QByteArray(1, index));
    for (char index = 0; index < 16; ++index)
        shown += Ask(meter, ReadReadings, QByteArray(1, index));
    return shown;
}

} // namespace

class MeterWritesTest : public QObject {
    Q_OBJECT
private slots:
    void writes_data();
    void writes();
    void refuses_data();
    void refuses();
    void loginUnmasksWithCounterLastReported();
    void loginLastsUntilNextBatch_data();
    void loginLastsUntilNextBatch();
    void newPasswordServesNextLogin();
};

void MeterWritesTest::writes_data()
{
    QTest::addColumn<QByteArray>("write");
    QTest::addColumn<QByteArray>("read"); // empty: nothing to read back
    QTest::addColumn<QByteArray>("shown"); // the data of the read's answer

    // 2024-05-17 12:00:00 is 769262400 seconds after 2000-01-01.
    QTest::newRow("number") << MakeFrame(WriteNumber, Hex("2a0000")) << MakeFrame(ReadNumber) << Hex("2a0000");
    QTest::newRow("clock, summer time off, fault cleared")
        << MakeFrame(WriteClock, Hex("00" "4003da2d")) << MakeFrame(ReadClock) << Hex("00" "4003da2d");
    QTest::newRow("clock, summer time on")
        << MakeFrame(WriteClock, Hex("80" "4003da2d")) << MakeFrame(ReadClock) << Hex("80" "4003da2d");
    QTest::newRow("settlement hour and day")
        << MakeFrame(WriteSettlement, Hex("2315")) << MakeFrame(ReadSettlement) << Hex("2315");
    QTest::newRow("indicator") << MakeFrame(WriteIndicator, Hex("1f")) << MakeFrame(ReadIndicator) << Hex("1f");
    QTest::newRow("integration 60 min")
        << MakeFrame(WriteIntegrationTime, Hex("3b")) << MakeFrame(ReadIntegrationTime) << Hex("3b");
    QTest::newRow("integration 1 min")
        << MakeFrame(WriteIntegrationTime, Hex("00")) << MakeFrame(ReadIntegrationTime) << Hex("00");
    QTest::newRow("ddm number and mode 8")
        << MakeFrame(WriteDdmNumber, Hex("563412" "08")) << MakeFrame(ReadDdmNumber) << Hex("56341208");
    QTest::newRow("plc group and address")
        << MakeFrame(WritePlcAddress, Hex("2264")) << MakeFrame(ReadPlcAddress) << Hex("2264");
    QTest::newRow("route 3 written")
        << MakeFrame(WriteRoute, Hex("03" "05" "701101")) << MakeFrame(ReadRoute, Hex("03")) << Hex("0305701101");
    QTest::newRow("route 0 deleted") << MakeFrame(WriteRoute, Hex("00")) << MakeFrame(ReadRoute, Hex("00")) << Hex("00");
    QTest::newRow("settlement readings reset, tariff 1")
        << MakeFrame(ResetSettlementReadings) << MakeFrame(ReadReadings, Hex("08")) << Hex("0800" "00000000");
    QTest::newRow("settlement readings reset, tariff 2")
        << MakeFrame(ResetSettlementReadings) << MakeFrame(ReadReadings, Hex("09")) << Hex("0900" "00000000");
}

void MeterWritesTest::writes()
{
    QFETCH(QByteArray, write);
    QFETCH(QByteArray, read);
    QFETCH(QByteArray, shown);

    VirtualMeter meter = WritableMeter();
    QCOMPARE(LogIn(meter, "secret"), MakeFrame(EnterPassword));

    const QByteArray acknowledgement = meter.Respond(write);
    QCOMPARE(acknowledgement.left(2), QByteArray(write.left(1) + '\x02'));
    QVERIFY(CrcValid(acknowledgement));
    QCOMPARE(acknowledgement.size(), 4);
    if (read.isEmpty())
        return;
    const QByteArray answer = meter.Respond(read);
    QCOMPARE(answer.mid(2, answer.size() - 4), shown);
}

void MeterWritesTest::refuses_data()
{
    QTest::addColumn<bool>("type341");
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("error");

    QTest::newRow("no login: settlement") << false << false << MakeFrame(WriteSettlement, Hex("2315")) << 6;
    QTest::newRow("no login: new password") << false << false << MakeFrame(WritePassword, QByteArray(6, 0)) << 6;
    QTest::newRow("wrong length before no login") << false << false << MakeFrame(WriteSettlement, Hex("23")) << 2;
    QTest::newRow("password of 5 bytes") << false << false << MakeFrame(EnterPassword, QByteArray(5, 0)) << 2;
    QTest::newRow("settlement of 1 byte") << false << true << MakeFrame(WriteSettlement, Hex("23")) << 2;
    QTest::newRow("number of 4 bytes") << false << true << MakeFrame(WriteNumber, Hex("2a000000")) << 2;
    QTest::newRow("route of 2 bytes") << false << true << MakeFrame(WriteRoute, Hex("0105")) << 2;
    QTest::newRow("hour 24") << false << true << MakeFrame(WriteSettlement, Hex("2415")) << 4;
    QTest::newRow("hour digit above 9") << false << true << MakeFrame(WriteSettlement, Hex("1a15")) << 4;
    QTest::newRow("day digit above 9") << false << true << MakeFrame(WriteSettlement, Hex("231a")) << 4;
    QTest::newRow("day 0") << false << true << MakeFrame(WriteSettlement, Hex("2300")) << 4;
    QTest::newRow("day 32") << false << true << MakeFrame(WriteSettlement, Hex("2332")) << 4;
    QTest::newRow("integration byte 60") << false << true << MakeFrame(WriteIntegrationTime, Hex("3c")) << 4;
    QTest::newRow("route 4 written") << false << true << MakeFrame(WriteRoute, Hex("04" "05" "701101")) << 4;
    QTest::newRow("route 4 deleted") << false << true << MakeFrame(WriteRoute, Hex("04")) << 4;
    QTest::newRow("ddm mode 9") << false << true << MakeFrame(WriteDdmNumber, Hex("563412" "09")) << 4;
    QTest::newRow("341 has no ddm") << true << true << MakeFrame(WriteDdmNumber, Hex("563412" "00")) << 1;
}

void MeterWritesTest::refuses()
{
    QFETCH(bool, type341);
    QFETCH(bool, loggedIn);
    QFETCH(QByteArray, request);
    QFETCH(int, error);

    VirtualMeter meter = WritableMeter(type341);
    const QByteArray before = Shown(meter);
    if (loggedIn)
        QCOMPARE(LogIn(meter, "secret"), MakeFrame(EnterPassword));

    QCOMPARE(meter.Respond(request), Refusal(quint8(request[0]), error));
    QCOMPARE(Shown(meter), before);
}

void MeterWritesTest::loginUnmasksWithCounterLastReported()
{
    VirtualMeter meter = WritableMeter();
    meter.State().password = PasswordBytes("abc");
    Ask(meter, ReadNumber);
    Ask(meter, ReadCounters);
    // The counter moves on after it was reported; the station still masks
    // with what it was told.
    meter.Advance(600);

    QCOMPARE(meter.Respond(LoginFrame("abc", Number, Counter + 600)), Refusal(EnterPassword, 6));
    // "abc" masked with number 12 34 56 and counter .. CD EF, worked out by hand.
    QCOMPARE(Ask(meter, EnterPassword, Hex("d89b9e9bdbdf")), MakeFrame(EnterPassword));
    QCOMPARE(Ask(meter, WriteIndicator, Hex("01")), MakeFrame(WriteIndicator));

    VirtualMeter withoutPassword;
    QCOMPARE(LogIn(withoutPassword, QString()), MakeFrame(EnterPassword));
}

void MeterWritesTest::loginLastsUntilNextBatch_data()
{
    QTest::addColumn<QList<QByteArray>>("between"); // after a valid login
    QTest::addColumn<bool>("writesOpen");

    const QByteArray wrongLogin = LoginFrame("secreT", Number, Counter);
    QTest::newRow("nothing") << QList<QByteArray>{} << true;
    QTest::newRow("poll reads, counters too")
        << QList<QByteArray>{MakeFrame(ReadVersion), MakeFrame(ReadClock), MakeFrame(ReadCounters)} << true;
    QTest::newRow("a write") << QList<QByteArray>{MakeFrame(WriteIndicator, Hex("01"))} << true;
    QTest::newRow("number read: a new batch") << QList<QByteArray>{MakeFrame(ReadNumber)} << false;
    QTest::newRow("wrong password") << QList<QByteArray>{wrongLogin} << false;
    QTest::newRow("valid login again") << QList<QByteArray>{LoginFrame("secret", Number, Counter)} << true;
}

void MeterWritesTest::loginLastsUntilNextBatch()
{
    QFETCH(QList<QByteArray>, between);
    QFETCH(bool, writesOpen);

    VirtualMeter meter = WritableMeter();
    QCOMPARE(LogIn(meter, "secret"), MakeFrame(EnterPassword));
    for (const QByteArray& request : between)
        meter.Respond(request);

    const QByteArray reply = Ask(meter, WriteSettlement, Hex("2315"));
    QCOMPARE(reply, writesOpen ? MakeFrame(WriteSettlement) : Refusal(WriteSettlement, 6));
}

void MeterWritesTest::newPasswordServesNextLogin()
{
    VirtualMeter meter = WritableMeter();
    QCOMPARE(LogIn(meter, "secret"), MakeFrame(EnterPassword));
    const QByteArray newPassword = BuildPasswordFrame(NewPasswordRequest(), "пароль", Number, Counter);
    QCOMPARE(meter.Respond(newPassword), MakeFrame(WritePassword));

    QCOMPARE(meter.State().password, PasswordBytes("пароль"));
    QCOMPARE(LogIn(meter, "secret"), Refusal(EnterPassword, 6));
    QCOMPARE(LogIn(meter, "пароль"), MakeFrame(EnterPassword));
}

QTEST_GUILESS_MAIN(MeterWritesTest)
#include "tst_meter_writes.moc"
