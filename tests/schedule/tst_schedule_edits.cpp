// Zone edits and profile copies as record lists: which records grow, split,
// move to the front, are copied and are merged, in which order.

#include "schedule_records.h"
#include "zone_edits.h"

#include <QtTest>

namespace {

const quint8 MonFri = Days({1, 2, 3, 4, 5});
const quint16 Year = Months(1, 12);

} // namespace

class TestScheduleEdits : public QObject {
    Q_OBJECT
private slots:
    void edit_data()
    {
        QTest::addColumn<QList<AList>>("records");
        QTest::addColumn<Cell>("current");
        QTest::addColumn<QList<Cell>>("selected");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QList<AList>>("expected");

        const AList early = Zone("06:00", 1, MonFri, Year);

        QTest::newRow("insert into an empty schedule covers the current cell")
            << QList<AList>{} << Cell(4, 6) << QList<Cell>{} << Insert("07:30", 2, 5, 3)
            << QList<AList>{LimitedZone("07:30", 2, 5, 3, Days({6}), Month(4))};
        QTest::newRow("insert grows a Monday February..December record to January")
            << QList<AList>{Zone("08:00", 1, Days({1}), Months(2, 12))} << Cell(1, 1) << QList<Cell>{}
            << Insert("08:00", 1) << QList<AList>{Zone("08:00", 1, Days({1}), Year)};
        QTest::newRow("insert grows a record of the current month by the day type, before any merge")
            << QList<AList>{Zone("08:00", 1, Days({2}), Month(1)), Zone("08:00", 1, Days({2}), Month(2))} << Cell(1, 1)
            << QList<Cell>{} << Insert("08:00", 1)
            << QList<AList>{Zone("08:00", 1, Days({1, 2}), Month(1)), Zone("08:00", 1, Days({2}), Month(2))};
        QTest::newRow("insert grows a record of the current day type, before any merge")
            << QList<AList>{Zone("08:00", 1, Days({1}), Month(2)), Zone("08:00", 1, Days({2}), Month(2))} << Cell(1, 1)
            << QList<Cell>{} << Insert("08:00", 1)
            << QList<AList>{Zone("08:00", 1, Days({1}), Months(1, 2)), Zone("08:00", 1, Days({2}), Month(2))};
        QTest::newRow("insert does not grow a record of other values")
            << QList<AList>{Zone("08:00", 1, Days({1}), Months(2, 12))} << Cell(1, 1) << QList<Cell>{}
            << Insert("08:00", 1, 7, 2)
            << QList<AList>{Zone("08:00", 1, Days({1}), Months(2, 12)), LimitedZone("08:00", 1, 7, 2, Days({1}), Month(1))};
        QTest::newRow("insert does not grow a record sharing neither mask")
            << QList<AList>{Zone("08:00", 1, Days({2}), Month(2))} << Cell(1, 1) << QList<Cell>{} << Insert("08:00", 1)
            << QList<AList>{Zone("08:00", 1, Days({2}), Month(2)), Zone("08:00", 1, Days({1}), Month(1))};
        QTest::newRow("insert reaches a selected cell that had the same profile")
            << QList<AList>{early} << Cell(1, 1) << QList<Cell>{{1, 2}} << Insert("12:00", 2)
            << QList<AList>{early, Zone("12:00", 2, Days({1, 2}), Month(1))};

        QTest::newRow("update of a record of the current cell alone is in place")
            << QList<AList>{Zone("06:00", 1, Days({1}), Month(1)), Zone("12:00", 2, Days({1}), Month(1))} << Cell(1, 1)
            << QList<Cell>{} << Update("06:00", 2, 5, 3)
            << QList<AList>{LimitedZone("06:00", 2, 5, 3, Days({1}), Month(1)), Zone("12:00", 2, Days({1}), Month(1))};
        QTest::newRow("update in a one-day-type record takes the month out")
            << QList<AList>{Zone("06:00", 1, Days({1}), Year)} << Cell(3, 1) << QList<Cell>{} << Update("06:00", 2)
            << QList<AList>{Zone("06:00", 1, Days({1}), Year & ~Month(3)), Zone("06:00", 2, Days({1}), Month(3))};
        QTest::newRow("update in a one-month record takes the day type out")
            << QList<AList>{Zone("06:00", 1, MonFri, Month(1))} << Cell(1, 3) << QList<Cell>{} << Update("06:00", 2)
            << QList<AList>{Zone("06:00", 1, Days({1, 2, 4, 5}), Month(1)), Zone("06:00", 2, Days({3}), Month(1))};
        QTest::newRow("update splits a rectangle around the current cell")
            << QList<AList>{early} << Cell(3, 2) << QList<Cell>{} << Update("06:00", 2)
            << QList<AList>{Zone("06:00", 1, Days({1, 3, 4, 5}), Year), Zone("06:00", 1, Days({2}), Year & ~Month(3)),
                            Zone("06:00", 2, Days({2}), Month(3))};

        QTest::newRow("delete removes a record of the current cell alone")
            << QList<AList>{early, Zone("12:00", 2, Days({1}), Month(1))} << Cell(1, 1) << QList<Cell>{}
            << Delete("12:00") << QList<AList>{early};
        QTest::newRow("delete in (March, Tuesday) splits Monday..Friday")
            << QList<AList>{early} << Cell(3, 2) << QList<Cell>{} << Delete("06:00")
            << QList<AList>{Zone("06:00", 1, Days({1, 3, 4, 5}), Year), Zone("06:00", 1, Days({2}), Year & ~Month(3))};
        QTest::newRow("delete reaches a selected cell that had the same profile")
            << QList<AList>{Zone("06:00", 1, MonFri, Month(1)), Zone("12:00", 2, MonFri, Month(1))} << Cell(1, 1)
            << QList<Cell>{{1, 2}} << Delete("12:00")
            << QList<AList>{Zone("06:00", 1, MonFri, Month(1)), Zone("12:00", 2, Days({3, 4, 5}), Month(1))};

        QTest::newRow("copy along the current row and column stretches records")
            << QList<AList>{Zone("06:00", 1, Days({1}), Month(1))} << Cell(1, 1) << QList<Cell>{{2, 1}, {1, 3}}
            << CopyProfile()
            << QList<AList>{Zone("06:00", 1, Days({1}), Month(2)), Zone("06:00", 1, Days({1, 3}), Month(1))};
        QTest::newRow("copy to cells in neither row nor column copies every zone")
            << QList<AList>{Zone("06:00", 1, Days({1}), Month(1)), Zone("22:00", 2, MonFri, Month(1))} << Cell(1, 1)
            << QList<Cell>{{3, 3}, {5, 6}} << CopyProfile()
            << QList<AList>{Zone("22:00", 2, Days({6}), Month(5)), Zone("06:00", 1, Days({6}), Month(5)),
                            Zone("22:00", 2, Days({3}), Month(3)), Zone("06:00", 1, Days({3}), Month(3)),
                            Zone("06:00", 1, Days({1}), Month(1)), Zone("22:00", 2, MonFri, Month(1))};
        QTest::newRow("copy cuts the zones the current cell lacks")
            << QList<AList>{Zone("06:00", 1, Days({1}), Month(1)), Zone("07:00", 2, Days({2}), Year)} << Cell(1, 1)
            << QList<Cell>{{1, 2}} << CopyProfile()
            << QList<AList>{Zone("06:00", 1, Days({1, 2}), Month(1)), Zone("07:00", 2, Days({2}), Months(2, 12))};
        QTest::newRow("an empty current cell empties the changed cells")
            << QList<AList>{early} << Cell(1, 6) << QList<Cell>{{2, 1}, {2, 2}} << CopyProfile()
            << QList<AList>{Zone("06:00", 1, Days({3, 4, 5}), Year), Zone("06:00", 1, Days({1, 2}), Year & ~Month(2))};

        QTest::newRow("merge joins January..June and July..December")
            << QList<AList>{Zone("06:00", 1, Days({1}), Months(1, 6)), Zone("06:00", 1, Days({1}), Months(7, 12))}
            << Cell(1, 1) << QList<Cell>{} << CopyProfile() << QList<AList>{Zone("06:00", 1, Days({1}), Year)};
        QTest::newRow("merge repeats while a pass joins records")
            << QList<AList>{Zone("06:00", 1, Days({1}), Month(1)), Zone("06:00", 1, Days({2}), Month(2)),
                            Zone("06:00", 1, Days({2}), Month(1)), Zone("06:00", 1, Days({1}), Month(2))}
            << Cell(1, 1) << QList<Cell>{} << CopyProfile() << QList<AList>{Zone("06:00", 1, Days({1, 2}), Months(1, 2))};
        QTest::newRow("merge keeps records of other values apart")
            << QList<AList>{Zone("06:00", 1, Days({1}), Months(1, 6)), Zone("06:00", 2, Days({1}), Months(7, 12))}
            << Cell(1, 1) << QList<Cell>{} << CopyProfile()
            << QList<AList>{Zone("06:00", 1, Days({1}), Months(1, 6)), Zone("06:00", 2, Days({1}), Months(7, 12))};
    }
    void edit()
    {
        QFETCH(QList<AList>, records);
        QFETCH(Cell, current);
        QFETCH(QList<Cell>, selected);
        QFETCH(Edit, edit);
        QFETCH(QList<AList>, expected);

        ScheduleModel model;
        Load(model, records, current, selected);
        edit.run(model);

        QCOMPARE(Describe(model.WorkList()), Describe(expected));
        QCOMPARE(Describe(model.SavedList()), Describe(records));
        for (const Cell& c : selected)
            QCOMPARE(model.Profile(c.x(), c.y()), model.Profile(current.x(), current.y()));
    }

