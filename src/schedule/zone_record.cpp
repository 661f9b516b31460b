#include "schedule/zone_record.h"

#include <QHashFunctions>

size_t qHash(const TZone& zone, size_t seed)
{
    return qHashMulti(seed, zone.Time, zone.Tariff, zone.Limit, zone.LimitTariff);
}

TZone ZoneOf(const AList& record)
{
    return {record.Time, record.Tariff, record.Limit, record.LimitTariff};
}

bool HasEqualValues(const AList& a, const AList& b)
{
    return ZoneOf(a) == ZoneOf(b);
}

bool CoversBits(const AList& record, quint8 dayBit, quint16 monthBit)
{
    return (record.DayMask & dayBit) != 0 && (record.MonthMask & monthBit & AllMonths) != 0;
}

bool Covers(const AList& record, int month, int dayType)
{
    return CoversBits(record, quint8(GetMaska(dayType)), GetMaska(month));
}
