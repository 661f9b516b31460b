// vm742-cli on a meter whose port vanishes mid-run (the simulated meter
// behind its pseudo-terminal goes away, as a pulled USB adapter does): every
// command that talks to the meter says so and ends at once, without
// spinning on the dead line.

#include "running_cli.h"
#include "simulated_meter_process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <unistd.h>

namespace {

// User and system CPU time of a running process, in seconds; -1 once it
// has gone.
double CpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    // The fields after the command's name, which may hold blanks.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(::sysconf(_SC_CLK_TCK));
}

} // namespace

class TestPortVanishes : public QObject {
    Q_OBJECT

private slots:
    void commandEndsAtOnce_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("poll") << QStringList{"poll"};
        QTest::newRow("read") << QStringList{"read"};
        QTest::newRow("schedule-read") << QStringList{"schedule-read", "schedule.tsc"};
    }
    void commandEndsAtOnce()
    {
        QFETCH(QStringList, command);
        QTemporaryDir directory;
        if (command.size() > 1)
            command[1] = directory.filePath(command[1]);
        auto meter = std::make_unique<SimulatedMeterProcess>(QStringList{});
        QVERIFY(!meter->Path().isEmpty());
        RunningCli cli(QStringList{"--port", meter->Path()} + command);
        // Well into the talk: the poll has read the meter's number by now.
        QTest::qWait(1200);
        const qint64 pid = cli.Pid();
        const double cpuBefore = CpuSeconds(pid);
        QVERIFY(cpuBefore >= 0);
        double cpuLast = cpuBefore;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, [&] {
            if (const double cpu = CpuSeconds(pid); cpu >= 0)
                cpuLast = cpu;
        });
        sampler.start(10);

        QElapsedTimer clock;
        clock.start();
        meter.reset();
        QCOMPARE(cli.Finish(5000), 1);
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(cpuLast - cpuBefore < 0.3, qPrintable(QString::number(cpuLast - cpuBefore)));
        const QString err = cli.Err();
        QVERIFY2(err.contains("недоступен: линия оборвана"), qPrintable(err));
        QVERIFY(!QFile::exists(directory.filePath("schedule.tsc")));
    }
};

QTEST_GUILESS_MAIN(TestPortVanishes)
#include "tst_port_vanishes.moc"