    void editDaysReportsTheRecordCount()
    {
        ScheduleModel model;
        Load(model, {Zone("06:00", 1, Days({1}), Month(1))}, Cell(1, 1), {{3, 3}});
        QCOMPARE(model.EditDays(), 2);
    }

    void copiedCellsTakeTheCurrentCellsFlags_data()
    {
        QTest::addColumn<QList<AList>>("records");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<bool>("noMidnight");

        QTest::newRow("a profile from midnight") << QList<AList>{Zone("00:00", 1, Days({1}), Month(1))} << false << false;
        QTest::newRow("a profile without midnight") << QList<AList>{Zone("06:00", 1, Days({1}), Month(1))} << false << true;
        QTest::newRow("an empty profile") << QList<AList>{Zone("00:00", 1, Days({2}), Month(1))} << true << true;
    }
    void copiedCellsTakeTheCurrentCellsFlags()
    {
        QFETCH(QList<AList>, records);
        QFETCH(bool, empty);
        QFETCH(bool, noMidnight);

        ScheduleModel model;
        Load(model, records + QList<AList>{Zone("00:00", 3, Days({7}), Month(9))}, Cell(1, 1), {{1, 2}, {9, 7}});
        model.EditDays();
        for (const Cell& c : {Cell(1, 2), Cell(9, 7)}) {
            QCOMPARE(model.DaysEmpty()(c.x(), c.y()), empty);
            QCOMPARE(model.DaysNoMidnight()(c.x(), c.y()), noMidnight);
        }
    }
};

QTEST_APPLESS_MAIN(TestScheduleEdits)
#include "tst_schedule_edits.moc"
