// The scanner's controls on the connection panel driving the scanner's
// line, over the simulated scanner.

#include "window/main/scanner_binding.h"
#include "meter/write_inputs.h"
#include "sim/simulated_scanner.h"
#include "station/scanner_input.h"
#include "window/main/connect_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QtTest>
#include <memory>

namespace {

struct BindingFixture {
    SimulatedScanner channel;
    WriteInputs inputs;
    ScannerInput scanner{channel, inputs};
    ConnectPanel panel = ConnectPanel::Create();
    std::unique_ptr<QFrame> owner{panel.PanelConnect};
    QStringList shown;

    BindingFixture()
    {
        panel.ComboScaner->addItems({QStringLiteral("ttyS0"), QStringLiteral("ttyS1"), QStringLiteral("ttyUSB0")});
        panel.ComboScaner->setCurrentIndex(0);
        scanner.StartUp(panel.ComboScaner->currentText(), true, false);
        BindScanner(scanner, panel, [this](const QString& text) { shown << text; });
        owner->show();
    }

    // The operator steps to the next port with the keyboard.
    void ChooseNextPort() { QTest::keyClick(panel.ComboScaner, Qt::Key_Down); }
    void ClickCheckScaner()
    {
        QTest::mouseClick(panel.CheckScaner, Qt::LeftButton, {}, panel.CheckScaner->rect().center());
    }
};

} // namespace

class TestScannerBinding : public QObject {
    Q_OBJECT
private slots:
    void choosingPortWhileUntickedOpensIt()
    {
        BindingFixture fixture;
        QVERIFY(QTest::qWaitForWindowExposed(fixture.owner.get()));
        fixture.ChooseNextPort();
        QVERIFY(fixture.channel.Active());
        QCOMPARE(fixture.channel.PortName(), QStringLiteral("ttyS1"));
        QVERIFY(!fixture.panel.CheckScaner->isChecked());

        fixture.channel.Scan("  104217\r");
        QTRY_COMPARE(fixture.inputs.settings.number, qint64(104217));
        QVERIFY(fixture.shown.isEmpty());
    }

    void clickingCheckScanerOpensAndCloses()
    {
        BindingFixture fixture;
        QVERIFY(QTest::qWaitForWindowExposed(fixture.owner.get()));
        fixture.ClickCheckScaner();
        QVERIFY(fixture.panel.CheckScaner->isChecked());
        QVERIFY(fixture.channel.Active());
        QCOMPARE(fixture.channel.PortName(), QStringLiteral("ttyS0"));
        fixture.ClickCheckScaner();
        QVERIFY(!fixture.channel.Active());
    }

    // The remembered "Scan" ticks the box before the line has its port.
    void tickingInCodeOpensNothing()
    {
        BindingFixture fixture;
        fixture.panel.CheckScaner->setChecked(true);
        QVERIFY(!fixture.channel.Active());
    }

    void openFailureShownOnlyForChosenPort()
    {
        BindingFixture fixture;
        QVERIFY(QTest::qWaitForWindowExposed(fixture.owner.get()));
        const QString text = QStringLiteral("Specified device not found (ttyS1).");
        fixture.channel.SetOpenError(text);
        fixture.ClickCheckScaner();
        QVERIFY(fixture.shown.isEmpty());
        QVERIFY(fixture.panel.CheckScaner->isChecked());

        fixture.ChooseNextPort();
        QCOMPARE(fixture.shown, QStringList{"Ошибка открытия порта ttyS1: " + text});
        QVERIFY(fixture.panel.CheckScaner->isChecked());
        QVERIFY(!fixture.channel.Active());
    }
};

QTEST_MAIN(TestScannerBinding)
#include "tst_scanner_binding.moc"
