// The tabs "Установка", "Параметры PLC" and "База данных" as the operator
// finds them; what their controls write into the station's prepared values
// and show of them; the password edits; the pickers that follow the clock;
// the short report's save question; and whether every tab fits the window.

#include "form_fixture.h"
#include "opened_urls.h"

#include "window/main/qt_dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTimer>

namespace {

// What the operator reads as a control's name: a button's own text, or
// the label that names it.
QString CaptionOf(TFormMain& form, QWidget* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    for (QLabel* label : form.findChildren<QLabel*>())
        if (label->buddy() == control)
            return label->text();
    return {};
}

QString GroupOf(QWidget* control)
{
    for (QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget())
        if (auto* group = qobject_cast<QGroupBox*>(parent))
            return group->title();
    return {};
}

// The controls laid out side by side in a page or group: each one given
// the size it needs, inside its container, none over another.
QStringList CrampedControls(QWidget* container)
{
    QList<QWidget*> laidOut;
    for (QWidget* widget : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (widget->isVisibleTo(container))
            laidOut << widget;
    const auto name = [](QWidget* widget) {
        auto* label = qobject_cast<QLabel*>(widget);
        return label ? label->text() : widget->objectName();
    };
    QStringList cramped;
    for (QWidget* widget : laidOut) {
        const QSize needed = widget->minimumSizeHint();
        if (widget->width() < needed.width() || widget->height() < needed.height()
            || !container->rect().contains(widget->geometry()))
            cramped << name(widget) + QStringLiteral(" squeezed");
    }
    for (int a = 0; a < laidOut.size(); ++a)
        for (int b = a + 1; b < laidOut.size(); ++b)
            if (laidOut[a]->geometry().intersects(laidOut[b]->geometry()))
                cramped << name(laidOut[a]) + QStringLiteral(" over ") + name(laidOut[b]);
    return cramped;
}

} // namespace

class TestWriteTabs : public QObject {
    Q_OBJECT

private slots:
    void captions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("group");

        const QString task = QStringLiteral(" Установки для записи ");
        QTest::newRow("CheckTime") << "CheckTime" << "Установить время" << task;
        QTest::newRow("CheckShedule") << "CheckShedule" << "Установить расч. день и час" << task;
        QTest::newRow("CheckIndi") << "CheckIndi" << "Установить индикацию" << task;
        QTest::newRow("CheckIntegra") << "CheckIntegra" << "Установить интегр. пик. мощности" << task;
        QTest::newRow("CheckPassword") << "CheckPassword" << "Записать новый пароль" << task;
        QTest::newRow("CheckDDM") << "CheckDDM" << "Записать № и режим ДДМ" << task;
        QTest::newRow("CheckResetTariff") << "CheckResetTariff" << "Сброс тарифного расписания" << task;
        QTest::newRow("CheckResetRdh") << "CheckResetRdh" << "Сброс показаний на РДЧ" << task;
        QTest::newRow("DatePicker") << "DatePicker" << "" << " Время  ";
        QTest::newRow("TimePicker") << "TimePicker" << "" << " Время  ";
        QTest::newRow("CheckBoxClock") << "CheckBoxClock" << "Автопереход на летнее время" << " Время  ";
        QTest::newRow("SpinEdit_Number") << "SpinEdit_Number" << "№ :" << " Номер ";
        QTest::newRow("BitBtn1") << "BitBtn1" << "+" << " Номер ";
        QTest::newRow("SpinDay") << "SpinDay" << "Расчетный день:" << " РДЧ ";
        QTest::newRow("SpinHour") << "SpinHour" << "Расчетный час:" << " РДЧ ";
        QTest::newRow("SpinIntegra") << "SpinIntegra" << "Время интегрирования (мин): " << " Пиковая мощность ";
        QTest::newRow("LabeledPass1") << "LabeledPass1" << "Пароль для доступа : " << " Новый пароль ";
        QTest::newRow("CheckSetIndi") << "CheckSetIndi" << "" << " Индикация ";
        QTest::newRow("SpinDDM") << "SpinDDM" << "№ :" << " ДДМ ";
        QTest::newRow("ComboTarifDDM") << "ComboTarifDDM" << "Режим тарификации:" << " ДДМ ";

