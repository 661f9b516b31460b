#include "sim/meter_writes.h"

#include "protocol/frame.h"
#include "sim/wire_format.h"

#include <QHash>
#include <optional>

namespace {

constexpr quint8 AutomaticDstFlag = 0x80;
constexpr int LargestIntegrationByte = 59; // 60 minutes
constexpr int LargestDdmMode = 8;
constexpr int RouteWriteSize = 5;
constexpr int RouteDeleteSize = 1;

FunctionResult Refused()
{
    return {{}, WrongRequestData};
}

// Null for a byte with a nibble above 9.
std::optional<int> FromBcd(char byte)
{
    const int high = quint8(byte) >> 4;
    const int low = quint8(byte) & 0x0F;
    if (high > 9 || low > 9)
        return std::nullopt;
    return high * 10 + low;
}

FunctionResult Login(const FunctionCall& call)
{
    if (!call.login.Enter(call.payload, call.state.number, call.state.password))
        return {{}, AccessDenied};
    return {};
}

FunctionResult NewPassword(const FunctionCall& call)
{
    call.state.password = call.login.Unmask(call.payload, call.state.number);
    return {};
}

FunctionResult Number(const FunctionCall& call)
{
    call.state.number = ReadLittleEndian(call.payload, 0, 3);
    return {};
}

// The new clock is kept as an offset from the workstation's, as the meter
// keeps counting from it.
FunctionResult Clock(const FunctionCall& call)
{
    MeterState& s = call.state;
    const qint64 written = ReadLittleEndian(call.payload, 1, 4);
    s.clockOffsetSeconds += written - call.meterSeconds;
    s.automaticDst = quint8(call.payload[0]) & AutomaticDstFlag;
    s.clockFaults = 0;
    return {};
}

FunctionResult Settlement(const FunctionCall& call)
{
    const std::optional<int> hour = FromBcd(call.payload[0]);
    const std::optional<int> day = FromBcd(call.payload[1]);
    if (!hour || !day || *hour > 23 || *day < 1 || *day > 31)
        return Refused();
    call.state.settlementHour = *hour;
    call.state.settlementDay = *day;
    return {};
}

FunctionResult Indicator(const FunctionCall& call)
{
    call.state.indicatorMask = quint8(call.payload[0]);
    return {};
}

FunctionResult IntegrationTime(const FunctionCall& call)
{
    const int value = quint8(call.payload[0]);
    if (value > LargestIntegrationByte)
        return Refused();
    call.state.integrationMinutes = value + 1;
    return {};
}

FunctionResult DdmNumber(const FunctionCall& call)
{
    const quint8 mode = quint8(call.payload[3]);
    if (mode > LargestDdmMode)
        return Refused();
    call.state.ddmNumber = ReadLittleEndian(call.payload, 0, 3);
    call.state.ddmTariffMode = mode;
    return {};
}

FunctionResult PlcAddress(const FunctionCall& call)
{
    call.state.plcGroup = quint8(call.payload[0]);
    call.state.plcAddress = quint8(call.payload[1]);
    return {};
}

// Index, repeater address and number write a route; the index alone
// deletes it.
FunctionResult RepeaterRoute(const FunctionCall& call)
{
    const qsizetype size = call.payload.size();
    if (size != RouteWriteSize && size != RouteDeleteSize)
        return {{}, WrongRequestLength};
    const int index = quint8(call.payload[0]);
    if (index >= int(call.state.routes.size()))
        return Refused();
    if (size == RouteDeleteSize)
        call.state.routes[index].reset();
    else
        call.state.routes[index] = Route{quint8(call.payload[1]), ReadLittleEndian(call.payload, 2, 3)};
    return {};
}

// A request without payload erases the whole list; an index and the slot's
// bytes store that slot as they come, unchecked, as the meter does.
template <std::size_t Count>
FunctionResult StoreOrErase(const FunctionCall& call, std::array<QByteArray, Count>& kept, int slotSize)
{
    const qsizetype size = call.payload.size();
    if (size == 0) {
        kept.fill({});
        return {};
    }
    if (size != 1 + slotSize)
        return {{}, WrongRequestLength};
    const int index = quint8(call.payload[0]);
    if (index >= int(Count))
        return Refused();
    kept[index] = call.payload.mid(1);
    return {};
}

FunctionResult ZoneRecord(const FunctionCall& call)
{
    return StoreOrErase(call, call.state.schedule.records, RecordSize);
}

FunctionResult HolidaySlot(const FunctionCall& call)
{
    return StoreOrErase(call, call.state.schedule.holidays, HolidaySlotSize);
}

FunctionResult TransferSlot(const FunctionCall& call)
{
    return StoreOrErase(call, call.state.schedule.transfers, TransferSlotSize);
}

FunctionResult LimitCoefficient(const FunctionCall& call)
{
    call.state.schedule.limitCoefficient = quint8(call.payload[0]);
    return {};
}

FunctionResult ZeroSettlementReadings(const FunctionCall& call)
{
    call.state.settlementReadings.fill(0.0);
    return {};
}

MeterFunction Write(int payloadSize, FunctionResult (*run)(const FunctionCall&))
{
    return {payloadSize, run, false, true};
}

} // namespace

const MeterFunction* FindWrite(quint8 code)
{
    static const QHash<quint8, MeterFunction> writes{
        {EnterPassword, {6, Login}},
        {WritePassword, Write(6, NewPassword)},
        {WriteNumber, Write(3, Number)},
        {WriteClock, Write(5, Clock)},
        {WriteSettlement, Write(2, Settlement)},
        {WriteIndicator, Write(1, Indicator)},
        {WriteIntegrationTime, Write(1, IntegrationTime)},
        {WriteDdmNumber, {4, DdmNumber, true, true}},
        {WritePlcAddress, Write(2, PlcAddress)},
        {WriteRoute, Write(MeterFunction::AnySize, RepeaterRoute)},
        {WriteHolidays, Write(MeterFunction::AnySize, HolidaySlot)},
        {WriteTransfers, Write(MeterFunction::AnySize, TransferSlot)},
        {WriteSchedule, Write(MeterFunction::AnySize, ZoneRecord)},
        {WriteLimitCoefficient, Write(1, LimitCoefficient)},
        {ResetSettlementReadings, Write(0, ZeroSettlementReadings)},
    };
    const auto found = writes.constFind(code);
    return found == writes.cend() ? nullptr : &*found;
}
