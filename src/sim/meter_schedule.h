#pragma once
// The tariff schedule the meter keeps: zone records, holidays, transfers and
// the limit coefficient, each slot exactly as the station wrote it.

#include <QByteArray>
#include <array>

// Bytes of one slot as written and read: a zone record (tariffs, BCD hour
// and minute, limit, day-type mask, two month-mask bytes), a holiday (BCD
// day, month) and a transfer (BCD day, month, year-2000, day type).
constexpr int ZoneRecordSize = 7;
constexpr int HolidaySize = 2;
constexpr int TransferSize = 4;

// What the meter reports as its schedule checksum once its zone records,
// holidays and transfers are all erased.
constexpr quint16 EmptyScheduleChecksum = 0xFFFF;

// The meter's tariff schedule as it keeps it: raw slots, an empty
// QByteArray marking a free slot.
struct MeterSchedule {
    std::array<QByteArray, 256> records;   // 7 bytes each: a zone record as written
    std::array<QByteArray, 16> holidays;   // 2 bytes each: BCD day, BCD month
    std::array<QByteArray, 16> transfers;  // 4 bytes each: BCD day, BCD month, BCD year-2000, day type
    quint8 limitCoefficient = 1;
    // 16-bit checksum the meter reports for its schedule.
    quint16 Checksum() const;
};
