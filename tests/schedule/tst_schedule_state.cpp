// The model's year-map state, its pending flag through edits, commit and
// revert, and the calendar it carries.

#include "schedule_records.h"
#include "zone_edits.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// True for every cell, or false at the first that differs.
bool Everywhere(const YearMap<bool>& map, bool value)
{
    return map == YearMap<bool>(value);
}

// The counting of equivalent cells done the long way, every zone of the
// current cell against every record: what a quicker count must give.
YearMap<bool> EquivalentPairByPair(const QList<AList>& records, Cell current)
{
    YearMap<bool> empty(true);
    for (const AList& r : records)
        ForEachCell([&](int month, int dayType) { empty(month, dayType) = empty(month, dayType) && !Covers(r, month, dayType); });
    if (empty(current.x(), current.y()))
        return empty;
    YearMap<int> same(0);
    YearMap<int> other(0);
    for (const AList& r : records) {
        if (!Covers(r, current.x(), current.y()))
            continue;
        for (const AList& s : records) {
            YearMap<int>& tally = HasEqualValues(r, s) ? same : other;
            ForEachCell([&](int month, int dayType) { tally(month, dayType) += Covers(s, month, dayType) ? 1 : 0; });
        }
    }
    YearMap<bool> equivalent(false);
    ForEachCell([&](int month, int dayType) {
        equivalent(month, dayType) = same(month, dayType) == same(current.x(), current.y())
            && other(month, dayType) == other(current.x(), current.y());
    });
    return equivalent;
}

// Records as a file may hold them: few values, so equal zones meet often,
// masks of any bits, stray month bits and two zones of a cell at one time
// included.
QList<AList> RandomRecords(QRandomGenerator& random)
{
    const QStringList times = {"00:00", "06:00", "07:30"};
    QList<AList> records;
    for (int n = int(random.bounded(40)); n > 0; --n) {
        const quint8 tariff = quint8(1 + random.bounded(2));
        const quint8 limit = quint8(random.bounded(2));
        // Mostly single cells, rows or columns, so that cells share zones
        // without every cell being covered.
        const quint8 days = random.bounded(3) == 0 ? quint8(random.bounded(256)) : quint8(GetMaska(1 + int(random.bounded(8))));
        const quint16 months = random.bounded(3) == 0 ? quint16(random.bounded(65536)) : GetMaska(1 + int(random.bounded(12)));
        records << LimitedZone(qPrintable(times[random.bounded(int(times.size()))]), tariff, limit,
            limit ? quint8(3 - tariff) : tariff, days, months);
    }
    return records;
}

QString Cells(const YearMap<bool>& map)
{
    QString text;
    ForEachCell([&](int month, int dayType) { text += map(month, dayType) ? QChar('x') : QChar('.'); });
    return text;
}

} // namespace

