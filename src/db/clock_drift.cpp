#include "db/clock_drift.h"

#include "meter/value_formats.h"
#include "protocol/meter_calendar.h"

namespace {

// A drift over less than half a day says more about the reading than
// about the clock.
constexpr qint64 ShortestSpanMs = 12 * 3600 * 1000;
constexpr int ShownDigits = 5;
constexpr int ShownDecimals = 2;

} // namespace

void ClockDrift::Reset()
{
    lastProgrammed_ = {};
    driftSum_ = 0;
    driftCount_ = 0;
}

QString ClockDrift::ClockReading(const QDateTime& meterClock, const QDateTime& workstationNow)
{
    if (!lastProgrammed_.isValid())
        return {};
    const qint64 span = lastProgrammed_.msecsTo(workstationNow);
    if (span <= ShortestSpanMs)
        return {};
    driftSum_ += double(workstationNow.msecsTo(meterClock)) / double(span) * SecondsPerDay;
    ++driftCount_;
    return FixedText(driftSum_ / driftCount_, ShownDigits, ShownDecimals);
}
