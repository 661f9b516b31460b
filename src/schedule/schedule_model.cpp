#include "schedule/schedule_model.h"

#include "schedule/record_algebra.h"

#include <QHash>
#include <algorithm>

ScheduleModel::ScheduleModel()
    : holidays_(DefaultHolidays())
{
    daysSelected_(1, 1) = true;
}

void ScheduleModel::SetSavedList(const QList<AList>& records)
{
    savedList_ = records;
}

void ScheduleModel::SetCurrentCell(int month, int dayType)
{
    curMonth_ = month;
    curDay_ = dayType;
}

void ScheduleModel::SetDaysSelected(const YearMap<bool>& selected)
{
    daysSelected_ = selected;
}

QList<TZone> ScheduleModel::Profile(int month, int dayType) const
{
    QList<TZone> zones;
    for (const AList& record : workList_)
        if (Covers(record, month, dayType))
            zones.append(ZoneOf(record));
    std::stable_sort(zones.begin(), zones.end(), [](const TZone& a, const TZone& b) { return a.Time < b.Time; });
    return zones;
}

void ScheduleModel::EmptyDays()
{
    daysEmpty_.Fill(true);
    daysNoMidnight_.Fill(true);
    for (const AList& record : workList_) {
        const bool midnight = record.Time == QLatin1String(MidnightTime);
        ForEachCoveredCell(record, [&](int month, int dayType) {
            daysEmpty_(month, dayType) = false;
            if (midnight)
                daysNoMidnight_(month, dayType) = false;
        });
    }
}

void ScheduleModel::EquivalentDays()
{
    EmptyDays();
    if (daysEmpty_(curMonth_, curDay_))
        daysEquivalent_ = daysEmpty_;
    else
        FillEquivalentByCounting();

    bool anyChanged = false;
    ForEachCell([&](int month, int dayType) {
        const bool changed = daysSelected_(month, dayType) && !daysEquivalent_(month, dayType);
        daysChanged_(month, dayType) = changed;
        anyChanged = anyChanged || changed;
    });
    if (anyChanged)
        changesPending_ = true;
}

// A cell matches the current one when, counted over all pairs of a current
// zone and a record, it meets as many equal and as many unequal records.
// The pairs are counted by groups of equal values, so the list is walked
// twice, not once per current zone: a record pairs equal with every current
// zone of its values and unequal with the rest.
void ScheduleModel::FillEquivalentByCounting()
{
    QHash<TZone, qint64> currentZones;
    qint64 currentCount = 0;
    for (const AList& record : workList_) {
        if (Covers(record, curMonth_, curDay_)) {
            ++currentZones[ZoneOf(record)];
            ++currentCount;
        }
    }
    // A file may hold a hundred thousand records on one cell: their pairs
    // outnumber an int.
    YearMap<qint64> same(0);
    YearMap<qint64> other(0);
    for (const AList& record : workList_) {
        const qint64 equal = currentZones.value(ZoneOf(record));
        ForEachCoveredCell(record, [&](int month, int dayType) {
            same(month, dayType) += equal;
            other(month, dayType) += currentCount - equal;
        });
    }
    ForEachCell([&](int month, int dayType) {
        daysEquivalent_(month, dayType) = same(month, dayType) == same(curMonth_, curDay_)
            && other(month, dayType) == other(curMonth_, curDay_);
    });
}

void ScheduleModel::InsertTZone(const QString& time, quint8 tariff, quint8 limit, quint8 limitTariff)
{
    const AList zone{time, tariff, limit, limitTariff, D0(), M0()};
    const auto grows = std::find_if(workList_.begin(), workList_.end(), [&](const AList& r) {
        return HasEqualValues(r, zone) && (r.DayMask == zone.DayMask || r.MonthMask == zone.MonthMask);
    });
    if (grows != workList_.end()) {
        grows->DayMask |= zone.DayMask;
        grows->MonthMask |= zone.MonthMask;
    } else {
        workList_.append(zone);
    }
    CarryOverToSelection();
}

