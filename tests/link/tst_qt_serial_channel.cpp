// The real port against a pseudo-terminal: the channel opens the slave end,
// the test plays the meter on the master end.

#include "link/qt_serial_channel.h"
#include "forbidden_port.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

class PseudoTerminal {
public:
    PseudoTerminal()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        slavePath_ = QString::fromLocal8Bit(::ptsname(master_));
        // Held open by the test as well, so the line stays up between the
        // channel's opens; raw, so nothing is echoed before the channel
        // configures it.
        slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
        termios raw{};
        ::tcgetattr(slave_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
    }
    ~PseudoTerminal()
    {
        if (slave_ >= 0)
            ::close(slave_);
        HangUp();
    }

    bool Ready() const { return slave_ >= 0; }
    QString SlavePath() const { return slavePath_; }

    // On Linux the master reports the slave's line settings.
    termios LineSettings() const
    {
        termios settings{};
        ::tcgetattr(master_, &settings);
        return settings;
    }

    void Send(const QByteArray& bytes)
    {
        QCOMPARE(::write(master_, bytes.constData(), bytes.size()), bytes.size());
    }

    // What came out of the port within a second; the Qt event loop does not
    // run meanwhile.
    QByteArray Receive(qsizetype size)
    {
        QByteArray bytes;
        while (bytes.size() < size) {
            pollfd ready{master_, POLLIN, 0};
            char buffer[256];
            const ssize_t count =
                ::poll(&ready, 1, 1000) == 1 ? ::read(master_, buffer, sizeof buffer) : 0;
            if (count <= 0)
                break;
            bytes.append(buffer, count);
        }
        return bytes;
    }

    // Whether bytes from the port wait at the master, now.
    bool OutputWaiting() const
    {
        pollfd ready{master_, POLLIN, 0};
        return ::poll(&ready, 1, 0) == 1;
    }

    // Whether bytes from the master wait in the port's input queue.
    bool InputWaiting() const
    {
        pollfd ready{slave_, POLLIN, 0};
        return ::poll(&ready, 1, 1000) == 1;
    }

    void HangUp()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
};

std::optional<SerialChannelError> ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const SerialChannelError& error) {
        return error;
    }
    return std::nullopt;
}

QString FailureOf(const std::function<void()>& action)
{
    const std::optional<SerialChannelError> error = ErrorOf(action);
    return error ? error->Text() : QString();
}

// What stands between the channel and a port that is there.
enum class Obstacle { None, HeldOpen, Forbidden };

} // namespace

Q_DECLARE_METATYPE(Parity)
Q_DECLARE_METATYPE(LineSettings)
Q_DECLARE_METATYPE(Obstacle)
Q_DECLARE_METATYPE(SerialChannelError::Cause)

