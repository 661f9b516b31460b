#include "schedule/calendar_edits.h"

int MonthDayBound(int month)
{
    switch (month) {
    case 2:
        return 29;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

bool HolidayExists(const Holiday& holiday)
{
    return holiday.Month >= 1 && holiday.Month <= 12 && holiday.Day >= 1 && holiday.Day <= MonthDayBound(holiday.Month);
}

qsizetype HolidayInsertIndex(const QList<Holiday>& holidays, const Holiday& holiday)
{
    for (qsizetype i = 0; i < holidays.size(); ++i) {
        const Holiday& row = holidays[i];
        if (row.Month < holiday.Month)
            continue;
        if (row.Month > holiday.Month || row.Day >= holiday.Day)
            return i;
    }
    return holidays.size();
}

qsizetype TransferInsertIndex(const QList<Transfer>& transfers, const QDate& date)
{
    for (qsizetype i = 0; i < transfers.size(); ++i)
        if (!(date > transfers[i].Date))
            return i;
    return transfers.size();
}

QDate LatestTransferDate()
{
    return QDate(2099, 12, 31);
}