void ScheduleModel::UpdateTZone(const QString& time, quint8 tariff, quint8 limit, quint8 limitTariff)
{
    const qsizetype index = FirstCoveringCurrent(time);
    if (index >= 0) {
        AList& record = workList_[index];
        if (record.DayMask == D0() && record.MonthMask == M0()) {
            record.Tariff = tariff;
            record.Limit = limit;
            record.LimitTariff = limitTariff;
        } else {
            CutCellAt(workList_, index, D0(), M0());
            workList_.append({time, tariff, limit, limitTariff, D0(), M0()});
        }
    } else {
        workList_.append({time, tariff, limit, limitTariff, D0(), M0()});
    }
    CarryOverToSelection();
}

void ScheduleModel::DeleteTZone(const QString& time)
{
    const qsizetype index = FirstCoveringCurrent(time);
    if (index >= 0)
        CutCellAt(workList_, index, D0(), M0());
    CarryOverToSelection();
}

qsizetype ScheduleModel::FirstCoveringCurrent(const QString& time) const
{
    for (qsizetype i = 0; i < workList_.size(); ++i)
        if (workList_[i].Time == time && CoversBits(workList_[i], D0(), M0()))
            return i;
    return -1;
}

// Re-evaluated after the current cell changed, every selected cell that no
// longer matches it is marked, so the edit reaches the whole selection.
void ScheduleModel::CarryOverToSelection()
{
    EquivalentDays();
    daysChanged_(curMonth_, curDay_) = true;
    changesPending_ = true;
    EditDays();
}

int ScheduleModel::EditDays()
{
    const bool currentEmpty = daysEmpty_(curMonth_, curDay_);
    ForEachCell([&](int month, int dayType) {
        if (!daysChanged_(month, dayType))
            return;
        if (currentEmpty)
            EmptyCell(month, dayType);
        else if (month != curMonth_ || dayType != curDay_)
            CopyCurrentProfileTo(month, dayType);
    });
    ForEachCell([&](int month, int dayType) {
        if (!daysSelected_(month, dayType))
            return;
        daysNoMidnight_(month, dayType) = daysNoMidnight_(curMonth_, curDay_);
        daysEmpty_(month, dayType) = daysEmpty_(curMonth_, curDay_);
    });
    MergeRecords(workList_);
    return int(workList_.size());
}

void ScheduleModel::EmptyCell(int month, int dayType)
{
    const quint8 dc = quint8(GetMaska(dayType));
    const quint16 mc = GetMaska(month);
    WalkRecords(workList_, [&](AList& record, QList<AList>& front) {
        return !CoversBits(record, dc, mc) || CutCell(record, dc, mc, front);
    });
}

// Records of the current cell are stretched along the current row or column
// when they can stay rectangles, otherwise copied for the cell alone; records
// of the cell that the current cell lacks are cut away.
void ScheduleModel::CopyCurrentProfileTo(int month, int dayType)
{
    const quint8 dc = quint8(GetMaska(dayType));
    const quint16 mc = GetMaska(month);
    WalkRecords(workList_, [&](AList& record, QList<AList>& front) {
        if (!CoversBits(record, D0(), M0()))
            return !CoversBits(record, dc, mc) || CutCell(record, dc, mc, front);
        const bool singleDay = (record.DayMask ^ D0()) == 0;
        const bool singleMonth = (record.MonthMask ^ M0()) == 0;
        if (singleDay && dc == D0()) {
            record.MonthMask |= mc;
        } else if (singleMonth && mc == M0()) {
            record.DayMask |= dc;
        } else if (!CoversBits(record, dc, mc)) {
            AList copy = record;
            copy.DayMask = dc;
            copy.MonthMask = mc;
            front.append(std::move(copy));
        }
        return true;
    });
}

void ScheduleModel::Commit()
{
    changesPending_ = false;
    savedList_ = workList_;
    EquivalentDays();
}

void ScheduleModel::Revert()
{
    daysSelected_.Fill(false);
    daysSelected_(curMonth_, curDay_) = true;
    changesPending_ = false;
    workList_ = savedList_;
    EquivalentDays();
}

void ScheduleModel::SetHolidays(const QList<Holiday>& holidays)
{
    holidays_ = holidays.first(std::min<qsizetype>(holidays.size(), MaxHolidays));
}

void ScheduleModel::SetTransfers(const QList<Transfer>& transfers)
{
    transfers_ = transfers.first(std::min<qsizetype>(transfers.size(), MaxTransfers));
}

void ScheduleModel::SetLimitCoefficient(int coefficient)
{
    limitCoefficient_ = std::clamp(coefficient, MinLimitCoefficient, MaxLimitCoefficient);
}
