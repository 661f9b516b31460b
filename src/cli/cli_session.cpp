#include "cli/cli_session.h"

#include "cli/exit_code.h"
#include "link/qt_serial_channel.h"
#include "sim/virtual_channel.h"
#include "station/database_choice.h"
#include "workstation/workstation_identity.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

constexpr int MinTimeoutMs = 200;
constexpr int MaxTimeoutMs = 10000;

} // namespace

CliSession::CliSession()
    : core_(dialogs_, QDir::current().absoluteFilePath(OperationLog::FileName), 0, false)
{
    QObject::connect(&core_.link, &MeterLink::UnhandledError, [this](const QString& text) { progress_.Say(text); });
    // The link's message box says why, on stderr.
    QObject::connect(&core_.link, &MeterLink::PortLost, [] { QCoreApplication::exit(Exit::Failed); });
}

QList<QCommandLineOption> CliSession::Options()
{
    return {
        {"port", "Serial port of the meter (COM3, ttyUSB0, /dev/pts/4).", "NAME"},
        {"sim", "Use the built-in simulated meter instead of a port."},
        {"timeout", "Response timeout, 200..10000 ms (default 500).", "MS", "500"},
        {"password", "Access password of the meter, for the commands that write to it.", "TEXT"},
        {"db", "Production line on this SQLite database file (see demo-db).", "FILE"},
        {"dsn", "Production line on this ODBC data source (Electrometer on a line's station).", "NAME"},
    };
}

bool CliSession::Configure(const QCommandLineParser& parser)
{
    QTextStream err(stderr);
    if (parser.isSet("port") == parser.isSet("sim")) {
        err << "Give either --port NAME or --sim." << Qt::endl;
        return false;
    }
    bool ok = false;
    const int timeout = parser.value("timeout").toInt(&ok);
    if (!ok || timeout < MinTimeoutMs || timeout > MaxTimeoutMs) {
        err << "--timeout must be a number of milliseconds from 200 to 10000." << Qt::endl;
        return false;
    }
    if (parser.isSet("sim")) {
        channel_ = std::make_unique<VirtualChannel>();
        portText_ = QStringLiteral("simulated meter");
    } else {
        channel_ = std::make_unique<QtSerialChannel>(LineSettings::Meter());
        portText_ = parser.value("port");
    }
    password_ = parser.value("password");
    core_.link.SetChannel(channel_.get());
    core_.link.SpinTimerChange(timeout);
    return StartProductionLine(parser);
}

bool CliSession::StartProductionLine(const QCommandLineParser& parser)
{
    const bool file = parser.isSet("db");
    if (!file && !parser.isSet("dsn"))
        return true;
    const QString name = parser.value(file ? "db" : "dsn");
    if ((file && parser.isSet("dsn")) || name.isEmpty()) {
        QTextStream(stderr) << "Give either --db FILE or --dsn NAME." << Qt::endl;
        return false;
    }
    core_.SetSqlMode(true);
    production_ = std::make_unique<ProductionLine>(core_, dialogs_, file ? DatabaseFor(name) : DatabaseFor({}, name));
    QObject::connect(production_.get(), &ProductionLine::UnhandledError, [this](const QString& text) {
        progress_.Say(QStringLiteral("Ошибка БД: ") + text);
    });
    return production_->FormActivate(ComputerName(), LoginName()) == ProductionLine::LookUp::Passed;
}

bool CliSession::Connect()
{
    return core_.link.ActionConnectExecute(portText_);
}
