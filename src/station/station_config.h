#pragma once
// The station's remembered settings and the mode they decide at start-up.
// The store is QSettings under "Velmarco/VM-742" (the registry key
// SOFTWARE\Velmarco\VM-742 on Windows), read at start-up, written at close.

#include "station/work_mode.h"

#include <QDir>
#include <QString>
#include <memory>
#include <optional>

class QSettings;

struct StationConfig {
    int workMode = PasswordEditing;
    bool sqlMode = false;
    // Ports as remembered: a number n for "COMn" (older stores) or a name.
    QString meterPort = QStringLiteral("1");
    QString scannerPort = QStringLiteral("2");
    // "Scan": whether the scanner is in use; absent leaves the box unticked.
    bool scannerOn = false;
};

class ConfigStore {
public:
    // The platform's store for this user.
    static std::unique_ptr<QSettings> OpenDefault();
    static constexpr const char* MarkerFile = "SettingSql.vlm";

    explicit ConfigStore(QSettings& settings) : settings_(settings) { }

    // Remembered ports, "Master", "NoUser", "Sql", "Scan" and the marker
    // file in the start directory. A value of the wrong type counts as absent.
    StationConfig Read(const QDir& startDir) const;
    // Empty port names are not written.
    void Write(const QString& meterPort, const QString& scannerPort, bool scannerOn);

private:
    QSettings& settings_;
};
