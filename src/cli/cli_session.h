#pragma once
// What every command of the command-line tool shares: the connection
// options, the channel they choose (a real port or the simulated meter) and
// the station's engine on it, the same one the window drives.

#include "station/station_core.h"
#include "cli/console_dialogs.h"
#include "link/serial_channel.h"

#include <QCommandLineParser>
#include <memory>

class CliSession {
public:
    // The operation log is where the station keeps it: in the current directory.
    CliSession();

    static void AddOptions(QCommandLineParser& parser);

    // Reads the connection options; false (with the reason on stderr)
    // when they are unusable.
    bool Configure(const QCommandLineParser& parser);
    // Opens the port; false (with the station's message on stderr) when it
    // cannot be opened.
    bool Connect();

    StationCore& Core() { return core_; }
    // The meter's access password, for the commands that write to it.
    const QString& Password() const { return password_; }

private:
    ConsoleDialogs dialogs_;
    std::unique_ptr<SerialChannel> channel_;
    StationCore core_;
    QString portText_;
    QString password_;
};
