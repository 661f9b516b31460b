// The tsc loader: any file the operator opens, however damaged, is either
// refused with a reason or becomes a schedule the station can show, save
// and load again to the very same bytes.

#include "fuzz_input.h"
#include "fuzz_support.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_document.h"
#include "schedule/schedule_files.h"
#include "schedule/tsc_file.h"

#include <QFile>

namespace {

// The line ends a tsc file puts after each of its parts.
QByteArray WithLineEnds(QByteArray bytes)
{
    constexpr qsizetype TransferEnd = HolidayBlockSize + 2 + TransferBlockSize;
    QList<qsizetype> ends{HolidayBlockSize, TransferEnd, TransferEnd + 3};
    for (qsizetype at = TscHeaderSize + RecordSize; at < bytes.size(); at += TscRecordLineSize)
        ends << at;
    for (const qsizetype at : ends) {
        bytes[at] = '\r';
        bytes[at + 1] = '\n';
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > MaxFuzzInputSize)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Written to a file, so the loader reads it as it reads the operator's.
    QFile file(ScratchPath(QStringLiteral("input.tsc")));
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    file.close();

    ScheduleDocument schedule;
    const QByteArray before = TscBytes(schedule.Content());
    const QString refusal = LoadTscFile(file.fileName(), schedule);
    // A refused file leaves the schedule as it was.
    Require(refusal.isEmpty() || TscBytes(schedule.Content()) == before);
    const auto parsed = ParseTsc(bytes);
    if (std::holds_alternative<QString>(parsed)) {
        Require(!refusal.isEmpty());
        return 0;
    }
    // Line ends are found by position; every other byte is kept.
    Require(TscBytes(std::get<TscContent>(parsed)) == WithLineEnds(bytes));
    if (!refusal.isEmpty())
        return 0;

    // What the schedule page shows of it.
    for (int month = 1; month <= MonthCount; ++month)
        for (int dayType = 1; dayType <= DayTypeCount; ++dayType)
            schedule.Model().Profile(month, dayType);

    const QByteArray saved = TscBytes(schedule.Content());
    ScheduleDocument reloaded;
    const auto reparsed = ParseTsc(saved);
    Require(std::holds_alternative<TscContent>(reparsed));
    Require(reloaded.Load(std::get<TscContent>(reparsed)).isEmpty());
    Require(TscBytes(reloaded.Content()) == saved);
    return 0;
}
