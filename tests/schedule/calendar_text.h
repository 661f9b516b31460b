#pragma once
// Holidays and transfers as text lines, so a failed comparison shows the
// dates where two lists differ instead of "not equal".

#include "schedule/schedule_calendar.h"

#include <QList>
#include <QStringList>

inline QStringList Describe(const QList<Holiday>& holidays)
{
    QStringList lines;
    for (const Holiday& h : holidays)
        lines << QStringLiteral("%1.%2").arg(h.Day, 2, 10, QLatin1Char('0')).arg(h.Month, 2, 10, QLatin1Char('0'));
    return lines;
}

inline QStringList Describe(const QList<Transfer>& transfers)
{
    QStringList lines;
    for (const Transfer& t : transfers)
        lines << t.Date.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" as day type %1").arg(t.DayType);
    return lines;
}
