// The station's real serial port driver against the simulated meter on a
// pseudo-terminal: whole poll cycles, every first byte with mark parity.

#include "link/meter_link.h"
#include "link/qt_serial_channel.h"
#include "recording_dialogs.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct SimSummary {
    int requests = -1;
    int unmarked = -1;
    int unobserved = -1;
};

SimSummary ParseSummary(const QString& output)
{
    const QRegularExpression pattern(R"(summary requests=(\d+) unmarked=(\d+) unobserved=(\d+))");
    const QRegularExpressionMatch match = pattern.match(output);
    if (!match.hasMatch())
        return {};
    return {match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt()};
}

} // namespace

class TestPollOverPty : public QObject {
    Q_OBJECT
private slots:
    void wholeCyclesWithMarkedFirstBytes_data()
    {
        QTest::addColumn<QStringList>("simArguments");
        QTest::addColumn<int>("cycleLength");
        QTest::newRow("742") << QStringList{} << 34;
        QTest::newRow("341") << QStringList{"--type", "341"} << 32;
    }
    void wholeCyclesWithMarkedFirstBytes()
    {
        QFETCH(QStringList, simArguments);
        QFETCH(int, cycleLength);
        QProcess sim;
        sim.start(SIM_BINARY, simArguments);
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 5000);
        const QString port = QString::fromUtf8(sim.readLine()).trimmed();
        QVERIFY2(port.startsWith("/dev/"), qPrintable(port));

        RecordingDialogs dialogs;
        QtSerialChannel channel(LineSettings::Meter());
        MeterLink link(dialogs);
        link.SetChannel(&channel);
        link.Protocol().SetEnabled(true);
        // The type is not decoded yet: tell the link what the meter is.
        link.SetTypeCodeSource([cycleLength] { return cycleLength == 32 ? 34101 : 74203; });
        int cycleStarts = 0;
        int answered = 0;
        connect(&link, &MeterLink::PollStepQueued, [&](int step) { cycleStarts += step == 0; });
        connect(&link, &MeterLink::ResponseAccepted, [&] { ++answered; });

        QVERIFY(link.ActionConnectExecute(port));
        QTRY_VERIFY_WITH_TIMEOUT(cycleStarts >= 3, 30000);
        link.ActionDisconnectExecute();

        QCOMPARE(link.Protocol().Lines(), QStringList{});
        QCOMPARE(dialogs.messages, QStringList{});
        // The connection's version request, then two whole cycles.
        QVERIFY(answered >= 1 + 2 * cycleLength);

        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
        const SimSummary summary = ParseSummary(QString::fromUtf8(sim.readAllStandardOutput()));
        QCOMPARE(summary.requests, link.SentCount());
        QCOMPARE(summary.unmarked, 0);
        // A loaded machine may now and then read a first byte together with
        // the rest; most must be seen alone, with mark parity.
        QVERIFY2(summary.unobserved * 10 <= summary.requests,
            qPrintable(QString("%1 of %2 first bytes not observed alone").arg(summary.unobserved).arg(summary.requests)));
    }
};

QTEST_MAIN(TestPollOverPty)
#include "tst_poll_over_pty.moc"
