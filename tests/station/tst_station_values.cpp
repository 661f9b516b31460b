#include "workstation/color_shading.h"
#include "workstation/list_order.h"
#include "workstation/memory_status.h"

#include <QtTest>

namespace {

quint32 Rgb(quint32 red, quint32 green, quint32 blue)
{
    return red | green << 8 | blue << 16;
}

} // namespace

class TestStationValues : public QObject {
    Q_OBJECT
private slots:
    void shadeColor_data()
    {
        QTest::addColumn<quint32>("color");
        QTest::addColumn<QList<int>>("percents");
        QTest::addColumn<quint32>("shaded");
        QTest::newRow("connection panel") << Rgb(236, 233, 216) << QList<int>{-2, -2, -1} << Rgb(232, 229, 214);
        QTest::newRow("settings group") << Rgb(236, 233, 216) << QList<int>{2, 0, 0} << Rgb(240, 233, 216);
        QTest::newRow("clamped at 255") << Rgb(255, 255, 255) << QList<int>{2, 2, 2} << Rgb(255, 255, 255);
        QTest::newRow("black stays black") << Rgb(0, 0, 0) << QList<int>{50, -50, 100} << Rgb(0, 0, 0);
        QTest::newRow("clamped at 0") << Rgb(100, 100, 100) << QList<int>{-150, -100, -99} << Rgb(0, 0, 1);
        QTest::newRow("truncated toward zero") << Rgb(99, 99, 99) << QList<int>{-1, 1, 0} << Rgb(99, 99, 99);
    }
    void shadeColor()
    {
        QFETCH(quint32, color);
        QFETCH(QList<int>, percents);
        QFETCH(quint32, shaded);
        QCOMPARE(ShadeColor(color, percents[0], percents[1], percents[2]), shaded);
    }

    void compareListNumbers_data()
    {
        QTest::addColumn<QStringList>("row1");
        QTest::addColumn<QStringList>("row2");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("result");
        QTest::newRow("captions ascending") << QStringList{"12"} << QStringList{"5"} << 0 << 1;
        QTest::newRow("equal is never 0") << QStringList{"12"} << QStringList{"12"} << 0 << -1;
        QTest::newRow("not a number is -999") << QStringList{"abc"} << QStringList{"5"} << 0 << -1;
        QTest::newRow("-999 against not a number") << QStringList{"-998"} << QStringList{"x"} << 0 << 1;
        QTest::newRow("value column") << QStringList{"1", "30"} << QStringList{"2", "4"} << 1 << 1;
        QTest::newRow("missing column") << QStringList{"1"} << QStringList{"2", "4"} << 1 << -1;
        QTest::newRow("descending") << QStringList{"12"} << QStringList{"5"} << 100 << -1;
        QTest::newRow("descending, equal") << QStringList{"7"} << QStringList{"7"} << 100 << 1;
    }
    void compareListNumbers()
    {
        QFETCH(QStringList, row1);
        QFETCH(QStringList, row2);
        QFETCH(int, code);
        QFETCH(int, result);
        QCOMPARE(CompareListNumbers(row1, row2, code), result);
    }

    void memoryLines_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("lines");
        const QString nbsp = QString(QChar(0x00A0));
        QTest::newRow("en_US") << "en_US"
                               << QStringList{"Всего физической памяти: 2,097,152 KB",
                                      "Доступно физической памяти: 0 KB"};
        QTest::newRow("de_DE") << "de_DE"
                               << QStringList{"Всего физической памяти: 2.097.152 KB",
                                      "Доступно физической памяти: 0 KB"};
        QTest::newRow("ru_RU") << "ru_RU"
                               << QStringList{"Всего физической памяти: 2" + nbsp + "097" + nbsp + "152 KB",
                                      "Доступно физической памяти: 0 KB"};
    }
    void memoryLines()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, lines);
        QCOMPARE(MemoryLines({2147483648ULL, 511}, QLocale(locale)), lines);
    }

    void memoryLinesRoundToTheNearestKilobyte()
    {
        const QStringList lines = MemoryLines({1536, 1535}, QLocale::c());
        QCOMPARE(lines[0], QString("Всего физической памяти: 2 KB"));
        QCOMPARE(lines[1], QString("Доступно физической памяти: 1 KB"));
    }

    void workstationMemoryIsKnown()
    {
        const auto status = ReadMemoryStatus();
        QVERIFY(status.has_value());
        QVERIFY(status->totalBytes > 0);
        QVERIFY(status->availableBytes <= status->totalBytes);
    }
};

QTEST_APPLESS_MAIN(TestStationValues)
#include "tst_station_values.moc"
