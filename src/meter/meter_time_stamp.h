#pragma once
// The meter counts seconds from 2000-01-01 00:00:00 on the calendar as the
// workstation shows it: it keeps no time zone, so a daylight-saving change
// of the workstation does not shift the count.

#include <QDate>
#include <QTime>

// Whole seconds from 2000-01-01 00:00:00 to the date at the time of day;
// negative before it.
qint64 MeterSeconds(const QDate& date, const QTime& time);

struct MeterCalendarTime {
    QDate date;
    QTime time;
};
// The calendar date and time of a count of seconds; a negative count lies
// before 2000-01-01.
MeterCalendarTime MeterCalendar(qint64 seconds);
