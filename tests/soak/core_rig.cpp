#include "core_rig.h"

#include "db/database.h"
#include "db/demo_database.h"
#include "station/database_choice.h"
#include "workstation/workstation_identity.h"
#include "write_choice.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <stdexcept>

namespace {

const QString PortText = QStringLiteral("simulated meter");
const QString RowsConnection = QStringLiteral("soak-rows");

QString LogPath(const QString& dir)
{
    return QDir(dir).filePath(QLatin1String(OperationLog::FileName));
}

} // namespace

CoreRig::CoreRig(const QString& dir, bool productionLine, RandomMix& dialogs, RandomMix& faults, SoakTally& tally)
    : dialogs_(dialogs),
      core_(dialogs_, LogPath(dir), 0, productionLine),
      check_(core_.link, channel_, LogPath(dir), !productionLine, faults, tally)
{
    core_.link.SetChannel(&channel_);
    // Without the number-editing mode the protocol carries failures only.
    core_.link.Protocol().SetEnabled(true);
    QObject::connect(&core_.link, &MeterLink::UnhandledError, [&tally](const QString& text) {
        tally.Note(QStringLiteral("the link's unhandled error: ") + text);
    });
    if (productionLine)
        StartProductionLine(dir, tally);
}

CoreRig::~CoreRig()
{
    if (!rowsConnection_.isEmpty())
        QSqlDatabase::removeDatabase(rowsConnection_);
}

void CoreRig::StartProductionLine(const QString& dir, SoakTally& tally)
{
    const QString path = QDir(dir).filePath(QStringLiteral("electrometer.db"));
    try {
        WriteDemoDatabase(path, ComputerName(), LoginName());
    } catch (const DbError& error) {
        throw std::runtime_error("the demo database: " + error.Message().toStdString());
    }
    production_ = std::make_unique<ProductionLine>(core_, dialogs_, DatabaseFor(path));
    QObject::connect(production_.get(), &ProductionLine::UnhandledError, [&tally](const QString& text) {
        tally.Note(QStringLiteral("the production line's error: ") + text);
    });
    if (production_->FormActivate(ComputerName(), LoginName()) != ProductionLine::LookUp::Passed)
        throw std::runtime_error("the demo database does not describe this workstation");
    QSqlDatabase rows = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), RowsConnection);
    rows.setDatabaseName(path);
    if (!rows.open())
        throw std::runtime_error("the demo database cannot be read back");
    rowsConnection_ = RowsConnection;
}

QString CoreRig::Name() const
{
    return production_ ? QStringLiteral("production line") : QStringLiteral("engine");
}

void CoreRig::Connect()
{
    core_.link.ActionConnectExecute(PortText);
}

void CoreRig::Disconnect()
{
    core_.link.ActionDisconnectExecute();
}

int CoreRig::Weight(OpKind kind) const
{
    if (production_) {
        // The line programs meters: settings writes, each recorded.
        switch (kind) {
        case OpKind::SettingsWrite:
            return 10;
        case OpKind::PollCycle:
        case OpKind::PlcAddress:
        case OpKind::YearlyJournal:
        case OpKind::Reconnect:
        case OpKind::Silence:
            return 1;
        default:
            return 0;
        }
    }
    return BenchWeight(kind, 6);
}

bool CoreRig::Start(OpKind kind, RandomMix& random)
{
    switch (kind) {
    case OpKind::SettingsWrite:
        WriteSettings(random);
        return true;
    case OpKind::ScheduleWrite:
        core_.scheduleTransfer.ActionWriteSchedExecute();
        return true;
    case OpKind::ScheduleRead:
        core_.scheduleTransfer.ActionReadSchedExecute();
        return true;
    case OpKind::YearlyJournal:
        core_.journals.BtnReadJournalYearClick();
        return true;
    case OpKind::Diary:
        core_.journals.BtnReadDiaryClick();
        return true;
    case OpKind::PlcAddress:
        ChoosePlc(random);
        core_.plc.BtnWriteAddressClick();
        return true;
    case OpKind::PlcRoute:
        ChoosePlc(random);
        core_.plc.BtnWriteRouteClick();
        return true;
    case OpKind::PlcRouteDelete:
        ChoosePlc(random);
        core_.plc.ButtonDelRouteClick();
        return true;
    default:
        return false;
    }
}

void CoreRig::WriteSettings(RandomMix& random)
{
    const SettingsChoice choice = SettingsChoice::Random(random);
    SettingsInputs& inputs = core_.inputs.settings;
    inputs.checkTime = choice.time;
    inputs.dst = choice.dst;
    inputs.checkSchedule = choice.settlement;
    inputs.day = choice.day;
    inputs.hour = choice.hour;
    inputs.checkIndi = choice.indicator;
    inputs.indicator = choice.items;
    inputs.checkIntegra = choice.integration;
    inputs.integra = choice.minutes;
    inputs.checkDdm = choice.ddm;
    inputs.ddmNumber = quint32(choice.ddmNumber);
    inputs.ddmMode = choice.ddmMode;
    inputs.checkResetRdh = choice.resetRdh;
    core_.inputs.NotifyChanged();
    core_.settings.ActionSettingExecute();
}

void CoreRig::ChoosePlc(RandomMix& random)
{
    const PlcChoice choice = PlcChoice::Random(random);
    PlcInputs& plc = core_.inputs.plc;
    plc.group = choice.group;
    plc.address = choice.address;
    plc.route = choice.route;
    plc.repeaterAddress = choice.repeaterAddress;
    plc.repeaterNumber = QString::number(choice.repeaterNumber);
    core_.inputs.NotifyChanged();
}

std::optional<int> CoreRig::RecordRows()
{
    if (rowsConnection_.isEmpty())
        return std::nullopt;
    QSqlQuery count(QSqlDatabase::database(rowsConnection_));
    if (!count.exec(QStringLiteral("SELECT COUNT(*) FROM operation")) || !count.next())
        return -1;
    return count.value(0).toInt();
}
