#include "sim/meter_state.h"

#include "protocol/meter_calendar.h"
#include "protocol/wire_values.h"

#include <cmath>
#include <utility>

namespace {
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

int DayNightTariff(qint64 meterSeconds)
{
    const int hour = int(meterSeconds % SecondsPerDay / 3600);
    return hour >= DayTariffFrom && hour < DayTariffUntil ? 1 : 2;
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

YearJournal InServiceYearJournal()
{
    constexpr int Year = 2024;
    constexpr quint32 OperatingAtYearStart = 2u * 365 * SecondsPerDay;
    const QDate yearStart(Year, 1, 1);
    YearJournal journal;
    double total = 8000.125;
    for (int month = 0; month < int(journal.size()); ++month) {
        const QDate monthEnd = QDate(Year, month + 1, 1).addMonths(1);
        // Winter months use more; the night tariff takes about a third.
        total += 260.0 + 15.5 * std::abs(6 - month);
        const QDateTime peakAt(QDate(Year, month + 1, 3 + month * 5 % 24), QTime(18, 15 + month, 0));
        journal[month] = YearJournalMonth{
            quint8(Bcd(Year % 100)),
            {total * 0.7, total * 0.3},
            PeakPower{qint32(NaiveSeconds(peakAt)), 2100u + 37u * quint32(month)},
            // Every month an hour without power.
            OperatingAtYearStart + quint32(yearStart.daysTo(monthEnd)) * SecondsPerDay - 3600u * quint32(month),
        };
    }
    return journal;
}

ConsumptionJournal InServiceConsumptionJournal()
{
    constexpr int Records = 220;
    constexpr int FirstIndex = 60;
    constexpr int Spacing = 36 * 3600;
    constexpr quint8 PowerOff = 255;
    constexpr quint8 DdmAboveBalance = 1;
    const qint64 start = NaiveSeconds(QDateTime(QDate(2024, 1, 2), QTime(0, 0)));
    ConsumptionJournal journal;
    for (int number = 1; number <= Records; ++number) {
        const qint64 stamp = start + qint64(number) * Spacing + number * 137 % 3600;
        const quint8 status = number % 29 == 0 ? PowerOff : number % 17 == 0 ? DdmAboveBalance : 0;
        journal[(FirstIndex - 1 + number) % journal.size()] = ConsumptionRecord{
            quint8(number),
            qint32(stamp),
            quint8(number % 11 == 0 ? 0 : DayNightTariff(stamp)),
            9000.5 + number * 4.25,
            status,
            2u * 365 * SecondsPerDay + quint32(number) * Spacing,
        };
    }
    return journal;
}

int MeterState::TariffAt(qint64 meterSeconds) const
{
    return tariffOverride ? *tariffOverride : DayNightTariff(meterSeconds);
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
    return MeterEpoch().daysTo(localTime.date()) * SecondsPerDay
        + localTime.time().msecsSinceStartOfDay() / 1000;
}
