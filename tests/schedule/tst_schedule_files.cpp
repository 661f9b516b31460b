// The schedule's file commands: the exact bytes of a saved tsc file, what a
// loaded one gives the document, the files refused (which must leave the
// document as it was), the questions and messages on the way, and what
// counts as a change no file has received.

#include "calendar_text.h"
#include "protocol/wire_values.h"
#include "recording_dialogs.h"
#include "schedule_records.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_document.h"
#include "schedule/schedule_files.h"
#include "support/test_bytes.h"
#include "support/test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <chrono>
#include <functional>
#include <future>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QByteArray CrLf("\r\n");
const QString Filter = "Файлы тарифного расписания (*.tsc)";

// What the file of a new schedule holds, byte for byte.
const QByteArray NewScheduleFile = Hex("0101 0201 0301 0401 0501 0701 2302 0803 0105 0905 1206 0411") + Zeros(8) + CrLf
    + Zeros(64) + CrLf + Hex("01") + CrLf;

// A file from its blocks, coefficient and record lines.
QByteArray TscFile(const QByteArray& holidays, const QByteArray& transfers, int coefficient,
    const QList<QByteArray>& records = {})
{
    QByteArray bytes = holidays + CrLf + transfers + CrLf + char(coefficient) + CrLf;
    for (const QByteArray& record : records)
        bytes += record + CrLf;
    return bytes;
}

const QByteArray TwoHolidays = Hex("0101 3112") + Zeros(28);
const QByteArray OneTransfer = Hex("03 03 25 06") + Zeros(60);
const QByteArray GoodRecord = Hex("11 07 30 00 1F FF 0F");

// Enough of everything to show a record, slot or byte out of place: more
// records than fit one screen, every tariff pair, limits, masks and bytes
// 3..6 that look like line ends.
QList<AList> RichRecords()
{
    QList<AList> records;
    for (int k = 0; k < 40; ++k) {
        const QString time = QStringLiteral("%1:%2").arg(k % 24, 2, 10, QLatin1Char('0')).arg(k * 7 % 60, 2, 10, QLatin1Char('0'));
        records << AList{time, quint8(k % 8 + 1), quint8(k * 37 % 256), quint8(7 - k % 8 + 1), quint8(1u << (k % 8)),
            quint16((k * 291) & AllMonths)};
    }
    // Line-end bytes where the file has no line end.
    records << AList{"08:00", 1, 0x0D, 1, 0x0A, 0x0A0D} << AList{"09:15", 2, 0x0A, 3, 0x0D, 0x0D0A}
            << AList{"00:00", 1, 0x0D, 1, 0x0D, 0x0D0D};
    return records;
}

QList<Holiday> RichHolidays()
{
    QList<Holiday> holidays;
    for (int k = 0; k < MaxHolidays; ++k)
        holidays << Holiday{12 - k % 12, 31 - k};
    return holidays;
}

QList<Transfer> RichTransfers()
{
    return {{QDate(2000, 5, 1), 1}, {QDate(2024, 2, 29), 8}, {QDate(2025, 3, 3), 6}, {QDate(2099, 12, 31), 7},
        {QDate(2031, 10, 13), 2}};
}

void FillRich(ScheduleDocument& schedule)
{
    schedule.Model().SetSavedList(RichRecords());
    schedule.Model().Revert();
    schedule.SetCalendar(RichHolidays(), RichTransfers());
    schedule.SetLimitCoefficient(200);
}

