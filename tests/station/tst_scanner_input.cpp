// The scanner's codes reaching the meter-number field, and the scanner's
// line opened and closed by the operator and at start-up, over the
// simulated scanner.

#include "station/scanner_input.h"
#include "link/qt_serial_channel.h"
#include "meter/write_inputs.h"
#include "sim/simulated_scanner.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A number no code below produces, to tell "set to 0" from "left alone".
constexpr qint64 NumberBefore = 555;

struct ScannerFixture {
    SimulatedScanner channel;
    WriteInputs inputs;
    ScannerInput scanner{channel, inputs};
    QSignalSpy errors{&scanner, &ScannerInput::UnhandledError};

    ScannerFixture()
    {
        inputs.settings.number = NumberBefore;
        channel.SetPortName(QStringLiteral("ttyS1"));
        channel.Open();
    }

    // Each piece comes in a receive event of its own.
    bool ScanApart(const QList<QByteArray>& pieces)
    {
        for (const QByteArray& piece : pieces)
            channel.Scan(piece);
        return QTest::qWaitFor([this] { return channel.Waiting() == 0; });
    }
};

} // namespace

class TestScannerInput : public QObject {
    Q_OBJECT
private slots:
    void codes_data()
    {
        QTest::addColumn<QList<QByteArray>>("events");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QByteArray>("bufferAfter");
        QTest::addColumn<int>("notified");
        QTest::newRow("carriage return and line feed in a later event")
            << QList<QByteArray>{"123456", "\r\n"} << qint64(123456) << QByteArray() << 1;
        QTest::newRow("line feed in an event of its own stays")
            << QList<QByteArray>{"123456", "\r", "\n"} << qint64(123456) << QByteArray("\n") << 1;
        QTest::newRow("stray line feed goes with the next code")
            << QList<QByteArray>{"123456", "\r", "\n", "654321\r"} << qint64(654321) << QByteArray() << 2;
        QTest::newRow("blanks and leading zero") << QList<QByteArray>{"  042017\r"} << qint64(42017) << QByteArray() << 1;
        QTest::newRow("two codes in one read") << QList<QByteArray>{"111\r222\r"} << qint64(0) << QByteArray() << 1;
        QTest::newRow("more than six digits") << QList<QByteArray>{"1234567\r"} << qint64(1234567) << QByteArray() << 1;
        QTest::newRow("largest meter number") << QList<QByteArray>{"16777215\r"} << qint64(16777215) << QByteArray() << 1;
        QTest::newRow("beyond the meter's 24 bits") << QList<QByteArray>{"16777216\r"} << qint64(0) << QByteArray() << 1;
        QTest::newRow("beyond 64 bits") << QList<QByteArray>{"99999999999999999999999\r"} << qint64(0) << QByteArray() << 1;
        QTest::newRow("letters") << QList<QByteArray>{"12A456\r"} << qint64(0) << QByteArray() << 1;
        QTest::newRow("sign") << QList<QByteArray>{"-5\r"} << qint64(0) << QByteArray() << 1;
        QTest::newRow("control character inside") << QList<QByteArray>{"123\t456\r"} << qint64(0) << QByteArray() << 1;
        QTest::newRow("control characters around")
            << QList<QByteArray>{QByteArray("\0\x02" "777\x03", 6), "\r"} << qint64(777) << QByteArray() << 1;
        QTest::newRow("carriage return alone") << QList<QByteArray>{"\r"} << qint64(0) << QByteArray() << 1;
        QTest::newRow("no carriage return yet")
            << QList<QByteArray>{"123", "456\n"} << NumberBefore << QByteArray("123456\n") << 0;
        QTest::newRow("endless noise is bounded")
            << QList<QByteArray>{QByteArray(1000, 'x'), "123"} << NumberBefore << QByteArray(61, 'x') + "123" << 0;
    }
    void codes()
    {
        QFETCH(QList<QByteArray>, events);
        QFETCH(qint64, number);
        QFETCH(QByteArray, bufferAfter);
        QFETCH(int, notified);
        ScannerFixture fixture;
        QSignalSpy changed(&fixture.inputs, &WriteInputs::Changed);
        QVERIFY(fixture.ScanApart(events));
        QCOMPARE(fixture.inputs.settings.number, number);
        QCOMPARE(fixture.scanner.ScannerBuffer(), bufferAfter);
        QCOMPARE(changed.count(), notified);
        QCOMPARE(fixture.errors.count(), 0);
    }

    void bufferOutlivesReopening()
    {
        ScannerFixture fixture;
        QVERIFY(fixture.ScanApart({"123"}));
        fixture.scanner.CheckScanerClick(false);
        fixture.scanner.CheckScanerClick(true);
        QVERIFY(fixture.ScanApart({"456\r"}));
        QCOMPARE(fixture.inputs.settings.number, qint64(123456));
    }

