#include "schedule/schedule_bytes.h"

#include "protocol/wire_values.h"
#include "schedule/schedule_names.h"

namespace {

constexpr int FirstYear = 2000;
constexpr int LastHour = 23;
constexpr int LastMinute = 59;

// Whether a slot is in use: the day and the month must be in range,
// before anyone asks whether the date exists.
bool InRange(int day, int month)
{
    return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}

bool DayTypeInRange(int dayType)
{
    return dayType >= 1 && dayType <= DayTypeCount;
}

// The year has no range to catch a stray byte: any byte decodes to some
// year (0xFA to 2160), which no block or request could carry back.
bool IsBcd(char byte)
{
    return (quint8(byte) >> 4) <= 9 && (quint8(byte) & 0x0F) <= 9;
}

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The slot's date, or the text of a date that does not exist.
struct SlotDate {
    Transfer transfer;
    bool usable;
    QString impossible;
};

std::optional<SlotDate> ReadSlot(const QByteArray& slot)
{
    const int day = DecodeBcd(slot[0]);
    const int month = DecodeBcd(slot[1]);
    const int dayType = quint8(slot[3]);
    if (!InRange(day, month) || !DayTypeInRange(dayType) || !IsBcd(slot[2]))
        return std::nullopt;
    const int year = FirstYear + DecodeBcd(slot[2]);
    const QDate date(year, month, day);
    if (!date.isValid())
        return SlotDate{{}, false, DayMonthText(day, month) + QStringLiteral(".%1").arg(year)};
    return SlotDate{{date, dayType}, true, {}};
}

} // namespace

int DecodeBcd(char byte)
{
    const int value = quint8(byte);
    return (value >> 4) * 10 + (value & 0x0F);
}

QByteArray EncodeRecord(const AList& record)
{
    const int minutes = ZoneMinutes(record.Time);
    return Bytes({(record.Tariff - 1) + 16 * (record.LimitTariff - 1), Bcd(minutes / 60), Bcd(minutes % 60), record.Limit,
        record.DayMask, record.MonthMask & 0xFF, record.MonthMask >> 8});
}

std::variant<AList, QString> DecodeRecord(const QByteArray& bytes)
{
    const int hour = DecodeBcd(bytes[1]);
    const int minute = DecodeBcd(bytes[2]);
    if (hour > LastHour || minute > LastMinute)
        return QStringLiteral("Время %1:%2 не может быть началом тарифной зоны.").arg(TwoDigits(hour), TwoDigits(minute));
    AList record;
    record.Time = ZoneTimeText(hour * 60 + minute);
    record.Tariff = quint8((bytes[0] & 7) + 1);
    record.LimitTariff = quint8(((quint8(bytes[0]) >> 4) & 7) + 1);
    record.Limit = quint8(bytes[3]);
    record.DayMask = quint8(bytes[4]);
    record.MonthMask = quint16(quint8(bytes[5]) + 256 * quint8(bytes[6]));
    return record;
}

QByteArray EncodeHolidays(const QList<Holiday>& holidays)
{
    QByteArray block;
    for (const Holiday& holiday : holidays)
        block += Bytes({Bcd(holiday.Day), Bcd(holiday.Month)});
    block.resize(HolidayBlockSize, '\0');
    return block;
}

std::optional<Holiday> HolidayFromSlot(char day, char month)
{
    const Holiday holiday{DecodeBcd(month), DecodeBcd(day)};
    if (!InRange(holiday.Day, holiday.Month))
        return std::nullopt;
    return holiday;
}

QList<Holiday> DecodeHolidays(const QByteArray& block)
{
    QList<Holiday> holidays;
    for (int at = 0; at + HolidaySlotSize <= block.size(); at += HolidaySlotSize)
        if (const auto holiday = HolidayFromSlot(block[at], block[at + 1]))
            holidays.append(*holiday);
    return holidays;
}

QByteArray EncodeTransfers(const QList<Transfer>& transfers)
{
    QByteArray block;
    for (const Transfer& transfer : transfers) {
        const QDate& date = transfer.Date;
        block += Bytes({Bcd(date.day()), Bcd(date.month()), Bcd(date.year() - FirstYear), transfer.DayType});
    }
    block.resize(TransferBlockSize, '\0');
    return block;
}

std::optional<Transfer> TransferFromSlot(const QByteArray& slot)
{
    const auto read = ReadSlot(slot);
    if (!read || !read->usable)
        return std::nullopt;
    return read->transfer;
}

std::variant<QList<Transfer>, QString> DecodeTransfers(const QByteArray& block)
{
    QList<Transfer> transfers;
    for (int at = 0; at + TransferSlotSize <= block.size(); at += TransferSlotSize) {
        const auto read = ReadSlot(block.mid(at, TransferSlotSize));
        if (!read)
            continue;
        if (!read->usable)
            return QStringLiteral("Даты переноса %1 не существует.").arg(read->impossible);
        transfers.append(read->transfer);
    }
    return transfers;
}
