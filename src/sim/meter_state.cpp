#include "sim/meter_state.h"

namespace {
constexpr int SecondsPerDay = 86400;
constexpr int DayTariffFrom = 7;
constexpr int DayTariffUntil = 23;
constexpr quint8 AutomaticDstBit = 0x80;
constexpr quint8 ClockFaultBits = ClockFault::Other | ClockFault::Timer | ClockFault::NotSet;
} // namespace

int MeterState::TariffAt(qint64 meterSeconds) const
{
    if (tariffOverride)
        return *tariffOverride;
    const int hour = int(meterSeconds % SecondsPerDay / 3600);
    return hour >= DayTariffFrom && hour < DayTariffUntil ? 1 : 2;
}

quint8 MeterState::ClockStatus(qint64 meterSeconds) const
{
    quint8 status = quint8(TariffAt(meterSeconds) - 1) & 0x07;
    status |= clockFaults & ClockFaultBits;
    if (automaticDst)
        status |= AutomaticDstBit;
    return status;
}

qint64 NaiveSeconds(const QDateTime& localTime)
{
    static const QDate epoch(2000, 1, 1);
    return epoch.daysTo(localTime.date()) * SecondsPerDay
        + localTime.time().msecsSinceStartOfDay() / 1000;
}
