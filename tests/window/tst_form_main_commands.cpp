// The window's commands as the operator meets them (caption, hint,
// shortcut, image, enabled state at start, tool button and menu item), the
// menu, the port choice shared by ComboPort and NPort, connecting without
// a port, help, the modal dialogs, and the window's date and time pickers.

#include "form_fixture.h"
#include "opened_urls.h"

#include "window/common/help_file.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

QStringList ToolBarOrder(TFormMain& form)
{
    auto* bar = Find<QToolBar>(form, "ToolBar1");
    QStringList names;
    for (QAction* action : bar->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : bar->widgetForAction(action)->objectName());
    return names;
}

QStringList MenuOrder(QMenu* menu)
{
    QStringList names;
    for (QAction* action : menu->actions())
        names << (action->isSeparator() ? QStringLiteral("-")
                  : action->menu()      ? action->menu()->objectName()
                                        : action->objectName());
    return names;
}

// Runs `check` on the modal dialog once it is up, then closes it.
void WhenModal(std::function<void(QWidget*)> check)
{
    QTimer::singleShot(0, [check] {
        QWidget* dialog = QApplication::activeModalWidget();
        check(dialog);
        if (dialog)
            dialog->close();
    });
}

// Brings the pages holding the control to the front, as the operator's
// clicks on their tabs do.
void ShowPagesOf(QWidget* control)
{
    for (QWidget* page = control; page->parentWidget(); page = page->parentWidget())
        if (auto* pages = qobject_cast<QStackedWidget*>(page->parentWidget()))
            pages->setCurrentWidget(page);
}

// A click inside a section of the picker's text, away from its first
// character.
void ClickSection(QDateTimeEdit* picker, QDateTimeEdit::Section section)
{
    auto* text = picker->findChild<QLineEdit*>();
    picker->setCurrentSection(section);
    const QRect sectionStart = text->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    text->setCursorPosition(0);
    text->deselect();
    const QPoint inside(sectionStart.x() + text->fontMetrics().averageCharWidth() / 2 + 1, text->height() / 2);
    QTest::mouseClick(text, Qt::LeftButton, {}, inside);
}

} // namespace

class TestFormMainCommands : public QObject {
    Q_OBJECT

private slots:
    void commands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("toolButton");
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("menu");

