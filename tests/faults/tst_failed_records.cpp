// A production database that fails inside a settings write's record, seen
// end to end: the meter is written and takes its number, the record's
// transaction fails at its power-line number or at its route-sheet step,
// the operator reads why, and no row of the record is left behind.

#include "station_bench.h"

#include <QtTest>

Q_DECLARE_METATYPE(RecordOutcome)

namespace {

QString Refusing(const char* table)
{
    return QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, '%1 refused'); END")
        .arg(QLatin1String(table));
}

} // namespace

class TestFailedRecords : public QObject {
    Q_OBJECT

private slots:
    void recordIsWholeOrNothing_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<RecordOutcome>("outcome");
        // What the engine said, in the message; empty: no message.
        QTest::addColumn<QString>("reason");

        // The fixture records at all: the meter of the route sheet, given
        // its number, adds rows to every table of the record.
        QTest::newRow("nothing fails") << QString() << RecordOutcome::Recorded << QString();
        QTest::newRow("power-line number refused")
            << Refusing("set_pk") << RecordOutcome::Failed << "set_pk refused";
        QTest::newRow("route sheet's registration refused")
            << Refusing("RegMsl") << RecordOutcome::Failed << "RegMsl refused";
        QTest::newRow("route sheet's good list refused")
            << Refusing("RegMslGood") << RecordOutcome::Failed << "RegMslGood refused";
    }
    void recordIsWholeOrNothing()
    {
        QFETCH(QString, fault);
        QFETCH(RecordOutcome, outcome);
        QFETCH(QString, reason);

        StationBench bench;
        bench.UseProductionLine(fault.isEmpty() ? QStringList() : QStringList{fault});
        const QList<int> before = RecordRows(bench);
        bench.Connect();
        bench.StartSettingsWrite();
        QTRY_COMPARE_WITH_TIMEOUT(bench.finished.size(), 1, BenchTimeoutMs);

        // The meter took every write, its number among them.
        QCOMPARE(bench.finished[0][1].value<BatchOutcome>(), BatchOutcome::Completed);
        QCOMPARE(bench.SentSince(0, WriteNumber), 1);
        QCOMPARE(bench.line->LastRecord(), std::optional<RecordOutcome>(outcome));
        QCOMPARE(bench.dialogs.messages.size(), reason.isEmpty() ? 0 : 1);
        if (!reason.isEmpty()) {
            const QString& message = bench.dialogs.messages[0];
            QVERIFY2(message.startsWith(QStringLiteral("Ошибка БД: Ошибка записи в БД: ")) && message.contains(reason),
                qPrintable(message));
        }

        const QList<int> after = RecordRows(bench);
        if (outcome == RecordOutcome::Failed) {
            QCOMPARE(after, before);
            return;
        }
        for (int i = 0; i < RecordTables.size(); ++i)
            QVERIFY2(after[i] > before[i], qPrintable(RecordTables[i]));
    }
};

QTEST_GUILESS_MAIN(TestFailedRecords)
#include "tst_failed_records.moc"
