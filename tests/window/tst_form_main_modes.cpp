// The work mode decided at start-up from the remembered settings and the
// marker file, as the window shows it; what the first start finds and what
// closing the window remembers.

#include "form_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

namespace {

bool TabVisible(TFormMain& form, const char* tab)
{
    auto* tabs = Find<QTabWidget>(form, "PageControl1");
    return tabs->isTabVisible(tabs->indexOf(Find<QWidget>(form, tab)));
}

} // namespace

class TestFormMainModes : public QObject {
    Q_OBJECT

private slots:
    void modes_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<bool>("markerFile");
        QTest::addColumn<int>("workMode");
        QTest::addColumn<bool>("sqlMode");
        QTest::addColumn<bool>("terminalTicked");

        QTest::newRow("nothing remembered") << QStringList{} << false << 2 << false << true;
        QTest::newRow("Master") << QStringList{"Master"} << false << 3 << false << false;
        QTest::newRow("NoUser") << QStringList{"NoUser"} << false << 0 << false << true;
        QTest::newRow("Master and NoUser") << QStringList{"Master", "NoUser"} << false << 1 << false << false;
        QTest::newRow("Sql holding 0") << QStringList{"Sql"} << false << 2 << true << true;
        QTest::newRow("marker file") << QStringList{} << true << 3 << true << false;
        QTest::newRow("NoUser and marker file") << QStringList{"NoUser"} << true << 1 << true << false;
    }

    void modes()
    {
        QFETCH(QStringList, values);
        QFETCH(bool, markerFile);
        QFETCH(int, workMode);
        QFETCH(bool, sqlMode);
        QFETCH(bool, terminalTicked);

        FormFixture fixture;
        for (const QString& value : values)
            fixture.settings.setValue(value, 0);
        if (markerFile)
            fixture.CreateFile(QStringLiteral("SettingSql.vlm"));
        auto form = fixture.Open();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->Config().workMode, workMode);
        QCOMPARE(form->Config().sqlMode, sqlMode);

        for (const char* tab : {"TabSched", "TabPlc", "TabDb"})
            QCOMPARE(TabVisible(*form, tab), !sqlMode);
        for (const char* tab : {"TabAbout", "TabSheet1", "TabJournal", "TabProtocol"})
            QVERIFY(TabVisible(*form, tab));
        for (const char* button : {"ToolButton12", "ToolButton14", "ToolButton15", "ToolButton18", "ToolButton19"})
            QCOMPARE(Find<QToolButton>(*form, button)->isVisible(), !sqlMode);
        QCOMPARE(Find<QMenu>(*form, "NSched")->menuAction()->isVisible(), !sqlMode);
        QCOMPARE(Find<QToolButton>(*form, "ToolButton2")->isVisible(), sqlMode);
        QCOMPARE(Find<QAction>(*form, "N10")->isVisible(), sqlMode);
        QCOMPARE(Find<QWidget>(*form, "PanelScaner")->isVisible(), sqlMode);
        QCOMPARE(Find<QLineEdit>(*form, "EditDelta")->isVisibleTo(form.get()), sqlMode);
        QCOMPARE(Find<QWidget>(*form, "EditDeltaLabel")->isVisibleTo(form.get()), sqlMode);
        QCOMPARE(Find<QCheckBox>(*form, "CheckBox_Terminal")->isChecked(), terminalTicked);
        QCOMPARE(form->Link().Protocol().Enabled(), terminalTicked);

        // The number is typed and allocated only where numbers are given;
        // elsewhere it reads as part of its group.
        const bool numberEditing = workMode & NumberEditing;
        auto* number = Find<QSpinBox>(*form, "SpinEdit_Number");
        QCOMPARE(number->isReadOnly(), !numberEditing);
        const QColor groupColor = number->parentWidget()->palette().color(QPalette::Window);
        QCOMPARE(number->palette().color(QPalette::Base) == groupColor, !numberEditing);
        QCOMPARE(Find<QToolButton>(*form, "BitBtn1")->isHidden(), !numberEditing);
        QCOMPARE(Find<QLineEdit>(*form, "LabeledPass1")->isReadOnly(), !(workMode & PasswordEditing));

        // The production line writes one indicator mode into every meter.
        auto* indicator = Find<QListWidget>(*form, "CheckSetIndi");
        QCOMPARE(indicator->isEnabled(), !sqlMode);
        const std::array<bool, 5> fixedMode{sqlMode, false, false, sqlMode, false};
        for (int item = 0; item < indicator->count(); ++item)
            QCOMPARE(indicator->item(item)->checkState() == Qt::Checked, fixedMode[item]);
        QCOMPARE(form->Core().inputs.settings.indicator, fixedMode);
    }

    // The remembered ports are chosen again; a port that is gone leaves its
    // list without a choice. Where ports are named ttyS0, ttyS1…, port 1 is
    // ttyS0.
    void rememberedPorts_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QVariant>("port");
        QTest::addColumn<QVariant>("scaner");
        QTest::addColumn<QString>("meterChoice");
        QTest::addColumn<QString>("scannerChoice");

        const QStringList com{"COM1", "COM2", "COM3"};
        const QStringList tty{"ttyS0", "ttyS1", "ttyUSB0"};
        QTest::newRow("first start") << com << QVariant() << QVariant() << "COM1" << "COM2";
        QTest::newRow("numbers") << com << QVariant(3) << QVariant(1) << "COM3" << "COM1";
        QTest::newRow("names") << com << QVariant("com2") << QVariant("COM3") << "COM2" << "COM3";
        QTest::newRow("gone") << com << QVariant(7) << QVariant("ttyUSB0") << "" << "";
        QTest::newRow("first start on ttyS ports") << tty << QVariant() << QVariant() << "ttyS0" << "ttyS1";
        QTest::newRow("ttyS ports by name") << tty << QVariant("ttyUSB0") << QVariant("ttyS0") << "ttyUSB0"
                                            << "ttyS0";
    }

    void rememberedPorts()
    {
        QFETCH(QStringList, ports);
        QFETCH(QVariant, port);
        QFETCH(QVariant, scaner);
        QFETCH(QString, meterChoice);
        QFETCH(QString, scannerChoice);

        FormFixture fixture;
        fixture.ports = ports;
        if (port.isValid())
            fixture.settings.setValue("Port", port);
        if (scaner.isValid())
            fixture.settings.setValue("Scaner", scaner);
        auto form = fixture.Open();

        QCOMPARE(Find<QComboBox>(*form, "ComboPort")->currentText(), meterChoice);
        QCOMPARE(Find<QComboBox>(*form, "ComboScaner")->currentText(), scannerChoice);
        QAction* checked = Find<QMenu>(*form, "NPort")->actions().value(
            Find<QComboBox>(*form, "ComboPort")->currentIndex());
        QCOMPARE(checked ? checked->isChecked() : false, !meterChoice.isEmpty());
    }

    void firstStartWritesTheStoreAtClose()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        QCOMPARE(fixture.settings.allKeys(), QStringList{});
        QVERIFY(!Find<QCheckBox>(*form, "CheckScaner")->isChecked());

        form->close();
        QCOMPARE(fixture.settings.value("Port").toInt(), 1);
        QCOMPARE(fixture.settings.value("Scaner").toInt(), 2);
        QCOMPARE(fixture.settings.value("Scan").toBool(), false);
    }

    // What the operator chose last is what the next start finds; the
    // simulated meter is never remembered.
    void closeRemembersTheChoice_data()
    {
        QTest::addColumn<int>("portEntry");
        QTest::addColumn<int>("scannerEntry");
        QTest::addColumn<bool>("scannerOn");
        QTest::addColumn<int>("rememberedPort");
        QTest::addColumn<int>("rememberedScanner");

        // Entries: the simulated meter, then COM1, COM2, COM3.
        QTest::newRow("ports chosen") << 3 << 0 << true << 3 << 1;
        QTest::newRow("simulated meter") << 0 << 2 << false << 2 << 3;
    }

    void closeRemembersTheChoice()
    {
        QFETCH(int, portEntry);
        QFETCH(int, scannerEntry);
        QFETCH(bool, scannerOn);
        QFETCH(int, rememberedPort);
        QFETCH(int, rememberedScanner);

        FormFixture fixture;
        fixture.offerSimulator = true;
        fixture.settings.setValue("Port", 2);
        auto form = fixture.Open();
        auto* combo = Find<QComboBox>(*form, "ComboPort");
        combo->setCurrentIndex(portEntry);
        emit combo->activated(portEntry);
        Find<QComboBox>(*form, "ComboScaner")->setCurrentIndex(scannerEntry);
        Find<QCheckBox>(*form, "CheckScaner")->setChecked(scannerOn);

        form->close();
        QCOMPARE(fixture.settings.value("Port").toInt(), rememberedPort);
        QCOMPARE(fixture.settings.value("Scaner").toInt(), rememberedScanner);
        QCOMPARE(fixture.settings.value("Scan").toBool(), scannerOn);

        auto again = fixture.Open();
        QCOMPARE(Find<QCheckBox>(*again, "CheckScaner")->isChecked(), scannerOn);
    }
};

QTEST_MAIN(TestFormMainModes)
#include "tst_form_main_modes.moc"
