// Saving onto a full disk, onto a disk with room for part of the file only,
// or into a read-only folder: the operation log, the short report, a tsc
// file and a journal's workbook each report the failed save with the
// station's message, and what was saved before stays as it was, byte for
// byte, with nothing half written left beside it. A pipe in the file's
// place is never replaced, and an entry the log cannot take reaches the
// operator through the station's general error display.

#include "small_disk.h"
#include "station_bench.h"

#include "journals/grid_export.h"
#include "journals/xls_template.h"
#include "meter/operation_log.h"
#include "meter/short_report.h"
#include "protocol/windows_1251.h"
#include "schedule/schedule_document.h"
#include "schedule/schedule_files.h"
#include "support/test_files.h"

#include <QFileInfo>
#include <QTime>
#include <QtTest>

#include <sys/stat.h>

namespace {

enum class Fault { NoRoom, RoomForPart, ReadOnly };

const QString Title = QStringLiteral("Счетчик № 104219, Журнал потребления");
const QString ExportWarning = QStringLiteral(
    "Внимание: Файл не может быть создан в указанной директории, или файл с таким именем сейчас открыт!");

void FaultRows()
{
    QTest::addColumn<Fault>("fault");
    QTest::newRow("disk full") << Fault::NoRoom;
    QTest::newRow("room for part of it") << Fault::RoomForPart;
    QTest::newRow("read-only folder") << Fault::ReadOnly;
}

// Brings the fault about once the earlier file is in place; `part` is the
// room left where there is room for part of the new file.
bool Provoke(SmallDisk& disk, Fault fault, qint64 part)
{
    switch (fault) {
    case Fault::NoRoom:
        return disk.LeaveFree(0);
    case Fault::RoomForPart:
        return disk.LeaveFree(part);
    case Fault::ReadOnly:
        return disk.MakeReadOnly();
    }
    return false;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Log entries taking exactly `size` bytes, each line ended by CR LF.
QByteArray EarlierEntries(qint64 size)
{
    const QByteArray line = ToWindows1251(QStringLiteral("000001[01.02.2024 9:00:00] Сброс показаний на РЧД\r\n"));
    QByteArray bytes;
    while (bytes.size() + 2 * line.size() <= size)
        bytes += line;
    // The last entry's text takes the rest.
    const QByteArray head = ToWindows1251(QStringLiteral("000002[01.02.2024 9:01:00] Пароль="));
    return bytes + head + QByteArray(size - bytes.size() - head.size() - 2, '7') + "\r\n";
}

// The message of the entry the log refuses; empty when it takes it.
QString AppendFailure(const OperationLog& log, const QString& text)
{
    try {
        log.Append(text);
    } catch (const OperationLogError& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

QStringList ReportLines(int count)
{
    QStringList lines;
    for (int n = 0; n < count; ++n)
        lines << QStringLiteral("Тариф %1 (текущие)\t%2,5").arg(n).arg(n * 1000);
    return lines;
}

// `count` zone records, one a minute from midnight, every day and month.
void FillSchedule(ScheduleDocument& schedule, int count)
{
    QList<AList> records;
    for (int k = 0; k < count; ++k)
        records << AList{QTime(0, 0).addSecs(60 * k).toString(QStringLiteral("hh:mm")), quint8(k % 8 + 1), 0,
            quint8(k % 8 + 1), 0xFF, AllMonths};
    schedule.Model().SetSavedList(records);
    schedule.Model().Revert();
}

// A consumption journal's table of `count` records.
TextGrid Journal(int count)
{
    TextGrid grid{{QStringList{"№", "Дата", "Время", "Потребление, кВт*ч", "Тариф"}}};
    for (int n = 1; n <= count; ++n)
        grid.rows << QStringList{QString::number(n), QStringLiteral("%1.03.2024").arg(n % 28 + 1, 2, 10, QLatin1Char('0')),
            QStringLiteral("%1:00").arg(n % 24), QStringLiteral("%1,%2").arg(n * 7).arg(n % 10), QString::number(n % 8 + 1)};
    return grid;
}

bool IsPipe(const QString& path)
{
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

} // namespace

Q_DECLARE_METATYPE(Fault)

// The cases that fill a disk or make it read-only skip where no small disk
// can be mounted.
#define NEED_SMALL_DISK(disk)                                                                                        \
    do {                                                                                                             \
        if (!(disk).Failure().isEmpty())                                                                             \
            QSKIP(qPrintable((disk).SkipText()));                                                                    \
    } while (false)

class TestFailedSaves : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    // The entry is refused whole: the log ends where it ended, and once the
    // fault is gone the next entry follows the earlier ones directly.
    void logKeepsItsEntries_data() { FaultRows(); }
    void logKeepsItsEntries()
    {
        QFETCH(Fault, fault);
        SmallDisk disk;
        NEED_SMALL_DISK(disk);
        const QString path = disk.Path(OperationLog::FileName);
        // Room for part of an entry: the earlier ones end a few bytes short
        // of a block, and the disk is full.
        const QByteArray earlier = EarlierEntries(fault == Fault::RoomForPart ? disk.Block() - 10 : disk.Block());
        QVERIFY(WriteFile(path, earlier));
        QVERIFY(Provoke(disk, fault, 0));

        const OperationLog log(path, [] { return QStringLiteral("104219"); });
        const QString message = AppendFailure(log, QStringLiteral("Номер=104219"));
        QVERIFY2(message.startsWith("Запись не добавлена в журнал операций " + path + ": "), qPrintable(message));
        QVERIFY2(message.contains("\nНе записано: 104219[") && message.endsWith("] Номер=104219"), qPrintable(message));
        QCOMPARE(FileBytes(path), earlier);

        QVERIFY(disk.Relieve());
        QCOMPARE(AppendFailure(log, QStringLiteral("Пароль=1")), QString());
        const QByteArray after = FileBytes(path);
        QVERIFY(after.startsWith(earlier));
        const QString added = FromWindows1251(after.mid(earlier.size()));
        QVERIFY2(added.startsWith("104219[") && added.endsWith("] Пароль=1\r\n") && added.count('\n') == 1,
            qPrintable(added));
    }

    // A log that is a full device: nothing of it to keep, the entry refused.
    void logOnAFullDevice()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("No /dev/full here.");
        const OperationLog log(QStringLiteral("/dev/full"), [] { return QStringLiteral("0"); });
        const QString message = AppendFailure(log, QStringLiteral("Номер=1"));
        QVERIFY2(message.startsWith("Запись не добавлена в журнал операций /dev/full: ") && message.endsWith("] Номер=1"),
            qPrintable(message));
    }

    // The meter took the writes, so the batch is written; each entry the
    // log refuses is shown as the station's error, none passes silently.
    void logFailureReachesTheOperator()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("No /dev/full here.");
        StationBench bench(QStringLiteral("/dev/full"));
        bench.Connect();
        bench.errors.clear();
        bench.StartSettingsWrite();
        QTRY_COMPARE_WITH_TIMEOUT(bench.finished.size(), 1, BenchTimeoutMs);
        QCOMPARE(bench.finished[0][1].value<BatchOutcome>(), BatchOutcome::Completed);
        QCOMPARE(bench.core.link.Indicator(), ResultIndicator::Green);
        QCOMPARE(bench.dialogs.messages, QStringList());

        QStringList lost;
        for (const QList<QVariant>& error : bench.errors) {
            const QString text = error[0].toString();
            QVERIFY2(text.startsWith(QStringLiteral("Запись не добавлена в журнал операций /dev/full: ")), qPrintable(text));
            lost << text.section(QStringLiteral("] "), 1);
        }
        QCOMPARE(lost.size(), 3);
        QVERIFY2(lost[0].startsWith(QStringLiteral("Время=")), qPrintable(lost[0]));
        QCOMPARE(lost[1], QStringLiteral("Номер=104219"));
        QCOMPARE(lost[2], QStringLiteral("Plc-группа=42, Plc-адрес=19"));
    }

    void shortReport_data() { FaultRows(); }
    void shortReport()
    {
        QFETCH(Fault, fault);
        SmallDisk disk;
        NEED_SMALL_DISK(disk);
        const QString path = disk.Path(QStringLiteral("report.txt"));
        QString error;
        QVERIFY(SaveShortReport(path, ReportLines(10), &error));
        const QByteArray earlier = FileBytes(path);
        const QStringList longer = ReportLines(400);
        QVERIFY(Provoke(disk, fault, disk.Block()));

        QVERIFY(!SaveShortReport(path, longer, &error));
        QVERIFY2(error.startsWith("Не удалось сохранить файл " + path + ": "), qPrintable(error));
        QCOMPARE(FileBytes(path), earlier);
        QCOMPARE(disk.Files(), QStringList{"report.txt"});
    }

    void tscFile_data() { FaultRows(); }
    void tscFile()
    {
        QFETCH(Fault, fault);
        SmallDisk disk;
        NEED_SMALL_DISK(disk);
        RecordingDialogs dialogs;
        dialogs.openMs = 0;
        ScheduleDocument schedule;
        ScheduleFiles files(schedule, dialogs);
        const QString path = disk.Path(QStringLiteral("year.tsc"));
        dialogs.saveFile = path;
        FillSchedule(schedule, 10);
        QVERIFY(files.ActionSaveTariffExecute());
        const QByteArray earlier = FileBytes(path);
        FillSchedule(schedule, 1000);
        QVERIFY(Provoke(disk, fault, disk.Block()));

        QVERIFY(!files.ActionSaveTariffExecute());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages[0].startsWith("Ошибка: Тарифное расписание не сохранено в файл " + path + ".\n"),
            qPrintable(dialogs.messages[0]));
        QCOMPARE(FileBytes(path), earlier);
        QCOMPARE(disk.Files(), QStringList{"year.tsc"});
    }

