#pragma once
// The tsc file: the holiday block, the transfer block, the limit
// coefficient and the zone records, each followed by CR LF. Records may
// themselves hold CR or LF bytes, so the file is read by fixed lengths.

#include "schedule/zone_record.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <variant>

struct TscContent {
    QByteArray holidayBlock;
    QByteArray transferBlock;
    quint8 limitCoefficient = 1;
    QList<QByteArray> records;
};

// A file without zone records.
inline constexpr int TscHeaderSize = 103;
// One zone record with its line end.
inline constexpr int TscRecordLineSize = 9;
inline constexpr int MinutesPerDay = 1440;
// Within a cell no two records start at the same minute, and every record
// covers some cell: no schedule has more records than cells times minutes.
inline constexpr qint64 TscMaxRecords = qint64(MonthCount) * DayTypeCount * MinutesPerDay;
inline constexpr qint64 TscMaxSize = TscHeaderSize + TscRecordLineSize * TscMaxRecords;

QByteArray TscBytes(const TscContent& content);
// The reason when the bytes cannot be a tsc file: too short, longer than
// the largest schedule, or ending in a part of a record.
std::variant<TscContent, QString> ParseTsc(const QByteArray& bytes);
