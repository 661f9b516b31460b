// The tariff schedule through the window, as the operator handles it: a
// tsc file loaded, written into the simulated meter, the station's side
// wiped, the meter's schedule read back and saved again.

#include "session_fixture.h"

#include "schedule/schedule_bytes.h"
#include "schedule/tsc_file.h"

#include <QProgressBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// A whole read is 289 requests at the line rate.
constexpr int ReadTimeoutMs = 120000;

AList Record(const char* time, int tariff, int limit, int limitTariff, int dayMask, int monthMask)
{
    return {QLatin1String(time), quint8(tariff), quint8(limit), quint8(limitTariff), quint8(dayMask),
        quint16(monthMask)};
}

// Records as the meter gives them back, holidays and transfers in slot
// order: what is read is byte for byte what was loaded. The masks 0x0D
// and 0x0A look like line ends inside the file.
TscContent RichSchedule()
{
    TscContent content;
    for (const AList& record : {Record("00:00", 1, 0, 1, 0x1F, 0x0FFF), Record("07:30", 2, 10, 3, 0x1F, 0x0FFF),
             Record("23:00", 1, 0, 1, 0x0D, 0x0A0D), Record("00:00", 4, 0, 4, 0xE0, 0x0FFF)})
        content.records << EncodeRecord(record);
    content.holidayBlock = EncodeHolidays({{1, 1}, {3, 8}, {5, 9}});
    content.transferBlock = EncodeTransfers({{QDate(2025, 3, 3), 6}, {QDate(2026, 11, 2), 8}});
    content.limitCoefficient = 10;
    return content;
}

QStringList Column(QTreeWidget* list, int column)
{
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestScheduleSession : public QObject {
    Q_OBJECT

private slots:
    void loadWriteReadSave()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        auto* zones = Find<QTreeWidget>(form, "ListZones");
        auto* calendar = Find<QTreeWidget>(form, "ListCalendar");
        auto* gauge = Find<QProgressBar>(form, "GaugeSched");
        auto* pages = Find<QTabWidget>(form, "PageControl1");

        const QByteArray original = TscBytes(RichSchedule());
        const QString loaded = session.startDir.filePath(QStringLiteral("loaded.tsc"));
        WriteFile(loaded, original);
        session.dialogs.openFile = loaded;
        Find<QAction>(form, "ActionLoadTariff")->trigger();
        QCOMPARE(session.dialogs.openQuestions, QStringList{QStringLiteral("Файлы тарифного расписания (*.tsc)")});
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSched"));
        QCOMPARE(Column(zones, 1), (QStringList{"00:00", "07:30", "23:00", "00:00"}));
        QCOMPARE(zones->topLevelItem(2)->text(5), QStringLiteral("ПН СР ЧТ"));
        QCOMPARE(zones->topLevelItem(2)->text(6), QStringLiteral("ЯНВ МАР АПР ОКТ ДЕК"));
        QCOMPARE(zones->topLevelItem(3)->text(6), QStringLiteral("все"));
        const QStringList loadedCalendar = Column(calendar, 1) + Column(calendar, 2);

        session.ConnectAndPoll();
        auto* checksum = Find<QTableWidget>(form, "ListMain")->item(MeterReadings::ScheduleChecksumRow, 1);
        QTRY_VERIFY_WITH_TIMEOUT(!checksum->text().isEmpty(), SessionTimeoutMs);
        const QString checksumBefore = checksum->text();
        Find<QAction>(form, "ActionWriteSched")->trigger();
        QVERIFY(!Find<QAction>(form, "ActionReadSched")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(form, "ActionReadSched")->isEnabled(), ReadTimeoutMs);
        QCOMPARE(session.dialogs.messages, QStringList());
        QCOMPARE(session.Meter().schedule.limitCoefficient, 10);
        QTRY_COMPARE_WITH_TIMEOUT(checksum->text(), QString::number(session.Meter().schedule.Checksum()), ReadTimeoutMs);
        QVERIFY(checksum->text() != checksumBefore);

        Find<QAction>(form, "ActionNewSched")->trigger();
        QCOMPARE(zones->topLevelItemCount(), 0);
        Find<QAction>(form, "ActionReadSched")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(gauge->isVisible(), ReadTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(gauge->value(), 288, ReadTimeoutMs);
        QCOMPARE(gauge->maximum(), 288);
        SaveScreenshot(form, QStringLiteral("schedule_read"));
        QTRY_VERIFY_WITH_TIMEOUT(!gauge->isVisible(), ReadTimeoutMs);
        QCOMPARE(Column(zones, 1), (QStringList{"00:00", "07:30", "23:00", "00:00"}));
        QCOMPARE(Column(calendar, 1) + Column(calendar, 2), loadedCalendar);
        Find<QTabWidget>(form, "PageControl3")->setCurrentIndex(1);
        SaveScreenshot(form, QStringLiteral("schedule_calendar"));

        const QString saved = session.startDir.filePath(QStringLiteral("saved.tsc"));
        session.dialogs.saveFile = saved;
        Find<QAction>(form, "ActionSaveTariff")->trigger();
        QCOMPARE(FileBytes(saved), original);
        QCOMPARE(session.dialogs.messages, QStringList());
    }

    // A file the station cannot take is said so and leaves the schedule shown.
    void refusedFileChangesNothing()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        auto* zones = Find<QTreeWidget>(form, "ListZones");
        const QString good = session.startDir.filePath(QStringLiteral("good.tsc"));
        WriteFile(good, TscBytes(RichSchedule()));
        session.dialogs.openFile = good;
        Find<QAction>(form, "ActionLoadTariff")->trigger();

        TscContent impossible = RichSchedule();
        impossible.records[1][1] = char(0x24);
        const QString bad = session.startDir.filePath(QStringLiteral("bad.tsc"));
        WriteFile(bad, TscBytes(impossible));
        session.dialogs.openFile = bad;
        Find<QAction>(form, "ActionLoadTariff")->trigger();
        QCOMPARE(session.dialogs.messages.size(), 1);
        QVERIFY(session.dialogs.messages[0].startsWith(QStringLiteral("Ошибка: ")));
        QCOMPARE(Column(zones, 1), (QStringList{"00:00", "07:30", "23:00", "00:00"}));
        SaveScreenshot(form, QStringLiteral("schedule_loaded"));
    }
};

QTEST_MAIN(TestScheduleSession)
#include "tst_schedule_session.moc"