// Everything of the document a file command may change.
QStringList State(const ScheduleDocument& schedule)
{
    const ScheduleModel& model = schedule.Model();
    QStringList lines;
    lines << "saved:" << Describe(model.SavedList()) << "work:" << Describe(model.WorkList()) << "holidays:"
          << Describe(model.Holidays()) << "transfers:" << Describe(model.Transfers())
          << QStringLiteral("coefficient %1").arg(model.LimitCoefficient())
          << QStringLiteral("pending %1").arg(model.ChangesPending());
    return lines;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The station's side of the file commands, with a folder for the files.
struct FileStation {
    RecordingDialogs dialogs;
    ScheduleDocument schedule;
    ScheduleFiles files{schedule, dialogs};
    QTemporaryDir dir;
    QSignalSpy pageWanted{&files, &ScheduleFiles::SchedulePageWanted};

    QString Path(const QString& name) const { return dir.filePath(name); }

    bool Save(const QString& path)
    {
        dialogs.saveFile = path;
        return files.ActionSaveTariffExecute();
    }
    bool Load(const QString& path)
    {
        dialogs.openFile = path;
        return files.ActionLoadTariffExecute();
    }
};

// The largest schedule there can be: every cell has a zone at every
// minute, one record each, cell after cell, the tariff its day type's.
QByteArray LargestScheduleFile()
{
    constexpr int Cells = MonthCount * DayTypeCount;
    QByteArray bytes = TscFile(Zeros(32), Zeros(64), 1);
    bytes.reserve(TscMaxSize);
    for (qint64 k = 0; k < TscMaxRecords; ++k) {
        const int cell = int(k % Cells);
        const int minute = int(k / Cells);
        const quint16 month = GetMaska(cell / DayTypeCount + 1);
        bytes += Bytes({cell % DayTypeCount * 0x11, Bcd(minute / 60), Bcd(minute % 60), 0, GetMaska(cell % DayTypeCount + 1),
                     month & 0xFF, month >> 8})
            + CrLf;
    }
    return bytes;
}

// Loads on a thread of its own, so that a load waiting for a FIFO's writer
// fails the test instead of hanging it: nothing when it waited, and a
// writer then lets it end.
std::optional<bool> LoadWithoutWaiting(FileStation& station, const QString& path)
{
    auto loading = std::async(std::launch::async, [&] { return station.Load(path); });
    if (loading.wait_for(std::chrono::seconds(10)) == std::future_status::ready)
        return loading.get();
#ifdef Q_OS_UNIX
    if (const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK); writer >= 0)
        ::close(writer);
#endif
    loading.wait();
    return std::nullopt;
}

// A document worth protecting: committed records, an edit not yet
// committed, its own calendar and coefficient.
void FillEdited(ScheduleDocument& schedule)
{
    schedule.Model().SetSavedList({Zone("00:00", 1, 0xFF, AllMonths), Zone("07:00", 2, Days({1, 2, 3, 4, 5}), AllMonths),
        LimitedZone("23:00", 1, 40, 4, 0xFF, Months(1, 6))});
    schedule.Model().Revert();
    schedule.Model().InsertTZone("12:00", 3, 0, 3);
    schedule.SetCalendar({{6, 12}, {11, 4}}, {{QDate(2026, 1, 9), 8}});
    schedule.SetLimitCoefficient(7);
}

// An operator's change of the document, as a value of a test table.
using DocumentChange = std::function<void(ScheduleDocument&)>;

// The profile of January's Monday given to February's Monday as well, as a
// selection in the year grid does.
void CopyToFebruaryMonday(ScheduleDocument& schedule)
{
    ScheduleModel& model = schedule.Model();
    YearMap<bool> selected(false);
    selected(1, 1) = true;
    selected(2, 1) = true;
    model.SetDaysSelected(selected);
    model.EquivalentDays();
    model.EditDays();
}

} // namespace

Q_DECLARE_METATYPE(DocumentChange)
Q_DECLARE_METATYPE(QuestionAnswer)

class TestScheduleFiles : public QObject {
    Q_OBJECT
private slots:
    void aNewScheduleSavesAs103Bytes()
    {
        FileStation station;
        FillEdited(station.schedule);
        station.schedule.SetLimitCoefficient(1);
        station.files.ActionNewSchedExecute();
        QCOMPARE(station.pageWanted.count(), 1);

        const QString path = station.Path("new.tsc");
        QVERIFY(station.Save(path));
        QCOMPARE(FileBytes(path).toHex(' '), NewScheduleFile.toHex(' '));
        QCOMPARE(station.dialogs.saveQuestions, QStringList{Filter + "; tsc"});
        QVERIFY(station.dialogs.messages.isEmpty());
    }

    // New keeps the coefficient, drops everything else.
    void newScheduleKeepsOnlyTheCoefficient()
    {
        FileStation station;
        FillRich(station.schedule);
        station.schedule.Model().InsertTZone("12:00", 3, 0, 3);
        station.files.ActionNewSchedExecute();

        const ScheduleModel& model = station.schedule.Model();
        QVERIFY(model.SavedList().isEmpty());
        QVERIFY(model.WorkList().isEmpty());
        QVERIFY(!model.ChangesPending());
        QCOMPARE(Describe(model.Holidays()), Describe(DefaultHolidays()));
        QVERIFY(model.Transfers().isEmpty());
        QCOMPARE(model.LimitCoefficient(), 200);
    }

