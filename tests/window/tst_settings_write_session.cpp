// Writing to the simulated meter through the window, as the operator does
// it: the tab "Установка" with "Записать", the tab "Параметры PLC" with its
// buttons, the result indicator, what the poll shows afterwards, the
// operation log on disk and on the tab "База данных", and the short report.

#include "session_fixture.h"

#include "window/main/indicator_shape.h"
#include "opened_urls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolButton>

namespace {

const QString Lime = QColor(0, 255, 0).name();
const QString Red = QColor(255, 0, 0).name();

// The colour Shape1 shows, empty while hidden.
QString ShownIndicator(TFormMain& form)
{
    auto* shape = Find<IndicatorShape>(form, "Shape1");
    return shape->isVisible() ? shape->Color().name() : QString();
}

// The entry texts of the log lines headed by `number`, in file order.
QStringList EntryTexts(const QStringList& lines, const QString& number)
{
    const QRegularExpression entry(QStringLiteral("^%1\\[[^\\]]+\\] (.*)$").arg(number));
    QStringList texts;
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = entry.match(line);
        texts << (match.hasMatch() ? match.captured(1) : QStringLiteral("unexpected line: ") + line);
    }
    return texts;
}

QList<int> TickedItems(QListWidget* list)
{
    QList<int> ticked;
    for (int item = 0; item < list->count(); ++item)
        if (list->item(item)->checkState() == Qt::Checked)
            ticked << item;
    return ticked;
}

void Tick(TFormMain& form, const char* box)
{
    Find<QCheckBox>(form, box)->setChecked(true);
}

QString MainValue(TFormMain& form, int row)
{
    return Find<QTableWidget>(form, "ListMain")->item(row, 1)->text();
}

} // namespace

class TestSettingsWriteSession : public QObject {
    Q_OBJECT

private slots:
    // Every box of GroupTask ticked, on a meter with an access password:
    // the meter takes every value, the poll shows them, the log keeps them.
    void writesEverySetting()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        session.Meter().password = PasswordBytes(QStringLiteral("12ab"));
        session.ConnectAndPoll();

        TypeText(Find<QLineEdit>(form, "LabeledPass2"), QStringLiteral("12ab"));
        for (const char* box : {"CheckTime", "CheckShedule", "CheckIndi", "CheckIntegra", "CheckPassword", "CheckDDM",
                                "CheckResetTariff", "CheckResetRdh"})
            Tick(form, box);
        const QDate date(2024, 3, 5);
        Find<QDateEdit>(form, "DatePicker")->setDate(date);
        Find<QTimeEdit>(form, "TimePicker")->setTime(QTime(10, 20, 30));
        Tick(form, "CheckBoxClock");
        Find<QSpinBox>(form, "SpinDay")->setValue(17);
        Find<QSpinBox>(form, "SpinHour")->setValue(5);
        Find<QSpinBox>(form, "SpinIntegra")->setValue(15);
        TypeText(Find<QLineEdit>(form, "LabeledPass1"), QStringLiteral("Пр1"));
        auto* indicator = Find<QListWidget>(form, "CheckSetIndi");
        indicator->item(0)->setCheckState(Qt::Checked);
        indicator->item(2)->setCheckState(Qt::Checked);
        Find<QSpinBox>(form, "SpinDDM")->setValue(4321);
        Find<QComboBox>(form, "ComboTarifDDM")->setCurrentIndex(3);
        Find<QTabWidget>(form, "PageControl1")->setCurrentWidget(Find<QWidget>(form, "TabSheet1"));
        SaveScreenshot(form, QStringLiteral("setting_tab"));

