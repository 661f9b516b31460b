#pragma once
// The tariff schedule the meter keeps: zone records, holidays, transfers and
// the limit coefficient, each slot exactly as the station wrote it.

#include "protocol/schedule_slots.h"

#include <QByteArray>
#include <array>

// What the meter reports as its schedule checksum once its zone records,
// holidays and transfers are all erased.
constexpr quint16 EmptyScheduleChecksum = 0xFFFF;

// The meter's tariff schedule as it keeps it: raw slots, an empty
// QByteArray marking a free slot.
struct MeterSchedule {
    std::array<QByteArray, MeterRecordSlots> records; // RecordSize bytes each: a zone record as written
    std::array<QByteArray, MaxHolidays> holidays;     // BCD day, BCD month
    std::array<QByteArray, MaxTransfers> transfers;   // BCD day, BCD month, BCD year-2000, day type
    quint8 limitCoefficient = 1;
    // 16-bit checksum the meter reports for its schedule.
    quint16 Checksum() const;
};
