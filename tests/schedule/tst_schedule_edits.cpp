// Zone edits and profile copies as record lists: which records grow, split,
// move to the front, are copied and are merged, in which order.

#include "schedule/record_algebra.h"
#include "schedule/schedule_bytes.h"
#include "schedule_records.h"
#include "zone_edits.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

const quint8 MonFri = Days({1, 2, 3, 4, 5});
const quint16 Year = Months(1, 12);

// The merge as the station has always made it, pair by pair over the whole
// list: each record in turn takes in every later record of equal values
// that shares its day mask, or else its month mask, testing its masks as
// they grow; pass after pass while a pass joins any.
QList<AList> MergedPairByPair(QList<AList> records)
{
    qsizetype before = 0;
    do {
        before = records.size();
        for (qsizetype i = 0; i + 1 < records.size(); ++i) {
            for (qsizetype j = i + 1; j < records.size();) {
                AList& a = records[i];
                const AList b = records[j];
                if (HasEqualValues(a, b) && a.DayMask == b.DayMask)
                    a.MonthMask |= b.MonthMask;
                else if (HasEqualValues(a, b) && a.MonthMask == b.MonthMask)
                    a.DayMask |= b.DayMask;
                else {
                    ++j;
                    continue;
                }
                records.removeAt(j);
            }
        }
    } while (records.size() < before);
    return records;
}

// Records of two start times and two tariffs on few masks, so that equal
// values and shared masks abound; now and then as loaded data may have them:
// a stray high month bit, an empty mask, or the same record twice.
QList<AList> RandomRecords(QRandomGenerator& random)
{
    const quint8 days[] = {Days({1}), Days({2}), Days({1, 2}), Days({3}), Days({1, 3}), 0};
    const quint16 months[] = {Month(1), Month(2), Months(1, 2), Month(3), Months(1, 3), quint16(Month(1) | 0x1000), 0};
    QList<AList> records;
    for (int n = int(random.bounded(40)); n > 0; --n) {
        AList record = Zone(random.bounded(2) ? "06:00" : "22:00", quint8(random.bounded(2) + 1),
            days[random.bounded(int(std::size(days)))], months[random.bounded(int(std::size(months)))]);
        records << record;
        if (random.bounded(8) == 0)
            records << record;
    }
    return records;
}

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

    // The merge pairs only records of equal values, value by value; it must
    // join, keep and order exactly as the passes over the whole list do.
    void mergeAgreesWithPassesOverTheWholeList()
    {
        QRandomGenerator random(2024);
        for (int run = 0; run < 3000; ++run) {
            const QList<AList> records = RandomRecords(random);
            QList<AList> merged = records;
            MergeRecords(merged);
            QVERIFY2(Describe(merged) == Describe(MergedPairByPair(records)),
                qPrintable(QStringLiteral("run %1:\n%2").arg(run).arg(Describe(records).join('\n'))));
        }
    }

    // The largest schedule the meter takes: a day of 256 zones, one record
    // each, copied over a rectangle of cells. The copies made cell by cell
    // merge back into one record a zone for the whole rectangle, the zone
    // copied last in front.
    void crowdedDayCopiedOverARectangle_data()
    {
        QTest::addColumn<Cell>("current");
        QTest::addColumn<Cell>("corner");
        QTest::addColumn<quint8>("days");
        QTest::addColumn<quint16>("months");
        QTest::newRow("the whole year from (ЯНВ, ПН)") << Cell(1, 1) << Cell(12, 8) << quint8(0xFF) << Year;
        QTest::newRow("the whole year from (ДЕК, ПР)") << Cell(12, 8) << Cell(1, 1) << quint8(0xFF) << Year;
        QTest::newRow("up and left from the middle") << Cell(6, 4) << Cell(1, 1) << Days({1, 2, 3, 4}) << Months(1, 6);
        QTest::newRow("across the middle") << Cell(3, 5) << Cell(9, 2) << Days({2, 3, 4, 5}) << Months(3, 9);
    }
    void crowdedDayCopiedOverARectangle()
    {
        QFETCH(Cell, current);
        QFETCH(Cell, corner);
        QFETCH(quint8, days);
        QFETCH(quint16, months);
        QList<AList> day;
        QList<AList> expected;
        for (int k = 0; k < MeterRecordSlots; ++k) {
            const quint8 tariff = quint8(k % 8 + 1);
            const QString time = ZoneTimeText(k * 5);
            day << AList{time, tariff, 0, tariff, Days({current.y()}), Month(current.x())};
            expected.prepend(AList{time, tariff, 0, tariff, days, months});
        }
        QList<Cell> rectangle;
        for (int month = std::min(current.x(), corner.x()); month <= std::max(current.x(), corner.x()); ++month)
            for (int dayType = std::min(current.y(), corner.y()); dayType <= std::max(current.y(), corner.y()); ++dayType)
                rectangle << Cell(month, dayType);

        ScheduleModel model;
        Load(model, day, current, rectangle);
        QCOMPARE(model.EditDays(), MeterRecordSlots);
        QCOMPARE(Describe(model.WorkList()), Describe(expected));
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
