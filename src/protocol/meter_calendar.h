#pragma once
// The meter's calendar: its stamps count seconds from 2000-01-01 00:00:00
// and it keeps no time zone, so every day of it has the same seconds.

#include <QDate>

inline constexpr int SecondsPerDay = 86400;

// The day the meter's count of seconds starts, at midnight.
inline QDate MeterEpoch()
{
    return QDate(2000, 1, 1);
}
