#include "sim/meter_state.h"

#include "link/wire_values.h"

#include <utility>

namespace {
constexpr int SecondsPerDay = 86400;
constexpr int DayTariffFrom = 7;
constexpr int DayTariffUntil = 23;
constexpr quint8 AutomaticDstBit = 0x80;
constexpr quint8 ClockFaultBits = ClockFault::Other | ClockFault::Timer | ClockFault::NotSet;

// Day and month of each, in the order the meter keeps them.
constexpr std::pair<int, int> UsualHolidays[] = {
    {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {7, 1}, {23, 2}, {8, 3}, {1, 5}, {9, 5}, {12, 6}, {4, 11},
};

// Without a limit the tariff above it is the same one.
QByteArray ZoneFrom(int hour, int tariff)
{
    const int tariffs = (tariff - 1) | (tariff - 1) << 4;
    constexpr int EveryDayType = 0xFF;
    constexpr int JanuaryToAugust = 0xFF;
    constexpr int SeptemberToDecember = 0x0F;
    return Bytes({tariffs, Bcd(hour), Bcd(0), 0, EveryDayType, JanuaryToAugust, SeptemberToDecember});
}
} // namespace

MeterSchedule InServiceSchedule()
{
    MeterSchedule schedule;
    schedule.records[0] = ZoneFrom(DayTariffFrom, 1);
    schedule.records[1] = ZoneFrom(DayTariffUntil, 2);
    int slot = 0;
    for (const auto& [day, month] : UsualHolidays)
        schedule.holidays[slot++] = Bytes({Bcd(day), Bcd(month)});
    return schedule;
}

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
