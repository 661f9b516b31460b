#pragma once
// Edits of a record list that keep every record a rectangle of the year map.
// Records split off by an edit go to the front of the list, each in front of
// those put there before it.

#include "schedule/zone_record.h"

#include <QList>

// Cuts the cell (dayBit, monthBit) out of a record that covers it; false
// when nothing of the record is left. A rectangle that loses an inner cell
// is split: the record keeps the cell's day type in its other months, and
// the part with the other day types is appended to `front`, the records
// bound for the front of the list.
bool CutCell(AList& record, quint8 dayBit, quint16 monthBit, QList<AList>& front);

// Cuts the cell out of records[index], which covers it.
void CutCellAt(QList<AList>& records, qsizetype index, quint8 dayBit, quint16 monthBit);

// Puts `front` at the front of the list in the order they were bound there:
// the last of them first.
void PutInFront(QList<AList>& records, QList<AList>& front);

// Visits every record once, in list order: `visit(record, front)` may change
// the record, append records bound for the front of the list (which the walk
// does not visit) and returns false to drop the record. The list is rebuilt
// once, after the visits: dropping records one at a time from the middle of
// a list of a hundred thousand would move the rest of it every time.
template <typename Visit>
void WalkRecords(QList<AList>& records, Visit visit)
{
    QList<AList> front;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (!visit(records[i], front))
            continue;
        if (kept != i)
            records[kept] = std::move(records[i]);
        ++kept;
    }
    records.resize(kept);
    PutInFront(records, front);
}

// Joins records of equal values that share a day mask or a month mask,
// pass after pass while a pass joins any.
void MergeRecords(QList<AList>& records);
