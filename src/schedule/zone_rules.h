#pragma once
// The rules of the day-profile editor's zone fields.

#include <QString>

inline constexpr int LastMinuteOfDay = 23 * 60 + 59;

// A zone without a power limit keeps one tariff; a zone with a limit
// switches to another tariff when the limit is exceeded.
constexpr bool ZoneAcceptable(int tariff, int limitTariff, int limit)
{
    return tariff == limitTariff ? limit == 0 : limit != 0;
}

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
