#include "meter/settings_write.h"

#include "protocol/frame.h"
#include "link/meter_link.h"
#include "protocol/wire_values.h"
#include "meter/access_password.h"
#include "meter/ddm_tariff_modes.h"
#include "meter/meter_readings.h"
#include "meter/meter_time_stamp.h"
#include "meter/operation_log.h"
#include "meter/settings_log_entries.h"
#include "workstation/dialogs.h"
#include "workstation/workstation_clock.h"

namespace {

constexpr int Timer3Ms = 500;
constexpr quint8 AutomaticDstFlag = 0x80;
// The meter sets the written clock a moment after the request has left
// the workstation; the value is sent ahead by that moment.
constexpr qint64 ClockLeadSeconds = 3;
// The latest clock whose value, lead included, fits the meter's 32 bits.
constexpr qint64 LastClockSeconds = 0xFFFFFFFFLL - ClockLeadSeconds;

// Power-line group and address are numbered 1..100: 0 stands for 100.
int ZeroAsHundred(int value)
{
    return value == 0 ? 100 : value;
}

QByteArray LowByteFirst(quint32 value, int bytes)
{
    QByteArray out;
    AppendLittleEndian(out, value, bytes);
    return out;
}

quint8 IndicatorMask(const SettingsInputs& inputs)
{
    quint8 mask = 0;
    for (int item = 0; item < int(inputs.indicator.size()); ++item)
        if (inputs.indicator[item])
            mask |= quint8(1 << item);
    return mask;
}

// Why these inputs cannot be written; empty when they can.
QString Refusal(const SettingsInputs& inputs)
{
    if (inputs.checkTime) {
        const qint64 seconds = MeterSeconds(inputs.date, inputs.time);
        if (!inputs.date.isValid() || !inputs.time.isValid() || seconds < 0 || seconds > LastClockSeconds)
            return QStringLiteral("Дата и время для записи в счетчик должны быть в пределах "
                                  "от 01.01.2000 00:00:00 до 07.02.2136 06:28:12.");
    }
    if (inputs.checkDdm && (inputs.ddmMode < 0 || inputs.ddmMode >= DdmTariffModeItems().size()))
        return QStringLiteral("Режим тарификации ДДМ должен быть выбран из списка.");
    return {};
}

QByteArray ClockPayload(const SettingsInputs& inputs)
{
    const qint64 value = MeterSeconds(inputs.date, inputs.time) + ClockLeadSeconds;
    return char(inputs.dst ? AutomaticDstFlag : 0) + LowByteFirst(quint32(value), 4);
}

} // namespace

std::pair<int, int> DerivedPlcAddress(qint64 number)
{
    return {ZeroAsHundred(int(number % 10000 / 100)), ZeroAsHundred(int(number % 100))};
}

bool MeterTakesNumber(const QString& shownNumber)
{
    bool isNumber = false;
    return shownNumber.toLongLong(&isNumber) == 0 && isNumber;
}

std::variant<QList<QByteArray>, QString> BuildSettingsBatch(const SettingsInputs& inputs, const QString& shownNumber)
{
    if (const QString refusal = Refusal(inputs); !refusal.isEmpty())
        return refusal;
    QList<QByteArray> batch = LoginRequests();
    if (inputs.checkTime)
        batch << MakeFrame(WriteClock, ClockPayload(inputs));
    if (inputs.checkPassword)
        batch << NewPasswordRequest();
    if (inputs.number > 0 && MeterTakesNumber(shownNumber)) {
        const auto [group, address] = DerivedPlcAddress(inputs.number);
        batch << MakeFrame(WriteNumber, LowByteFirst(quint32(inputs.number), 3))
              << MakeFrame(WritePlcAddress, Bytes({group, address}));
    }
    if (inputs.checkSchedule)
        batch << MakeFrame(WriteSettlement, Bytes({quint8(Bcd(inputs.hour)), quint8(Bcd(inputs.day))}));
    if (inputs.checkIndi)
        batch << MakeFrame(WriteIndicator, Bytes({IndicatorMask(inputs)}));
    // The meter counts the minutes from 0.
    if (inputs.checkIntegra)
        batch << MakeFrame(WriteIntegrationTime, Bytes({inputs.integra - 1}));
    if (inputs.checkDdm)
        batch << MakeFrame(WriteDdmNumber, LowByteFirst(inputs.ddmNumber, 3) + char(inputs.ddmMode));
    // Emptying holidays, transfers and schedule resets the tariff schedule.
    if (inputs.checkResetTariff)
        batch << MakeFrame(WriteHolidays) << MakeFrame(WriteTransfers) << MakeFrame(WriteSchedule);
    if (inputs.checkResetRdh)
        batch << MakeFrame(ResetSettlementReadings);
    return batch;
}

SettingsWrite::SettingsWrite(MeterLink& link, MeterReadings& readings, WriteInputs& inputs, OperationLog& log,
    Dialogs& dialogs, QObject* parent)
    : QObject(parent), link_(link), readings_(readings), inputs_(inputs), log_(log), dialogs_(dialogs)
{
    const auto& entries = SettingsLogEntries();
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry)
        link_.RegisterDecoder(entry.key(), [this, text = entry.value()](const QByteArray&, const QByteArray&) {
            log_.Append(text(inputs_.settings));
        });
    connect(&link_, &MeterLink::MeterStateReset, this, [this] {
        inputs_.settings.dateEdited = false;
        inputs_.settings.timeEdited = false;
    });
    timer3_.setInterval(Timer3Ms);
    connect(&timer3_, &QTimer::timeout, this, &SettingsWrite::Timer3Timer);
    timer3_.start();
    // The pickers hold the workstation's clock from the start, not only
    // from the first tick.
    Timer3Timer();
}

bool SettingsWrite::ActionSettingExecute()
{
    if (clockSync_) {
        if (!clockSync_())
            return false;
        // The pickers that follow the clock show the server's time now.
        Timer3Timer();
    }
    const auto batch = BuildSettingsBatch(inputs_.settings, readings_.Main(MeterReadings::NumberRow));
    if (const QString* refusal = std::get_if<QString>(&batch)) {
        dialogs_.ShowError(*refusal);
        return false;
    }
    link_.SetSettingsWritePending(true);
    link_.Append(std::get<QList<QByteArray>>(batch));
    return true;
}

void SettingsWrite::Timer3Timer()
{
    SettingsInputs& settings = inputs_.settings;
    const QDateTime now = WorkstationClock::Now();
    // The pickers show whole seconds, and the meter takes no more.
    const QTime time(now.time().hour(), now.time().minute(), now.time().second());
    bool changed = false;
    if (!settings.dateEdited && settings.date != now.date()) {
        settings.date = now.date();
        changed = true;
    }
    if (!settings.timeEdited && settings.time != time) {
        settings.time = time;
        changed = true;
    }
    if (changed)
        inputs_.NotifyChanged();
}