class TestScheduleState : public QObject {
    Q_OBJECT
private slots:
    void getMaska_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("mask");
        QTest::newRow("Monday, January") << 1 << 1;
        QTest::newRow("March") << 3 << 4;
        QTest::newRow("holiday") << 8 << 128;
        QTest::newRow("December") << 12 << 2048;
    }
    void getMaska()
    {
        QFETCH(int, n);
        QFETCH(int, mask);
        QCOMPARE(int(GetMaska(n)), mask);
    }

    void emptyModel()
    {
        ScheduleModel model;
        model.EquivalentDays();
        QVERIFY(model.WorkList().isEmpty());
        QVERIFY(Everywhere(model.DaysEmpty(), true));
        QVERIFY(Everywhere(model.DaysNoMidnight(), true));
        QVERIFY(Everywhere(model.DaysEquivalent(), true));
        QVERIFY(Everywhere(model.DaysChanged(), false));
        QCOMPARE(model.DaysSelected(), Selection({{1, 1}}));
        QCOMPARE(model.CurMonth(), 1);
        QCOMPARE(model.CurDay(), 1);
        QVERIFY(!model.ChangesPending());
    }

    void emptyDays()
    {
        ScheduleModel model;
        Load(model, {Zone("00:00", 1, Days({1, 2}), Months(1, 2)), Zone("07:00", 2, Days({2, 3}), Month(2))}, Cell(1, 1));
        QCOMPARE(model.DaysEmpty(), [] {
            YearMap<bool> empty(true);
            for (Cell c : {Cell(1, 1), Cell(1, 2), Cell(2, 1), Cell(2, 2), Cell(2, 3)})
                empty(c.x(), c.y()) = false;
            return empty;
        }());
        QCOMPARE(model.DaysNoMidnight(), [] {
            YearMap<bool> noMidnight(true);
            for (Cell c : {Cell(1, 1), Cell(1, 2), Cell(2, 1), Cell(2, 2)})
                noMidnight(c.x(), c.y()) = false;
            return noMidnight;
        }());
    }

    // The current cell (January, Monday) against (February, Monday).
    void equivalentDays_data()
    {
        QTest::addColumn<QList<AList>>("records");
        QTest::addColumn<bool>("equivalent");

        const quint8 mon = Days({1});
        const AList both = Zone("06:00", 1, mon, Months(1, 2));
        QTest::newRow("both empty") << QList<AList>{Zone("06:00", 1, mon, Month(3))} << true;
        QTest::newRow("the other cell empty") << QList<AList>{Zone("06:00", 1, mon, Month(1))} << false;
        QTest::newRow("the current cell empty") << QList<AList>{Zone("06:00", 1, mon, Month(2))} << false;
        QTest::newRow("one record covers both") << QList<AList>{both} << true;
        QTest::newRow("equal zones from separate records")
            << QList<AList>{Zone("06:00", 1, mon, Month(1)), Zone("07:00", 2, mon, Months(1, 2)), Zone("06:00", 1, mon, Month(2))}
            << true;
        QTest::newRow("another tariff") << QList<AList>{Zone("06:00", 1, mon, Month(1)), Zone("06:00", 2, mon, Month(2))} << false;
        QTest::newRow("another limit")
            << QList<AList>{Zone("06:00", 1, mon, Month(1)), LimitedZone("06:00", 1, 5, 2, mon, Month(2))} << false;
        QTest::newRow("another over-limit tariff")
            << QList<AList>{LimitedZone("06:00", 1, 5, 3, mon, Month(1)), LimitedZone("06:00", 1, 5, 2, mon, Month(2))}
            << false;
        QTest::newRow("another start time") << QList<AList>{Zone("06:00", 1, mon, Month(1)), Zone("06:30", 1, mon, Month(2))}
                                            << false;
        QTest::newRow("an extra zone in the other cell") << QList<AList>{both, Zone("22:00", 2, mon, Month(2))} << false;
        QTest::newRow("a zone missing in the other cell") << QList<AList>{both, Zone("22:00", 2, mon, Month(1))} << false;
    }
    void equivalentDays()
    {
        QFETCH(QList<AList>, records);
        QFETCH(bool, equivalent);

        ScheduleModel model;
        Load(model, records, Cell(1, 1), {{2, 1}});
        QCOMPARE(model.DaysEquivalent()(2, 1), equivalent);
        QVERIFY(model.DaysEquivalent()(1, 1));
        QCOMPARE(model.DaysChanged()(2, 1), !equivalent);
        QVERIFY(!model.DaysChanged()(1, 1));
        QCOMPARE(model.ChangesPending(), !equivalent);
    }

    // The grouped count gives, cell for cell, what counting pair by pair
    // gives, on lists that keep the invariants and on lists that do not.
    void equivalentDaysAgreeWithCountingPairByPair()
    {
        QRandomGenerator random(742341);
        for (int run = 0; run < 3000; ++run) {
            const QList<AList> records = RandomRecords(random);
            const Cell current(1 + int(random.bounded(MonthCount)), 1 + int(random.bounded(DayTypeCount)));
            ScheduleModel model;
            Load(model, records, current);
            QVERIFY2(model.DaysEquivalent() == EquivalentPairByPair(records, current),
                qPrintable(QStringLiteral("run %1, current (%2, %3):\n%4\ngot      %5\nexpected %6")
                               .arg(run)
                               .arg(current.x())
                               .arg(current.y())
                               .arg(Describe(records).join('\n'), Cells(model.DaysEquivalent()),
                                   Cells(EquivalentPairByPair(records, current)))));
        }
    }

    void equivalentDaysNeverClearsPending()
    {
        ScheduleModel model;
        Load(model, {Zone("06:00", 1, Days({1}), Month(1))}, Cell(1, 1), {{2, 1}});
        QVERIFY(model.ChangesPending());
        model.SetDaysSelected(Selection({{1, 1}}));
        model.EquivalentDays();
        QVERIFY(Everywhere(model.DaysChanged(), false));
        QVERIFY(model.ChangesPending());
    }

    void zoneEditsMakePending_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("insert") << Insert("07:00", 2);
        QTest::newRow("update") << Update("06:00", 2);
        QTest::newRow("delete") << Delete("06:00");
    }
    void zoneEditsMakePending()
    {
        QFETCH(Edit, edit);
        const QList<AList> saved{Zone("06:00", 1, Days({1}), Month(1))};
        ScheduleModel model;
        Load(model, saved, Cell(1, 1));
        QVERIFY(!model.ChangesPending());
        edit.run(model);
        QVERIFY(model.ChangesPending());
        QVERIFY(model.DaysChanged()(1, 1));
        QCOMPARE(Describe(model.SavedList()), Describe(saved));
    }

    void commitKeepsTheWorkList()
    {
        ScheduleModel model;
        Load(model, {Zone("06:00", 1, Days({1}), Month(1))}, Cell(1, 1), {{3, 4}});
        model.InsertTZone("07:00", 2, 0, 2);
        const QList<AList> edited = model.WorkList();
        model.Commit();
        QVERIFY(!model.ChangesPending());
        QCOMPARE(Describe(model.SavedList()), Describe(edited));
        QCOMPARE(Describe(model.WorkList()), Describe(edited));
        QCOMPARE(model.DaysSelected(), Selection({{1, 1}, {3, 4}}));
        QVERIFY(Everywhere(model.DaysChanged(), false));
    }

    void revertRestoresTheSavedList()
    {
        const QList<AList> saved{Zone("06:00", 1, Days({1}), Month(1)), Zone("06:00", 1, Days({2}), Month(2))};
        ScheduleModel model;
        Load(model, saved, Cell(1, 1), {{2, 2}});
        model.DeleteTZone("06:00");
        QVERIFY(model.WorkList().isEmpty());
        model.Revert();
        QVERIFY(!model.ChangesPending());
        QCOMPARE(Describe(model.WorkList()), Describe(saved));
        QCOMPARE(model.DaysSelected(), Selection({{1, 1}}));
        QVERIFY(!model.DaysEmpty()(2, 2));
        QVERIFY(Everywhere(model.DaysChanged(), false));
    }

    void calendarDefaults()
    {
        ScheduleModel model;
        QCOMPARE(model.Holidays(), (QList<Holiday>{{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 7},
                                                  {2, 23}, {3, 8}, {5, 1}, {5, 9}, {6, 12}, {11, 4}}));
        QVERIFY(model.Transfers().isEmpty());
        QCOMPARE(model.LimitCoefficient(), 1);
    }

    void calendarListsKeepOrderUpToSixteen()
    {
        ScheduleModel model;
        QList<Holiday> holidays;
        QList<Transfer> transfers;
        for (int i = 0; i < 17; ++i) {
            holidays.append({12 - i % 12, 1 + i % 3});
            transfers.append({QDate(2030, 1, 1).addDays(-i), 1 + i % 8});
        }
        model.SetHolidays(holidays);
        model.SetTransfers(transfers);
        QCOMPARE(model.Holidays(), holidays.first(16));
        QCOMPARE(model.Transfers(), transfers.first(16));
    }

    void limitCoefficient_data()
    {
        QTest::addColumn<int>("given");
        QTest::addColumn<int>("kept");
        QTest::newRow("zero rises to the lower bound") << 0 << 1;
        QTest::newRow("lower bound") << 1 << 1;
        QTest::newRow("upper bound") << 255 << 255;
        QTest::newRow("above a byte") << 300 << 255;
    }
    void limitCoefficient()
    {
        QFETCH(int, given);
        QFETCH(int, kept);
        ScheduleModel model;
        model.SetLimitCoefficient(given);
        QCOMPARE(model.LimitCoefficient(), kept);
    }
};

QTEST_APPLESS_MAIN(TestScheduleState)
#include "tst_schedule_state.moc"