    void aRichScheduleComesBackFromItsFile()
    {
        FileStation saving;
        FillRich(saving.schedule);
        const QString path = saving.Path("rich.tsc");
        QVERIFY(saving.Save(path));
        QCOMPARE(FileBytes(path).size(), TscHeaderSize + TscRecordLineSize * RichRecords().size());

        FileStation loading;
        FillEdited(loading.schedule);
        QVERIFY(loading.Load(path));
        QVERIFY2(loading.dialogs.messages.isEmpty(), qPrintable(loading.dialogs.messages.join('\n')));
        QCOMPARE(loading.dialogs.openQuestions, QStringList{Filter});
        QCOMPARE(loading.pageWanted.count(), 1);
        QCOMPARE(State(loading.schedule), State(saving.schedule));
        QCOMPARE(Describe(loading.schedule.Model().SavedList()), Describe(RichRecords()));
        QCOMPARE(Describe(loading.schedule.Model().Holidays()), Describe(RichHolidays()));
        QCOMPARE(Describe(loading.schedule.Model().Transfers()), Describe(RichTransfers()));
        QCOMPARE(loading.schedule.Model().LimitCoefficient(), 200);

        // Saved again, the file is the same to the byte.
        const QString again = loading.Path("again.tsc");
        QVERIFY(loading.Save(again));
        QCOMPARE(FileBytes(again).toHex(' '), FileBytes(path).toHex(' '));
    }

    void filesTaken_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<AList>>("records");
        QTest::addColumn<QList<Holiday>>("holidays");
        QTest::addColumn<QList<Transfer>>("transfers");
        QTest::addColumn<int>("coefficient");