        Find<QAction>(form, "ActionSetting")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(ShownIndicator(form), Lime, SessionTimeoutMs);
        // The meter state was reset: each row shows again as its read comes round.
        const QList<std::pair<int, QString>> shown{
            {MeterReadings::SettlementDayRow, "17"}, {MeterReadings::SettlementHourRow, "5"},
            {MeterReadings::IntegrationTimeRow, "15"}, {MeterReadings::DdmNumberRow, "4321"},
            {MeterReadings::DdmModeRow, "3"}, {MeterReadings::DstRow, "да"},
        };
        for (const auto& [row, value] : shown)
            QTRY_COMPARE_WITH_TIMEOUT(MainValue(form, row), value, SessionTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(
            MainValue(form, MeterReadings::ClockRow).startsWith(QLocale().toString(date, QLocale::ShortFormat)),
            SessionTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(TickedItems(Find<QListWidget>(form, "CheckListIndi")), (QList<int>{0, 2}),
                                  SessionTimeoutMs);
        QCOMPARE(session.Meter().schedule.Checksum(), EmptyScheduleChecksum);
        QTRY_COMPARE_WITH_TIMEOUT(MainValue(form, MeterReadings::ScheduleChecksumRow),
                                  QString::number(EmptyScheduleChecksum), SessionTimeoutMs);
        QCOMPARE(session.Meter().settlementReadings[0], 0.0);
        // The next login takes the new password.
        QCOMPARE(session.Meter().password, PasswordBytes(QStringLiteral("Пр1")));
        auto* access = Find<QLineEdit>(form, "LabeledPass2");
        QCOMPARE(access->text(), QStringLiteral("Пр1"));
        QCOMPARE(access->toolTip(), QStringLiteral("CF F0 31 00 00 00 "));
        QVERIFY(session.dialogs.messages.isEmpty());

        const QStringList lines = session.LogLines();
        const QStringList texts = EntryTexts(lines, QStringLiteral("104217"));
        QCOMPARE(texts.size(), 7);
        QVERIFY2(texts[0].startsWith(QStringLiteral("Время=")), qPrintable(texts[0]));
        QVERIFY2(texts[0].endsWith(QStringLiteral(" Автопереход на летнее время")), qPrintable(texts[0]));
        QCOMPARE(texts.mid(1), (QStringList{
            QStringLiteral("Пароль=Пр1"),
            QStringLiteral("Расчетный день=17 Расчетный час=5"),
            QStringLiteral("Режим индикации=Суммарное потребление Дата "),
            QStringLiteral("Время интегрирования детектора пиковой можщности=15"),
            QStringLiteral("ДДМ=4321 Режим тарификации=  3"),
            QStringLiteral("Сброс показаний на РЧД"),
        }));

        // The tab "База данных" shows the entries of the number asked for.
        auto* memo = Find<QTextEdit>(form, "MemoDb");
        QVERIFY(memo->toPlainText().isEmpty());
        Find<QSpinBox>(form, "SpinFilter")->setValue(104217);
        QStringList withoutNumbers;
        for (const QString& line : lines)
            withoutNumbers << line.mid(6);
        QCOMPARE(memo->toPlainText().split(QLatin1Char('\n')), withoutNumbers);
        Find<QSpinBox>(form, "SpinFilter")->setValue(104218);
        QVERIFY(memo->toPlainText().isEmpty());
    }

    // A wrong access password: the meter refuses the login, nothing is
    // written and nothing is logged.
    void wrongPasswordWritesNothing()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        session.Meter().password = PasswordBytes(QStringLiteral("123456"));
        session.ConnectAndPoll();

        TypeText(Find<QLineEdit>(form, "LabeledPass2"), QStringLiteral("654321"));
        Tick(form, "CheckShedule");
        Find<QSpinBox>(form, "SpinDay")->setValue(9);
        Find<QAction>(form, "ActionSetting")->trigger();

        QTRY_COMPARE_WITH_TIMEOUT(ShownIndicator(form), Red, SessionTimeoutMs);
        QCOMPARE(session.dialogs.messages,
                 QStringList{"Ошибка: Во время записи установок произошла ошибка. Описание смотрите на закладке "
                             "Протокол."});
        QCOMPARE(session.Meter().settlementDay, 1);
        QVERIFY(!QFile::exists(session.LogPath()));
    }

