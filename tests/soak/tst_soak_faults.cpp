// What the soak relies on in the simulated meter: the record of each
// request served, telling a clean answer from a spoiled one; a silence
// that lasts by the clock and ends by itself; noise on the line between
// requests that no station could take for an answer.

#include "protocol/frame.h"
#include "sim/virtual_channel.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(FaultKind)

namespace {

const QByteArray VersionRequest = MakeFrame(ReadVersion);
const QByteArray NumberRequest = MakeFrame(ReadNumber);
constexpr int SilenceMs = 300;

} // namespace

class SoakFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void servedRecordTellsCleanFromSpoiled_data();
    void servedRecordTellsCleanFromSpoiled();
    void silenceLastsByTheClockNotByRequests();
    void noiseAfterComesBetweenRequests();
};

void SoakFaultsTest::servedRecordTellsCleanFromSpoiled_data()
{
    QTest::addColumn<std::optional<FaultKind>>("kind");
    QTest::addColumn<int>("amount");
    QTest::addColumn<bool>("clean");

    QTest::newRow("no fault") << std::optional<FaultKind>() << 0 << true;
    QTest::newRow("no answer") << std::optional(FaultKind::NoAnswer) << 0 << false;
    QTest::newRow("wrong code") << std::optional(FaultKind::WrongCode) << 0 << false;
    QTest::newRow("surplus byte") << std::optional(FaultKind::SurplusByte) << 0 << false;
    QTest::newRow("bad crc") << std::optional(FaultKind::BadCrc) << 0 << false;
    QTest::newRow("noise") << std::optional(FaultKind::Noise) << 0 << false;
    QTest::newRow("silence") << std::optional(FaultKind::Silence) << SilenceMs << false;
    // Late, cut up or followed by noise, the answer itself is the meter's.
    QTest::newRow("pieces") << std::optional(FaultKind::Pieces) << 3 << true;
    QTest::newRow("slow") << std::optional(FaultKind::Slow) << 700 << true;
    QTest::newRow("noise after") << std::optional(FaultKind::NoiseAfter) << 4 << true;
}

void SoakFaultsTest::servedRecordTellsCleanFromSpoiled()
{
    QFETCH(std::optional<FaultKind>, kind);
    QFETCH(int, amount);
    QFETCH(bool, clean);

    VirtualMeter meter;
    const QByteArray answer = meter.Respond(VersionRequest);
    QList<ServedRequest> served;
    meter.SetServedHook([&](const ServedRequest& request) { served.append(request); });
    if (kind)
        meter.InjectFault({*kind, amount});
    const Reply reply = meter.Serve(VersionRequest);

    QCOMPARE(served.size(), 1);
    QCOMPARE(served[0].request, VersionRequest);
    QCOMPARE(served[0].answer, answer);
    QCOMPARE(served[0].sent, reply.bytes);
    QCOMPARE(served[0].faults, kind ? 1 : 0);
    QCOMPARE(served[0].Clean(), clean);
}

void SoakFaultsTest::silenceLastsByTheClockNotByRequests()
{
    VirtualMeter meter;
    const QByteArray number = meter.Respond(NumberRequest);
    QList<int> faults;
    meter.SetServedHook([&](const ServedRequest& request) { faults.append(request.faults); });
    // Counting requests means nothing to a silence.
    meter.InjectFault(Fault(FaultKind::Silence, SilenceMs).Times(1));

    QElapsedTimer sinceFirst;
    sinceFirst.start();
    int silent = 0;
    while (sinceFirst.elapsed() < SilenceMs / 2) {
        QVERIFY(meter.Respond(NumberRequest).isEmpty());
        ++silent;
        QTest::qSleep(20);
    }
    QVERIFY(silent > 1);
    QTest::qSleep(SilenceMs);
    QCOMPARE(meter.Respond(NumberRequest), number);
    QCOMPARE(meter.Respond(NumberRequest), number);
    QCOMPARE(faults, QList<int>(silent, 1) << 0 << 0);
}

void SoakFaultsTest::noiseAfterComesBetweenRequests()
{
    VirtualChannel channel;
    channel.SetPortName(QStringLiteral("COM3"));
    channel.Open();
    const QByteArray answer = channel.Meter().Respond(VersionRequest);
    constexpr int NoiseBytes = 6;
    channel.Meter().InjectFault({FaultKind::NoiseAfter, NoiseBytes});
    QByteArrayList arrived;
    QList<qint64> arrivedAtMs;
    QElapsedTimer sinceRequest;
    connect(&channel, &SerialChannel::RxChar, this, [&] {
        arrived.append(channel.ReadText());
        arrivedAtMs.append(sinceRequest.elapsed());
    });

    sinceRequest.start();
    channel.SetParity(Parity::Mark);
    channel.WriteText(VersionRequest.left(1));
    channel.SetParity(Parity::Space);
    channel.WriteText(VersionRequest.mid(1));
    QVERIFY(!channel.Quiet());
    QTRY_COMPARE_WITH_TIMEOUT(arrived.size(), 2, 1000);

    QCOMPARE(arrived[0], answer);
    QCOMPARE(arrived[1].size(), NoiseBytes);
    QVERIFY(arrivedAtMs[1] - arrivedAtMs[0] >= 10);
    // Whatever request a station waits for, its answer cannot start so.
    const quint8 first = quint8(arrived[1][0]);
    QVERIFY(!IsKnownFunction(first));
    QVERIFY(!(first & ErrorReplyBit));
    QVERIFY(channel.Quiet());
}

QTEST_GUILESS_MAIN(SoakFaultsTest)
#include "tst_soak_faults.moc"
