// Misbehaviour injected into the simulated meter's answers.

#include "protocol/frame.h"
#include "sim/virtual_meter.h"

#include <QTest>

Q_DECLARE_METATYPE(FaultKind)

namespace {
enum CodeCheck { SameCode, OtherCode, AnyCode };
const QByteArray VersionRequest = MakeFrame(ReadVersion);
const QByteArray NumberRequest = MakeFrame(ReadNumber);
} // namespace

class MeterFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void spoilsReply_data();
    void spoilsReply();
    void countedFaultWearsOffOnlyOnItsCode();
    void permanentFaultLastsUntilCleared();
    void piecesCoverTheReply_data();
    void piecesCoverTheReply();
};

void MeterFaultsTest::spoilsReply_data()
{
    QTest::addColumn<FaultKind>("kind");
    QTest::addColumn<int>("amount");
    QTest::addColumn<int>("extraBytes"); // against the clean reply; -1: nothing
    QTest::addColumn<bool>("frameValid"); // the first clean-size bytes
    QTest::addColumn<int>("code"); // CodeCheck
    QTest::addColumn<bool>("sameBytes");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("delayMs");

    QTest::newRow("no answer") << FaultKind::NoAnswer << 0 << -1 << false << int(AnyCode) << false << 1 << 0;
    QTest::newRow("wrong code") << FaultKind::WrongCode << 0 << 0 << true << int(OtherCode) << false << 1 << 0;
    QTest::newRow("surplus byte") << FaultKind::SurplusByte << 0 << 1 << true << int(SameCode) << false << 1 << 0;
    QTest::newRow("bad crc") << FaultKind::BadCrc << 0 << 0 << false << int(SameCode) << false << 1 << 0;
    QTest::newRow("noise") << FaultKind::Noise << 0 << 0 << false << int(AnyCode) << false << 1 << 0;
    QTest::newRow("pieces") << FaultKind::Pieces << 3 << 0 << true << int(SameCode) << true << 3 << 0;
    QTest::newRow("slow") << FaultKind::Slow << 250 << 0 << true << int(SameCode) << true << 1 << 250;
}

void MeterFaultsTest::spoilsReply()
{
    QFETCH(FaultKind, kind);
    QFETCH(int, amount);
    QFETCH(int, extraBytes);
    QFETCH(bool, frameValid);
    QFETCH(int, code);
    QFETCH(bool, sameBytes);
    QFETCH(int, pieces);
    QFETCH(int, delayMs);

    VirtualMeter meter;
    const QByteArray clean = meter.Respond(VersionRequest);
    meter.InjectFault({kind, amount});
    const Reply reply = meter.Serve(VersionRequest);

    QCOMPARE(reply.pieces, pieces);
    QCOMPARE(reply.delayMs, delayMs);
    if (extraBytes < 0) {
        QVERIFY(reply.bytes.isEmpty());
        return;
    }
    QCOMPARE(reply.bytes.size(), clean.size() + extraBytes);
    QCOMPARE(CrcValid(reply.bytes.left(clean.size())), frameValid);
    if (code != AnyCode)
        QCOMPARE(reply.bytes[0] == clean[0], code == SameCode);
    QCOMPARE(reply.bytes == clean, sameBytes);
}

void MeterFaultsTest::countedFaultWearsOffOnlyOnItsCode()
{
    VirtualMeter meter;
    const QByteArray cleanNumber = meter.Respond(NumberRequest);
    const QByteArray cleanVersion = meter.Respond(VersionRequest);
    meter.InjectFault(Fault(FaultKind::NoAnswer).Times(2).OnlyFor(ReadNumber));

    QCOMPARE(meter.Respond(VersionRequest), cleanVersion);
    QVERIFY(meter.Respond(NumberRequest).isEmpty());
    QCOMPARE(meter.Respond(VersionRequest), cleanVersion);
    QVERIFY(meter.Respond(NumberRequest).isEmpty());
    QCOMPARE(meter.Respond(NumberRequest), cleanNumber);
}

void MeterFaultsTest::permanentFaultLastsUntilCleared()
{
    VirtualMeter meter;
    const QByteArray clean = meter.Respond(VersionRequest);
    meter.InjectFault(Fault(FaultKind::NoAnswer).Times(Fault::ForEver));

    for (int i = 0; i < 5; ++i)
        QVERIFY(meter.Respond(VersionRequest).isEmpty());
    meter.ClearFaults();
    QCOMPARE(meter.Respond(VersionRequest), clean);
}

void MeterFaultsTest::piecesCoverTheReply_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("pieces");
    QTest::addColumn<int>("expectedPieces");

    QTest::newRow("even split") << 9 << 3 << 3;
    QTest::newRow("uneven split") << 9 << 4 << 4;
    QTest::newRow("more pieces than bytes") << 5 << 10 << 5;
    QTest::newRow("zero pieces means whole") << 5 << 0 << 1;
}

void MeterFaultsTest::piecesCoverTheReply()
{
    QFETCH(int, size);
    QFETCH(int, pieces);
    QFETCH(int, expectedPieces);

    Reply reply{QByteArray("ABCDEFGHIJ").left(size), pieces};
    const QList<QByteArray> runs = reply.Pieces();

    QCOMPARE(runs.size(), expectedPieces);
    QCOMPARE(runs.join(), reply.bytes);
    for (const QByteArray& run : runs)
        QVERIFY(!run.isEmpty());
}

QTEST_GUILESS_MAIN(MeterFaultsTest)
#include "tst_meter_faults.moc"
