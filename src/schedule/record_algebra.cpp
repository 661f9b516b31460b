#include "schedule/record_algebra.h"

#include <QHash>
#include <vector>

bool CutCell(AList& record, quint8 dayBit, quint16 monthBit, QList<AList>& front)
{
    const quint8 otherDays = record.DayMask ^ dayBit;
    const quint16 otherMonths = record.MonthMask ^ monthBit;
    if (otherDays == 0 && otherMonths == 0)
        return false;
    if (otherDays == 0) {
        record.MonthMask = otherMonths;
    } else if (otherMonths == 0) {
        record.DayMask = otherDays;
    } else {
        AList split = record;
        split.DayMask = otherDays;
        record.MonthMask = otherMonths;
        record.DayMask = dayBit;
        front.append(std::move(split));
    }
    return true;
}

void CutCellAt(QList<AList>& records, qsizetype index, quint8 dayBit, quint16 monthBit)
{
    QList<AList> front;
    if (!CutCell(records[index], dayBit, monthBit, front))
        records.removeAt(index);
    PutInFront(records, front);
}

// A list grows at its front without moving its records while it has room
// there, and makes room for many at once when it has none.
void PutInFront(QList<AList>& records, QList<AList>& front)
{
    for (AList& record : front)
        records.prepend(std::move(record));
}

namespace {

// A record as the merge sees it: its masks and its place in the list.
struct MergeMasks {
    qsizetype index;
    quint8 days;
    quint16 months;
};

// One pass over the records of one value, in list order: each record in
// turn takes in every later one that shares its day mask or its month mask,
// testing its masks as they grow. The records taken in are marked removed;
// false when it took in none.
bool MergePass(std::vector<MergeMasks>& group, std::vector<bool>& removed)
{
    const size_t before = group.size();
    for (size_t i = 0; i + 1 < group.size(); ++i) {
        MergeMasks& a = group[i];
        size_t kept = i + 1;
        for (size_t j = i + 1; j < group.size(); ++j) {
            const MergeMasks b = group[j];
            if (a.days == b.days) {
                a.months |= b.months;
            } else if (a.months == b.months) {
                a.days |= b.days;
            } else {
                group[kept++] = b;
                continue;
            }
            removed[b.index] = true;
        }
        group.resize(kept);
    }
    return group.size() < before;
}

} // namespace

// Records of different values never join, so the passes over the whole list
// come to passes over each value's records on their own: a pass that joins
// none changes nothing, and the list's passes go on only while some value's
// records still join. A profile copied to the whole year leaves tens of
// thousands of records to merge, but records of one value hold different
// cells, at most 96 of them: pairing only those keeps it to milliseconds.
void MergeRecords(QList<AList>& records)
{
    QHash<TZone, std::vector<MergeMasks>> groups;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const AList& record = std::as_const(records)[i];
        groups[ZoneOf(record)].push_back({i, record.DayMask, record.MonthMask});
    }

    std::vector<bool> removed(records.size(), false);
    bool anyJoined = false;
    for (std::vector<MergeMasks>& group : groups) {
        const size_t before = group.size();
        while (MergePass(group, removed)) {
        }
        if (group.size() == before)
            continue;
        anyJoined = true;
        for (const MergeMasks& kept : group) {
            records[kept.index].DayMask = kept.days;
            records[kept.index].MonthMask = kept.months;
        }
    }
    // Untouched, the list stays shared with the committed one.
    if (!anyJoined)
        return;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (removed[i])
            continue;
        if (kept != i)
            records[kept] = std::move(records[i]);
        ++kept;
    }
    records.resize(kept);
}
