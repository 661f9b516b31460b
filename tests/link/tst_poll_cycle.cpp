#include "link/poll_cycle.h"

#include <QtTest>

class TestPollCycle : public QObject {
    Q_OBJECT
private slots:
    void wireBytes_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QByteArray>("wire");
        const QList<QPair<int, const char*>> steps{
            {0, "00028071"}, {1, "010281E1"}, {2, "040282B1"}, {3, "220298D1"}, {4, "080287B1"},
            {5, "11028C21"}, {6, "1E0289D1"}, {7, "2B029E81"}, {8, "0C028571"}, {9, "0D0284E1"},
            {10, "0A0286D1"}, {11, "20030070FA"}, {14, "20030330FB"}, {15, "0F03004133"},
            {31, "0F031040FF"}, {32, "2C029CB1"}, {33, "2A029F11"},
        };
        for (const auto& [step, wire] : steps)
            QTest::addRow("step %d", step) << step << QByteArray::fromHex(wire);
    }
    void wireBytes()
    {
        QFETCH(int, step);
        QFETCH(QByteArray, wire);
        QCOMPARE(PollRequest(step).toHex(' '), wire.toHex(' '));
    }

    void routesAndReadingsCarryTheirIndex()
    {
        for (int step = 11; step <= 14; ++step)
            QCOMPARE(int(PollRequest(step)[2]), step - 11);
        for (int step = 15; step <= 31; ++step)
            QCOMPARE(int(PollRequest(step)[2]), step - 15);
    }

    void nextStep_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("typeCode");
        QTest::addColumn<int>("next");
        QTest::newRow("type unknown, 31") << 31 << 0 << 32;
        QTest::newRow("type unknown, 33 wraps") << 33 << 0 << 0;
        QTest::newRow("742, 31") << 31 << 74203 << 32;
        QTest::newRow("742, 32") << 32 << 74203 << 33;
        QTest::newRow("341, 30") << 30 << 34101 << 31;
        QTest::newRow("341, 31 wraps") << 31 << 34101 << 0;
        // A type decoded as 341 only after step 31 was queued.
        QTest::newRow("341, 32 wraps") << 32 << 34101 << 0;
        QTest::newRow("1341 is a 341") << 31 << 134101 << 0;
    }
    void nextStep()
    {
        QFETCH(int, step);
        QFETCH(int, typeCode);
        QFETCH(int, next);
        QCOMPARE(NextPollStep(step, typeCode), next);
    }
};

QTEST_APPLESS_MAIN(TestPollCycle)
#include "tst_poll_cycle.moc"
