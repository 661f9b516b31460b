// The page of holidays, transfers and the limit coefficient: where new
// entries go, the sixteen-row limit, deleting a selection, the dates a
// transfer may fall on, the coefficient as the operator types it, and the
// page following every change of the schedule's calendar.

#include "window/schedule/calendar_page.h"

#include "form_fixture.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_document.h"
#include "schedule/schedule_names.h"
#include "schedule/tsc_file.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

Q_DECLARE_METATYPE(Holiday)
Q_DECLARE_METATYPE(Transfer)

namespace {

// The main window's font, and the room its client area leaves the page.
constexpr int FontPoints = 8;
constexpr QSize PageSize(620, 470);

// A date far enough ahead that every transfer of the tests can be picked.
const QDate Today(2031, 3, 10);

QList<Holiday> WithHoliday(QList<Holiday> holidays, qsizetype at, const Holiday& holiday)
{
    holidays.insert(at, holiday);
    return holidays;
}

struct PageFixture {
    PageFixture()
    {
        QFont font = page.font();
        font.setPointSize(FontPoints);
        page.setFont(font);
        calendar = new CalendarPage(&page, schedule, [this] { return clock; });
    }

    template <typename Control>
    Control* Get(const char* name)
    {
        auto* control = Find<Control>(page, name);
        if (!control)
            qFatal("no control %s", name);
        return control;
    }

    QList<QStringList> Rows(const char* list)
    {
        QList<QStringList> rows;
        auto* view = Get<QTreeWidget>(list);
        for (int row = 0; row < view->topLevelItemCount(); ++row)
            rows.append({view->topLevelItem(row)->text(0), view->topLevelItem(row)->text(1)});
        return rows;
    }

    void AddHoliday(const Holiday& holiday)
    {
        Get<QComboBox>("ComboM")->setCurrentIndex(holiday.Month - 1);
        Get<QSpinBox>("SpinD")->setValue(holiday.Day);
        Get<QPushButton>("BtnInsCel")->click();
    }

    void AddTransfer(const Transfer& transfer)
    {
        Get<QDateEdit>("DTPTrans")->setDate(transfer.Date);
        Get<QComboBox>("ComboTrans")->setCurrentIndex(transfer.DayType - 1);
        Get<QPushButton>("BtnInsTrans")->click();
    }

    void Select(const char* list, const QList<int>& rows)
    {
        auto* view = Get<QTreeWidget>(list);
        for (int row : rows)
            view->topLevelItem(row)->setSelected(true);
    }

    bool Enabled(const char* button) { return Get<QPushButton>(button)->isEnabled(); }

    ScheduleDocument schedule;
    QDate clock = Today;
    QWidget page;
    CalendarPage* calendar;
};

QList<QStringList> HolidayRows(const QList<Holiday>& holidays)
{
    QList<QStringList> rows;
    for (const Holiday& holiday : holidays)
        rows.append({MonthLongName(holiday.Month), QString::number(holiday.Day)});
    return rows;
}

QList<Transfer> SixteenTransfers()
{
    QList<Transfer> transfers;
    for (int day = 0; day < MaxTransfers; ++day)
        transfers.append({Today.addDays(day), 1});
    return transfers;
}

} // namespace

class TestCalendarPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void startState()
    {
        PageFixture f;
        QCOMPARE(f.Get<QComboBox>("ComboM")->currentText(), QStringLiteral("январь"));
        QCOMPARE(f.Get<QSpinBox>("SpinD")->value(), 1);
        QCOMPARE(f.Get<QComboBox>("ComboTrans")->currentText(), QStringLiteral("понедельник"));
        QCOMPARE(f.Rows("ListCel"), HolidayRows(DefaultHolidays()));
        QCOMPARE(f.Rows("ListTransfer"), QList<QStringList>());
        QVERIFY(f.Enabled("BtnInsCel") && f.Enabled("BtnInsTrans"));
        QVERIFY(!f.Enabled("BtnDelCel") && !f.Enabled("BtnDelTrans"));
        QCOMPARE(f.Get<QSpinBox>("SpinLimit")->value(), 1);
    }

    // A holiday goes in front of the first row of its month with a day not
    // below its own, or in front of the first row of a later month: a list
    // loaded out of order is walked as it stands, not sorted.
    void holidayInsertion_data()
    {
        QTest::addColumn<QList<Holiday>>("listed");
        QTest::addColumn<Holiday>("added");
        QTest::addColumn<qsizetype>("at");

        const QList<Holiday> defaults = DefaultHolidays();
        QTest::newRow("8 March in front of 8 March") << defaults << Holiday{3, 8} << qsizetype(7);
        QTest::newRow("31 January after 7 January") << defaults << Holiday{1, 31} << qsizetype(6);
        QTest::newRow("1 January first") << defaults << Holiday{1, 1} << qsizetype(0);
        QTest::newRow("29 February") << defaults << Holiday{2, 29} << qsizetype(7);
        QTest::newRow("31 December last") << defaults << Holiday{12, 31} << qsizetype(12);
        QTest::newRow("into an empty list") << QList<Holiday>{} << Holiday{6, 12} << qsizetype(0);
        QTest::newRow("loaded out of order") << QList<Holiday>{{5, 1}, {1, 1}} << Holiday{3, 8} << qsizetype(0);
    }

    void holidayInsertion()
    {
        QFETCH(QList<Holiday>, listed);
        QFETCH(Holiday, added);
        QFETCH(qsizetype, at);

        PageFixture f;
        f.schedule.SetCalendar(listed, {});
        f.AddHoliday(added);
        const QList<Holiday> expected = WithHoliday(listed, at, added);
        QCOMPARE(f.schedule.Model().Holidays(), expected);
        QCOMPARE(f.schedule.GetCelString(), EncodeHolidays(expected));
        QCOMPARE(f.Rows("ListCel"), HolidayRows(expected));
    }

    // The day cannot go past the month's last day, down or up again, so
    // a date the month does not have is never added.
    void dayFollowsMonth()
    {
        PageFixture f;
        auto* month = f.Get<QComboBox>("ComboM");
        auto* day = f.Get<QSpinBox>("SpinD");
        day->setValue(31);

        month->setCurrentText(QStringLiteral("февраль"));
        QCOMPARE(day->maximum(), 29);
        QCOMPARE(day->value(), 29);
        month->setCurrentText(QStringLiteral("январь"));
        QCOMPARE(day->maximum(), 31);
        day->setValue(31);

        month->setCurrentText(QStringLiteral("апрель"));
        QCOMPARE(day->maximum(), 30);
        day->setValue(31);
        f.Get<QPushButton>("BtnInsCel")->click();
        QVERIFY(!f.schedule.Model().Holidays().contains(Holiday({4, 31})));
        QVERIFY(f.schedule.Model().Holidays().contains(Holiday({4, 30})));

        const QList<Holiday> before = f.schedule.Model().Holidays();
        QVERIFY(!f.schedule.InsertHoliday({4, 31}));
        QCOMPARE(f.schedule.Model().Holidays(), before);
        QCOMPARE(f.Rows("ListCel"), HolidayRows(before));
    }

    // At sixteen rows "Добавить" goes grey; deleting a row or the default
    // set brings it back. "Удалить" is there only for a selection, and
    // every change of the list leaves nothing selected.
    void holidayCapacity()
    {
        PageFixture f;
        f.schedule.SetCalendar(DefaultHolidays(), {{Today, 6}});
        for (const Holiday& holiday : {Holiday{8, 1}, Holiday{8, 2}, Holiday{8, 3}})
            f.AddHoliday(holiday);
        QVERIFY(f.Enabled("BtnInsCel"));
        f.AddHoliday({8, 4});
        QCOMPARE(f.Rows("ListCel").size(), MaxHolidays);
        QVERIFY(!f.Enabled("BtnInsCel"));
        QVERIFY(!f.schedule.InsertHoliday({9, 1}));

        f.Select("ListCel", {3});
        QVERIFY(f.Enabled("BtnDelCel"));
        f.Get<QPushButton>("BtnDelCel")->click();
        QCOMPARE(f.Rows("ListCel").size(), MaxHolidays - 1);
        QVERIFY(f.Enabled("BtnInsCel"));
        QVERIFY(!f.Enabled("BtnDelCel"));

        f.AddHoliday({8, 5});
        f.Select("ListCel", {0});
        f.Get<QPushButton>("BtnTemplet")->click();
        QCOMPARE(f.Rows("ListCel"), HolidayRows(DefaultHolidays()));
        QCOMPARE(f.schedule.Model().Holidays(), DefaultHolidays());
        QCOMPARE(f.schedule.Model().Transfers(), (QList<Transfer>{{Today, 6}}));
        QVERIFY(f.Enabled("BtnInsCel"));
        QVERIFY(!f.Enabled("BtnDelCel"));
    }

    void deleteSeveralHolidays()
    {
        PageFixture f;
        f.Select("ListCel", {0, 6, 11, 7});
        f.Get<QPushButton>("BtnDelCel")->click();
        QList<Holiday> expected = DefaultHolidays();
        for (qsizetype row : {11, 7, 6, 0})
            expected.removeAt(row);
        QCOMPARE(f.schedule.Model().Holidays(), expected);
        QCOMPARE(f.Rows("ListCel"), HolidayRows(expected));
    }

    // The picker offers nothing before the page's day nor after what the
    // transfer block can hold, and a date that became the past while the
    // page stayed open is replaced by today.
    void transferDates()
    {
        PageFixture f;
        auto* picker = f.Get<QDateEdit>("DTPTrans");
        QVERIFY(picker->calendarPopup());
        QCOMPARE(picker->date(), Today);
        picker->setDate(Today.addDays(-1));
        QCOMPARE(picker->date(), Today);
        picker->setDate(QDate(2100, 1, 1));
        QCOMPARE(picker->date(), QDate(2099, 12, 31));

        f.clock = Today.addDays(2);
        picker->setDate(Today.addDays(1));
        QCOMPARE(picker->date(), Today.addDays(2));
        picker->setDate(Today.addDays(3));
        QCOMPARE(picker->date(), Today.addDays(3));
    }

    // Transfers go in date order; one on a date already listed goes in
    // front of it.
    void transferInsertion_data()
    {
        QTest::addColumn<QList<Transfer>>("added");
        QTest::addColumn<QList<Transfer>>("listed");

        const Transfer early{Today.addDays(1), 6};
        const Transfer late{Today.addDays(40), 1};
        const Transfer lateHoliday{Today.addDays(40), 8};
        const Transfer latest{QDate(2099, 12, 31), 7};
        QTest::newRow("in order") << QList{early, late} << QList{early, late};
        QTest::newRow("earlier after later") << QList{late, latest, early} << QList{early, late, latest};
        QTest::newRow("same date") << QList{late, lateHoliday} << QList{lateHoliday, late};
        QTest::newRow("same date between") << QList{early, late, latest, lateHoliday}
                                           << QList{early, lateHoliday, late, latest};
    }

    void transferInsertion()
    {
        QFETCH(QList<Transfer>, added);
        QFETCH(QList<Transfer>, listed);

        PageFixture f;
        for (const Transfer& transfer : added)
            f.AddTransfer(transfer);
        QCOMPARE(f.schedule.Model().Transfers(), listed);
        QCOMPARE(f.schedule.GetTransferString(), EncodeTransfers(listed));
        QList<QStringList> rows;
        for (const Transfer& transfer : listed)
            rows.append({transfer.Date.toString(QStringLiteral("dd.MM.yyyy")), DayTypeLongName(transfer.DayType)});
        QCOMPARE(f.Rows("ListTransfer"), rows);
    }

    void transferCapacity()
    {
        PageFixture f;
        for (const Transfer& transfer : SixteenTransfers())
            f.AddTransfer(transfer);
        QCOMPARE(f.Rows("ListTransfer").size(), MaxTransfers);
        QVERIFY(!f.Enabled("BtnInsTrans"));
        QVERIFY(!f.schedule.InsertTransfer({Today, 2}));

        f.Select("ListTransfer", {0, 15});
        QVERIFY(f.Enabled("BtnDelTrans"));
        f.Get<QPushButton>("BtnDelTrans")->click();
        QCOMPARE(f.schedule.Model().Transfers(), SixteenTransfers().mid(1, MaxTransfers - 2));
        QVERIFY(f.Enabled("BtnInsTrans"));
        QVERIFY(!f.Enabled("BtnDelTrans"));
    }

    // Whatever replaces the calendar shows at once, with the buttons as
    // after any change of a list; the rows stay as stored.
    void pageFollowsSchedule()
    {
        PageFixture f;
        f.Select("ListCel", {1});
        f.schedule.SetCelString(EncodeHolidays({{12, 31}, {1, 1}}));
        QCOMPARE(f.Rows("ListCel"), (QList<QStringList>{{"декабрь", "31"}, {"январь", "1"}}));
        QVERIFY(!f.Enabled("BtnDelCel"));

        QVERIFY(f.schedule.SetTransferString(EncodeTransfers({{QDate(2026, 11, 2), 8}, {QDate(2025, 3, 3), 6}}))
                    .isEmpty());
        QCOMPARE(f.Rows("ListTransfer"),
            (QList<QStringList>{{"02.11.2026", "праздник"}, {"03.03.2025", "суббота"}}));

        TscContent file;
        file.holidayBlock = EncodeHolidays(QList<Holiday>(MaxHolidays, Holiday{5, 9}));
        file.transferBlock = EncodeTransfers(SixteenTransfers());
        file.limitCoefficient = 4;
        f.Select("ListCel", {0});
        f.Select("ListTransfer", {0});
        QVERIFY(f.schedule.Load(file).isEmpty());
        QCOMPARE(f.Rows("ListCel"), HolidayRows(QList<Holiday>(MaxHolidays, Holiday{5, 9})));
        QCOMPARE(f.Rows("ListTransfer").size(), MaxTransfers);
        QVERIFY(!f.Enabled("BtnInsCel") && !f.Enabled("BtnDelCel"));
        QVERIFY(!f.Enabled("BtnInsTrans") && !f.Enabled("BtnDelTrans"));
        QCOMPARE(f.Get<QSpinBox>("SpinLimit")->value(), 4);

        f.schedule.New();
        QCOMPARE(f.Rows("ListCel"), HolidayRows(DefaultHolidays()));
        QCOMPARE(f.Rows("ListTransfer"), QList<QStringList>());
        QVERIFY(f.Enabled("BtnInsCel") && f.Enabled("BtnInsTrans"));
        QCOMPARE(f.Get<QSpinBox>("SpinLimit")->value(), 4);
    }

    // A change of the coefficient alone leaves the lists and the operator's
    // selection in them as they are.
    void coefficientKeepsSelection()
    {
        PageFixture f;
        f.AddTransfer({Today, 3});
        f.Select("ListCel", {2, 4});
        f.Select("ListTransfer", {0});
        f.schedule.SetLimitCoefficient(9);
        QCOMPARE(f.Get<QSpinBox>("SpinLimit")->value(), 9);
        QCOMPARE(f.Get<QTreeWidget>("ListCel")->selectedItems().size(), 2);
        QCOMPARE(f.Get<QTreeWidget>("ListTransfer")->selectedItems().size(), 1);
        QVERIFY(f.Enabled("BtnDelCel") && f.Enabled("BtnDelTrans"));
    }

    // The schedule takes the coefficient when editing finishes (Enter, the
    // arrows, or the schedule leaving for a file or the meter), and then
    // exactly what the field shows: a text that is no coefficient shows as
    // 1, the lowest. Typing alone changes nothing yet.
    void coefficientTakenWhenTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("finish");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("coefficient");
        QTest::newRow("typed, still typing") << "7" << "" << "7" << 4;
        QTest::newRow("typed, Enter") << "7" << "enter" << "7" << 7;
        QTest::newRow("typed, schedule leaves") << "7" << "leave" << "7" << 7;
        QTest::newRow("emptied, still typing") << "" << "" << "" << 4;
        QTest::newRow("emptied, Enter") << "" << "enter" << "1" << 1;
        QTest::newRow("emptied, schedule leaves") << "" << "leave" << "1" << 1;
        QTest::newRow("0, Enter") << "0" << "enter" << "1" << 1;
        QTest::newRow("0, schedule leaves") << "0" << "leave" << "1" << 1;
        QTest::newRow("arrow up") << "" << "up" << "5" << 5;
    }
    void coefficientTakenWhenTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, finish);
        QFETCH(QString, shown);
        QFETCH(int, coefficient);
        PageFixture f;
        auto* spin = f.Get<QSpinBox>("SpinLimit");
        f.schedule.SetLimitCoefficient(4);
        if (finish == "up") {
            QTest::keyClick(spin, Qt::Key_Up);
        } else {
            spin->selectAll();
            QTest::keyClick(spin, Qt::Key_Backspace);
            TypeText(spin, typed);
        }
        if (finish == "enter")
            QTest::keyClick(spin, Qt::Key_Return);
        else if (finish == "leave")
            f.schedule.FinishEditing();
        QCOMPARE(spin->findChild<QLineEdit*>()->text(), shown);
        QCOMPARE(f.schedule.Model().LimitCoefficient(), coefficient);
    }

    // A change of the lists leaves a coefficient being typed alone; a new
    // coefficient of the schedule shows at once, also in an emptied field.
    void coefficientFieldFollowsTheSchedule()
    {
        PageFixture f;
        auto* spin = f.Get<QSpinBox>("SpinLimit");
        auto* field = spin->findChild<QLineEdit*>();
        spin->selectAll();
        TypeText(spin, QStringLiteral("9"));
        f.AddHoliday({10, 1});
        QCOMPARE(field->text(), QStringLiteral("9"));

        f.schedule.SetLimitCoefficient(4);
        QCOMPARE(field->text(), QStringLiteral("4"));
        spin->selectAll();
        QTest::keyClick(spin, Qt::Key_Backspace);
        f.schedule.SetLimitCoefficient(12);
        QCOMPARE(field->text(), QStringLiteral("12"));
    }

    // In the room the main window gives the page every control shows whole,
    // with both lists and the coefficient filled.
    void fitsTheWindow()
    {
        PageFixture f;
        for (const Holiday& holiday : {Holiday{1, 8}, Holiday{5, 2}, Holiday{6, 13}, Holiday{11, 7}})
            f.AddHoliday(holiday);
        for (const Transfer& transfer : {Transfer{Today.addDays(5), 6}, Transfer{Today.addDays(61), 1},
                 Transfer{Today.addDays(120), 8}, Transfer{Today.addDays(267), 5}, Transfer{Today.addDays(300), 7}})
            f.AddTransfer(transfer);
        f.Get<QSpinBox>("SpinLimit")->setValue(4);
        f.page.resize(PageSize);
        f.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.page));

        QLabel* explanation = nullptr;
        for (QWidget* control : f.page.findChildren<QWidget*>()) {
            auto* label = qobject_cast<QLabel*>(control);
            if (label && label->wordWrap())
                explanation = label;
            if (!label && (control->objectName().isEmpty() || control->objectName().startsWith("qt_")))
                continue;
            const QSize hint = control->minimumSizeHint();
            QVERIFY2(control->width() >= hint.width() && control->height() >= hint.height(),
                qPrintable(control->objectName() + " " + control->metaObject()->className()));
            const QRect shown(control->mapTo(&f.page, QPoint()), control->size());
            QVERIFY2(f.page.rect().contains(shown), qPrintable(control->objectName()));
        }
        QVERIFY(explanation);
        QVERIFY(explanation->height() >= explanation->heightForWidth(explanation->width()));
        SaveScreenshot(f.page, QStringLiteral("calendar_page"));
    }
};

QTEST_MAIN(TestCalendarPage)
#include "tst_calendar_page.moc"
