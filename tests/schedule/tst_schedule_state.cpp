// The model's year-map state, its pending flag through edits, commit and
// revert, and the calendar it carries.

#include "schedule_records.h"
#include "zone_edits.h"

#include <QtTest>

namespace {

// True for every cell, or false at the first that differs.
bool Everywhere(const YearMap<bool>& map, bool value)
{
    return map == YearMap<bool>(value);
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
