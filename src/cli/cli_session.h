#pragma once
// What every command of the command-line tool shares: the connection
// options, the channel they choose (a real port or the simulated meter),
// the station's engine on it, the same one the window drives, and stderr
// with its progress line.

#include "cli/console_dialogs.h"
#include "cli/progress_line.h"
#include "link/serial_channel.h"
#include "station/production_line.h"
#include "station/station_core.h"

#include <QCommandLineParser>
#include <memory>

class CliSession {
public:
    // The operation log is where the station keeps it: in the current
    // directory. A port that fails (an adapter pulled, a line hung up) ends
    // the run of any command with exit code 1, the link's message on stderr.
    CliSession();

    // The options of every command that talks to the meter.
    static QList<QCommandLineOption> Options();

    // Reads the connection options; false (with the reason on stderr)
    // when they are unusable. With a production database the station
    // look-up runs here: a station not described, or a database that
    // cannot answer, is unusable too.
    bool Configure(const QCommandLineParser& parser);
    // Opens the port; false (with the station's message on stderr) when it
    // cannot be opened.
    bool Connect();

    StationCore& Core() { return core_; }
    // Only on the production line (--db or --dsn).
    ProductionLine* Production() { return production_.get(); }
    ProgressLine& Progress() { return progress_; }
    // The meter's access password, for the commands that write to it.
    const QString& Password() const { return password_; }

private:
    bool StartProductionLine(const QCommandLineParser& parser);

    ProgressLine progress_;
    ConsoleDialogs dialogs_{progress_};
    std::unique_ptr<SerialChannel> channel_;
    StationCore core_;
    std::unique_ptr<ProductionLine> production_;
    QString portText_;
    QString password_;
};
