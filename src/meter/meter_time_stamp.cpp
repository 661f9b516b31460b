#include "meter/meter_time_stamp.h"

#include "protocol/meter_calendar.h"

namespace {

constexpr int MsecsPerSecond = 1000;

} // namespace

qint64 MeterSeconds(const QDate& date, const QTime& time)
{
    return MeterEpoch().daysTo(date) * SecondsPerDay + time.msecsSinceStartOfDay() / MsecsPerSecond;
}

MeterCalendarTime MeterCalendar(qint64 seconds)
{
    // Floor division: a negative (signed) stamp lies before the epoch.
    qint64 days = seconds / SecondsPerDay;
    if (seconds % SecondsPerDay < 0)
        --days;
    const int secondOfDay = int(seconds - days * SecondsPerDay);
    return {MeterEpoch().addDays(days), QTime::fromMSecsSinceStartOfDay(secondOfDay * MsecsPerSecond)};
}
