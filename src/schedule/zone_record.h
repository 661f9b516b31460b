#pragma once
// One zone record of the tariff schedule and the bit arithmetic of the year
// map. A record covers a rectangle of the map: every day type of DayMask
// times every month of MonthMask.

#include <QString>
#include <QtGlobal>

inline constexpr int MonthCount = 12;
inline constexpr int DayTypeCount = 8;
inline constexpr quint16 AllMonths = 0x0FFF;

// The one-bit mask of a day type 1..8 or a month 1..12; nothing else turns
// them into bits, so the map and the stored masks cannot disagree.
constexpr quint16 GetMaska(int n)
{
    return quint16(1u << (n - 1));
}

// Time is kept as the five-character "HH:MM" text: it compares and sorts
// like the start time it stands for.
struct AList {
    QString Time;
    quint8 Tariff = 1;
    quint8 Limit = 0;
    quint8 LimitTariff = 1;
    quint8 DayMask = 0;
    quint16 MonthMask = 0;

    friend bool operator==(const AList&, const AList&) = default;
};

// One zone of a cell's profile: a record without its masks.
struct TZone {
    QString Time;
    quint8 Tariff = 1;
    quint8 Limit = 0;
    quint8 LimitTariff = 1;

    friend bool operator==(const TZone&, const TZone&) = default;
};

inline constexpr char MidnightTime[] = "00:00";

// "HH:MM" of a minute of the day 0..1439.
inline QString ZoneTimeText(int minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// The minute of the day of an "HH:MM" text.
inline int ZoneMinutes(const QString& time)
{
    return time.left(2).toInt() * 60 + time.mid(3, 2).toInt();
}

size_t qHash(const TZone& zone, size_t seed = 0);

TZone ZoneOf(const AList& record);
bool HasEqualValues(const AList& a, const AList& b);

// Only the twelve month bits count: loaded masks may carry stray high bits.
bool CoversBits(const AList& record, quint8 dayBit, quint16 monthBit);
bool Covers(const AList& record, int month, int dayType);
