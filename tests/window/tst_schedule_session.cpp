// The tariff schedule through the window, as the operator handles it: a
// tsc file loaded, written into the simulated meter, the station's side
// wiped, the meter's schedule read back and saved again; the coefficient
// typed agreeing with the file and the meter; and no change lost without a
// question, the window's title telling which file and whether changed.

#include "session_fixture.h"

#include "schedule/schedule_bytes.h"
#include "schedule/schedule_names.h"
#include "schedule/tsc_file.h"
#include "window/schedule/year_grid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>
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

// The profile the editor opens with: January's Mondays.
const QStringList JanuaryMondayTimes{"00:00", "07:30", "23:00"};

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

// The schedule editors as the operator uses them, controls found by name.
struct ScheduleEditors {
    QWidget& day;
    QWidget& calendar;
    YearGrid& grid;

    explicit ScheduleEditors(TFormMain& form)
        : day(*Find<QWidget>(form, "PanelDay")),
          calendar(*Find<QWidget>(form, "TabSheet6")),
          grid(*Find<YearGrid>(form, "StringGrid1"))
    {
    }

    void Click(int month, int dayType, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        const QPoint centre = grid.Layout().CellRect(month, dayType).center();
        QTest::mousePress(&grid, Qt::LeftButton, keys, centre);
        QTest::mouseRelease(&grid, Qt::LeftButton, keys, centre);
    }

    void AddZone(const char* time, int tariff, int limit, int limitTariff)
    {
        Find<QTimeEdit>(day, "DateTimeZone")->setTime(QTime::fromString(QLatin1String(time), QStringLiteral("HH:mm")));
        Find<QSpinBox>(day, "SpinLimit")->setValue(limit);
        Find<QRadioButton>(day, qPrintable(QStringLiteral("Tariff%1").arg(tariff)))->click();
        Find<QRadioButton>(day, qPrintable(QStringLiteral("TariffLimit%1").arg(limitTariff)))->click();
        QAbstractButton* add = Find<QAbstractButton>(day, "BitBtnEdit");
        QVERIFY2(add->isEnabled(), time);
        add->click();
    }

    void Commit() { Find<QAbstractButton>(day, "BitBtnRedo")->click(); }
    void Revert() { Find<QAbstractButton>(day, "BitBtnUndo")->click(); }

    void AddHoliday(int month, int dayOfMonth)
    {
        Find<QComboBox>(calendar, "ComboM")->setCurrentText(MonthLongName(month));
        Find<QSpinBox>(calendar, "SpinD")->setValue(dayOfMonth);
        Find<QAbstractButton>(calendar, "BtnInsCel")->click();
    }

    void AddTransfer(const QDate& date, int dayType)
    {
        Find<QDateEdit>(calendar, "DTPTrans")->setDate(date);
        Find<QComboBox>(calendar, "ComboTrans")->setCurrentIndex(dayType - 1);
        Find<QAbstractButton>(calendar, "BtnInsTrans")->click();
    }
};

// The title of a window showing the schedule of this file, or of none.
QString TitleFor(const QString& file)
{
    return (file.isEmpty() ? TFormMain::Title : TFormMain::Title + " - " + file) + "[*]";
}

const QString SaveChangesQuestion = QStringLiteral("Внимание: Сохранить изменения в файле?");

} // namespace

Q_DECLARE_METATYPE(QuestionAnswer)

class TestScheduleSession : public QObject {
    Q_OBJECT

private slots:
    void loadWriteReadSave()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        auto* zones = Find<QTreeWidget>(form, "ListViewDays");
        auto* holidays = Find<QTreeWidget>(form, "ListCel");
        auto* transfers = Find<QTreeWidget>(form, "ListTransfer");
        auto* gauge = Find<QProgressBar>(form, "GaugeSched");
        auto* pages = Find<QTabWidget>(form, "PageControl1");

