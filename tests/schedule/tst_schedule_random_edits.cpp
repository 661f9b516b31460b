// Long random runs of zone edits and profile copies from a fixed seed: after
// every copy each acted-on cell holds exactly the current cell's profile,
// every other cell but the current one keeps its profile, no record is left
// covering nothing, and no cell has two zones starting at the same time.
// And the records themselves, in the bytes a file or a meter gets, stay
// those the edits have always made.

#include "schedule/schedule_bytes.h"
#include "schedule_records.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <optional>
#include <QSet>
#include <QtTest>

namespace {

constexpr quint32 Seed = 742341;
constexpr int Runs = 20;
constexpr int Steps = 300;

// Few start times, so that edits keep meeting records of other cells.
const QStringList Times = {"00:00", "06:00", "07:30", "12:00", "22:00"};

class RandomEditor {
public:
    explicit RandomEditor(quint32 seed)
        : random_(seed)
    {
    }

    // One operator action; returns its description for failure messages.
    QString Step(ScheduleModel& model)
    {
        switch (random_.bounded(4)) {
        case 0:
            return Copy(model);
        case 1:
            return InsertFree(model);
        case 2:
            return UpdateOne(model);
        default:
            return DeleteOne(model);
        }
    }

private:
    int Between(int low, int high) { return low + int(random_.bounded(high - low + 1)); }

    // Half the cells are taken from the current row or column, where
    // records stretch instead of being copied.
    Cell RandomCell(Cell current)
    {
        switch (random_.bounded(4)) {
        case 0:
            return {current.x(), Between(1, DayTypeCount)};
        case 1:
            return {Between(1, MonthCount), current.y()};
        default:
            return {Between(1, MonthCount), Between(1, DayTypeCount)};
        }
    }

    QString Copy(ScheduleModel& model)
    {
        // Drawn one by one: the order of a call's arguments is the
        // compiler's own, and the fingerprint below needs the same edits
        // from every compiler.
        const int dayType = Between(1, DayTypeCount);
        const int month = Between(1, MonthCount);
        const Cell current(month, dayType);
        QList<Cell> selected{current};
        for (int n = Between(0, 6); n > 0; --n)
            selected << RandomCell(current);
        model.SetCurrentCell(current.x(), current.y());
        model.SetDaysSelected(Selection(selected));
        model.EquivalentDays();
        model.EditDays();
        return QStringLiteral("copy (%1, %2) to %3 cells").arg(current.x()).arg(current.y()).arg(selected.size());
    }

    TZone RandomValues(const QString& time)
    {
        const quint8 tariff = quint8(Between(1, 3));
        if (random_.bounded(3) == 0)
            return {time, tariff, quint8(Between(1, 2)), quint8(tariff % 3 + 1)};
        return {time, tariff, 0, tariff};
    }

    QString InsertFree(ScheduleModel& model)
    {
        QStringList free = Times;
        for (const TZone& z : model.Profile(model.CurMonth(), model.CurDay()))
            free.removeAll(z.Time);
        if (free.isEmpty())
            return QStringLiteral("no free time");
        const TZone z = RandomValues(free[Between(0, int(free.size()) - 1)]);
        model.InsertTZone(z.Time, z.Tariff, z.Limit, z.LimitTariff);
        Expect(model, z.Time, z);
        return QStringLiteral("insert %1").arg(z.Time);
    }

    QString UpdateOne(ScheduleModel& model)
    {
        const QList<TZone> profile = model.Profile(model.CurMonth(), model.CurDay());
        if (profile.isEmpty())
            return QStringLiteral("nothing to update");
        const TZone z = RandomValues(profile[Between(0, int(profile.size()) - 1)].Time);
        model.UpdateTZone(z.Time, z.Tariff, z.Limit, z.LimitTariff);
        Expect(model, z.Time, z);
        return QStringLiteral("update %1").arg(z.Time);
    }

    QString DeleteOne(ScheduleModel& model)
    {
        const QList<TZone> profile = model.Profile(model.CurMonth(), model.CurDay());
        if (profile.isEmpty())
            return QStringLiteral("nothing to delete");
        const QString time = profile[Between(0, int(profile.size()) - 1)].Time;
        model.DeleteTZone(time);
        Expect(model, time, std::nullopt);
        return QStringLiteral("delete %1").arg(time);
    }

