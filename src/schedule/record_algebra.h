#pragma once
// Edits of a record list that keep every record a rectangle of the year map.
// Callers walk the list by index, so each edit says how it moved the list.

#include "schedule/zone_record.h"

#include <QList>

enum class ListChange {
    InPlace,         // the record at the index stays there, changed or not
    Removed,         // the record at the index is gone; the next one took its place
    InsertedAtFront, // a record was inserted at 0; the edited one moved one up
};

// Removes the cell (dayBit, monthBit), which records[index] covers, from that
// record. A rectangle that loses an inner cell is split: the part with the
// other day types is inserted at the front, the record keeps the cell's day
// type in its other months.
ListChange CutCell(QList<AList>& records, qsizetype index, quint8 dayBit, quint16 monthBit);

// Joins records of equal values that share a day mask or a month mask,
// pass after pass while a pass joins any.
void MergeRecords(QList<AList>& records);

// How far an index walk steps over the record it has just handled.
qsizetype IndexStep(ListChange change);