        QTest::newRow("header alone: no records")
            << TscFile(TwoHolidays, OneTransfer, 5) << QList<AList>{} << QList<Holiday>{{1, 1}, {12, 31}}
            << QList<Transfer>{{QDate(2025, 3, 3), 6}} << 5;
        QTest::newRow("coefficient 0 loads as 1")
            << TscFile(TwoHolidays, Zeros(64), 0, {GoodRecord}) << QList<AList>{LimitedZone("07:30", 2, 0, 2, 0x1F, AllMonths)}
            << QList<Holiday>{{1, 1}, {12, 31}} << QList<Transfer>{} << 1;
        QTest::newRow("coefficient 255") << TscFile(Zeros(32), Zeros(64), 255) << QList<AList>{} << QList<Holiday>{}
                                         << QList<Transfer>{} << 255;
        QTest::newRow("line-end bytes inside records, in file order")
            << TscFile(Zeros(32), Zeros(64), 3, {Hex("00 08 00 0D 0A 0D 0A"), Hex("21 09 15 0A 0D 0A 0D"), GoodRecord})
            << QList<AList>{LimitedZone("08:00", 1, 0x0D, 1, 0x0A, 0x0A0D), LimitedZone("09:15", 2, 0x0A, 3, 0x0D, 0x0D0A),
                   LimitedZone("07:30", 2, 0, 2, 0x1F, AllMonths)}
            << QList<Holiday>{} << QList<Transfer>{} << 3;
        QTest::newRow("out-of-range slots are skipped")
            << TscFile(Hex("3201 0101 1513") + Zeros(26), Hex("10 10 24 09  03 03 25 06") + Zeros(56), 9)
            << QList<AList>{} << QList<Holiday>{{1, 1}} << QList<Transfer>{{QDate(2025, 3, 3), 6}} << 9;
        QTest::newRow("a transfer whose year is not two decimal digits is skipped")
            << TscFile(Zeros(32), Hex("03 03 FA 06  01 05 00 01") + Zeros(56), 2) << QList<AList>{} << QList<Holiday>{}
            << QList<Transfer>{{QDate(2000, 5, 1), 1}} << 2;
        // Line ends are found by their place; what stands there is not read.
        QByteArray otherLineEnds = TscFile(TwoHolidays, Zeros(64), 4, {GoodRecord});
        for (const int at : {32, 33, 98, 99, 101, 102, 110, 111})
            otherLineEnds[at] = 'x';
        QTest::newRow("whatever stands at the line ends")
            << otherLineEnds << QList<AList>{LimitedZone("07:30", 2, 0, 2, 0x1F, AllMonths)}
            << QList<Holiday>{{1, 1}, {12, 31}} << QList<Transfer>{} << 4;
    }
    void filesTaken()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<AList>, records);
        QFETCH(QList<Holiday>, holidays);
        QFETCH(QList<Transfer>, transfers);
        QFETCH(int, coefficient);
        FileStation station;
        FillEdited(station.schedule);
        const QString path = station.Path("taken.tsc");
        QVERIFY(WriteFile(path, bytes));

        QVERIFY(station.Load(path));
        QVERIFY2(station.dialogs.messages.isEmpty(), qPrintable(station.dialogs.messages.join('\n')));
        const ScheduleModel& model = station.schedule.Model();
        QCOMPARE(Describe(model.SavedList()), Describe(records));
        QCOMPARE(Describe(model.WorkList()), Describe(records));
        QVERIFY(!model.ChangesPending());
        QCOMPARE(Describe(model.Holidays()), Describe(holidays));
        QCOMPARE(Describe(model.Transfers()), Describe(transfers));
        QCOMPARE(model.LimitCoefficient(), coefficient);
    }

    void filesRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");

        const QByteArray header = TscFile(TwoHolidays, OneTransfer, 5);
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("one byte short of a header") << header.left(TscHeaderSize - 1);
        QTest::newRow("a record cut short") << header + GoodRecord.left(5);
        QTest::newRow("a record without its line end") << header + GoodRecord;
        QTest::newRow("a byte past the last record") << header + GoodRecord + CrLf + "\x01";
        QTest::newRow("hour 24 in the second record")
            << TscFile(TwoHolidays, OneTransfer, 5, {GoodRecord, Hex("00 24 00 00 01 01 00")});
        QTest::newRow("minute 60 in the first record")
            << TscFile(TwoHolidays, OneTransfer, 5, {Hex("00 10 60 00 01 01 00"), GoodRecord});
        QTest::newRow("31 April as transfer")
            << TscFile(TwoHolidays, Hex("31 04 25 01") + Zeros(60), 5, {GoodRecord});
        QTest::newRow("29 February 2025 after a good transfer")
            << TscFile(TwoHolidays, Hex("03 03 25 06  29 02 25 02") + Zeros(56), 5, {GoodRecord});
        QTest::newRow("an impossible transfer in a file without records")
            << TscFile(TwoHolidays, Hex("31 04 25 01") + Zeros(60), 5);
    }
    void filesRefused()
    {
        QFETCH(QByteArray, bytes);
        FileStation station;
        FillEdited(station.schedule);
        const QStringList before = State(station.schedule);
        const QString path = station.Path("refused.tsc");
        QVERIFY(WriteFile(path, bytes));

        QVERIFY(!station.Load(path));
        QCOMPARE(station.dialogs.messages.size(), 1);
        QVERIFY2(station.dialogs.messages[0].startsWith("Ошибка: ") && station.dialogs.messages[0].contains(path),
            qPrintable(station.dialogs.messages[0]));
        QCOMPARE(State(station.schedule), before);
    }

    void whatIsNoRegularFileIsRefusedUnread_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder") << "folder";
#ifdef Q_OS_UNIX
        QTest::newRow("a FIFO without a writer") << "fifo";
        QTest::newRow("a device") << "device";
