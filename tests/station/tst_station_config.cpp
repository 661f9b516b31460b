#include "station/station_config.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// A store in a temporary INI file and a start directory beside it.
struct Store {
    QTemporaryDir dir;
    QSettings settings{dir.filePath("store.ini"), QSettings::IniFormat};
    ConfigStore store{settings};

    void PlaceMarker() const
    {
        QFile marker(QDir(dir.path()).filePath(ConfigStore::MarkerFile));
        QVERIFY(marker.open(QIODevice::WriteOnly));
    }
    StationConfig Read() const { return store.Read(QDir(dir.path())); }
};

class TestStationConfig : public QObject {
    Q_OBJECT
private slots:
    void modes_data()
    {
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<bool>("marker");
        QTest::addColumn<int>("workMode");
        QTest::addColumn<bool>("sqlMode");
        QTest::newRow("nothing remembered") << QVariantMap{} << false << 2 << false;
        QTest::newRow("Master") << QVariantMap{{"Master", 1}} << false << 3 << false;
        QTest::newRow("NoUser") << QVariantMap{{"NoUser", ""}} << false << 0 << false;
        QTest::newRow("Master and NoUser") << QVariantMap{{"Master", 1}, {"NoUser", 1}} << false << 1 << false;
        QTest::newRow("Sql holding 0") << QVariantMap{{"Sql", 0}} << false << 2 << true;
        QTest::newRow("marker file") << QVariantMap{} << true << 3 << true;
        QTest::newRow("NoUser and marker file") << QVariantMap{{"NoUser", 1}} << true << 1 << true;
        QTest::newRow("Master and marker file") << QVariantMap{{"Master", 1}} << true << 3 << true;
    }
    void modes()
    {
        QFETCH(QVariantMap, values);
        QFETCH(bool, marker);
        QFETCH(int, workMode);
        QFETCH(bool, sqlMode);
        Store store;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            store.settings.setValue(it.key(), it.value());
        if (marker)
            store.PlaceMarker();
        const StationConfig config = store.Read();
        QCOMPARE(config.workMode, workMode);
        QCOMPARE(config.sqlMode, sqlMode);
    }

    void rememberedValues_data()
    {
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<QString>("meterPort");
        QTest::addColumn<QString>("scannerPort");
        QTest::addColumn<bool>("scannerOn");
        QTest::newRow("defaults") << QVariantMap{} << "1" << "2" << false;
        QTest::newRow("numbers") << QVariantMap{{"Port", 3}, {"Scaner", 4}, {"Scan", true}} << "3" << "4" << true;
        QTest::newRow("names") << QVariantMap{{"Port", "ttyUSB0"}, {"Scaner", "ttyS1"}} << "ttyUSB0" << "ttyS1" << false;
        // Values of the wrong type count as absent.
        QTest::newRow("wrong types") << QVariantMap{{"Port", QStringList{"a", "b"}}, {"Scan", "maybe"}} << "1" << "2"
                                     << false;
        QTest::newRow("empty port") << QVariantMap{{"Port", ""}} << "1" << "2" << false;
    }
    void rememberedValues()
    {
        QFETCH(QVariantMap, values);
        QFETCH(QString, meterPort);
        QFETCH(QString, scannerPort);
        QFETCH(bool, scannerOn);
        Store store;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            store.settings.setValue(it.key(), it.value());
        const StationConfig config = store.Read();
        QCOMPARE(config.meterPort, meterPort);
        QCOMPARE(config.scannerPort, scannerPort);
        QCOMPARE(config.scannerOn, scannerOn);
    }

    void closeWritesPortsAndScanner()
    {
        Store store;
        store.store.Write("COM3", "ttyUSB1", true);
        QSettings reread(store.settings.fileName(), QSettings::IniFormat);
        // COMn is kept as its number, so older stations read the same store.
        QCOMPARE(reread.value("Port").toString(), QString("3"));
        QCOMPARE(reread.value("Scaner").toString(), QString("ttyUSB1"));
        QCOMPARE(reread.value("Scan").toBool(), true);
        const StationConfig config = store.Read();
        QCOMPARE(config.meterPort, QString("3"));
        QCOMPARE(config.scannerOn, true);
        QVERIFY(!reread.contains("Master"));
    }

    void closeSkipsEmptyPorts()
    {
        Store store;
        store.settings.setValue("Port", 5);
        store.store.Write("", "", false);
        QSettings reread(store.settings.fileName(), QSettings::IniFormat);
        QCOMPARE(reread.value("Port").toInt(), 5);
        QVERIFY(!reread.contains("Scaner"));
        QCOMPARE(reread.value("Scan").toBool(), false);
    }
};

QTEST_APPLESS_MAIN(TestStationConfig)
#include "tst_station_config.moc"
