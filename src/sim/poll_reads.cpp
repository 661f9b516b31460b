#include "sim/poll_reads.h"

#include "protocol/frame.h"
#include "protocol/meter_tariffs.h"
#include "sim/meter_real.h"
#include "sim/wire_format.h"

#include <QHash>

namespace {

// Index 16 is the last one the meter accepts; it always reads zero.
constexpr int LastReadingIndex = 2 * TariffCount;

FunctionResult Version(const FunctionCall& call)
{
    const MeterState& s = call.state;
    QByteArray data;
    data.append(Bcd(s.versionMinor));
    data.append(Bcd(s.versionMajor));
    // Five type digits packed two per byte, the lowest pair first.
    for (quint32 digits = s.typeCode, i = 0; i < 3; ++i, digits /= 100)
        data.append(Bcd(int(digits % 100)));
    return {data};
}

FunctionResult Number(const FunctionCall& call)
{
    call.login.Close();
    QByteArray data;
    AppendLittleEndian(data, call.state.number, 3);
    return {data};
}

FunctionResult Clock(const FunctionCall& call)
{
    QByteArray data;
    data.append(char(call.state.ClockStatus(call.meterSeconds)));
    AppendLittleEndian(data, quint32(call.meterSeconds), 4);
    return {data};
}

FunctionResult Settlement(const FunctionCall& call)
{
    return {Bytes({Bcd(call.state.settlementHour), Bcd(call.state.settlementDay)})};
}

// The index comes back alone for a free slot.
template <std::size_t Count>
FunctionResult Slot(const std::array<QByteArray, Count>& kept, const QByteArray& payload)
{
    const int index = quint8(payload[0]);
    if (index >= int(Count))
        return {{}, WrongRequestData};
    return {Bytes({index}) + kept[index]};
}

// The poll asks with nothing and is told the checksum; an index asks for
// that zone record.
FunctionResult Schedule(const FunctionCall& call)
{
    if (call.payload.isEmpty()) {
        QByteArray data;
        AppendLittleEndian(data, call.state.schedule.Checksum(), 2);
        return {data};
    }
    if (call.payload.size() != 1)
        return {{}, WrongRequestLength};
    return Slot(call.state.schedule.records, call.payload);
}

FunctionResult HolidaySlot(const FunctionCall& call)
{
    return Slot(call.state.schedule.holidays, call.payload);
}

FunctionResult TransferSlot(const FunctionCall& call)
{
    return Slot(call.state.schedule.transfers, call.payload);
}

FunctionResult LimitCoefficient(const FunctionCall& call)
{
    return {Bytes({call.state.schedule.limitCoefficient})};
}

FunctionResult Counters(const FunctionCall& call)
{
    call.login.CounterReported(call.state.operatingSeconds);
    QByteArray data;
    AppendLittleEndian(data, call.state.operatingSeconds, 4);
    data.append(char(call.state.clockCorrections));
    return {data};
}

FunctionResult IntegrationTime(const FunctionCall& call)
{
    return {Bytes({call.state.integrationMinutes - 1})};
}

void AppendPeak(QByteArray& data, const PeakPower& peak)
{
    AppendLittleEndian(data, quint32(peak.stamp), 4);
    AppendLittleEndian(data, peak.watts, 3);
}

FunctionResult PeakPowers(const FunctionCall& call)
{
    QByteArray data;
    AppendPeak(data, call.state.currentPeak);
    AppendPeak(data, call.state.settlementPeak);
    return {data};
}

FunctionResult AveragePower(const FunctionCall& call)
{
    QByteArray data;
    AppendLittleEndian(data, call.state.averagePowerWatts, 3);
    return {data};
}

FunctionResult Indicator(const FunctionCall& call)
{
    return {Bytes({call.state.indicatorMask})};
}

FunctionResult PlcAddress(const FunctionCall& call)
{
    return {Bytes({call.state.plcGroup, call.state.plcAddress})};
}

FunctionResult RepeaterRoute(const FunctionCall& call)
{
    const int index = quint8(call.payload[0]);
    if (index >= int(call.state.routes.size()))
        return {{}, WrongRequestData};
    QByteArray data = Bytes({index});
    if (const auto& route = call.state.routes[index]) {
        data.append(char(route->repeaterAddress));
        AppendLittleEndian(data, route->repeaterNumber, 3);
    }
    return {data};
}

FunctionResult Reading(const FunctionCall& call)
{
    const int index = quint8(call.payload[0]);
    if (index > LastReadingIndex)
        return {{}, WrongRequestData};
    const MeterState& s = call.state;
    const double kWh = index < TariffCount ? s.readings[index]
        : index < LastReadingIndex        ? s.settlementReadings[index - TariffCount]
                                          : 0.0;
    QByteArray data = Bytes({index, 0});
    AppendLittleEndian(data, EncodeMeterReal(kWh), 4);
    return {data};
}

FunctionResult DdmNumber(const FunctionCall& call)
{
    QByteArray data;
    AppendLittleEndian(data, call.state.ddmNumber, 3);
    data.append(char(call.state.ddmTariffMode));
    return {data};
}

FunctionResult DdmStatus(const FunctionCall& call)
{
    QByteArray data = Bytes({call.state.ddmBalanceState});
    AppendLittleEndian(data, call.state.ddmLastSession, 4);
    return {data};
}

} // namespace

const MeterFunction* FindPollRead(quint8 code)
{
    static const QHash<quint8, MeterFunction> reads{
        {ReadVersion, {0, Version}},
        {ReadNumber, {0, Number}},
        {ReadClock, {0, Clock}},
        {ReadSchedule, {MeterFunction::AnySize, Schedule}},
        {ReadHolidays, {1, HolidaySlot}},
        {ReadTransfers, {1, TransferSlot}},
        {ReadLimitCoefficient, {0, LimitCoefficient}},
        {ReadPlcAddress, {0, PlcAddress}},
        {ReadAveragePower, {0, AveragePower}},
        {ReadIndicator, {0, Indicator}},
        {ReadReadings, {1, Reading}},
        {ReadCounters, {0, Counters}},
        {ReadIntegrationTime, {0, IntegrationTime}},
        {ReadRoute, {1, RepeaterRoute}},
        {ReadSettlement, {0, Settlement}},
        {ReadDdmStatus, {0, DdmStatus, true}},
        {ReadPeakPowers, {0, PeakPowers}},
        {ReadDdmNumber, {0, DdmNumber, true}},
    };
    const auto found = reads.constFind(code);
    return found == reads.cend() ? nullptr : &*found;
}
