#pragma once
// The meter's journal records as the journals' views show them: a yearly
// record (code 18) as a row of GridJournal, a consumption record (code 19)
// as a row of ListDiary. Pure functions of the response frame; a frame
// shorter than its length byte claims is never read past its end.

#include <QByteArray>
#include <QStringList>
#include <optional>

// GridJournal's row 0 and the month captions of its column 0 (row r is
// month r - 1, January first).
const QStringList& YearGridColumnCaptions();
const QStringList& YearGridMonthCaptions();

// The first version word whose yearly records carry the operating time.
constexpr quint16 OperatingTimeVersion = 0x0103;

struct YearJournalRow {
    int row = 0; // 1..12
    // From column 0 on: all 13 for a month with a record, the month caption
    // alone for one without.
    QStringList cells;
};

// The row a code-18 answer fills; nothing for a month index past December
// (whatever its length) or an answer too short to name a month.
std::optional<YearJournalRow> YearJournalRowOf(const QByteArray& response, quint16 versionWord);

// True for a full yearly record whose month index lies past December: the
// station notes it in the protocol.
bool HasInvalidMonth(const QByteArray& response);

// The row a code-19 answer adds (caption first, then the five values in
// ListDiary's column order); nothing for an answer without a record.
std::optional<QStringList> DiaryRowOf(const QByteArray& response);

// The index the answer echoes (byte 2), which is how far a read has come;
// nothing when the answer has no data at all.
std::optional<int> JournalIndexOf(const QByteArray& response);