    // Where numbers are typed in, a meter without number gets the one typed,
    // with the power-line address derived from it; then the number is the
    // meter's own and can no longer be typed.
    void numbersAMeterWithoutNumber()
    {
        SessionFixture session;
        session.settings.setValue("Master", 1);
        TFormMain& form = session.Window();
        session.Meter().number = 0;
        session.ConnectAndPoll();
        QTRY_COMPARE_WITH_TIMEOUT(MainValue(form, MeterReadings::NumberRow), QStringLiteral("0"), SessionTimeoutMs);
        auto* number = Find<QSpinBox>(form, "SpinEdit_Number");
        QVERIFY(number->isEnabled());
        QVERIFY(Find<QToolButton>(form, "BitBtn1")->isEnabled());

        Find<QCheckBox>(form, "CheckTime")->setChecked(false);
        QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier);
        TypeText(number, QStringLiteral("123456"));
        Find<QAction>(form, "ActionSetting")->trigger();

        QTRY_COMPARE_WITH_TIMEOUT(ShownIndicator(form), Lime, SessionTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(MainValue(form, MeterReadings::NumberRow), QStringLiteral("123456"),
                                  SessionTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(Find<QLineEdit>(form, "EditGroup")->text(), QStringLiteral("34"), SessionTimeoutMs);
        QCOMPARE(Find<QLineEdit>(form, "EditAddress")->text(), QStringLiteral("56"));
        QVERIFY(!number->isEnabled());
        QVERIFY(!Find<QToolButton>(form, "BitBtn1")->isEnabled());
        QCOMPARE(EntryTexts(session.LogLines(), QStringLiteral("0")).value(0), QStringLiteral("Номер=123456"));
    }

    // Each reset of the meter state offers "+" again until the next meter
    // tells its number, and on "Установка" puts the number field in focus.
    void resetOffersTheNumberAgain()
    {
        SessionFixture session;
        session.settings.setValue("Master", 1);
        TFormMain& form = session.Window();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        Find<QTabWidget>(form, "PageControl1")->setCurrentIndex(1);
        session.ConnectAndPoll();
        auto* plus = Find<QToolButton>(form, "BitBtn1");
        auto* number = Find<QSpinBox>(form, "SpinEdit_Number");
        QVERIFY(!plus->isEnabled());
        QVERIFY(!number->isEnabled());

        Find<QAction>(form, "ActionReset")->trigger();
        QVERIFY(plus->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!plus->isEnabled(), SessionTimeoutMs);

        session.Meter().number = 0;
        QTRY_VERIFY_WITH_TIMEOUT(number->isEnabled(), SessionTimeoutMs);
        Find<QSpinBox>(form, "SpinDay")->setFocus();
        Find<QAction>(form, "ActionReset")->trigger();
        QVERIFY(number->hasFocus());
    }

    // A type-341 meter has no ДДМ: its box is unticked and stays disabled,
    // also after the meter is gone.
    void meterWithoutDdm()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        session.Window().Channels().Simulator().Meter().MakeType341();
        auto* ddm = Find<QCheckBox>(form, "CheckDDM");
        ddm->setChecked(true);
        session.ConnectAndPoll();

        QTRY_VERIFY_WITH_TIMEOUT(!ddm->isEnabled(), SessionTimeoutMs);
        QVERIFY(!ddm->isChecked());
        QVERIFY(!form.Core().inputs.settings.checkDdm);
        Find<QAction>(form, "ActionDisconnect")->trigger();
        QVERIFY(!ddm->isEnabled());
    }

