#pragma once
// The shared string table: every text cell refers to its string by index,
// one copy of each distinct string in the SST record (continued in CONTINUE
// records), and the EXTSST record that lets a reader find every eighth one.

#include "xls/biff_records.h"

#include <QHash>
#include <QStringList>

class SharedStrings {
public:
    // One more cell refers to the string; it is added on first use.
    void Add(const QString& text);
    // The index of a string added before.
    quint32 Index(const QString& text) const { return indexes_.value(text); }

    // SST, its CONTINUE records and EXTSST, written where `stream` ends.
    void WriteTo(RecordStream& stream) const;

private:
    QStringList strings_;
    QHash<QString, quint32> indexes_;
    quint32 references_ = 0;
};
