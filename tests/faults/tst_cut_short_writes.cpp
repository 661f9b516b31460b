// A write batch cut short by the line: the operator disconnects, or the
// port vanishes, while the meter has not yet acknowledged a request of the
// batch. The batch shows red and is reported as cut short, never as
// written; only the requests the meter acknowledged reach the operation
// log; the production database records nothing; and nothing of the batch
// goes out once the line is back.

#include "station_bench.h"

#include <QtTest>

namespace {

enum class Cut { Disconnect, PortVanishes };

const QString CutShortLine = QStringLiteral("Запись прервана: связь разорвана.");
const QString PortGone = QStringLiteral("Ошибка: Порт COM1 недоступен: линия оборвана. Связь разорвана.");

QString WriteFailure(WriteBatch batch)
{
    return QStringLiteral("Ошибка: Во время записи %1 произошла ошибка. Описание смотрите на закладке Протокол.")
        .arg(batch == WriteBatch::Settings ? QStringLiteral("установок") : QStringLiteral("тарифного расписания"));
}

} // namespace

Q_DECLARE_METATYPE(Cut)

class TestCutShortWrites : public QObject {
    Q_OBJECT

private slots:
    void batchCutShort_data()
    {
        QTest::addColumn<WriteBatch>("batch");
        QTest::addColumn<Cut>("cut");
        QTest::addColumn<bool>("sqlMode");
        // The request left unanswered; -1: the line is cut as the batch is
        // queued, before any of it leaves.
        QTest::addColumn<int>("withheld");
        // The entries of the acknowledged writes, after the time stamp.
        QTest::addColumn<QStringList>("logged");

        const QStringList clockOnly{"Время="};
        QTest::newRow("settings, disconnected, log")
            << WriteBatch::Settings << Cut::Disconnect << false << int(WriteNumber) << clockOnly;
        QTest::newRow("settings, port vanishes, log")
            << WriteBatch::Settings << Cut::PortVanishes << false << int(WriteNumber) << clockOnly;
        QTest::newRow("settings, disconnected, database")
            << WriteBatch::Settings << Cut::Disconnect << true << int(WriteNumber) << QStringList();
        QTest::newRow("settings, port vanishes, database")
            << WriteBatch::Settings << Cut::PortVanishes << true << int(WriteNumber) << QStringList();
        QTest::newRow("settings, disconnected before the first request, database")
            << WriteBatch::Settings << Cut::Disconnect << true << -1 << QStringList();
        QTest::newRow("schedule, disconnected at the coefficient")
            << WriteBatch::Schedule << Cut::Disconnect << false << int(WriteLimitCoefficient) << QStringList();
        QTest::newRow("schedule, port vanishes at the coefficient")
            << WriteBatch::Schedule << Cut::PortVanishes << false << int(WriteLimitCoefficient) << QStringList();
    }
    void batchCutShort()
    {
        QFETCH(WriteBatch, batch);
        QFETCH(Cut, cut);
        QFETCH(bool, sqlMode);
        QFETCH(int, withheld);
        QFETCH(QStringList, logged);

        StationBench bench;
        if (sqlMode)
            bench.UseProductionLine();
        const QList<int> rowsBefore = sqlMode ? RecordRows(bench) : QList<int>();
        bench.withheld = withheld;
        bench.Connect();
        if (batch == WriteBatch::Settings)
            bench.StartSettingsWrite();
        else
            bench.StartScheduleWrite();
        if (withheld >= 0)
            QTRY_VERIFY_WITH_TIMEOUT(bench.SentSince(0, quint8(withheld)) == 1, BenchTimeoutMs);

        if (cut == Cut::Disconnect) {
            bench.core.link.ActionDisconnectExecute();
        } else {
            // The channel closes a lost port itself before it says so.
            bench.channel.open = false;
            emit bench.channel.Lost(QStringLiteral("линия оборвана"));
        }
        // Whatever the cut might set off late has its chance.
        QTest::qWait(300);

        QCOMPARE(bench.finished.size(), 1);
        QCOMPARE(bench.finished[0][0].value<WriteBatch>(), batch);
        QCOMPARE(bench.finished[0][1].value<BatchOutcome>(), BatchOutcome::CutShort);
        QCOMPARE(bench.core.link.Indicator(), ResultIndicator::Red);
        QVERIFY(bench.core.link.Protocol().Lines().contains(CutShortLine));
        // Cut by the operator, the batch's failure is told; a vanished port
        // tells its own message only.
        QCOMPARE(bench.dialogs.messages, QStringList{cut == Cut::Disconnect ? WriteFailure(batch) : PortGone});

        const QStringList lines = bench.LogLines();
        QCOMPARE(lines.size(), logged.size());
        for (int i = 0; i < logged.size(); ++i)
            QVERIFY2(lines[i].section(QStringLiteral("] "), 1).startsWith(logged[i]), qPrintable(lines[i]));
        if (sqlMode) {
            QVERIFY(!bench.line->LastRecord());
            QCOMPARE(RecordRows(bench), rowsBefore);
        }

        // Connected again, the station polls, the rest of the batch gone for
        // good (it would have gone out first), and nothing is recorded or
        // logged late.
        const int sentBefore = int(bench.channel.requests.size());
        bench.withheld = -1;
        bench.Connect();
        QTRY_VERIFY_WITH_TIMEOUT(bench.SentSince(sentBefore, ReadCounters) >= 1, BenchTimeoutMs);
        for (const quint8 write : {WriteClock, WriteNumber, WritePlcAddress, WriteHolidays, WriteTransfers,
                 WriteSchedule, WriteLimitCoefficient})
            QVERIFY2(bench.SentSince(sentBefore, write) == 0, qPrintable(CommandName(write)));
        QCOMPARE(bench.finished.size(), 1);
        QCOMPARE(bench.LogLines(), lines);
        if (sqlMode)
            QCOMPARE(RecordRows(bench), rowsBefore);
    }
};

QTEST_GUILESS_MAIN(TestCutShortWrites)
#include "tst_cut_short_writes.moc"