    // The power-line tab writes the group and address, a route, and
    // deletes a route; each shows with the next poll and is logged.
    void writesPowerLineParameters()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        session.ConnectAndPoll();
        auto* routes = Find<QTableWidget>(form, "ListRoute");
        QTRY_COMPARE_WITH_TIMEOUT(routes->item(0, 2)->text(), QStringLiteral("200117"), SessionTimeoutMs);
        QCOMPARE(routes->item(0, 1)->text(), QStringLiteral("3"));
        QCOMPARE(Find<QLineEdit>(form, "EditGroup")->text(), QStringLiteral("1"));
        QCOMPARE(Find<QLineEdit>(form, "EditAddress")->text(), QStringLiteral("17"));

        Find<QSpinBox>(form, "SpinGroup")->setValue(7);
        Find<QSpinBox>(form, "SpinAddress")->setValue(9);
        QTest::mouseClick(Find<QPushButton>(form, "BtnWriteAddress"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(Find<QLineEdit>(form, "EditGroup")->text(), QStringLiteral("7"), SessionTimeoutMs);
        QCOMPARE(Find<QLineEdit>(form, "EditAddress")->text(), QStringLiteral("9"));

        Find<QSpinBox>(form, "SpinRoute")->setValue(2);
        Find<QSpinBox>(form, "SpinAddrRep")->setValue(5);
        TypeText(Find<QLineEdit>(form, "EditNumb"), QStringLiteral("70000"));
        QTRY_VERIFY_WITH_TIMEOUT(Find<QPushButton>(form, "BtnWriteRoute")->isEnabled(), SessionTimeoutMs);
        QTest::mouseClick(Find<QPushButton>(form, "BtnWriteRoute"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(routes->item(2, 2)->text(), QStringLiteral("70000"), SessionTimeoutMs);
        QCOMPARE(routes->item(2, 1)->text(), QStringLiteral("5"));

        Find<QSpinBox>(form, "SpinRoute")->setValue(0);
        QTRY_VERIFY_WITH_TIMEOUT(Find<QPushButton>(form, "ButtonDelRoute")->isEnabled(), SessionTimeoutMs);
        QTest::mouseClick(Find<QPushButton>(form, "ButtonDelRoute"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(routes->item(0, 1)->text(), QString(), SessionTimeoutMs);
        QCOMPARE(routes->item(0, 2)->text(), QString());

        QCOMPARE(EntryTexts(session.LogLines(), QStringLiteral("104217")), (QStringList{
            QStringLiteral("Plc-группа=7, Plc-адрес=9"),
            QStringLiteral("Plc-Маршрут=2, адрес=5, номер=70000"),
            QStringLiteral("Plc-Маршрут=0 удален"),
        }));
        Find<QTabWidget>(form, "PageControl1")->setCurrentWidget(Find<QWidget>(form, "TabPlc"));
        SaveScreenshot(form, QStringLiteral("plc_tab"));
    }

    // "Краткий отчет" saves what the window shows where the operator
    // chooses, and opens it.
    void shortReportOfTheShownMeter()
    {
        SessionFixture session;
        TFormMain& form = session.Window();
        session.ConnectAndPoll();
        auto* routes = Find<QTableWidget>(form, "ListRoute");
        QTRY_COMPARE_WITH_TIMEOUT(routes->item(0, 2)->text(), QStringLiteral("200117"), SessionTimeoutMs);
        OpenedUrls opened({QStringLiteral("file")});
        session.dialogs.saveFile = session.startDir.filePath(QStringLiteral("report.txt"));

        Find<QAction>(form, "ActionTxt")->trigger();
        QCOMPARE(session.dialogs.saveQuestions, QStringList{"Текстовые файлы (*.txt); txt"});
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(session.dialogs.saveFile)});
        const QStringList lines = Windows1251Lines(session.dialogs.saveFile);
        QVERIFY2(lines.contains(QStringLiteral("Заводской номер\t104217")), qPrintable(lines.join('|')));
        QVERIFY(lines.contains(QStringLiteral("Группа : \t1")));
        QCOMPARE(lines.last(), QStringLiteral("3\t200117"));
    }
};

QTEST_MAIN(TestSettingsWriteSession)
#include "tst_settings_write_session.moc"
