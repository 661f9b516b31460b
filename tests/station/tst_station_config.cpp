#include "workstation/station_config.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray FileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

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

// The platform's store in a temporary home, among maker-wide and
// system-wide files that hold every value the station reads: whatever they
// say, the station must see only its own store.
class PlatformStores {
public:
    PlatformStores()
    {
        qputenv("HOME", home_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", ConfigDir().toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", home_.filePath("xdg").toLocal8Bit());
        for (const QString& path : Others()) {
            QSettings other(path, QSettings::IniFormat);
            for (const char* key : {"Sql", "Master", "NoUser", "Scan"})
                other.setValue(key, 1);
            other.setValue("Port", 7);
            other.setValue("Scaner", 8);
        }
    }

    QString ConfigDir() const { return home_.filePath(".config"); }
    QString OwnFile() const { return ConfigDir() + "/Velmarco/VM-742.conf"; }
    // The maker-wide file of this user, then the system-wide station and
    // maker-wide files.
    QStringList Others() const
    {
        return {ConfigDir() + "/Velmarco.conf", home_.filePath("xdg/Velmarco/VM-742.conf"),
                home_.filePath("xdg/Velmarco.conf")};
    }

private:
    QTemporaryDir home_;
};

class TestStationConfig : public QObject {
    Q_OBJECT
private slots:
    // Before any store is opened: Qt finds the platform's paths once.
    void initTestCase() { platform_ = std::make_unique<PlatformStores>(); }

    void init()
    {
        const auto own = ConfigStore::OpenDefault();
        own->clear();
        own->sync();
    }

    void onlyTheStationsOwnStoreCounts_data()
    {
        QTest::addColumn<bool>("openedByStation");
        QTest::newRow("opened by the station") << true;
        // As a test or another part of the program may hand it over.
        QTest::newRow("opened elsewhere with fallbacks") << false;
    }
    void onlyTheStationsOwnStoreCounts()
    {
        QFETCH(bool, openedByStation);
        const auto settings = openedByStation ? ConfigStore::OpenDefault()
                                              : std::make_unique<QSettings>("Velmarco", "VM-742");
        QCOMPARE(settings->fileName(), platform_->OwnFile());
        const ConfigStore store(*settings);
        const StationConfig config = store.Read(QDir(platform_->ConfigDir()));
        QCOMPARE(config.workMode, int(PasswordEditing));
        QCOMPARE(config.sqlMode, false);
        QCOMPARE(config.meterPort, QString("1"));
        QCOMPARE(config.scannerPort, QString("2"));
        QCOMPARE(config.scannerOn, false);
    }

    void deletingSqlLeavesProductionMode()
    {
        const auto settings = ConfigStore::OpenDefault();
        const ConfigStore store(*settings);
        settings->setValue("Sql", 0);
        QCOMPARE(store.Read(QDir(platform_->ConfigDir())).sqlMode, true);
        settings->remove("Sql");
        QCOMPARE(store.Read(QDir(platform_->ConfigDir())).sqlMode, false);
    }

    void closeWritesOnlyTheOwnStore()
    {
        QList<QByteArray> before;
        for (const QString& path : platform_->Others())
            before.append(FileText(path));
        {
            const auto settings = ConfigStore::OpenDefault();
            ConfigStore(*settings).Write("COM3", "COM4", true);
        }
        for (qsizetype i = 0; i < before.size(); ++i)
            QCOMPARE(FileText(platform_->Others()[i]), before[i]);
        const QByteArray own = FileText(platform_->OwnFile());
        for (const char* line : {"Port=3", "Scaner=4", "Scan=1"})
            QVERIFY2(own.contains(line), own.constData());
    }

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
        // "Scan" as older stations and this one write it, and as Qt's text.
        QTest::newRow("Scan 1") << QVariantMap{{"Scan", 1}} << "1" << "2" << true;
        QTest::newRow("Scan 0") << QVariantMap{{"Scan", 0}} << "1" << "2" << false;
        QTest::newRow("Scan any other integer") << QVariantMap{{"Scan", 2}} << "1" << "2" << true;
        QTest::newRow("Scan text true") << QVariantMap{{"Scan", "true"}} << "1" << "2" << true;
        QTest::newRow("Scan text false") << QVariantMap{{"Scan", "false"}} << "1" << "2" << false;
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

    void closeWritesPortsAndScanner_data()
    {
        QTest::addColumn<bool>("scannerOn");
        QTest::addColumn<QString>("stored");
        QTest::newRow("scanner on") << true << "1";
        QTest::newRow("scanner off") << false << "0";
    }
    void closeWritesPortsAndScanner()
    {
        QFETCH(bool, scannerOn);
        QFETCH(QString, stored);
        Store store;
        store.store.Write("COM3", "ttyUSB1", scannerOn);
        QSettings reread(store.settings.fileName(), QSettings::IniFormat);
        // COMn is kept as its number, so older stations read the same store.
        QCOMPARE(reread.value("Port").toString(), QString("3"));
        QCOMPARE(reread.value("Scaner").toString(), QString("ttyUSB1"));
        // An integer: the registry keeps a Qt boolean as text, which an
        // older station fails to read as its integer and stops starting.
        QCOMPARE(reread.value("Scan").toString(), stored);
        const StationConfig config = store.Read();
        QCOMPARE(config.meterPort, QString("3"));
        QCOMPARE(config.scannerOn, scannerOn);
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

private:
    std::unique_ptr<PlatformStores> platform_;
};

QTEST_APPLESS_MAIN(TestStationConfig)
#include "tst_station_config.moc"
