// Port lists and selections as the window shows them, from a made-up
// platform list or, when that is empty, a probe line that opens only chosen
// ports.

#include "link/port_selector.h"
#include "link/serial_channel.h"

#include <QHash>
#include <QSignalSpy>
#include <QTest>

namespace {

class ProbeLine : public SerialChannel {
public:
    ProbeLine() : SerialChannel(LineSettings::Meter()) {}

    bool Active() const override { return open_; }
    bool WriteText(const QByteArray& bytes) override
    {
        written[PortName()] += bytes;
        return !mute.contains(PortName());
    }
    QByteArray ReadText() override { return {}; }

    QStringList present;
    // Present, but the write never gets out.
    QStringList mute;
    QHash<QString, QByteArray> written;

protected:
    void OpenPort() override
    {
        if (!present.contains(PortName()))
            throw SerialChannelError("Specified device not found (" + PortName() + ").");
        open_ = true;
    }
    void ClosePort() override { open_ = false; }
    void ApplyParity(Parity) override {}

private:
    bool open_ = false;
};

PortSources Sources(const QStringList& listed, const QStringList& candidates)
{
    return {[listed] { return listed; }, candidates};
}

} // namespace

class TestPortSelector : public QObject {
    Q_OBJECT

private slots:
    void discovery_data()
    {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("meterPort");
        QTest::addColumn<QString>("scannerPort");
        QTest::addColumn<int>("meterIndex");
        QTest::addColumn<int>("scanerIndex");

        const QStringList com{"COM1", "COM3"};
        const QStringList tty{"ttyS0", "ttyUSB0"};
        const QStringList ttyS{"ttyS0", "ttyS1", "ttyS2"};
        QTest::newRow("meter remembered as a number") << com << "3" << "" << 1 << -1;
        QTest::newRow("meter remembered by name") << tty << "ttyUSB0" << "" << 1 << -1;
        QTest::newRow("scanner remembered apart") << tty << "ttyUSB0" << "ttyS0" << 1 << 0;
        QTest::newRow("letter case ignored") << com << "com3" << "Com1" << 1 << 0;
        // A first start remembers the ports 1 and 2.
        QTest::newRow("first start on ttyS ports") << ttyS << "1" << "2" << 0 << 1;
        QTest::newRow("ttyS counts from 0") << QStringList{"ttyS3"} << "3" << "4" << -1 << 0;
        QTest::newRow("ttyS name remembered as text") << ttyS << "ttyS2" << "ttyS1" << 2 << 1;
        QTest::newRow("numbers never name adapters") << QStringList{"ttyUSB0", "ttyUSB1"} << "1" << "0" << -1 << -1;
        QTest::newRow("remembered ports gone") << tty << "COM2" << "ttyACM0" << -1 << -1;
    }
    void discovery()
    {
        QFETCH(QStringList, listed);
        QFETCH(QString, meterPort);
        QFETCH(QString, scannerPort);
        QFETCH(int, meterIndex);
        QFETCH(int, scanerIndex);

        ProbeLine probe;
        probe.present = {"ttyS7"};
        PortSelector ports(Sources(listed, {"ttyS7"}));
        QSignalSpy changed(&ports, &PortSelector::Changed);
        ports.DiscoverPorts(meterPort, scannerPort, probe);

        QCOMPARE(ports.ComboPortItems(), listed);
        QCOMPARE(ports.MenuItems(), listed);
        QCOMPARE(ports.ComboScanerItems(), listed);
        QCOMPARE(ports.MeterIndex(), meterIndex);
        QCOMPARE(ports.MenuChecked(), meterIndex);
        QCOMPARE(ports.ScanerIndex(), scanerIndex);
        QCOMPARE(ports.MeterPort(), meterIndex < 0 ? QString() : listed[meterIndex]);
        QCOMPARE(changed.size(), 1);
        QVERIFY(probe.written.isEmpty());
    }

    void probe_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("mute");
        QTest::addColumn<QStringList>("listed");

        QTest::newRow("only the second opens") << QStringList{"ttyS1"} << QStringList{} << QStringList{"ttyS1"};
        QTest::newRow("opens but cannot write")
            << QStringList{"ttyS0", "ttyS1"} << QStringList{"ttyS0"} << QStringList{"ttyS1"};
        QTest::newRow("nothing opens") << QStringList{} << QStringList{} << QStringList{};
    }
    void probe()
    {
        QFETCH(QStringList, present);
        QFETCH(QStringList, mute);
        QFETCH(QStringList, listed);

        ProbeLine probe;
        probe.present = present;
        probe.mute = mute;
        PortSelector ports(Sources({}, {"ttyS0", "ttyS1", "ttyS2"}));
        ports.DiscoverPorts("ttyS1", "", probe);

        QCOMPARE(ports.ComboPortItems(), listed);
        QCOMPARE(ports.MeterPort(), listed.contains("ttyS1") ? "ttyS1" : "");
        for (const QString& name : listed)
            QCOMPARE(probe.written.value(name), QByteArray(1, '\0'));
        QVERIFY(!probe.Active());
    }

    // A number means the same port whether the platform lists its ports or
    // they are probed: the first and the last of the probed ones here.
    void numbersMeanTheProbedPorts()
    {
        const PortSources platform = PortSources::Platform();
        ProbeLine probe;
        probe.present = platform.probeCandidates;
        PortSelector ports(Sources({}, platform.probeCandidates));
        const int last = int(platform.probeCandidates.size());
        ports.DiscoverPorts("1", QString::number(last), probe);

        QCOMPARE(ports.ComboPortItems(), platform.probeCandidates);
        QCOMPARE(ports.MeterIndex(), 0);
        QCOMPARE(ports.ScanerIndex(), last - 1);
    }

    // Both start from COM3 remembered and move the meter to COM1.
    void selection_data()
    {
        QTest::addColumn<bool>("fromMenu");

        QTest::newRow("menu click selects the port") << true;
        QTest::newRow("combo change checks the menu item") << false;
    }
    void selection()
    {
        QFETCH(bool, fromMenu);

        ProbeLine probe;
        PortSelector ports(Sources({"COM1", "COM3"}, {}));
        ports.DiscoverPorts("COM3", "COM3", probe);
        QSignalSpy changed(&ports, &PortSelector::Changed);
        if (fromMenu)
            ports.PortMenuClick(0);
        else
            ports.ComboPortChange(0);

        QCOMPARE(ports.MeterIndex(), 0);
        QCOMPARE(ports.MenuChecked(), 0);
        QCOMPARE(ports.MeterPort(), "COM1");
        QCOMPARE(ports.ScanerIndex(), 1);
        QCOMPARE(changed.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPortSelector)
#include "tst_port_selector.moc"
