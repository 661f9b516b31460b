#pragma once
// The meter counts seconds from 2000-01-01 00:00:00 on the calendar as the
// workstation shows it: it keeps no time zone, so a daylight-saving change
// of the workstation does not shift the count.

#include <QDate>
#include <QString>
#include <QTime>

// Whole seconds from 2000-01-01 00:00:00 to the date at the time of day;
// negative before it.
qint64 MeterSeconds(const QDate& date, const QTime& time);

// The date and time in the workstation's short date and long time format,
// the text the meter's own dates are shown with.
QString WorkstationDateTimeText(const QDate& date, const QTime& time);