        const QString address = QStringLiteral(" Группа и адрес ");
        const QString routes = QStringLiteral(" Маршруты ретрансляции ");
        QTest::newRow("EditGroup") << "EditGroup" << "Группа : " << address;
        QTest::newRow("EditAddress") << "EditAddress" << "Адрес : " << address;
        QTest::newRow("SpinGroup") << "SpinGroup" << "Группа:" << address;
        QTest::newRow("SpinAddress") << "SpinAddress" << "Адрес:" << address;
        QTest::newRow("BtnWriteAddress") << "BtnWriteAddress" << "Записать" << address;
        QTest::newRow("ListRoute") << "ListRoute" << "" << routes;
        QTest::newRow("SpinRoute") << "SpinRoute" << "Маршрут:" << routes;
        QTest::newRow("SpinAddrRep") << "SpinAddrRep" << "Адрес ретранслятора:" << routes;
        QTest::newRow("EditNumb") << "EditNumb" << "Номер для записи:" << routes;
        QTest::newRow("BtnWriteRoute") << "BtnWriteRoute" << "Записать" << routes;
        QTest::newRow("ButtonDelRoute") << "ButtonDelRoute" << "Удалить" << routes;

        QTest::newRow("SpinFilter") << "SpinFilter" << "Номер:" << "";
        QTest::newRow("LabeledPass2") << "LabeledPass2" << "Пароль для доступа : " << "";
    }