    void readFailureIsReported()
    {
        ScannerFixture fixture;
        fixture.channel.SetReadError(QStringLiteral("Read error (5), I/O error"));
        QVERIFY(fixture.ScanApart({"123456\r"}));
        QCOMPARE(fixture.errors.count(), 1);
        QCOMPARE(fixture.errors.first().first().toString(), QStringLiteral("Read error (5), I/O error"));
        QCOMPARE(fixture.inputs.settings.number, NumberBefore);
    }

    // Ticked or not, choosing a port opens the line there; an open line
    // moves, rather than refusing the new port as open.
    void choosingPortOpens_data()
    {
        QTest::addColumn<bool>("openBefore");
        QTest::newRow("closed") << false;
        QTest::newRow("open on another port") << true;
    }
    void choosingPortOpens()
    {
        QFETCH(bool, openBefore);
        ScannerFixture fixture;
        if (!openBefore)
            fixture.channel.Close();
        fixture.scanner.ComboScanerChange(QStringLiteral("ttyUSB0"));
        QVERIFY(fixture.channel.Active());
        QCOMPARE(fixture.channel.PortName(), QStringLiteral("ttyUSB0"));
        QCOMPARE(fixture.errors.count(), 0);
        QVERIFY(fixture.ScanApart({"314159\r"}));
        QCOMPARE(fixture.inputs.settings.number, qint64(314159));
    }

    void choosingPortReportsOpenFailure()
    {
        ScannerFixture fixture;
        const QString text = QStringLiteral("Specified device not found (ttyUSB7).");
        fixture.channel.SetOpenError(text);
        fixture.scanner.ComboScanerChange(QStringLiteral("ttyUSB7"));
        QVERIFY(!fixture.channel.Active());
        QCOMPARE(fixture.errors.count(), 1);
        QCOMPARE(fixture.errors.first().first().toString(), "Ошибка открытия порта ttyUSB7: " + text);
    }

    // On a real port the system's reason is named, as for the meter's port.
    void choosingMissingPortNamesTheReason()
    {
        const QTemporaryDir folder;
        QtSerialChannel line(LineSettings::Scanner());
        WriteInputs inputs;
        ScannerInput scanner(line, inputs);
        QSignalSpy errors(&scanner, &ScannerInput::UnhandledError);
        const QString port = folder.filePath(QStringLiteral("ttyUSB7"));
        scanner.ComboScanerChange(port);
        QVERIFY(!line.Active());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(), "Ошибка открытия порта " + port + ": порт не найден");
    }

    void tickingOpensAndCloses()
    {
        ScannerFixture fixture;
        fixture.channel.Close();
        fixture.scanner.CheckScanerClick(true);
        QVERIFY(fixture.channel.Active());
        fixture.scanner.CheckScanerClick(false);
        QVERIFY(!fixture.channel.Active());
        QCOMPARE(fixture.errors.count(), 0);
        QCOMPARE(fixture.channel.Written(), QByteArray());
    }

    void tickingIgnoresOpenFailure()
    {
        ScannerFixture fixture;
        fixture.channel.Close();
        fixture.channel.SetOpenError(QStringLiteral("Can't open specified device ttyS1 (Error 2, Permission denied)"));
        fixture.scanner.CheckScanerClick(true);
        QVERIFY(!fixture.channel.Active());
        QCOMPARE(fixture.errors.count(), 0);
    }

    void startUp_data()
    {
        QTest::addColumn<bool>("sqlMode");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("openFails");
        QTest::addColumn<bool>("opened");
        QTest::newRow("production line, scanner in use") << true << true << false << true;
        QTest::newRow("production line, scanner not in use") << true << false << false << false;
        QTest::newRow("outside the production line") << false << true << false << false;
        QTest::newRow("production line, port will not open") << true << true << true << false;
    }
    void startUp()
    {
        QFETCH(bool, sqlMode);
        QFETCH(bool, ticked);
        QFETCH(bool, openFails);
        QFETCH(bool, opened);
        ScannerFixture fixture;
        fixture.channel.Close();
        if (openFails)
            fixture.channel.SetOpenError(QStringLiteral("Specified device not found (COM2)."));
        fixture.scanner.StartUp(QStringLiteral("COM2"), sqlMode, ticked);
        QCOMPARE(fixture.channel.PortName(), QStringLiteral("COM2"));
        QCOMPARE(fixture.channel.Active(), opened);
        QCOMPARE(fixture.channel.Written(), opened ? QByteArray(1, '\0') : QByteArray());
        QCOMPARE(fixture.errors.count(), 0);
    }

    void closeAtProgramEnd()
    {
        ScannerFixture fixture;
        fixture.scanner.Close();
        QVERIFY(!fixture.channel.Active());
        fixture.scanner.Close();
        QVERIFY(!fixture.channel.Active());
    }
};

QTEST_GUILESS_MAIN(TestScannerInput)
#include "tst_scanner_input.moc"