    // The current cell's zone at the time after an edit, if any.
    static void Expect(const ScheduleModel& model, const QString& time, std::optional<TZone> zone)
    {
        std::optional<TZone> found;
        for (const TZone& z : model.Profile(model.CurMonth(), model.CurDay()))
            if (z.Time == time)
                found = z;
        QVERIFY2(found == zone, qPrintable(QStringLiteral("current cell's zone at %1").arg(time)));
    }

    QRandomGenerator random_;
};

YearMap<QList<TZone>> Profiles(const ScheduleModel& model)
{
    YearMap<QList<TZone>> profiles;
    ForEachCell([&](int month, int dayType) { profiles(month, dayType) = model.Profile(month, dayType); });
    return profiles;
}

// Empty when the model keeps its promises, else what it broke.
QString Broken(const ScheduleModel& model, const YearMap<QList<TZone>>& before)
{
    const QList<TZone> current = model.Profile(model.CurMonth(), model.CurDay());
    QString broken;
    ForEachCell([&](int month, int dayType) {
        const QList<TZone> profile = model.Profile(month, dayType);
        const bool isCurrent = month == model.CurMonth() && dayType == model.CurDay();
        if (model.DaysChanged()(month, dayType) && profile != current)
            broken += QStringLiteral(" (%1, %2) differs from the current cell;").arg(month).arg(dayType);
        if (!model.DaysChanged()(month, dayType) && !isCurrent && profile != before(month, dayType))
            broken += QStringLiteral(" (%1, %2) was changed unasked;").arg(month).arg(dayType);
        QSet<QString> times;
        for (const TZone& z : profile)
            times.insert(z.Time);
        if (times.size() != profile.size())
            broken += QStringLiteral(" (%1, %2) has two zones at one time;").arg(month).arg(dayType);
    });
    for (const AList& r : model.WorkList()) {
        bool coversAny = false;
        ForEachCell([&](int month, int dayType) { coversAny = coversAny || Covers(r, month, dayType); });
        if (!coversAny)
            broken += QStringLiteral(" a %1 record covers no cell;").arg(r.Time);
    }
    return broken;
}

} // namespace

class TestScheduleRandomEdits : public QObject {
    Q_OBJECT
private slots:
    void editsKeepTheInvariants()
    {
        RandomEditor editor(Seed);
        for (int run = 0; run < Runs; ++run) {
            ScheduleModel model;
            for (int step = 0; step < Steps; ++step) {
                const YearMap<QList<TZone>> before = Profiles(model);
                const QString action = editor.Step(model);
                if (QTest::currentTestFailed())
                    QFAIL(qPrintable(QStringLiteral("run %1 step %2: %3").arg(run).arg(step).arg(action)));
                const QString broken = Broken(model, before);
                QVERIFY2(broken.isEmpty(),
                         qPrintable(QStringLiteral("run %1 step %2, %3:%4").arg(run).arg(step).arg(action, broken)));
            }
        }
    }

    // Every profile may come out right while the records that hold them are
    // split, copied, merged or ordered otherwise, and files and meters take
    // the records as they are. The fingerprint of the records after every
    // step of the runs above, as the edits have always made them.
    void editsMakeTheRecordsTheyAlwaysMade()
    {
        RandomEditor editor(Seed);
        QCryptographicHash fingerprint(QCryptographicHash::Sha1);
        for (int run = 0; run < Runs; ++run) {
            ScheduleModel model;
            for (int step = 0; step < Steps; ++step) {
                editor.Step(model);
                for (const AList& r : model.WorkList())
                    fingerprint.addData(EncodeRecord(r));
                fingerprint.addData("\r\n");
            }
        }
        QCOMPARE(fingerprint.result().toHex(), QByteArray("ccc9a65189b53120ac037f4120a83a09ed707d01"));
    }
};

QTEST_APPLESS_MAIN(TestScheduleRandomEdits)
#include "tst_schedule_random_edits.moc"
