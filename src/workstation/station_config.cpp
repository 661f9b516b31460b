#include "workstation/station_config.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace {

const QString PortKey = QStringLiteral("Port");
const QString ScanerKey = QStringLiteral("Scaner");
const QString ScanKey = QStringLiteral("Scan");

// A remembered port: a number (older stores, "COMn") or a port name. Any
// other value counts as absent.
std::optional<QString> PortValue(const QVariant& value)
{
    const QString text = value.toString().trimmed();
    if (text.isEmpty() || value.typeId() == QMetaType::QStringList)
        return std::nullopt;
    return text;
}

// A flag as stations write it: an integer (older stations, and this one),
// any but 0 being set, or Qt's text "true"/"false" (earlier builds of this
// one). Anything else counts as absent.
std::optional<bool> FlagValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed();
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber)
        return number != 0;
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

// What is remembered for a port: its number when the name is "COMn", so
// that stores shared with older stations stay readable, else the name.
QVariant StoredPort(const QString& name)
{
    static const QRegularExpression comPort(QStringLiteral("^COM(\\d+)$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comPort.match(name);
    return match.hasMatch() ? QVariant(match.captured(1).toInt()) : QVariant(name);
}

} // namespace

std::unique_ptr<QSettings> ConfigStore::OpenDefault()
{
    return std::make_unique<QSettings>(QStringLiteral("Velmarco"), QStringLiteral("VM-742"));
}

ConfigStore::ConfigStore(QSettings& settings)
    : settings_(settings)
{
    settings_.setFallbacksEnabled(false);
}

StationConfig ConfigStore::Read(const QDir& startDir) const
{
    StationConfig config;
    if (const auto port = PortValue(settings_.value(PortKey)))
        config.meterPort = *port;
    if (const auto port = PortValue(settings_.value(ScanerKey)))
        config.scannerPort = *port;
    if (settings_.contains(QStringLiteral("Master")))
        config.workMode += NumberEditing;
    if (settings_.contains(QStringLiteral("NoUser")))
        config.workMode -= PasswordEditing;
    // Whatever "Sql" holds, even 0: only deleting it leaves production mode.
    config.sqlMode = settings_.contains(QStringLiteral("Sql"));
    if (const auto on = FlagValue(settings_.value(ScanKey)))
        config.scannerOn = *on;
    config.databaseFile = settings_.value(QStringLiteral("Database")).toString();
    if (QFileInfo::exists(startDir.filePath(MarkerFile))) {
        config.workMode |= NumberEditing;
        config.sqlMode = true;
    }
    return config;
}

void ConfigStore::Write(const QString& meterPort, const QString& scannerPort, bool scannerOn)
{
    if (!meterPort.isEmpty())
        settings_.setValue(PortKey, StoredPort(meterPort));
    if (!scannerPort.isEmpty())
        settings_.setValue(ScanerKey, StoredPort(scannerPort));
    settings_.setValue(ScanKey, scannerOn ? 1 : 0);
    settings_.sync();
}