class TestQtSerialChannel : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        line_ = std::make_unique<PseudoTerminal>();
        QVERIFY(line_->Ready());
    }
    void cleanup() { line_.reset(); }

    void opensWithLineSettings_data()
    {
        QTest::addColumn<LineSettings>("settings");
        QTest::addColumn<speed_t>("speed");
        QTest::addColumn<tcflag_t>("parityBits");

        QTest::newRow("meter") << LineSettings::Meter() << speed_t(B4800) << tcflag_t(CMSPAR | PARODD);
        QTest::newRow("scanner") << LineSettings::Scanner() << speed_t(B9600) << tcflag_t(0);
    }
    void opensWithLineSettings()
    {
        QFETCH(LineSettings, settings);
        QFETCH(speed_t, speed);
        QFETCH(tcflag_t, parityBits);

        const auto channel = OpenChannel(settings);
        QVERIFY(channel->Active());
        const termios line = line_->LineSettings();
        QCOMPARE(::cfgetospeed(&line), speed);
        QCOMPARE(line.c_cflag & (CMSPAR | PARODD), parityBits);
        QCOMPARE(line.c_cflag & (CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(line.c_iflag & (INPCK | PARMRK | IXON | IXOFF), tcflag_t(0));
    }

    void refusesWhileOpen()
    {
        const auto channel = OpenChannel(LineSettings::Meter());
        const QString text = "Can't perform this operation while port is open";
        QCOMPARE(FailureOf([&] { channel->Open(); }), text);
        QCOMPARE(FailureOf([&] { channel->SetPortName("/dev/ttyS0"); }), text);
        QVERIFY(channel->Active());
    }

    // A port is a name in a scratch folder, none the pseudo-terminal:
    // QSerialPort locks port names machine-wide, even missing ones, so
    // /dev names would clash with a parallel run. The cause is what the
    // operator is told.
    void openFailures_data()
    {
        using Cause = SerialChannelError::Cause;
        QTest::addColumn<QString>("port");
        QTest::addColumn<qint32>("baudRate");
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<QString>("text");
        QTest::addColumn<SerialChannelError::Cause>("cause");

        QTest::newRow("missing device")
            << "ttyMissing" << 4800 << Obstacle::None << "Specified device not found (<port>)." << Cause::NoSuchPort;
        QTest::newRow("not a terminal")
            << "plain" << 4800 << Obstacle::None
            << "Can't open specified device <port> (Error 7, Inappropriate ioctl for device)" << Cause::Other;
        QTest::newRow("line settings refused")
            << "" << 0 << Obstacle::None << "Error writing dcb (7), Invalid baud rate value" << Cause::Other;
        QTest::newRow("held by another channel")
            << "" << 4800 << Obstacle::HeldOpen
            << "Can't open specified device <port> (Error 2, Permission error while locking the device)" << Cause::Busy;
        QTest::newRow("the user may not open it")
            << "" << 4800 << Obstacle::Forbidden << "Can't open specified device <port> (Error 2, Permission denied)"
            << Cause::NoPermission;
    }
    void openFailures()
    {
        QFETCH(QString, port);
        QFETCH(qint32, baudRate);
        QFETCH(Obstacle, obstacle);
        QFETCH(QString, text);
        QFETCH(SerialChannelError::Cause, cause);

        const QTemporaryDir folder;
        QFile plain(folder.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        const QString path = port.isEmpty() ? line_->SlavePath() : folder.filePath(port);
        QtSerialChannel holder(LineSettings::Meter());
        if (obstacle == Obstacle::HeldOpen) {
            holder.SetPortName(path);
            holder.Open();
        }

        QtSerialChannel channel({baudRate, Parity::Mark, true, false});
        channel.SetPortName(path);
        std::optional<SerialChannelError> error;
        {
            std::optional<ForbiddenPort> forbidden;
            if (obstacle == Obstacle::Forbidden && !forbidden.emplace(path).Ready())
                QSKIP("the system does not let this test take the rights to a port away");
            error = ErrorOf([&] { channel.Open(); });
        }
        QVERIFY(error);
        QCOMPARE(error->Text(), text.replace("<port>", path));
        QCOMPARE(error->OpenCause(), cause);
        QVERIFY(!channel.Active());
    }

    void switchesParity_data()
    {
        QTest::addColumn<Parity>("opening");
        QTest::addColumn<Parity>("switchedTo");
        QTest::addColumn<bool>("odd");

        QTest::newRow("mark to space") << Parity::Mark << Parity::Space << false;
        QTest::newRow("space to mark") << Parity::Space << Parity::Mark << true;
    }
    void switchesParity()
    {
        QFETCH(Parity, opening);
        QFETCH(Parity, switchedTo);
        QFETCH(bool, odd);

        const auto channel = OpenChannel({4800, opening, true, false});
        channel->SetParity(switchedTo);
        const termios line = line_->LineSettings();
        QVERIFY(line.c_cflag & CMSPAR);
        QCOMPARE(bool(line.c_cflag & PARODD), odd);
    }

    void writtenBytesHaveLeftOnReturn()
    {
        const auto channel = OpenChannel(LineSettings::Meter());
        const QByteArray request("\x00\x11\x80\xFF\x0D\x0A", 6);
        QVERIFY(channel->WriteText(request));
        QCOMPARE(line_->Receive(request.size()), request);
    }

    // The first byte leaves alone with mark parity; after the pause, which
    // the event loop waits out, the rest follows with space parity, and
    // the request is told sent once all of it has left.
    void requestLeavesInTwoParts()
    {
        const auto channel = OpenChannel(LineSettings::Meter());
        QSignalSpy sent(channel.get(), &SerialChannel::RequestSent);
        const QByteArray request("\x00\x05\x11\x22\x33", 5);
        channel->SendRequest(request);
        QCOMPARE(line_->Receive(1), request.left(1));
        QCOMPARE(line_->LineSettings().c_cflag & (CMSPAR | PARODD), tcflag_t(CMSPAR | PARODD));
        QVERIFY(!line_->OutputWaiting());
        QVERIFY(sent.isEmpty());

        QVERIFY(sent.wait(1000));
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0][0].toBool(), true);
        QCOMPARE(line_->LineSettings().c_cflag & (CMSPAR | PARODD), tcflag_t(CMSPAR));
        QCOMPARE(line_->Receive(request.size() - 1), request.mid(1));
    }

    // A line that goes in the pause: lost, never told as sent whole, and
    // the channel closed with nothing left to send.
    void lineLostDuringThePause()
    {
        const auto channel = OpenChannel(LineSettings::Meter());
        QSignalSpy sent(channel.get(), &SerialChannel::RequestSent);
        QSignalSpy lost(channel.get(), &SerialChannel::Lost);
        channel->SendRequest(QByteArray("\x00\x05\x11\x22\x33", 5));
        line_->HangUp();
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(!channel->Active());
        QTest::qWait(2 * SerialChannel::FirstBytePauseMs);
        for (const QList<QVariant>& told : sent)
            QVERIFY(!told[0].toBool());
    }

    void receivedBytesAreAnnouncedThenRead()
    {
        const auto channel = OpenChannel(LineSettings::Meter());
        QSignalSpy rx(channel.get(), &SerialChannel::RxChar);
        const QByteArray reply("\x01\x03\x00\xFF", 4);
        line_->Send(reply);
        QTRY_COMPARE(rx.size(), 1);
        QCOMPARE(rx.first().first().toInt(), reply.size());
        QCOMPARE(channel->ReadText(), reply);
        QCOMPARE(channel->ReadText(), QByteArray());
    }

    // The link must not meet a reply in the middle of its own send step.
    void rxCharNeverInsideWrite()
    {
        const auto channel = OpenChannel(LineSettings::Meter());
        QSignalSpy rx(channel.get(), &SerialChannel::RxChar);
        line_->Send("early reply");
        QVERIFY(line_->InputWaiting());
        QVERIFY(channel->WriteText("request"));
        QCOMPARE(rx.size(), 0);
        QTRY_COMPARE(rx.size(), 1);
        QCOMPARE(channel->ReadText(), QByteArray("early reply"));
    }

    // As when a USB adapter is pulled out, idle or in the middle of a send:
    // reported once, as lost, with the port closed, so nothing keeps
    // spinning on the dead line.
    void lostLineIsReportedOnce_data()
    {
        QTest::addColumn<bool>("writing");
        QTest::newRow("idle") << false;
        QTest::newRow("writing") << true;
    }
    void lostLineIsReportedOnce()
    {
        QFETCH(bool, writing);
        const auto channel = OpenChannel(LineSettings::Meter());
        QSignalSpy lost(channel.get(), &SerialChannel::Lost);
        line_->HangUp();
        if (writing) {
            const QString failure = FailureOf([&] { channel->WriteText("request"); });
            QVERIFY2(failure.startsWith("Write error ("), qPrintable(failure));
        }
        QTRY_COMPARE(lost.size(), 1);
        QCOMPARE(lost[0][0].toString(), QStringLiteral("линия оборвана"));
        QVERIFY(!channel->Active());

        const std::clock_t cpu = std::clock();
        QTest::qWait(500);
        QCOMPARE(lost.size(), 1);
        QVERIFY2(std::clock() - cpu < CLOCKS_PER_SEC / 20, qPrintable(QString::number(std::clock() - cpu)));
    }

    // Once the adapter is back, the same channel opens again.
    void opensAgainAfterALoss()
    {
        const auto channel = OpenChannel(LineSettings::Meter());
        QSignalSpy lost(channel.get(), &SerialChannel::Lost);
        line_->HangUp();
        QTRY_COMPARE(lost.size(), 1);
        line_ = std::make_unique<PseudoTerminal>();
        channel->SetPortName(line_->SlavePath());
        QCOMPARE(FailureOf([&] { channel->Open(); }), QString());
        QVERIFY(channel->WriteText("request"));
        QCOMPARE(line_->Receive(7), QByteArray("request"));
    }

private:
    std::unique_ptr<QtSerialChannel> OpenChannel(const LineSettings& settings)
    {
        auto channel = std::make_unique<QtSerialChannel>(settings);
        channel->SetPortName(line_->SlavePath());
        channel->Open();
        return channel;
    }

    std::unique_ptr<PseudoTerminal> line_;
};

QTEST_GUILESS_MAIN(TestQtSerialChannel)
#include "tst_qt_serial_channel.moc"