#endif
    }
    void whatIsNoRegularFileIsRefusedUnread()
    {
        QFETCH(QString, kind);
        FileStation station;
        FillEdited(station.schedule);
        const QStringList before = State(station.schedule);
        QString path = station.Path("schedule.tsc");
        if (kind == "folder")
            QVERIFY(QDir().mkdir(path));
#ifdef Q_OS_UNIX
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        // One without end.
        if (kind == "device")
            path = "/dev/zero";
#endif

        const std::optional<bool> loaded = LoadWithoutWaiting(station, path);
        QVERIFY2(loaded.has_value(), "the load waited for someone to write");
        QVERIFY(!*loaded);
        QCOMPARE(station.dialogs.messages,
            QStringList{"Ошибка: Тарифное расписание не загружено из файла " + path
                + ".\nЭто не обычный файл: папка, канал или устройство не может быть файлом тарифного расписания."});
        QCOMPARE(State(station.schedule), before);
    }

    void filesBeyondTheLargestScheduleAreRefused_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("a byte more") << QByteArray("\x01");
        QTest::newRow("a whole record more") << GoodRecord + CrLf;
    }
    void filesBeyondTheLargestScheduleAreRefused()
    {
        QFETCH(QByteArray, tail);
        FileStation station;
        FillEdited(station.schedule);
        const QStringList before = State(station.schedule);
        const QString path = station.Path("huge.tsc");
        QVERIFY(WriteFile(path, LargestScheduleFile() + tail));

        QVERIFY(!station.Load(path));
        QCOMPARE(station.dialogs.messages,
            QStringList{"Ошибка: Тарифное расписание не загружено из файла " + path
                + ".\nФайл длиннее 1244263 байт и не может быть файлом тарифного расписания."});
        QCOMPARE(State(station.schedule), before);
    }

    void theLargestScheduleIsTakenWhole()
    {
        const QByteArray bytes = LargestScheduleFile();
        QCOMPARE(bytes.size(), TscMaxSize);
        FileStation station;
        const QString path = station.Path("largest.tsc");
        QVERIFY(WriteFile(path, bytes));

        QVERIFY(station.Load(path));
        QVERIFY2(station.dialogs.messages.isEmpty(), qPrintable(station.dialogs.messages.join('\n')));
        const ScheduleModel& model = station.schedule.Model();
        QCOMPARE(model.SavedList().size(), TscMaxRecords);
        QCOMPARE(model.Profile(12, 8).size(), MinutesPerDay);
        QCOMPARE(Describe({model.SavedList().last()}), Describe({Zone("23:59", 8, Days({8}), Month(12))}));

        const QString again = station.Path("again.tsc");
        QVERIFY(station.Save(again));
        QVERIFY(FileBytes(again) == bytes);
    }

    void anUnreadableFileChangesNothing()
    {
        FileStation station;
        FillEdited(station.schedule);
        const QStringList before = State(station.schedule);
        const QString path = station.Path("missing.tsc");

        QVERIFY(!station.Load(path));
        QCOMPARE(station.dialogs.messages.size(), 1);
        QVERIFY2(station.dialogs.messages[0].contains(path), qPrintable(station.dialogs.messages[0]));
        QCOMPARE(State(station.schedule), before);
    }

    void cancellingTheOpenQuestionChangesNothing()
    {
        FileStation station;
        FillEdited(station.schedule);
        const QStringList before = State(station.schedule);

        QVERIFY(!station.Load(QString()));
        QCOMPARE(station.dialogs.openQuestions, QStringList{Filter});
        QVERIFY(station.dialogs.messages.isEmpty());
        QCOMPARE(station.pageWanted.count(), 0);
        QCOMPARE(State(station.schedule), before);
    }

    // The file holds the edits in progress, and they count as committed.
    void savingCommitsPendingEdits()
    {
        FileStation station;
        FillEdited(station.schedule);
        const QList<AList> edited = station.schedule.Model().WorkList();
        QVERIFY(station.schedule.Model().ChangesPending());
        const QString path = station.Path("edited.tsc");

        QVERIFY(station.Save(path));
        QVERIFY(!station.schedule.Model().ChangesPending());
        QCOMPARE(Describe(station.schedule.Model().SavedList()), Describe(edited));

        FileStation loading;
        QVERIFY(loading.Load(path));
        QCOMPARE(Describe(loading.schedule.Model().SavedList()), Describe(edited));
    }

    void cancellingTheSaveQuestionStillCommits()
    {
        FileStation station;
        FillEdited(station.schedule);
        const QList<AList> edited = station.schedule.Model().WorkList();

        QVERIFY(!station.Save(QString()));
        QCOMPARE(station.dialogs.saveQuestions, QStringList{Filter + "; tsc"});
        QVERIFY(station.dialogs.messages.isEmpty());
        const ScheduleModel& model = station.schedule.Model();
        QVERIFY(!model.ChangesPending());
        QCOMPARE(Describe(model.SavedList()), Describe(model.WorkList()));
        QCOMPARE(Describe(model.SavedList()), Describe(edited));
        QVERIFY(QDir(station.dir.path()).isEmpty());
    }

    // A change is what would give a file or the meter another schedule,
    // edits not yet committed included; an edit undone is none, however
    // the records were split and merged meanwhile.
    void unsavedChanges_data()
    {
        QTest::addColumn<DocumentChange>("change");
        QTest::addColumn<bool>("modified");
        const auto insert = [](ScheduleDocument& d) { d.Model().InsertTZone("15:00", 5, 0, 5); };
        const auto remove = [](ScheduleDocument& d) { d.Model().DeleteTZone("15:00"); };
        const auto commit = [](ScheduleDocument& d) { d.Model().Commit(); };
        QTest::newRow("nothing") << DocumentChange([](ScheduleDocument&) {}) << false;
        QTest::newRow("zone added, not committed") << DocumentChange(insert) << true;
        QTest::newRow("zone added, committed") << DocumentChange([=](ScheduleDocument& d) {
            insert(d);
            commit(d);
        }) << true;
        QTest::newRow("zone added and deleted") << DocumentChange([=](ScheduleDocument& d) {
            insert(d);
            remove(d);
        }) << false;
        QTest::newRow("zone added and deleted, each committed") << DocumentChange([=](ScheduleDocument& d) {
            insert(d);
            commit(d);
            remove(d);
            commit(d);
        }) << false;
        QTest::newRow("zone added, reverted") << DocumentChange([=](ScheduleDocument& d) {
            insert(d);
            d.Model().Revert();
        }) << true;
        QTest::newRow("zone set to what it was") << DocumentChange([](ScheduleDocument& d) {
            d.Model().UpdateTZone("07:00", 2, 0, 2);
        }) << false;
        QTest::newRow("profile copied to another cell") << DocumentChange(CopyToFebruaryMonday) << true;
        QTest::newRow("holiday added") << DocumentChange([](ScheduleDocument& d) { d.AddHoliday({3, 8}); }) << true;
        QTest::newRow("holiday added and removed") << DocumentChange([](ScheduleDocument& d) {
            d.AddHoliday({3, 8});
            d.RemoveHolidays({d.Model().Holidays().size() - 1});
        }) << false;
        QTest::newRow("holidays in another order") << DocumentChange([](ScheduleDocument& d) {
            d.SetCalendar({{11, 4}, {6, 12}}, d.Model().Transfers());
        }) << true;
        QTest::newRow("transfer added") << DocumentChange([](ScheduleDocument& d) {
            d.AddTransfer({QDate(2027, 5, 3), 7});
        }) << true;
        QTest::newRow("coefficient changed") << DocumentChange([](ScheduleDocument& d) { d.SetLimitCoefficient(9); })
                                             << true;
        QTest::newRow("coefficient changed back") << DocumentChange([](ScheduleDocument& d) {
            d.SetLimitCoefficient(9);
            d.SetLimitCoefficient(7);
        }) << false;
    }
    void unsavedChanges()
    {
        QFETCH(DocumentChange, change);
        QFETCH(bool, modified);
        // Unmodified with an edit not yet committed: the reverted row shows
        // that the committed records alone are not what counts.
        ScheduleDocument schedule;
        FillEdited(schedule);
        QVERIFY(schedule.Modified());
        schedule.MarkUnmodified();
        QVERIFY(!schedule.Modified());
        change(schedule);
        QCOMPARE(schedule.Modified(), modified);
    }

    // "Новое" and "Загрузить из файла" ask first whether to save changes
    // no file has received: Yes saves as "Сохранить как файл" does and goes
    // on only when the file is written, No goes on, Cancel leaves the
    // document as it was. Without changes nothing is asked.
    void unsavedChangesAskedFirst_data()
    {
        QTest::addColumn<bool>("load");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<QuestionAnswer>("answer");
        // Empty: the save dialog is cancelled.
        QTest::addColumn<QString>("saveTo");
        QTest::addColumn<bool>("wentOn");
        for (const bool load : {false, true}) {
            const char* command = load ? "load" : "new";
            QTest::addRow("%s, nothing to save", command) << load << false << QuestionAnswer::Cancel << "" << true;
            QTest::addRow("%s, yes, saved", command) << load << true << QuestionAnswer::Yes << "edited.tsc" << true;
            QTest::addRow("%s, yes, save cancelled", command) << load << true << QuestionAnswer::Yes << "" << false;
            QTest::addRow("%s, yes, save failed", command)
                << load << true << QuestionAnswer::Yes << "no such folder/edited.tsc" << false;
            QTest::addRow("%s, no", command) << load << true << QuestionAnswer::No << "" << true;
            QTest::addRow("%s, cancel", command) << load << true << QuestionAnswer::Cancel << "" << false;
        }
    }
    void unsavedChangesAskedFirst()
    {
        QFETCH(bool, load);
        QFETCH(bool, edited);
        QFETCH(QuestionAnswer, answer);
        QFETCH(QString, saveTo);
        QFETCH(bool, wentOn);
        FileStation station;
        station.dialogs.openMs = 0;
        FillEdited(station.schedule);
        if (!edited)
            station.schedule.MarkUnmodified();
        const QList<AList> editedRecords = station.schedule.Model().WorkList();
        const QStringList before = State(station.schedule);
        const QString other = station.Path("other.tsc");
        QVERIFY(WriteFile(other, NewScheduleFile));
        station.dialogs.yesNoCancel = answer;
        station.dialogs.openFile = other;
        const QString saved = saveTo.isEmpty() ? QString() : station.Path(saveTo);
        station.dialogs.saveFile = saved;

        if (load)
            station.files.ActionLoadTariffExecute();
        else
            station.files.ActionNewSchedExecute();

        const QStringList asked = edited ? QStringList{"Внимание: Сохранить изменения в файле?"} : QStringList();
        QCOMPARE(station.dialogs.yesNoCancelQuestions, asked);
        const bool yes = edited && answer == QuestionAnswer::Yes;
        QCOMPARE(station.dialogs.saveQuestions.size(), yes ? 1 : 0);
        QCOMPARE(station.dialogs.openQuestions.size(), load && wentOn ? 1 : 0);
        QCOMPARE(station.pageWanted.count(), wentOn ? 1 : 0);
        if (yes && wentOn) {
            FileStation reading;
            QVERIFY(reading.Load(saved));
            QCOMPARE(Describe(reading.schedule.Model().SavedList()), Describe(editedRecords));
        }
        if (wentOn) {
            QVERIFY(station.schedule.Model().WorkList().isEmpty());
            QCOMPARE(station.schedule.FilePath(), load ? other : QString());
            QVERIFY(!station.schedule.Modified());
        } else {
            QCOMPARE(Describe(station.schedule.Model().WorkList()), Describe(editedRecords));
            QVERIFY(station.schedule.Modified());
        }
        // Only a save commits the pending edit; Cancel leaves all as it was.
        if (!wentOn && !yes)
            QCOMPARE(State(station.schedule), before);
    }

    // What was saved counts as unmodified, and names the document's file;
    // a cancelled save leaves the changes unsaved.
    void savingLeavesNothingUnsaved()
    {
        FileStation station;
        FillEdited(station.schedule);
        QVERIFY(!station.Save(QString()));
        QVERIFY(station.schedule.Modified());
        QCOMPARE(station.schedule.FilePath(), QString());
        const QString path = station.Path("edited.tsc");
        QVERIFY(station.Save(path));
        QVERIFY(!station.schedule.Modified());
        QCOMPARE(station.schedule.FilePath(), path);
    }

    // An earlier, longer file is replaced as a whole.
    void savingReplacesALongerFile()
    {
        FileStation station;
        const QString path = station.Path("old.tsc");
        QVERIFY(WriteFile(path, QByteArray(1000, '\x55')));
        QVERIFY(station.Save(path));
        QCOMPARE(FileBytes(path).toHex(' '), NewScheduleFile.toHex(' '));
    }

    void aFileThatCannotBeWrittenIsReported()
    {
        FileStation station;
        const QString path = station.Path("no such folder/new.tsc");
        QVERIFY(!station.Save(path));
        QCOMPARE(station.dialogs.messages.size(), 1);
        QVERIFY2(station.dialogs.messages[0].startsWith("Ошибка: ") && station.dialogs.messages[0].contains(path),
            qPrintable(station.dialogs.messages[0]));
    }
};

QTEST_GUILESS_MAIN(TestScheduleFiles)
#include "tst_schedule_files.moc"