        const QByteArray original = TscBytes(RichSchedule());
        const QString loaded = session.startDir.filePath(QStringLiteral("loaded.tsc"));
        WriteFile(loaded, original);
        session.dialogs.openFile = loaded;
        Find<QAction>(form, "ActionLoadTariff")->trigger();
        QCOMPARE(session.dialogs.openQuestions, QStringList{QStringLiteral("Файлы тарифного расписания (*.tsc)")});
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSched"));
        const QList<AList> loadedRecords = form.Core().schedule.Model().SavedList();
        QCOMPARE(loadedRecords.size(), 4);
        QCOMPARE(Column(zones, 0), JanuaryMondayTimes);
        const QStringList loadedCalendar = Column(holidays, 0) + Column(holidays, 1) + Column(transfers, 0)
            + Column(transfers, 1);
        QCOMPARE(Column(transfers, 1), (QStringList{"суббота", "праздник"}));

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
        QCOMPARE(form.Core().schedule.Model().SavedList(), loadedRecords);
        QCOMPARE(Column(zones, 0), JanuaryMondayTimes);
        QCOMPARE(Column(holidays, 0) + Column(holidays, 1) + Column(transfers, 0) + Column(transfers, 1),
                 loadedCalendar);
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
        auto* zones = Find<QTreeWidget>(form, "ListViewDays");
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
        QCOMPARE(form.Core().schedule.Model().SavedList().size(), 4);
        QCOMPARE(Column(zones, 0), JanuaryMondayTimes);
        SaveScreenshot(form, QStringLiteral("schedule_loaded"));
    }

    // A schedule built in the editors (workdays, weekends, a holiday, a
    // transfer, coefficient 4) is saved, written into the meter, read back
    // after a new schedule, and shown and saved again as it was built.
    void editedScheduleRoundTrip()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        Find<QTabWidget>(form, "PageControl1")->setCurrentIndex(2);
        ScheduleEditors editors(form);
        QVERIFY(QTest::qWaitForWindowExposed(&editors.grid));
        editors.AddZone("00:00", 1, 0, 1);
        editors.AddZone("07:00", 2, 0, 2);
        editors.AddZone("23:00", 1, 10, 3);
        editors.Commit();
        editors.Click(12, 5, Qt::ShiftModifier);
        editors.Commit();
        editors.Click(1, 6);
        editors.AddZone("00:00", 3, 0, 3);
        editors.AddZone("12:30", 4, 25, 5);
        // The weekend's zones are still pending when its selection is made.
        session.dialogs.yes = true;
        editors.Click(12, 8, Qt::ShiftModifier);
        QCOMPARE(session.dialogs.questions, QStringList{QStringLiteral("Внимание: Сохранить изменения?")});
        session.dialogs.questions.clear();
        editors.Commit();
        editors.AddHoliday(4, 12);
        const QDate transferDate = QDate::currentDate().addDays(40);
        editors.AddTransfer(transferDate, 6);
        Find<QSpinBox>(editors.calendar, "SpinLimit")->setValue(4);
        QCOMPARE(session.dialogs.questions, QStringList());

        const ScheduleModel& model = form.Core().schedule.Model();
        QCOMPARE(model.Profile(7, 3).size(), 3);
        QCOMPARE(model.Profile(11, 7).size(), 2);
        QCOMPARE(model.Profile(3, 8), model.Profile(11, 7));
        QCOMPARE(model.Holidays().size(), 13);
        QCOMPARE(model.Transfers(), (QList<Transfer>{{transferDate, 6}}));
        QCOMPARE(model.LimitCoefficient(), 4);
        const QList<AList> built = model.SavedList();
        SaveScreenshot(form, QStringLiteral("schedule_built"));

        const QString saved = session.startDir.filePath(QStringLiteral("built.tsc"));
        session.dialogs.saveFile = saved;
        Find<QAction>(form, "ActionSaveTariff")->trigger();
        const QByteArray file = FileBytes(saved);
        QVERIFY(!file.isEmpty());

        session.ConnectAndPoll();
        Find<QAction>(form, "ActionWriteSched")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(form, "ActionReadSched")->isEnabled(), ReadTimeoutMs);
        QCOMPARE(session.Meter().schedule.limitCoefficient, 4);
        Find<QAction>(form, "ActionNewSched")->trigger();
        QCOMPARE(model.SavedList().size(), 0);
        Find<QAction>(form, "ActionReadSched")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(model.SavedList(), built, ReadTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(form, "ActionReadSched")->isEnabled(), ReadTimeoutMs);
        QCOMPARE(session.dialogs.messages, QStringList());

        editors.Click(7, 3);
        QCOMPARE(Column(Find<QTreeWidget>(editors.day, "ListViewDays"), 0), (QStringList{"00:00", "07:00", "23:00"}));
        QVERIFY(Column(Find<QTreeWidget>(editors.calendar, "ListCel"), 0).contains(MonthLongName(4)));
        QCOMPARE(Find<QTreeWidget>(editors.calendar, "ListTransfer")->topLevelItemCount(), 1);
        QCOMPARE(Find<QSpinBox>(editors.calendar, "SpinLimit")->value(), 4);
        session.dialogs.saveFile = session.startDir.filePath(QStringLiteral("read.tsc"));
        Find<QAction>(form, "ActionSaveTariff")->trigger();
        QCOMPARE(FileBytes(session.dialogs.saveFile), file);
    }

    // Whatever the coefficient field shows when the schedule is saved and
    // written is what the file and the meter receive: an emptied field or 0
    // shows as 1 once left or once the schedule leaves, and is 1.
    void coefficientFieldFileAndMeterAgree_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("leaveField");
        QTest::addColumn<int>("coefficient");
        QTest::newRow("emptied, left") << "" << true << 1;
        QTest::newRow("0, left") << "0" << true << 1;
        QTest::newRow("12, left") << "12" << true << 12;
        QTest::newRow("emptied, still in the field") << "" << false << 1;
        QTest::newRow("7, still in the field") << "7" << false << 7;
    }
    void coefficientFieldFileAndMeterAgree()
    {
        QFETCH(QString, typed);
        QFETCH(bool, leaveField);
        QFETCH(int, coefficient);
        SessionFixture session;
        TFormMain& form = session.Window();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        Find<QTabWidget>(form, "PageControl1")->setCurrentIndex(2);
        Find<QTabWidget>(form, "PageControl3")->setCurrentIndex(1);
        ScheduleEditors editors(form);
        auto* spin = Find<QSpinBox>(editors.calendar, "SpinLimit");
        auto* elsewhere = Find<QWidget>(editors.calendar, "ComboTrans");
        const auto type = [&](const QString& text) {
            spin->setFocus();
            spin->selectAll();
            QTest::keyClick(spin, Qt::Key_Backspace);
            TypeText(spin, text);
        };
        type(QStringLiteral("4"));
        elsewhere->setFocus();
        QCOMPARE(form.Core().schedule.Model().LimitCoefficient(), 4);

        type(typed);
        if (leaveField) {
            elsewhere->setFocus();
            QVERIFY(!spin->hasFocus());
        }
        const QString saved = session.startDir.filePath(QStringLiteral("coefficient.tsc"));
        session.dialogs.saveFile = saved;
        Find<QAction>(form, "ActionSaveTariff")->trigger();
        session.ConnectAndPoll();
        Find<QAction>(form, "ActionWriteSched")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(form, "ActionWriteSched")->isEnabled(), SessionTimeoutMs);
        elsewhere->setFocus();

        QCOMPARE(spin->findChild<QLineEdit*>()->text(), QString::number(coefficient));
        QCOMPARE(int(quint8(FileBytes(saved).at(100))), coefficient);
        QCOMPARE(session.Meter().schedule.limitCoefficient, coefficient);
        QCOMPARE(form.Core().schedule.Model().LimitCoefficient(), coefficient);
        QCOMPARE(session.dialogs.messages, QStringList());
    }

    // The title names the file the schedule came from or went to, and
    // marks (Qt's "[*]") changes no file and no meter has received, edits
    // of the editors not yet committed included.
    void titleNamesTheFileAndMarksChanges_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("modified");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("zone added") << "zone" << true;
        QTest::newRow("zone added and committed") << "zone commit" << true;
        QTest::newRow("zone added and reverted") << "zone revert" << false;
        QTest::newRow("profile copied by a selection") << "selection" << true;
        QTest::newRow("holiday added") << "holiday" << true;
        QTest::newRow("coefficient typed") << "coefficient" << true;
    }
    void titleNamesTheFileAndMarksChanges()
    {
        QFETCH(QString, edit);
        QFETCH(bool, modified);
        SessionFixture session;
        TFormMain& form = session.Window();
        QCOMPARE(form.windowTitle(), TitleFor(QString()));
        QVERIFY(!form.isWindowModified());
        const QString loaded = session.startDir.filePath(QStringLiteral("loaded.tsc"));
        WriteFile(loaded, TscBytes(RichSchedule()));
        session.dialogs.openFile = loaded;
        Find<QAction>(form, "ActionLoadTariff")->trigger();
        QCOMPARE(form.windowTitle(), TitleFor(QStringLiteral("loaded.tsc")));
        QVERIFY(!form.isWindowModified());

        ScheduleEditors editors(form);
        QVERIFY(QTest::qWaitForWindowExposed(&editors.grid));
        if (edit.startsWith("zone"))
            editors.AddZone("12:00", 5, 0, 5);
        if (edit.endsWith("commit"))
            editors.Commit();
        if (edit.endsWith("revert"))
            editors.Revert();
        if (edit == "selection")
            editors.Click(2, 1, Qt::ShiftModifier);
        if (edit == "holiday")
            editors.AddHoliday(4, 12);
        if (edit == "coefficient") {
            auto* spin = Find<QSpinBox>(editors.calendar, "SpinLimit");
            spin->selectAll();
            TypeText(spin, QStringLiteral("9"));
            QTest::keyClick(spin, Qt::Key_Return);
        }
        QCOMPARE(form.isWindowModified(), modified);
        QCOMPARE(form.windowTitle(), TitleFor(QStringLiteral("loaded.tsc")));
        SaveScreenshot(form, QStringLiteral("schedule_title_") + QString(QTest::currentDataTag()).replace(' ', '_'));

        session.dialogs.saveFile = session.startDir.filePath(QStringLiteral("saved.tsc"));
        Find<QAction>(form, "ActionSaveTariff")->trigger();
        QCOMPARE(form.windowTitle(), TitleFor(QStringLiteral("saved.tsc")));
        QVERIFY(!form.isWindowModified());
        Find<QAction>(form, "ActionNewSched")->trigger();
        QCOMPARE(form.windowTitle(), TitleFor(QString()));
        QVERIFY(!form.isWindowModified());
        QCOMPARE(session.dialogs.yesNoCancelQuestions, QStringList());
    }

    // Closing the window and reading the meter's schedule ask first about
    // changes no file has received, as "Новое" and "Загрузить из файла"
    // do: Yes saves and goes on only once saved, No goes on, Cancel leaves
    // everything as it was.
    void unsavedChangesAskedBeforeCloseAndRead_data()
    {
        QTest::addColumn<bool>("read");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<QuestionAnswer>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("wentOn");
        for (const bool read : {false, true}) {
            const char* command = read ? "read" : "close";
            QTest::addRow("%s, nothing to save", command) << read << false << QuestionAnswer::Cancel << false << true;
            QTest::addRow("%s, yes, saved", command) << read << true << QuestionAnswer::Yes << true << true;
            QTest::addRow("%s, yes, save cancelled", command) << read << true << QuestionAnswer::Yes << false << false;
            QTest::addRow("%s, no", command) << read << true << QuestionAnswer::No << false << true;
            QTest::addRow("%s, cancel", command) << read << true << QuestionAnswer::Cancel << false << false;
        }
    }
    void unsavedChangesAskedBeforeCloseAndRead()
    {
        QFETCH(bool, read);
        QFETCH(bool, edited);
        QFETCH(QuestionAnswer, answer);
        QFETCH(bool, saved);
        QFETCH(bool, wentOn);
        SessionFixture session;
        TFormMain& form = session.Window();
        if (read)
            session.ConnectAndPoll();
        Find<QTabWidget>(form, "PageControl1")->setCurrentIndex(2);
        ScheduleEditors editors(form);
        if (edited)
            editors.AddZone("12:00", 5, 0, 5);
        const QString file = session.startDir.filePath(QStringLiteral("edited.tsc"));
        session.dialogs.saveFile = saved ? file : QString();
        session.dialogs.yesNoCancel = answer;

        if (read)
            Find<QAction>(form, "ActionReadSched")->trigger();
        else
            form.close();

        QCOMPARE(session.dialogs.yesNoCancelQuestions, edited ? QStringList{SaveChangesQuestion} : QStringList());
        QCOMPARE(QFileInfo::exists(file), saved);
        if (read)
            QCOMPARE(!Find<QAction>(form, "ActionReadSched")->isEnabled(), wentOn);
        else
            QCOMPARE(!form.isVisible(), wentOn);
        const ScheduleModel& model = form.Core().schedule.Model();
        if (edited && !wentOn)
            QCOMPARE(model.Profile(1, 1).size(), 1);
        if (edited && answer == QuestionAnswer::Cancel)
            QVERIFY(model.ChangesPending());
    }

    // What the meter took or gave counts as unmodified: after a write the
    // title keeps the file, after a read it names none; neither leaves a
    // question for "Новое".
    void meterWriteAndReadLeaveNothingUnsaved()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        const QString loaded = session.startDir.filePath(QStringLiteral("loaded.tsc"));
        WriteFile(loaded, TscBytes(RichSchedule()));
        session.dialogs.openFile = loaded;
        Find<QAction>(form, "ActionLoadTariff")->trigger();
        Find<QTabWidget>(form, "PageControl1")->setCurrentIndex(2);
        ScheduleEditors editors(form);
        editors.AddZone("12:00", 5, 0, 5);
        QVERIFY(form.isWindowModified());

        session.ConnectAndPoll();
        Find<QAction>(form, "ActionWriteSched")->trigger();
        QVERIFY(form.isWindowModified());
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(form, "ActionReadSched")->isEnabled(), ReadTimeoutMs);
        QVERIFY(!form.isWindowModified());
        QCOMPARE(form.windowTitle(), TitleFor(QStringLiteral("loaded.tsc")));

        editors.AddHoliday(4, 12);
        QVERIFY(form.isWindowModified());
        session.dialogs.yesNoCancel = QuestionAnswer::No;
        Find<QAction>(form, "ActionReadSched")->trigger();
        QCOMPARE(session.dialogs.yesNoCancelQuestions, QStringList{SaveChangesQuestion});
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(form, "ActionReadSched")->isEnabled(), ReadTimeoutMs);
        QCOMPARE(form.Core().schedule.Model().Profile(1, 1).size(), 4);
        QVERIFY(!form.isWindowModified());
        QCOMPARE(form.windowTitle(), TitleFor(QString()));

        Find<QAction>(form, "ActionNewSched")->trigger();
        QCOMPARE(session.dialogs.yesNoCancelQuestions, QStringList{SaveChangesQuestion});
        QCOMPARE(session.dialogs.messages, QStringList());
    }

    // A file named from outside (a double-click, a shell) opens in the
    // editors with the schedule's page in front; one the station refuses is
    // said so and leaves the empty schedule.
    void fileOpenedFromOutside_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("rich file") << false;
        QTest::newRow("refused file") << true;
    }

    void fileOpenedFromOutside()
    {
        QFETCH(bool, refused);
        SessionFixture session;
        TFormMain& form = session.Window();
        TscContent content = RichSchedule();
        if (refused)
            content.records[1][2] = char(0x60);
        const QString path = session.startDir.filePath(QStringLiteral("opened.tsc"));
        WriteFile(path, TscBytes(content));

        form.OpenScheduleFile(path);
        QCOMPARE(Find<QTabWidget>(form, "PageControl1")->currentWidget()->objectName(), QStringLiteral("TabSched"));
        QCOMPARE(Find<QTabWidget>(form, "PageControl3")->currentWidget()->objectName(), QStringLiteral("TabTariff"));
        QCOMPARE(session.dialogs.messages.size(), refused ? 1 : 0);
        QCOMPARE(session.dialogs.openQuestions, QStringList());
        const QStringList times = Column(Find<QTreeWidget>(form, "ListViewDays"), 0);
        QCOMPARE(times, refused ? QStringList() : JanuaryMondayTimes);
        QCOMPARE(form.Core().schedule.Model().SavedList().size(), refused ? 0 : 4);
        if (!refused)
            SaveScreenshot(form, QStringLiteral("schedule_opened_file"));
    }

    // In production mode the schedule is edited nowhere: a file named from
    // outside is refused, not loaded behind the hidden tab.
    void fileRefusedInProductionMode()
    {
        FormFixture fixture;
        fixture.CreateFile(QStringLiteral("SettingSql.vlm"));
        auto form = fixture.Open();
        const QString path = fixture.startDir.filePath(QStringLiteral("opened.tsc"));
        WriteFile(path, TscBytes(RichSchedule()));
        form->OpenScheduleFile(path);
        QCOMPARE(fixture.dialogs.messages.size(), 1);
        QVERIFY(fixture.dialogs.messages[0].startsWith(QStringLiteral("Ошибка: ")));
        QCOMPARE(form->Core().schedule.Model().SavedList().size(), 0);
        QVERIFY(Find<QTabWidget>(*form, "PageControl1")->currentWidget()->objectName() != QStringLiteral("TabSched"));
    }
};

QTEST_MAIN(TestScheduleSession)
#include "tst_schedule_session.moc"
