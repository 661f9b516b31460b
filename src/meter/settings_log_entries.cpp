#include "meter/settings_log_entries.h"

#include "protocol/frame.h"
#include "meter/ddm_tariff_modes.h"
#include "meter/meter_readings.h"
#include "meter/value_formats.h"

namespace {

QString Clock(const SettingsInputs& inputs)
{
    return QStringLiteral("Время=") + WorkstationDateTimeText(inputs.date, inputs.time)
        + (inputs.dst ? QStringLiteral(" Автопереход на летнее время")
                      : QStringLiteral(" Нет автоперехода на летнее время"));
}

QString Number(const SettingsInputs& inputs)
{
    return QStringLiteral("Номер=") + QString::number(inputs.number);
}

QString Settlement(const SettingsInputs& inputs)
{
    return QStringLiteral("Расчетный день=") + QString::number(inputs.day) + QStringLiteral(" Расчетный час=")
        + QString::number(inputs.hour);
}

QString Indicator(const SettingsInputs& inputs)
{
    QString text = QStringLiteral("Режим индикации=");
    for (int item = 0; item < MeterReadings::IndicatorItems; ++item)
        if (inputs.indicator[item])
            text += MeterReadings::IndicatorCaptions()[item] + ' ';
    return text;
}

QString IntegrationTime(const SettingsInputs& inputs)
{
    return QStringLiteral("Время интегрирования детектора пиковой можщности=") + QString::number(inputs.integra);
}

QString Ddm(const SettingsInputs& inputs)
{
    return QStringLiteral("ДДМ=") + QString::number(inputs.ddmNumber) + QStringLiteral(" Режим тарификации=")
        + DdmTariffModeItems().value(inputs.ddmMode);
}

QString SettlementReset(const SettingsInputs&)
{
    return QStringLiteral("Сброс показаний на РЧД");
}

} // namespace

const QHash<quint8, LogEntryText>& SettingsLogEntries()
{
    static const QHash<quint8, LogEntryText> entries{
        {WriteClock, Clock},
        {WriteNumber, Number},
        {WriteSettlement, Settlement},
        {WriteIndicator, Indicator},
        {WriteIntegrationTime, IntegrationTime},
        {WriteDdmNumber, Ddm},
        {ResetSettlementReadings, SettlementReset},
    };
    return entries;
}
