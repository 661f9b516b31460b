#include "meter/meter_time_stamp.h"

namespace {

constexpr qint64 SecondsPerDay = 86400;
constexpr int MsecsPerSecond = 1000;

} // namespace

qint64 MeterSeconds(const QDate& date, const QTime& time)
{
    static const QDate epoch(2000, 1, 1);
    return epoch.daysTo(date) * SecondsPerDay + time.msecsSinceStartOfDay() / MsecsPerSecond;
}

MeterCalendarTime MeterCalendar(qint64 seconds)
{
    static const QDate epoch(2000, 1, 1);
    // Floor division: a negative (signed) stamp lies before the epoch.
    qint64 days = seconds / SecondsPerDay;
    if (seconds % SecondsPerDay < 0)
        --days;
    const int secondOfDay = int(seconds - days * SecondsPerDay);
    return {epoch.addDays(days), QTime::fromMSecsSinceStartOfDay(secondOfDay * MsecsPerSecond)};
}