        QTest::newRow("ActionConnect") << "ActionConnect" << "&Установить" << "Установить связь" << QKeySequence()
                                       << true << "ToolButton1" << "N3" << "N1";
        QTest::newRow("ActionDisconnect") << "ActionDisconnect" << "&Разорвать" << "Разорвать связь" << QKeySequence()
                                          << false << "ToolButton3" << "N4" << "N1";
        QTest::newRow("ActionSetting") << "ActionSetting" << "&Записать" << "Записать установки"
                                       << QKeySequence(Qt::Key_F12) << false << "ToolButton5" << "N7" << "N6";
        QTest::newRow("ActionReset") << "ActionReset" << "&Сброс" << "Сброс" << QKeySequence() << true << ""
                                     << "" << "";
        QTest::newRow("ActionNewSched") << "ActionNewSched" << "&Новое" << "Новое тарифное расписание"
                                        << QKeySequence() << true << "ToolButton12" << "N9" << "NSched";
        QTest::newRow("ActionLoadTariff") << "ActionLoadTariff" << "&Загрузить из файла"
                                          << "Загрузить тарифное расписание из файла" << QKeySequence() << true
                                          << "ToolButton14" << "N24" << "NSched";
        QTest::newRow("ActionSaveTariff") << "ActionSaveTariff" << "&Сохранить как файл"
                                          << "Сохранить тарифное расписание как файл" << QKeySequence() << true
                                          << "ToolButton15" << "N25" << "NSched";
        QTest::newRow("ActionWriteSched") << "ActionWriteSched" << "З&аписать в счетчик"
                                          << "Записать расписание в счетчик" << QKeySequence() << false
                                          << "ToolButton18" << "N28" << "NSched";
        QTest::newRow("ActionReadSched") << "ActionReadSched" << "&Прочитать из счетчика"
                                         << "Прочитать расписание из счетчика" << QKeySequence() << false
                                         << "ToolButton19" << "N29" << "NSched";
        QTest::newRow("ActionFixDb") << "ActionFixDb" << "Зафиксировать в Б&Д" << "Зафиксировать в БД"
                                     << QKeySequence() << false << "ToolButton2" << "N10" << "N6";
        QTest::newRow("ActionTxt") << "ActionTxt" << "Краткий отчет" << "Краткий отчет" << QKeySequence() << false
                                   << "ToolButton6" << "N12" << "N6";
    }

    void commands()
    {
        QFETCH(QString, command);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, enabled);
        QFETCH(QString, toolButton);
        QFETCH(QString, menuItem);
        QFETCH(QString, menu);

        FormFixture fixture;
        auto form = fixture.Open();
        auto* action = form->findChild<QAction*>(command);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->toolTip(), hint);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->isEnabled(), enabled);
        QVERIFY(!action->icon().pixmap(16, 16).isNull());

        const QList<QToolButton*> buttons = form->findChildren<QToolButton*>();
        const auto onButton = std::find_if(buttons.begin(), buttons.end(),
                                           [action](QToolButton* b) { return b->defaultAction() == action; });
        QCOMPARE(onButton == buttons.end() ? QString() : (*onButton)->objectName(), toolButton);
        if (onButton != buttons.end())
            QCOMPARE((*onButton)->toolTip(), hint);

        if (menuItem.isEmpty())
            return;
        auto* item = form->findChild<QAction*>(menuItem);
        QVERIFY(item);
        QMenu* inMenu = Find<QMenu>(*form, qPrintable(menu));
        QVERIFY(inMenu->actions().contains(item));
        QCOMPARE(item->toolTip(), hint);
        QVERIFY(inMenu->toolTipsVisible());
        QCOMPARE(item->text().section(QLatin1Char('\t'), 0, 0), caption);
        QCOMPARE(item->text().section(QLatin1Char('\t'), 1), shortcut.toString(QKeySequence::NativeText));
        QCOMPARE(item->isEnabled(), enabled);
        // The item runs its command and follows its state (a hidden command
        // is disabled too, whatever the mode hides).
        QSignalSpy triggered(action, &QAction::triggered);
        action->setVisible(true);
        action->setEnabled(true);
        item->trigger();
        QCOMPARE(triggered.count(), 1);
        action->setEnabled(false);
        QVERIFY(!item->isEnabled());
    }

    void toolBarAndMenuOrder()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        QCOMPARE(ToolBarOrder(*form),
                 (QStringList{"ToolButton1", "ToolButton3", "-", "ToolButton5", "ToolButton2", "ToolButton6", "-",
                              "ToolButton12", "ToolButton14", "ToolButton15", "ToolButton18", "ToolButton19", "-",
                              "Shape1"}));
        QStringList menus;
        for (QAction* action : form->menuBar()->actions())
            menus << action->menu()->objectName() + QLatin1Char(' ') + action->text();
        QCOMPARE(menus, (QStringList{"N1 &Связь", "N6 &Установки", "NSched &Расписание", "N14 &?"}));
        QCOMPARE(MenuOrder(Find<QMenu>(*form, "N1")), (QStringList{"NPort", "-", "N3", "N4", "-", "NExit"}));
        QCOMPARE(MenuOrder(Find<QMenu>(*form, "N6")), (QStringList{"N7", "N10", "-", "N12"}));
        QCOMPARE(MenuOrder(Find<QMenu>(*form, "NSched")), (QStringList{"N9", "N24", "N25", "-", "N28", "N29"}));
        QCOMPARE(MenuOrder(Find<QMenu>(*form, "N14")), (QStringList{"NStatus", "-", "N20", "-", "N15"}));
        QCOMPARE(Find<QMenu>(*form, "NPort")->title(), QStringLiteral("&Порт"));
        QCOMPARE(Find<QAction>(*form, "NExit")->text(), QStringLiteral("В&ыход"));
        QCOMPARE(Find<QAction>(*form, "NStatus")->text(), QStringLiteral("&Расшифровка статуса"));
        QCOMPARE(Find<QAction>(*form, "N20")->text(), QStringLiteral("&Справка"));
        QCOMPARE(Find<QAction>(*form, "N15")->text(), QStringLiteral("&О программе"));
    }

    // ComboPort and the NPort items show one choice, whichever the operator uses.
    void portListAndMenuAgree()
    {
        FormFixture fixture;
        fixture.offerSimulator = true;
        auto form = fixture.Open();
        auto* combo = Find<QComboBox>(*form, "ComboPort");
        const QList<QAction*> items = Find<QMenu>(*form, "NPort")->actions();
        QStringList entries;
        for (QAction* item : items)
            entries << item->text();
        QCOMPARE(entries, (QStringList{"Имитатор счетчика", "COM1", "COM2", "COM3"}));
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(items[0]->isChecked());

        items[2]->trigger();
        QCOMPARE(combo->currentText(), QStringLiteral("COM2"));
        QVERIFY(!items[0]->isChecked());

        combo->setCurrentIndex(3);
        emit combo->activated(3);
        QVERIFY(items[3]->isChecked());
        QVERIFY(!items[2]->isChecked());

        items[0]->trigger();
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(!items[3]->isChecked());
        // Only the meter has a simulated line; the scanner is offered real ports.
        QCOMPARE(Find<QComboBox>(*form, "ComboScaner")->count(), 3);
    }

    // A hint shows beside the mouse; the status bar keeps showing the
    // requests sent and the request in flight.
    void hintsLeaveTheStatusPanels_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::newRow("tool button") << "";
        QTest::newRow("menu item") << "N1";
    }

    void hintsLeaveTheStatusPanels()
    {
        QFETCH(QString, menu);
        FormFixture fixture;
        auto form = fixture.Open();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        emit form->Link().StatusPanelChanged(0, QStringLiteral("17"));
        emit form->Link().StatusPanelChanged(1, QStringLiteral("Чтение номера"));

        if (menu.isEmpty()) {
            auto* button = Find<QToolButton>(*form, "ToolButton1");
            QTest::mouseMove(button, button->rect().center());
            QTRY_VERIFY(button->underMouse());
        } else {
            // Opened from the menu bar, as the operator opens it: the menu
            // passes its hints on to the window that opened it.
            auto* popup = Find<QMenu>(*form, qPrintable(menu));
            QMenuBar* bar = form->menuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(popup->menuAction()).center());
            QVERIFY(QTest::qWaitForWindowExposed(popup));
            QAction* item = Find<QAction>(*form, "N3");
            QTest::mouseMove(popup, popup->actionGeometry(item).center());
            QTRY_COMPARE(popup->activeAction(), item);
        }

        QCOMPARE(form->statusBar()->currentMessage(), QString());
        auto* sent = Find<QLabel>(*form, "StatusPanel0");
        auto* inFlight = Find<QLabel>(*form, "StatusPanel1");
        QVERIFY(sent->isVisible());
        QVERIFY(inFlight->isVisible());
        QCOMPARE(sent->text(), QStringLiteral("17"));
        QCOMPARE(inFlight->text(), QStringLiteral("Чтение номера"));
        const QString row = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_');
        SaveScreenshot(*form, QStringLiteral("form_main_hint_") + row);
    }

    // With no port chosen nothing is opened, and the message says why.
    void connectWithoutAPort_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("message");

        QTest::newRow("no serial port at all")
            << QStringList{}
            << "Ошибка: Порт не выбран: последовательные порты не найдены. "
               "Подключите счетчик к последовательному порту и перезапустите программу.";
        // The first start looks for port 1, which this machine lacks.
        QTest::newRow("remembered port gone")
            << QStringList{"COM3"} << "Ошибка: Порт не выбран. Выберите порт счетчика в списке «Порт:».";
    }

    void connectWithoutAPort()
    {
        QFETCH(QStringList, ports);
        QFETCH(QString, message);

        FormFixture fixture;
        fixture.ports = ports;
        auto form = fixture.Open();
        QCOMPARE(Find<QComboBox>(*form, "ComboPort")->currentText(), QString());
        Find<QAction>(*form, "ActionConnect")->trigger();
        QCOMPARE(fixture.dialogs.messages, QStringList{message});
        QVERIFY(!form->Channels().Port().Active());
        QVERIFY(Find<QAction>(*form, "ActionConnect")->isEnabled());
        QVERIFY(!Find<QAction>(*form, "ActionDisconnect")->isEnabled());
    }

    void connectionFailureIsReported()
    {
        FormFixture fixture;
        fixture.ports = {QStringLiteral("/nonexistent/ttyVM742")};
        fixture.settings.setValue("Port", fixture.ports[0]);
        auto form = fixture.Open();
        Find<QAction>(*form, "ActionConnect")->trigger();
        QCOMPARE(fixture.dialogs.messages,
                 QStringList{"Ошибка: Ошибка открытия порта /nonexistent/ttyVM742: порт не найден"});
        QVERIFY(Find<QAction>(*form, "ActionConnect")->isEnabled());
        QVERIFY(!Find<QAction>(*form, "ActionDisconnect")->isEnabled());
    }

    void unhandledErrorsAreShownAndTheStationGoesOn()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        emit form->Link().UnhandledError(QStringLiteral("Read error (5), refused"));
        QCOMPARE(fixture.dialogs.messages,
                 QStringList{"Программирование Velmar 742, 341: Read error (5), refused"});
        QVERIFY(form->isEnabled());
    }

    void help_data()
    {
        QTest::addColumn<QStringList>("inStartDir");
        QTest::addColumn<bool>("compiledHelpViewer");
        QTest::addColumn<QString>("opened");

        QTest::newRow("nothing in the start directory") << QStringList{} << false << "program";
        QTest::newRow("guide in the start directory") << QStringList{"Setting_Vm_742.html"} << false
                                                      << "start/Setting_Vm_742.html";
        QTest::newRow("compiled help where it can be read")
            << QStringList{"Setting_Vm_742.chm", "Setting_Vm_742.html"} << true << "start/Setting_Vm_742.chm";
        QTest::newRow("compiled help where it cannot")
            << QStringList{"Setting_Vm_742.chm"} << false << "program";
    }

    void help()
    {
        QFETCH(QStringList, inStartDir);
        QFETCH(bool, compiledHelpViewer);
        QFETCH(QString, opened);

        QTemporaryDir startDir;
        QTemporaryDir programDir;
        for (const QString& name : inStartDir) {
            QFile file(QDir(startDir.path()).filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString expected = opened == "program"
            ? QDir(programDir.path()).filePath("Setting_Vm_742.html")
            : QDir(startDir.path()).filePath(opened.section('/', 1));
        QCOMPARE(HelpFilePath(QDir(startDir.path()), QDir(programDir.path()), compiledHelpViewer), expected);
    }

    void helpCommandOpensTheGuide()
    {
        FormFixture fixture;
        fixture.CreateFile(QStringLiteral("Setting_Vm_742.html"));
        auto form = fixture.Open();
        OpenedUrls files({QStringLiteral("file")});
        Find<QAction>(*form, "N20")->trigger();
        QCOMPARE(files.urls, QList<QUrl>{QUrl::fromLocalFile(fixture.startDir.filePath("Setting_Vm_742.html"))});
    }

    void helpKeyOpensTheGuide()
    {
        FormFixture fixture;
        fixture.CreateFile(QStringLiteral("Setting_Vm_742.html"));
        auto form = fixture.Open();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        OpenedUrls files({QStringLiteral("file")});
        QTest::keyClick(form.get(), Qt::Key_F1);
        QCOMPARE(files.urls, QList<QUrl>{QUrl::fromLocalFile(fixture.startDir.filePath("Setting_Vm_742.html"))});
        QCOMPARE(fixture.dialogs.messages, QStringList());
    }

    // Help that cannot be shown says so, naming the file, rather than
    // leaving the operator to wonder.
    void helpThatCannotBeShownIsSaidSo_data()
    {
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("viewerThere");
        QTest::addColumn<QString>("message");
        QTest::newRow("shown") << true << true << "";
        QTest::newRow("no viewer") << true << false
                                   << "Ошибка: Файл справки %1 не удалось открыть: в системе нет программы для его "
                                      "просмотра. Откройте этот файл в браузере.";
        QTest::newRow("no file") << false << true << "Ошибка: Файл справки %1 не найден.";
    }
    void helpThatCannotBeShownIsSaidSo()
    {
        QFETCH(bool, fileThere);
        QFETCH(bool, viewerThere);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString guide = dir.filePath(QStringLiteral("Setting_Vm_742.html"));
        if (fileThere) {
            QFile file(guide);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        RecordingDialogs dialogs;
        dialogs.openMs = 0;
        QList<QUrl> asked;
        OpenHelpFile(guide, dialogs, [&](const QUrl& url) {
            asked << url;
            return viewerThere;
        });
        QCOMPARE(asked, fileThere ? QList<QUrl>{QUrl::fromLocalFile(guide)} : QList<QUrl>());
        QCOMPARE(dialogs.messages,
                 message.isEmpty() ? QStringList() : QStringList{message.arg(QDir::toNativeSeparators(guide))});
    }

    void guideShipsBesideTheProgram()
    {
        QVERIFY(QFileInfo::exists(QStringLiteral(VM742_PROGRAM_DIR "/Setting_Vm_742.html")));
    }

    void dialogsAreModal_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("title");
        QTest::newRow("NStatus") << "NStatus" << "Расшифровка статуса";
        QTest::newRow("N15") << "N15" << "О программе";
    }

    void dialogsAreModal()
    {
        QFETCH(QString, item);
        QFETCH(QString, title);
        FormFixture fixture;
        auto form = fixture.Open();
        form->show();
        QString shown;
        WhenModal([&shown](QWidget* dialog) { shown = dialog ? dialog->windowTitle() : QString(); });
        form->findChild<QAction*>(item)->trigger();
        QCOMPARE(shown, title);
    }

    // Digits typed after a click into a section of a picker replace that
    // section, as on Windows' pickers.
    void pickersTakeDigitsTypedAfterAClick_data()
    {
        QTest::addColumn<QString>("picker");
        QTest::addColumn<QDateTimeEdit::Section>("section");
        QTest::addColumn<QString>("digits");
        QTest::newRow("zone time, hour") << "DateTimeZone" << QDateTimeEdit::HourSection << "13";
        QTest::newRow("zone time, minute") << "DateTimeZone" << QDateTimeEdit::MinuteSection << "45";
        QTest::newRow("transfer date, year") << "DTPTrans" << QDateTimeEdit::YearSection << "2098";
        QTest::newRow("clock, hour") << "TimePicker" << QDateTimeEdit::HourSection << "13";
        QTest::newRow("clock, second") << "TimePicker" << QDateTimeEdit::SecondSection << "45";
        QTest::newRow("date, year") << "DatePicker" << QDateTimeEdit::YearSection << "2098";
    }
    void pickersTakeDigitsTypedAfterAClick()
    {
        QFETCH(QString, picker);
        QFETCH(QDateTimeEdit::Section, section);
        QFETCH(QString, digits);
        FormFixture fixture;
        auto form = fixture.Open();
        auto* edit = form->findChild<QDateTimeEdit*>(picker);
        QVERIFY(edit);
        ShowPagesOf(edit);
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        edit->setDateTime(QDateTime(QDate::currentDate().addDays(1), QTime(7, 30, 5)));
        edit->setFocus();

        ClickSection(edit, section);
        QCOMPARE(edit->currentSection(), section);
        TypeText(edit, digits);
        QCOMPARE(edit->sectionText(section), digits);
    }

    void exitClosesTheWindow()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        form->show();
        Find<QAction>(*form, "NExit")->trigger();
        QVERIFY(!form->isVisible());
        QVERIFY(fixture.settings.contains("Scan"));
    }
};

QTEST_MAIN(TestFormMainCommands)
#include "tst_form_main_commands.moc"
