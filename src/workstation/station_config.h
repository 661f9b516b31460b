#pragma once
// The station's remembered settings and the mode they decide at start-up.
// The store is QSettings under "Velmarco/VM-742" (the registry key
// HKEY_CURRENT_USER\SOFTWARE\Velmarco\VM-742 on Windows,
// ~/.config/Velmarco/VM-742.conf elsewhere), read at start-up, written at
// close. Only that store counts: a "Sql" or "Master" left in a maker-wide
// or system-wide store must not switch the station's mode.

#include "workstation/work_mode.h"

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
    // "Database": a SQLite file that serves as the production database of a
    // station without a server; empty: the ODBC data source "Electrometer".
    QString databaseFile;
};

class ConfigStore {
public:
    // The platform's store for this user; read and written through a
    // ConfigStore, without fallbacks.
    static std::unique_ptr<QSettings> OpenDefault();
    static constexpr const char* MarkerFile = "SettingSql.vlm";

    // Switches the settings' fallbacks off, so that whoever opened them
    // reads and writes only the station's own store from now on.
    explicit ConfigStore(QSettings& settings);

    // Remembered ports, "Master", "NoUser", "Sql", "Scan" and the marker
    // file in the start directory. A value of the wrong type counts as absent.
    StationConfig Read(const QDir& startDir) const;
    // Empty port names are not written. Flags are written as the integers
    // 0 and 1, which older stations sharing the store read.
    void Write(const QString& meterPort, const QString& scannerPort, bool scannerOn);

private:
    QSettings& settings_;
};