    void captions()
    {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QString, group);
        FormFixture fixture;
        auto form = fixture.Open();
        auto* widget = form->findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(CaptionOf(*form, widget), caption);
        QCOMPARE(GroupOf(widget), group);
    }

    void spinBoxes_data()
    {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("initial");

        QTest::newRow("SpinEdit_Number") << "SpinEdit_Number" << 0 << 16777215 << 0; // typing stops at six digits (below)
        QTest::newRow("SpinDay") << "SpinDay" << 1 << 31 << 1;
        QTest::newRow("SpinHour") << "SpinHour" << 0 << 23 << 0;
        QTest::newRow("SpinIntegra") << "SpinIntegra" << 1 << 60 << 1;
        QTest::newRow("SpinDDM") << "SpinDDM" << 0 << 16777215 << 0;
        QTest::newRow("SpinGroup") << "SpinGroup" << 0 << 255 << 0;
        QTest::newRow("SpinAddress") << "SpinAddress" << 0 << 255 << 0;
        QTest::newRow("SpinRoute") << "SpinRoute" << 0 << 3 << 0;
        QTest::newRow("SpinAddrRep") << "SpinAddrRep" << 0 << 255 << 0;
        QTest::newRow("SpinFilter") << "SpinFilter" << 0 << 99999999 << 0;
    }

    void spinBoxes()
    {
        QFETCH(QString, spin);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, initial);
        FormFixture fixture;
        auto form = fixture.Open();
        auto* box = form->findChild<QSpinBox*>(spin);
        QVERIFY(box);
        QCOMPARE(box->minimum(), minimum);
        QCOMPARE(box->maximum(), maximum);
        QCOMPARE(box->value(), initial);
    }

    void startState()
    {
        FormFixture fixture;
        QFile log(fixture.startDir.filePath(QStringLiteral("Setting_Vm_742.log")));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("000000[01.01.2024 10:00:00] an entry of an earlier run\r\n");
        log.close();
        auto form = fixture.Open();
        for (QCheckBox* box : Find<QGroupBox>(*form, "GroupTask")->findChildren<QCheckBox*>())
            QCOMPARE(box->isChecked(), box->objectName() == QStringLiteral("CheckTime"));
        QVERIFY(!Find<QCheckBox>(*form, "CheckBoxClock")->isChecked());

        auto* date = Find<QDateEdit>(*form, "DatePicker");
        QCOMPARE(date->displayFormat(), QStringLiteral("ddd d MMMM yyyy"));
        QCOMPARE(date->date(), QDate::currentDate());
        QVERIFY(qAbs(Find<QTimeEdit>(*form, "TimePicker")->time().secsTo(QTime::currentTime())) <= 2);

        auto* modes = Find<QComboBox>(*form, "ComboTarifDDM");
        QVERIFY(!modes->isEditable());
        QStringList items;
        for (int i = 0; i < modes->count(); ++i)
            items << modes->itemText(i);
        QCOMPARE(items, (QStringList{"авто", "  1", "  2", "  3", "  4", "  5", "  6", "  7", "  8"}));
        QCOMPARE(modes->currentIndex(), 0);

        auto* indicator = Find<QListWidget>(*form, "CheckSetIndi");
        QStringList indicatorItems;
        for (int i = 0; i < indicator->count(); ++i) {
            indicatorItems << indicator->item(i)->text();
            QCOMPARE(indicator->item(i)->checkState(), Qt::Unchecked);
        }
        QCOMPARE(indicatorItems, (QStringList{"Суммарное потребление", "Потребление на РДЧ", "Дата", "Мощность",
                                              "Автопереключение индикации"}));
        QVERIFY(indicator->isEnabled());

        auto* routes = Find<QTableWidget>(*form, "ListRoute");
        QCOMPARE(routes->rowCount(), 4);
        QStringList headers;
        QList<int> widths;
        for (int c = 0; c < routes->columnCount(); ++c) {
            headers << routes->horizontalHeaderItem(c)->text();
            widths << routes->columnWidth(c);
        }
        QCOMPARE(headers, (QStringList{"№", "Адрес", "Номер"}));
        QCOMPARE(widths, (QList<int>{25, 50, 100}));
        for (int row = 0; row < 4; ++row) {
            QCOMPARE(routes->item(row, 0)->text(), QString::number(row));
            QCOMPARE(routes->item(row, 1)->text(), QString());
        }
        for (const char* shown : {"EditGroup", "EditAddress"})
            QVERIFY(Find<QLineEdit>(*form, shown)->isReadOnly());
        for (const char* button : {"BtnWriteAddress", "BtnWriteRoute", "ButtonDelRoute"})
            QVERIFY(!Find<QPushButton>(*form, button)->isEnabled());

        // A log from earlier runs is not shown until a number is asked for.
        auto* memo = Find<QTextEdit>(*form, "MemoDb");
        QVERIFY(memo->isReadOnly());
        QVERIFY(memo->toPlainText().isEmpty());
    }

    // Every operator change reaches the prepared values at once, and what
    // the core puts there shows on the controls.
    void controlsAndInputsAgree()
    {
        FormFixture fixture;
        fixture.settings.setValue("Master", 1);
        auto form = fixture.Open();
        WriteInputs& inputs = form->Core().inputs;
        const SettingsInputs& settings = inputs.settings;

        Find<QCheckBox>(*form, "CheckTime")->setChecked(false);
        Find<QCheckBox>(*form, "CheckResetRdh")->setChecked(true);
        auto* number = Find<QSpinBox>(*form, "SpinEdit_Number");
        QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier);
        TypeText(number, QStringLiteral("12345678"));
        Find<QCheckBox>(*form, "CheckBoxClock")->setChecked(true);
        Find<QSpinBox>(*form, "SpinDay")->setValue(31);
        Find<QSpinBox>(*form, "SpinHour")->setValue(23);
        Find<QSpinBox>(*form, "SpinIntegra")->setValue(60);
        Find<QSpinBox>(*form, "SpinDDM")->setValue(16777215);
        Find<QComboBox>(*form, "ComboTarifDDM")->setCurrentIndex(8);
        Find<QListWidget>(*form, "CheckSetIndi")->item(4)->setCheckState(Qt::Checked);
        TypeText(Find<QLineEdit>(*form, "LabeledPass2"), QStringLiteral("ключ"));
        TypeText(Find<QLineEdit>(*form, "LabeledPass1"), QStringLiteral("new"));
        Find<QSpinBox>(*form, "SpinGroup")->setValue(255);
        Find<QSpinBox>(*form, "SpinAddress")->setValue(1);
        Find<QSpinBox>(*form, "SpinRoute")->setValue(3);
        Find<QSpinBox>(*form, "SpinAddrRep")->setValue(200);
        TypeText(Find<QLineEdit>(*form, "EditNumb"), QStringLiteral("7x"));

        QVERIFY(!settings.checkTime);
        QVERIFY(settings.checkResetRdh);
        // At most six digits are typed into the number.
        QCOMPARE(settings.number, 123456);
        QVERIFY(settings.dst);
        QCOMPARE(settings.day, 31);
        QCOMPARE(settings.hour, 23);
        QCOMPARE(settings.integra, 60);
        QCOMPARE(settings.ddmNumber, 16777215u);
        QCOMPARE(settings.ddmMode, 8);
        QCOMPARE(settings.indicator, (std::array<bool, 5>{false, false, false, false, true}));
        QCOMPARE(settings.accessPassword, QStringLiteral("ключ"));
        QCOMPARE(settings.newPassword, QStringLiteral("new"));
        const PlcInputs& plc = inputs.plc;
        QCOMPARE(plc.group, 255);
        QCOMPARE(plc.address, 1);
        QCOMPARE(plc.route, 3);
        QCOMPARE(plc.repeaterAddress, 200);
        QCOMPARE(plc.repeaterNumber, QStringLiteral("7x"));

        inputs.settings.checkResetRdh = false;
        inputs.settings.day = 2;
        inputs.settings.number = 654321;
        inputs.settings.indicator = {true, false, false, true, false};
        inputs.settings.ddmMode = 0;
        inputs.settings.accessPassword = QStringLiteral("abc");
        inputs.plc.repeaterNumber = QStringLiteral("12");
        inputs.NotifyChanged();
        QVERIFY(!Find<QCheckBox>(*form, "CheckResetRdh")->isChecked());
        QCOMPARE(Find<QSpinBox>(*form, "SpinDay")->value(), 2);
        QCOMPARE(Find<QSpinBox>(*form, "SpinEdit_Number")->value(), 654321);
        auto* indicator = Find<QListWidget>(*form, "CheckSetIndi");
        QCOMPARE(indicator->item(0)->checkState(), Qt::Checked);
        QCOMPARE(indicator->item(3)->checkState(), Qt::Checked);
        QCOMPARE(indicator->item(4)->checkState(), Qt::Unchecked);
        QCOMPARE(Find<QComboBox>(*form, "ComboTarifDDM")->currentIndex(), 0);
        auto* access = Find<QLineEdit>(*form, "LabeledPass2");
        QCOMPARE(access->text(), QStringLiteral("abc"));
        QCOMPARE(access->toolTip(), QStringLiteral("61 62 63 00 00 00 "));
        QCOMPARE(Find<QLineEdit>(*form, "EditNumb")->text(), QStringLiteral("12"));
        // Showing the core's values changed none of them.
        QCOMPARE(settings.day, 2);
        QCOMPARE(settings.number, 654321);
    }

    // The pickers follow the workstation clock until the operator changes
    // them, and again after the meter state is reset.
    void pickersFollowTheClockUntilEdited()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        const SettingsInputs& settings = form->Core().inputs.settings;
        auto* time = Find<QTimeEdit>(*form, "TimePicker");
        const QTime started = time->time();
        QTRY_VERIFY_WITH_TIMEOUT(time->time() != started, 3000);
        QVERIFY(!settings.timeEdited);
        QVERIFY(!settings.dateEdited);
        QCOMPARE(settings.time, time->time());

        // The hour does not wrap, so step it away from the end it is at:
        // an Up at 23 h would change nothing.
        time->setFocus();
        time->setCurrentSection(QDateTimeEdit::HourSection);
        QTest::keyClick(time, time->time().hour() < 12 ? Qt::Key_Up : Qt::Key_Down);
        QVERIFY(settings.timeEdited);
        const QTime edited = time->time();
        QCOMPARE(settings.time, edited);
        QTest::qWait(1200);
        QCOMPARE(time->time(), edited);

        auto* date = Find<QDateEdit>(*form, "DatePicker");
        date->setDate(QDate(2030, 6, 1));
        QVERIFY(settings.dateEdited);
        QCOMPARE(settings.date, QDate(2030, 6, 1));

        form->Link().ResetMeterState();
        QTRY_COMPARE(date->date(), QDate::currentDate());
        QTRY_VERIFY(qAbs(time->time().secsTo(QTime::currentTime())) <= 1);
    }

    // Each password edit holds at most six characters of the meter's code
    // page, and its hint shows the bytes sent.
    void passwordEdits_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");

        for (const char* edit : {"LabeledPass2", "LabeledPass1"}) {
            QTest::addRow("%s nothing", edit) << edit << "" << "" << "00 00 00 00 00 00";
            QTest::addRow("%s digits", edit) << edit << "12" << "12" << "31 32 00 00 00 00 ";
            QTest::addRow("%s Cyrillic, cut at six", edit) << edit << "Пароль1" << "Пароль" << "CF E0 F0 EE EB FC ";
            QTest::addRow("%s outside the code page", edit) << edit << "aä中b€" << "ab€" << "61 62 88 00 00 00 ";
        }
    }

    void passwordEdits()
    {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        FormFixture fixture;
        auto form = fixture.Open();
        auto* line = form->findChild<QLineEdit*>(edit);
        TypeText(line, typed);
        QCOMPARE(line->text(), text);
        QCOMPARE(line->toolTip(), hint);
    }

    void passwordHintAfterErasing()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        auto* line = Find<QLineEdit>(*form, "LabeledPass2");
        TypeText(line, QStringLiteral("1"));
        QTest::keyClick(line, Qt::Key_Backspace);
        QCOMPARE(line->toolTip(), QStringLiteral("00 00 00 00 00 00 "));
    }

    // A report that is not wanted or cannot be saved is not opened; the
    // failure is told with its reason.
    void shortReportNotSaved_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("cancelled") << true;
        QTest::newRow("folder missing") << false;
    }

    void shortReportNotSaved()
    {
        QFETCH(bool, cancelled);
        FormFixture fixture;
        if (!cancelled)
            fixture.dialogs.saveFile = fixture.startDir.filePath(QStringLiteral("missing/report.txt"));
        auto form = fixture.Open();
        OpenedUrls opened({QStringLiteral("file")});
        form->Link().EnableMeterCommands(true);

        Find<QAction>(*form, "ActionTxt")->trigger();
        QCOMPARE(fixture.dialogs.saveQuestions, QStringList{"Текстовые файлы (*.txt); txt"});
        QVERIFY(opened.urls.isEmpty());
        QCOMPARE(fixture.dialogs.messages.size(), cancelled ? 0 : 1);
        if (!cancelled)
            QVERIFY(fixture.dialogs.messages[0].startsWith(QStringLiteral("Ошибка: ")));
    }

    // The real save dialog: the report's filter and suffix, and an existing
    // file taken without a question.
    void saveDialogReplacesWithoutAsking()
    {
        FormFixture fixture;
        fixture.CreateFile(QStringLiteral("report.txt"));
        const QString existing = fixture.startDir.filePath(QStringLiteral("report.txt"));
        QStringList filters;
        QString suffix;
        bool asksToReplace = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            asksToReplace = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            dialog->selectFile(fixture.startDir.filePath(QStringLiteral("report")));
            // A question would block here; answer it by cancelling instead.
            asksToReplace ? dialog->reject() : static_cast<QDialog*>(dialog)->accept();
        });
        QtDialogs dialogs;
        const QString chosen = dialogs.AskSaveFile(QStringLiteral("Текстовые файлы (*.txt)"), QStringLiteral("txt"));
        QCOMPARE(filters, QStringList{"Текстовые файлы (*.txt)"});
        QCOMPARE(suffix, QStringLiteral("txt"));
        QVERIFY(!asksToReplace);
        QCOMPARE(QFileInfo(chosen), QFileInfo(existing));
    }

    void tabsFit_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::newRow("Установка") << "TabSheet1";
        QTest::newRow("Параметры PLC") << "TabPlc";
        QTest::newRow("База данных") << "TabDb";
    }

    void tabsFit()
    {
        QFETCH(QString, tab);
        FormFixture fixture;
        fixture.settings.setValue("Master", 1);
        auto form = fixture.Open();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* page = form->findChild<QWidget*>(tab);
        Find<QTabWidget>(*form, "PageControl1")->setCurrentWidget(page);
        QStringList cramped = CrampedControls(page);
        for (QGroupBox* group : page->findChildren<QGroupBox*>())
            cramped << CrampedControls(group);
        QVERIFY2(cramped.isEmpty(), qPrintable(cramped.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(TestWriteTabs)
#include "tst_write_tabs.moc"