    void journalWorkbook_data() { FaultRows(); }
    void journalWorkbook()
    {
        QFETCH(Fault, fault);
        // Small enough for the writer to buffer it whole.
        const TextGrid journal = Journal(60);
        // The room the export needs: the temporary workbook first, then the
        // saved one beside it.
        QTemporaryDir scratch;
        const QString trial = scratch.filePath(QStringLiteral("trial.xls"));
        QCOMPARE(WriteGridWorkbook(journal, Title, trial), QString());
        SmallDisk disk;
        NEED_SMALL_DISK(disk);
        const qint64 part = (disk.Blocks(XlsTemplateBytes().size()) + disk.Blocks(QFileInfo(trial).size()) - 1) * disk.Block();

        RecordingDialogs dialogs;
        dialogs.openMs = 0;
        QStringList opened;
        const auto open = [&opened](const QString& path) { opened << path; };
        const QString path = disk.Path(QStringLiteral("journal.xls"));
        dialogs.saveFile = path;
        ExportGridToXls(Journal(3), Title, dialogs, open);
        QCOMPARE(opened, QStringList{path});
        const QByteArray earlier = FileBytes(path);
        QVERIFY(Provoke(disk, fault, part));

        ExportGridToXls(journal, Title, dialogs, open);
        QCOMPARE(dialogs.messages, QStringList{ExportWarning});
        QCOMPARE(opened.size(), 1);
        QCOMPARE(FileBytes(path), earlier);
        // The temporary workbook stays once it was made whole.
        const QStringList files = fault == Fault::RoomForPart ? QStringList{"1new.xls", "journal.xls"}
                                                              : QStringList{"journal.xls"};
        QCOMPARE(disk.Files(), files);
    }

    // A pipe where the file would go is refused untouched: a file saved
    // aside and renamed into place would take its place (and, run as root,
    // the place of a device).
    void pipeInTheFilesPlaceIsKept_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("short report") << "report";
        QTest::newRow("tsc file") << "tsc";
        QTest::newRow("journal's workbook") << "xls";
    }
    void pipeInTheFilesPlaceIsKept()
    {
        QFETCH(QString, what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("saved"));
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);

        QString reason;
        if (what == QLatin1String("report")) {
            QVERIFY(!SaveShortReport(path, ReportLines(2), &reason));
        } else if (what == QLatin1String("tsc")) {
            ScheduleDocument schedule;
            reason = WriteTscFile(path, schedule.Content());
        } else {
            reason = WriteGridWorkbook(Journal(2), Title, path);
        }
        QVERIFY2(reason.contains(QStringLiteral("Это не обычный файл")), qPrintable(reason));
        QVERIFY(IsPipe(path));
    }
};

QTEST_GUILESS_MAIN(TestFailedSaves)
#include "tst_failed_saves.moc"
