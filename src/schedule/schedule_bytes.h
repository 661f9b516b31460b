#pragma once
// The byte forms in which a schedule leaves the station and comes back:
// the same in tsc files and in the meter's requests. Records are 7 bytes,
// the holiday list a block of 16 two-byte slots, the transfer list a block
// of 16 four-byte slots.

#include "protocol/schedule_slots.h"
#include "schedule/schedule_calendar.h"
#include "schedule/zone_record.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <variant>

// Tens from the high nibble, units from the low one, neither checked.
int DecodeBcd(char byte);

QByteArray EncodeRecord(const AList& record);
// The first 7 bytes as a record; the reason when its hour or minute cannot
// be a time of day.
std::variant<AList, QString> DecodeRecord(const QByteArray& bytes);

QByteArray EncodeHolidays(const QList<Holiday>& holidays);
// Slots whose day or month is out of range hold no holiday.
QList<Holiday> DecodeHolidays(const QByteArray& block);
std::optional<Holiday> HolidayFromSlot(char day, char month);

QByteArray EncodeTransfers(const QList<Transfer>& transfers);
// Slots whose day, month or day type is out of range, or whose year is not
// two decimal digits, hold no transfer; a date that does not exist
// (31 April) gives the reason instead of a list.
std::variant<QList<Transfer>, QString> DecodeTransfers(const QByteArray& block);
// One slot's four bytes; nothing when they hold no usable transfer, an
// impossible date included.
std::optional<Transfer> TransferFromSlot(const QByteArray& slot);
