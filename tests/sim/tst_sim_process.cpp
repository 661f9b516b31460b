// The vm742-sim executable, driven over its pseudo-terminal the way the
// station drives a real port.

#include "protocol/frame.h"
#include "link/serial_channel.h"

#include <QProcess>
#include <QTest>
#include <algorithm>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A pseudo-terminal drops PARENB, and glibc then reports EINVAL for a change
// that only repeats the current settings; what counts is what reads back.
bool SetParity(int fd, Parity parity)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    tcflag_t wanted = 0;
    if (parity == Parity::Mark)
        wanted = CMSPAR | PARODD;
    else if (parity == Parity::Space)
        wanted = CMSPAR;
    settings.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    if (wanted)
        settings.c_cflag |= PARENB | wanted;
    tcsetattr(fd, TCSADRAIN, &settings);
    return tcgetattr(fd, &settings) == 0 && (settings.c_cflag & (CMSPAR | PARODD)) == wanted;
}

// The station's way: the first byte, 10 ms, then the rest in space.
bool SendRequest(int fd, const QByteArray& request, Parity first)
{
    if (!SetParity(fd, first) || ::write(fd, request.constData(), 1) != 1)
        return false;
    std::this_thread::sleep_for(10ms);
    const qsizetype rest = request.size() - 1;
    return SetParity(fd, Parity::Space) && ::write(fd, request.constData() + 1, size_t(rest)) == rest;
}

QByteArray ReadAnswer(int fd, qsizetype size)
{
    QByteArray answer;
    pollfd watched{fd, POLLIN, 0};
    char buffer[64];
    while (answer.size() < size && poll(&watched, 1, 2000) > 0) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count <= 0)
            break;
        answer.append(buffer, count);
    }
    return answer;
}

} // namespace

class SimProcessTest : public QObject {
    Q_OBJECT
private slots:
    void servesAndCountsUnmarkedStarts();
    void scannerSendsInputLinesAsCodes();
};

void SimProcessTest::servesAndCountsUnmarkedStarts()
{
    QProcess sim;
    sim.start(QStringLiteral(VM742_SIM_BINARY), {});
    QVERIFY2(sim.waitForStarted(), qPrintable(sim.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine() || (sim.waitForReadyRead(100), sim.canReadLine()), 5000);
    const QByteArray slavePath = sim.readLine().trimmed();
    QVERIFY2(slavePath.startsWith("/dev/"), slavePath.constData());

    const int fd = ::open(slavePath.constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios raw{};
    QVERIFY(tcgetattr(fd, &raw) == 0);
    cfmakeraw(&raw);
    cfsetspeed(&raw, B4800);
    QVERIFY(tcsetattr(fd, TCSANOW, &raw) == 0);

    const QByteArray version = MakeFrame(ReadVersion);
    QVERIFY(SendRequest(fd, version, Parity::Mark));
    const QByteArray answer = ReadAnswer(fd, 9);
    QCOMPARE(answer.size(), 9);
    QCOMPARE(answer.left(2), QByteArray::fromHex("0007"));
    QVERIFY(CrcValid(answer));

    // Served all the same, but counted.
    QVERIFY(SendRequest(fd, MakeFrame(ReadNumber), Parity::Space));
    QCOMPARE(ReadAnswer(fd, 7).size(), 7);
    ::close(fd);

    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
    const QList<QByteArray> lines = sim.readAllStandardOutput().trimmed().split('\n');
    QVERIFY(!lines.isEmpty());
    QVERIFY2(lines.last().startsWith("summary requests=2 unmarked=1 "), lines.last().constData());
    QCOMPARE(std::count_if(lines.cbegin(), lines.cend(), [](const QByteArray& line) { return line.startsWith("summary"); }), 1);
}

// The station's greeting byte is taken without disturbing the codes.
void SimProcessTest::scannerSendsInputLinesAsCodes()
{
    QProcess sim;
    sim.start(QStringLiteral(VM742_SIM_BINARY), {QStringLiteral("--scanner")});
    QVERIFY2(sim.waitForStarted(), qPrintable(sim.errorString()));
    QList<QByteArray> lines;
    while (lines.size() < 2 && (sim.canReadLine() || sim.waitForReadyRead(5000)))
        lines << sim.readLine().trimmed();
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith("/dev/"), lines[0].constData());
    QVERIFY2(lines[1].startsWith("scanner: /dev/"), lines[1].constData());
    const QByteArray scannerPath = lines[1].mid(int(qstrlen("scanner: ")));
    QVERIFY(scannerPath != lines[0]);

    const int fd = ::open(scannerPath.constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    termios raw{};
    QVERIFY(tcgetattr(fd, &raw) == 0);
    cfmakeraw(&raw);
    QVERIFY(tcsetattr(fd, TCSANOW, &raw) == 0);
    QCOMPARE(::write(fd, "", 1), 1);

    sim.write("123456\n0420");
    QVERIFY(sim.waitForBytesWritten(2000));
    sim.write("17\r\n");
    QVERIFY(sim.waitForBytesWritten(2000));
    QCOMPARE(ReadAnswer(fd, 14), QByteArray("123456\r042017\r"));
    ::close(fd);

    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 0);
}

QTEST_GUILESS_MAIN(SimProcessTest)
#include "tst_sim_process.moc"
