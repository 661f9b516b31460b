// The in-process line: the ninth bit decides whether the meter hears a
// request, and answers arrive later, paced, from the event loop.

#include "protocol/frame.h"
#include "sim/virtual_channel.h"
#include "sim/wire_format.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

using namespace std::chrono;

const QByteArray VersionRequest = MakeFrame(ReadVersion);
constexpr int VersionReplySize = 9;
constexpr int NoAnswerWaitMs = 150;

nanoseconds LineTime(qsizetype bytes)
{
    return WireTime(bytes, LineSettings::Meter().baudRate);
}

} // namespace

class VirtualChannelTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void unmarkedRequestGetsNoAnswer();
    void writeLastsItsWireTime();
    void answerWaitsForItsWireTime_data();
    void answerWaitsForItsWireTime();
    void piecesArriveAsSeparateEvents();
    void nothingArrivesInsideWrite();
    void closeDropsPendingAnswer();
    void openFailsOnDemand();

private:
    // As the station sends: the first byte alone, then the rest in space.
    void Send(const QByteArray& request, Parity first);

    std::unique_ptr<VirtualChannel> channel_;
};

void VirtualChannelTest::init()
{
    channel_ = std::make_unique<VirtualChannel>();
    channel_->SetPortName(QStringLiteral("COM3"));
    channel_->Open();
}

void VirtualChannelTest::cleanup()
{
    channel_.reset();
}

void VirtualChannelTest::Send(const QByteArray& request, Parity first)
{
    channel_->SetParity(first);
    channel_->WriteText(request.left(1));
    channel_->SetParity(Parity::Space);
    channel_->WriteText(request.mid(1));
}

void VirtualChannelTest::unmarkedRequestGetsNoAnswer()
{
    QSignalSpy received(channel_.get(), &SerialChannel::RxChar);
    Send(VersionRequest, Parity::Space);

    QVERIFY(!received.wait(NoAnswerWaitMs));
    QVERIFY(channel_->ReadText().isEmpty());
    QCOMPARE(channel_->Assembler().Unmarked(), 1);
}

void VirtualChannelTest::writeLastsItsWireTime()
{
    QElapsedTimer writing;
    writing.start();
    channel_->WriteText(VersionRequest);
    QVERIFY(nanoseconds(writing.nsecsElapsed()) >= LineTime(VersionRequest.size()));
}

void VirtualChannelTest::answerWaitsForItsWireTime_data()
{
    QTest::addColumn<int>("delayMs");

    QTest::newRow("prompt") << 0;
    QTest::newRow("slow meter") << 120;
}

void VirtualChannelTest::answerWaitsForItsWireTime()
{
    QFETCH(int, delayMs);
    channel_->SetTurnaroundMs(0);
    if (delayMs)
        channel_->Meter().InjectFault({FaultKind::Slow, delayMs});
    QSignalSpy received(channel_.get(), &SerialChannel::RxChar);

    QElapsedTimer sinceRequest;
    sinceRequest.start();
    Send(VersionRequest, Parity::Mark);
    QVERIFY(received.wait(1000));

    // Both ways across the line, and the delay on top.
    const nanoseconds least = LineTime(VersionRequest.size()) + LineTime(VersionReplySize) + milliseconds(delayMs);
    QVERIFY(nanoseconds(sinceRequest.nsecsElapsed()) >= least);
    QCOMPARE(received.first().first().toInt(), VersionReplySize);
    const QByteArray reply = channel_->ReadText();
    QCOMPARE(reply, channel_->Meter().Respond(VersionRequest));
    QVERIFY(channel_->ReadText().isEmpty());
}

void VirtualChannelTest::piecesArriveAsSeparateEvents()
{
    channel_->Meter().InjectFault({FaultKind::Pieces, 3});
    QByteArrayList pieces;
    connect(channel_.get(), &SerialChannel::RxChar, this, [this, &pieces] { pieces.append(channel_->ReadText()); });

    Send(VersionRequest, Parity::Mark);
    QTRY_COMPARE_WITH_TIMEOUT(pieces.size(), 3, 1000);

    QCOMPARE(pieces.join(), channel_->Meter().Respond(VersionRequest));
    for (const QByteArray& piece : pieces)
        QVERIFY(!piece.isEmpty());
}

void VirtualChannelTest::nothingArrivesInsideWrite()
{
    channel_->SetTurnaroundMs(0);
    channel_->Meter().InjectFault({FaultKind::Pieces, VersionReplySize});
    bool writing = false;
    int insideWrite = 0;
    int events = 0;
    connect(channel_.get(), &SerialChannel::RxChar, this, [&] {
        ++events;
        insideWrite += writing;
    });

    writing = true;
    Send(VersionRequest, Parity::Mark);
    channel_->WriteText(QByteArray(1, '\0')); // long enough for an answer to fall due
    writing = false;

    QTRY_COMPARE_WITH_TIMEOUT(events, VersionReplySize, 1000);
    QCOMPARE(insideWrite, 0);
}

void VirtualChannelTest::closeDropsPendingAnswer()
{
    QSignalSpy received(channel_.get(), &SerialChannel::RxChar);
    Send(VersionRequest, Parity::Mark);
    channel_->Close();
    channel_->Open();

    QVERIFY(!received.wait(NoAnswerWaitMs));
    QVERIFY(channel_->ReadText().isEmpty());
}

void VirtualChannelTest::openFailsOnDemand()
{
    channel_->Close();
    channel_->SetPortName(QStringLiteral("COM7"));
    channel_->SetOpenFails(true);
    try {
        channel_->Open();
        QFAIL("Open succeeded");
    } catch (const SerialChannelError& error) {
        QCOMPARE(error.Text(), QStringLiteral("Specified device not found (COM7)."));
    }
    QVERIFY(!channel_->Active());
}

QTEST_GUILESS_MAIN(VirtualChannelTest)
#include "tst_virtual_channel.moc"
