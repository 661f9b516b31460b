#include "sim/virtual_meter.h"

#include "protocol/frame.h"
#include "protocol/meter_calendar.h"
#include "sim/journal_reads.h"
#include "sim/meter_writes.h"
#include "sim/poll_reads.h"

namespace {

constexpr int FrameOverhead = 4; // code, length byte, CRC
constexpr double WattSecondsPerKWh = 3.6e6;

QByteArray ErrorReply(quint8 code, MeterError error)
{
    return MakeFrame(code | ErrorReplyBit, QByteArray(1, char(error)));
}

} // namespace

VirtualMeter::VirtualMeter()
    : clock_([] { return QDateTime::currentDateTime(); })
{
    // Recent enough to look like a meter in service.
    const qint64 now = MeterSeconds();
    state_.currentPeak.stamp = qint32(now - 2 * 3600);
    state_.settlementPeak.stamp = qint32(now - 20 * SecondsPerDay);
    state_.ddmLastSession = quint32(now - 600);
}

void VirtualMeter::MakeType341()
{
    state_.typeCode = 34101;
    state_.versionMajor = 1;
    state_.versionMinor = 3;
}

void VirtualMeter::SetWorkstationClock(std::function<QDateTime()> clock)
{
    clock_ = std::move(clock);
}

qint64 VirtualMeter::MeterSeconds() const
{
    return NaiveSeconds(clock_()) + state_.clockOffsetSeconds;
}

void VirtualMeter::Advance(int seconds)
{
    state_.operatingSeconds += quint32(seconds);
    const int tariff = state_.TariffAt(MeterSeconds());
    state_.readings[tariff - 1] += state_.averagePowerWatts * double(seconds) / WattSecondsPerKWh;
}

void VirtualMeter::InjectFault(const Fault& fault)
{
    faults_.Add(fault);
}

void VirtualMeter::ClearFaults()
{
    faults_.Clear();
}

void VirtualMeter::SetServedHook(std::function<void(const ServedRequest&)> hook)
{
    servedHook_ = std::move(hook);
}

Reply VirtualMeter::Serve(const QByteArray& request, QByteArray* noiseAfter)
{
    if (request.isEmpty())
        return {};
    const QByteArray answer = Answer(request);
    Reply reply{answer};
    const Spoiling spoiling = faults_.Apply(quint8(request[0]), reply);
    if (noiseAfter)
        *noiseAfter = spoiling.noiseAfter;
    if (servedHook_)
        servedHook_({request, answer, reply.bytes, spoiling.faults});
    return reply;
}

QByteArray VirtualMeter::Respond(const QByteArray& request)
{
    return Serve(request).bytes;
}

QByteArray VirtualMeter::Answer(const QByteArray& request)
{
    const quint8 code = quint8(request[0]);
    if (!CrcValid(request))
        return ErrorReply(code, WrongChecksum);
    const MeterFunction* function = FindPollRead(code);
    if (!function)
        function = FindJournalRead(code);
    if (!function)
        function = FindWrite(code);
    if (!function || (function->needsDdm && !state_.HasDdm()))
        return ErrorReply(code, UnknownFunction);
    const qsizetype payloadSize = request.size() - FrameOverhead;
    const bool sizeFits = function->payloadSize == MeterFunction::AnySize || payloadSize == function->payloadSize;
    if (!sizeFits || quint8(request[1]) != payloadSize + 2)
        return ErrorReply(code, WrongRequestLength);
    if (function->needsLogin && !login_.WritesOpen())
        return ErrorReply(code, AccessDenied);
    const QByteArray payload = request.mid(2, payloadSize);
    const FunctionResult result = function->run({state_, login_, MeterSeconds(), payload});
    if (result.error)
        return ErrorReply(code, MeterError(result.error));
    return MakeFrame(code, result.data);
}
