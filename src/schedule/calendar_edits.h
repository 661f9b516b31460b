#pragma once
// The rules of the holiday and transfer editors: which dates exist, where
// a new entry goes in a list kept in date order.

#include "schedule/schedule_calendar.h"

#include <QDate>
#include <QList>

// The largest day of a month that recurs every year: 29 for February.
int MonthDayBound(int month);
bool HolidayExists(const Holiday& holiday);
// In front of the first entry of the same date or later, else at the end.
qsizetype HolidayInsertIndex(const QList<Holiday>& holidays, const Holiday& holiday);
qsizetype TransferInsertIndex(const QList<Transfer>& transfers, const QDate& date);
// The transfer block keeps the year as two decimal digits after 2000.
QDate LatestTransferDate();
