#include "schedule/record_algebra.h"

ListChange CutCell(QList<AList>& records, qsizetype index, quint8 dayBit, quint16 monthBit)
{
    AList& record = records[index];
    const quint8 otherDays = record.DayMask ^ dayBit;
    const quint16 otherMonths = record.MonthMask ^ monthBit;
    if (otherDays == 0 && otherMonths == 0) {
        records.removeAt(index);
        return ListChange::Removed;
    }
    if (otherDays == 0) {
        record.MonthMask = otherMonths;
        return ListChange::InPlace;
    }
    if (otherMonths == 0) {
        record.DayMask = otherDays;
        return ListChange::InPlace;
    }
    AList split = record;
    split.DayMask = otherDays;
    record.MonthMask = otherMonths;
    record.DayMask = dayBit;
    records.insert(0, split);
    return ListChange::InsertedAtFront;
}

namespace {

// One pass; true when it joined at least one pair.
bool MergePass(QList<AList>& records)
{
    const qsizetype before = records.size();
    for (qsizetype i = 0; i < records.size() - 1; ++i) {
        qsizetype j = i + 1;
        while (j < records.size()) {
            AList& a = records[i];
            const AList b = records[j];
            if (HasEqualValues(a, b) && a.DayMask == b.DayMask) {
                a.MonthMask |= b.MonthMask;
                records.removeAt(j);
            } else if (HasEqualValues(a, b) && a.MonthMask == b.MonthMask) {
                a.DayMask |= b.DayMask;
                records.removeAt(j);
            } else {
                ++j;
            }
        }
    }
    return records.size() < before;
}

} // namespace

void MergeRecords(QList<AList>& records)
{
    while (MergePass(records)) {
    }
}

qsizetype IndexStep(ListChange change)
{
    switch (change) {
    case ListChange::Removed:
        return 0;
    case ListChange::InsertedAtFront:
        return 2;
    case ListChange::InPlace:
        break;
    }
    return 1;
}
