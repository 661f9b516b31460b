// The meter's port vanishing under the window, as when the USB adapter is
// pulled: the simulated meter on a pseudo-terminal goes away mid-poll.

#include "cli/simulated_meter_process.h"
#include "form_fixture.h"

#include <QAction>
#include <QFileInfo>
#include <QTabWidget>
#include <QTableWidget>

namespace {

constexpr int PollTimeoutMs = 10000;

QString ShownNumber(TFormMain& form)
{
    return Find<QTableWidget>(form, "ListMain")->item(MeterReadings::NumberRow, 1)->text();
}

} // namespace

class TestPortVanishes : public QObject {
    Q_OBJECT

private slots:
    void windowLetsTheLineGoOnceAndConnectsAgain()
    {
        FormFixture fixture;
        // Port names are locked machine-wide by their last part.
        const QString port = fixture.startDir.filePath("ttyVm" + QString::number(QCoreApplication::applicationPid()));
        fixture.ports = {port};
        fixture.settings.setValue("Port", port);
        auto meter = std::make_unique<SimulatedMeterProcess>(QStringList{"--link", port});
        QTRY_VERIFY(QFileInfo::exists(port));
        auto form = fixture.Open();
        form->show();

        auto* connect = Find<QAction>(*form, "ActionConnect");
        connect->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(ShownNumber(*form), QStringLiteral("104217"), PollTimeoutMs);

        meter.reset();
        QTRY_VERIFY_WITH_TIMEOUT(connect->isEnabled(), 3000);
        QVERIFY(!Find<QAction>(*form, "ActionDisconnect")->isEnabled());
        const QString text = "Порт " + port + " недоступен: линия оборвана";
        QCOMPARE(fixture.dialogs.messages, QStringList{"Ошибка: " + text + ". Связь разорвана."});
        QVERIFY(form->Link().Protocol().Lines().contains(text));
        QTest::qWait(500);
        QCOMPARE(fixture.dialogs.messages.size(), 1);
        auto* pages = Find<QTabWidget>(*form, "PageControl1");
        pages->setCurrentIndex(pages->count() - 1);
        SaveScreenshot(*form, QStringLiteral("port_vanished_protocol"));

        meter = std::make_unique<SimulatedMeterProcess>(QStringList{"--link", port, "--number", "7"});
        QTRY_VERIFY(QFileInfo::exists(port));
        connect->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(ShownNumber(*form), QStringLiteral("000007"), PollTimeoutMs);
        QCOMPARE(fixture.dialogs.messages.size(), 1);
    }
};

QTEST_MAIN(TestPortVanishes)
#include "tst_port_vanishes.moc"
