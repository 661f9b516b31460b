#pragma once
// The slots in which the meter keeps its tariff schedule, and their sizes
// on the wire: the same bytes fill tsc files.

// The meter numbers its zone records with one byte.
inline constexpr int MeterRecordSlots = 256;
inline constexpr int RecordSize = 7;
inline constexpr int MaxHolidays = 16;
inline constexpr int MaxTransfers = 16;
inline constexpr int HolidaySlotSize = 2;
inline constexpr int TransferSlotSize = 4;
inline constexpr int HolidayBlockSize = MaxHolidays * HolidaySlotSize;
inline constexpr int TransferBlockSize = MaxTransfers * TransferSlotSize;
