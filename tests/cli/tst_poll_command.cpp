// vm742-cli poll on a line that drops poll steps: a meter served here, on a
// pseudo-terminal, whose answers to some requests trail a stray byte that
// arrives after the next step has been queued and before it is sent.

#include "protocol/frame.h"
#include "link/poll_cycle.h"
#include "running_cli.h"
#include "sim/pty_server.h"
#include "sim/virtual_meter.h"

#include <QtTest>

namespace {

// The poll step of each request the protocol shows going out, in order;
// -1 for a request that is no poll step.
QList<int> SentSteps(const QStringList& protocol)
{
    QHash<QString, int> stepOf;
    for (int step = 0; step < PollCycleLength; ++step)
        stepOf.insert(HexDump(PollRequest(step)).trimmed(), step);
    QList<int> steps;
    for (const QString& line : protocol)
        if (line.contains(" Send "))
            steps << stepOf.value(line.section(" Send ", 1).trimmed(), -1);
    return steps;
}

// Sent steps that do not follow the step sent before them: the steps in
// between were dropped unsent.
int Gaps(const QList<int>& steps)
{
    int gaps = 0;
    for (qsizetype i = 1; i < steps.size(); ++i)
        gaps += steps[i] != (steps[i - 1] + 1) % PollCycleLength;
    return gaps;
}

} // namespace

class TestPollCommand : public QObject {
    Q_OBJECT
private slots:
    void cyclesCountRequestsSentNotStepsDropped()
    {
        VirtualMeter meter;
        // The answer byte by byte at the line's pace, then one byte more:
        // the answer is taken and the next step queued before it comes.
        for (const quint8 code : {ReadClock, ReadCounters, ReadPlcAddress}) {
            meter.InjectFault(Fault(FaultKind::SurplusByte).Times(Fault::ForEver).OnlyFor(code));
            meter.InjectFault(Fault(FaultKind::Pieces, 64).Times(Fault::ForEver).OnlyFor(code));
        }
        PtyServer server(meter);
        constexpr int Cycles = 3;
        RunningCli cli({"--port", server.SlavePath(), "poll", "--cycles", QString::number(Cycles)});
        QCOMPARE(cli.Finish(120000), 1);

        const QStringList protocol = cli.Out();
        // The connection's own version request goes first, outside the cycle.
        const QList<int> steps = SentSteps(protocol).mid(1);
        QVERIFY2(!steps.contains(-1), qPrintable(protocol.join('\n')));
        QVERIFY2(Gaps(steps) > 0, "no step was dropped: the line did not do what it is here for");
        QVERIFY2(steps.size() >= Cycles * PollCycleLength, qPrintable(QString::number(steps.size())));
        // It stops at the end of the cycle in which the count was reached.
        QVERIFY2(steps.size() < (Cycles + 1) * PollCycleLength, qPrintable(QString::number(steps.size())));
        QCOMPARE(steps.first(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPollCommand)
#include "tst_poll_command.moc"
