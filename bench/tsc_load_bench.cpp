// Loading tsc files of 1 000, 10 000 and 100 000 zone records through the
// station's own load command, the one the window runs. Prints each load's
// time and its time per record beside the smallest file's, so a load that
// grows faster than its file shows at a glance. A figure, never a verdict:
// nothing here fails on a time.

#include "bench_dialogs.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_document.h"
#include "schedule/schedule_files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int RecordCounts[] = {1000, 10000, 100000};
constexpr int Repeats = 3;
constexpr int Cells = MonthCount * DayTypeCount;

// Record k starts at minute k / 96 of cell k % 96: a schedule as a file can
// hold it, every record a zone of its own.
TscContent Schedule(int recordCount)
{
    TscContent content;
    content.holidayBlock = EncodeHolidays(DefaultHolidays());
    content.transferBlock = EncodeTransfers({});
    for (int k = 0; k < recordCount; ++k) {
        const int cell = k % Cells;
        const int minute = k / Cells;
        const quint8 tariff = quint8(k % 8 + 1);
        const AList record{QStringLiteral("%1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10, QLatin1Char('0')),
            tariff, 0, tariff, quint8(GetMaska(cell % DayTypeCount + 1)), GetMaska(cell / DayTypeCount + 1)};
        content.records << EncodeRecord(record);
    }
    return content;
}

// The best of a few loads, each into a fresh schedule; negative when the
// file was refused.
double LoadSeconds(const QString& path)
{
    double best = -1;
    for (int run = 0; run < Repeats; ++run) {
        BenchDialogs dialogs;
        dialogs.openFile = path;
        ScheduleDocument schedule;
        ScheduleFiles files(schedule, dialogs);
        QElapsedTimer clock;
        clock.start();
        if (!files.ActionLoadTariffExecute())
            return -1;
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (best < 0 || seconds < best)
            best = seconds;
    }
    return best;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("tsc file load through the station's load command, best of %d\n", Repeats);
    std::printf("%10s %10s %12s %14s %22s\n", "records", "bytes", "load, ms", "per record, us", "per record / first");
    double firstPerRecord = 0;
    for (const int count : RecordCounts) {
        const QString path = dir.filePath(QStringLiteral("%1.tsc").arg(count));
        if (const QString reason = WriteTscFile(path, Schedule(count)); !reason.isEmpty()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(reason));
            return 1;
        }
        const double seconds = LoadSeconds(path);
        if (seconds < 0)
            return 1;
        const double perRecord = seconds / count;
        if (firstPerRecord == 0)
            firstPerRecord = perRecord;
        std::printf("%10d %10lld %12.2f %14.3f %22.2f\n", count, QFileInfo(path).size(), seconds * 1e3, perRecord * 1e6,
            perRecord / firstPerRecord);
    }
    return 0;
}
