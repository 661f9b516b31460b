#include "station/production_line.h"

#include "db/database.h"
#include "db/meter_type.h"
#include "db/meter_numbers.h"
#include "workstation/dialogs.h"
#include "station/station_core.h"
#include "workstation/workstation_clock.h"

ProductionLine::ProductionLine(StationCore& core, Dialogs& dialogs, DatabaseOpener opener, QObject* parent)
    : QObject(parent), core_(core), dialogs_(dialogs), opener_(std::move(opener))
{
    connect(&core_.readings, &MeterReadings::MainChanged, this, &ProductionLine::NumberChange);
    connect(&core_.readings, &MeterReadings::ClockRead, this, &ProductionLine::ClockReading);
    connect(&core_.link, &MeterLink::MeterStateReset, this, [this] {
        drift_.Reset();
        SetEditDelta({});
    });
    core_.link.SetRecordOperation([this] { RecordOperation(); });
    core_.settings.SetClockSync([this] { return Reported([this] { SyncClockFromServer(); }); });
}

ProductionLine::~ProductionLine()
{
    core_.link.SetRecordOperation({});
    core_.settings.SetClockSync({});
}

Database& ProductionLine::Db()
{
    if (!database_)
        database_ = opener_();
    return *database_;
}

bool ProductionLine::Reported(const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const DbError& error) {
        emit UnhandledError(error.Message());
        return false;
    }
}

ProductionLine::LookUp ProductionLine::FormActivate(const QString& computerName, const QString& login)
{
    QString message;
    const bool answered = Reported([&] {
        // A look-up the database breaks off leaves the last good context.
        StationContext found = context_;
        message = LookUpStation(Db(), computerName, login, found);
        context_ = found;
        if (message.isEmpty())
            SyncClockFromServer();
    });
    if (!answered)
        return LookUp::Failed;
    if (message.isEmpty())
        return LookUp::Passed;
    dialogs_.ShowMessage(MessageIcon::Warning, QStringLiteral("Приложение остановлено"), message);
    return LookUp::NotDescribed;
}

void ProductionLine::SyncClockFromServer()
{
    WorkstationClock::SetTo(ServerTime(Db()));
}

void ProductionLine::BitBtn1Click()
{
    Reported([this] {
        if (const std::optional<int> number = AllocatedNumber(Db(), MeterTypeId)) {
            core_.inputs.settings.number = *number;
            core_.inputs.NotifyChanged();
        }
    });
}

// The poll reads the number every cycle; only a number other than the one
// shown (a new meter, or the first answer after a reset) is looked up.
void ProductionLine::NumberChange(int row, const QString& text)
{
    if (row != MeterReadings::NumberRow || text.isEmpty())
        return;
    const quint32 number = core_.readings.MeterNumber();
    if (number != 0) {
        core_.inputs.settings.number = number;
        core_.inputs.NotifyChanged();
    }
    Reported([&] { drift_.SetLastProgrammed(LastProgrammed(Db(), int(number), MeterTypeId)); });
}

void ProductionLine::ClockReading(const QDateTime& meterClock)
{
    SetEditDelta({});
    if (meterClock.isValid())
        SetEditDelta(drift_.ClockReading(meterClock, WorkstationClock::Now()));
}

void ProductionLine::SetEditDelta(const QString& text)
{
    if (editDelta_ == text)
        return;
    editDelta_ = text;
    emit EditDeltaChanged(text);
}

void ProductionLine::RecordOperation()
{
    lastRecord_.reset();
    Reported([this] { lastRecord_ = OperationRecord(Db(), dialogs_, context_).RecordOperation(Snapshot()); });
}

// A record that failed is no success: only a committed one shows green.
std::optional<RecordOutcome> ProductionLine::ActionFixDbExecute()
{
    std::optional<RecordOutcome> outcome;
    Reported([&] { outcome = OperationRecord(Db(), dialogs_, context_).ActionFixDbExecute(Snapshot()); });
    if (outcome == RecordOutcome::Recorded)
        core_.link.ShowIndicator(ResultIndicator::Green);
    else if (outcome == RecordOutcome::Failed)
        core_.link.ShowIndicator(ResultIndicator::Red);
    return outcome;
}

RecordValues ProductionLine::Snapshot() const
{
    const MeterReadings& readings = core_.readings;
    RecordValues values;
    values.elType = readings.Main(MeterReadings::TypeRow);
    values.shownNumber = readings.Main(MeterReadings::NumberRow);
    values.version = readings.Main(MeterReadings::VersionRow);
    values.checkSum = readings.Main(MeterReadings::ScheduleChecksumRow);
    values.turnOn = readings.Addi(MeterReadings::OperatingTimeRow, MeterReadings::Current);
    values.corrections = readings.Addi(MeterReadings::CorrectionsRow, MeterReadings::Current);
    for (int tariff = 0; tariff < int(values.tariffs.size()); ++tariff)
        values.tariffs[tariff] = readings.Addi(MeterReadings::FirstTariffRow + tariff, MeterReadings::Current);
    values.status = readings.ClockFlags() + readings.DdmState();
    values.ownNumber = readings.MeterNumber();
    values.editDelta = editDelta_;
    values.settings = core_.inputs.settings;
    return values;
}
