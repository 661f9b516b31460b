// The holiday and transfer blocks as the meter and tsc files hand them
// over, the slots of the meter's holiday and transfer answers, and the
// calendar editors working on whatever came in: the lists stay within the
// meter's sixteen slots and travel to a block and back unchanged.
//
// Input: a holiday block and a transfer block (cut or padded to size),
// then edits, each an edit byte and its arguments.

#include "fuzz_input.h"
#include "fuzz_support.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_document.h"

namespace {

enum Edit : quint8 {
    HolidayAnswer,
    TransferAnswer,
    InsertHoliday,
    InsertTransfer,
    RemoveHolidays,
    RemoveTransfers,
    EditCount,
};

QByteArray Block(FuzzInput& input, int size)
{
    QByteArray block = input.Bytes(size);
    block.resize(size, '\0');
    return block;
}

void Apply(ScheduleDocument& schedule, FuzzInput& input)
{
    switch (Edit(input.Byte() % EditCount)) {
    case HolidayAnswer: {
        const char day = char(input.Byte());
        if (const auto holiday = HolidayFromSlot(day, char(input.Byte())))
            schedule.AddHoliday(*holiday);
        break;
    }
    case TransferAnswer:
        if (const auto transfer = TransferFromSlot(Block(input, TransferSlotSize)))
            schedule.AddTransfer(*transfer);
        break;
    case InsertHoliday: {
        const int month = input.Byte();
        schedule.InsertHoliday({month, input.Byte()});
        break;
    }
    case InsertTransfer: {
        const int year = 2000 + input.Byte();
        const int month = input.Byte();
        const int day = input.Byte();
        schedule.InsertTransfer({QDate(year, month, day), input.Byte()});
        break;
    }
    case RemoveHolidays:
        schedule.RemoveHolidays({input.Byte() % (MaxHolidays + 1)});
        break;
    case RemoveTransfers:
        schedule.RemoveTransfers({input.Byte() % (MaxTransfers + 1)});
        break;
    case EditCount:
        break;
    }
}

// The lists fit the meter, and their blocks give them back unchanged.
void CheckCalendar(ScheduleDocument& schedule)
{
    const QList<Holiday> holidays = schedule.Model().Holidays();
    const QList<Transfer> transfers = schedule.Model().Transfers();
    Require(holidays.size() <= MaxHolidays && transfers.size() <= MaxTransfers);
    const QByteArray holidayBlock = schedule.GetCelString();
    const QByteArray transferBlock = schedule.GetTransferString();
    Require(holidayBlock.size() == HolidayBlockSize && transferBlock.size() == TransferBlockSize);
    Require(DecodeHolidays(holidayBlock) == holidays);
    const auto decoded = DecodeTransfers(transferBlock);
    Require(std::holds_alternative<QList<Transfer>>(decoded) && std::get<QList<Transfer>>(decoded) == transfers);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > MaxFuzzInputSize)
        return 0;
    FuzzInput input(data, size);
    const QByteArray holidayBlock = Block(input, HolidayBlockSize);
    const QByteArray transferBlock = Block(input, TransferBlockSize);

    // A block read from a file gives the calendar that its slots, read
    // from the meter one answer each, give.
    QList<Holiday> slotHolidays;
    for (int at = 0; at < HolidayBlockSize; at += HolidaySlotSize)
        if (const auto holiday = HolidayFromSlot(holidayBlock[at], holidayBlock[at + 1]))
            slotHolidays << *holiday;
    ScheduleDocument schedule;
    schedule.SetCelString(holidayBlock);
    Require(schedule.Model().Holidays() == slotHolidays);
    const QString refusal = schedule.SetTransferString(transferBlock);
    QList<Transfer> slotTransfers;
    for (int at = 0; at < TransferBlockSize; at += TransferSlotSize)
        if (const auto transfer = TransferFromSlot(transferBlock.mid(at, TransferSlotSize)))
            slotTransfers << *transfer;
    // A block is refused whole for an impossible date, which no slot yields.
    Require(refusal.isEmpty() ? schedule.Model().Transfers() == slotTransfers : schedule.Model().Transfers().isEmpty());
    CheckCalendar(schedule);

    while (!input.AtEnd()) {
        Apply(schedule, input);
        CheckCalendar(schedule);
    }
    return 0;
}
