#include "sim/meter_faults.h"

#include "protocol/frame.h"

#include <QRandomGenerator>

namespace {

using Clock = std::chrono::steady_clock;

// Replaces the code but keeps the frame valid, so only the code check can
// catch it; the error-reply bit stays as it was.
void ChangeCode(QByteArray& frame)
{
    frame.chop(2);
    frame[0] = char(frame[0] ^ 0x01);
    AppendCrc(frame);
}

QByteArray Noise(qsizetype size)
{
    QByteArray noise(size, '\0');
    for (char& byte : noise)
        byte = char(QRandomGenerator::global()->bounded(256));
    // Random bytes pass the checksum once in 65536 tries; never let them.
    if (CrcValid(noise))
        noise[0] = char(noise[0] ^ 0x01);
    return noise;
}

// Noise on an idle line may reach the station after its next request has
// gone out, in front of the answer. Its first byte names no function and
// lacks the error-reply bit, so whatever follows, the station can only
// find it wrong, never take it for an answer it was waiting for.
QByteArray LineNoise(qsizetype size)
{
    QByteArray noise = Noise(size);
    if (!noise.isEmpty()) {
        quint8 first = 0;
        do
            first = quint8(QRandomGenerator::global()->bounded(ErrorReplyBit));
        while (IsKnownFunction(first));
        noise[0] = char(first);
    }
    return noise;
}

void Spoil(const Fault& fault, Reply& reply, Spoiling& spoiling)
{
    switch (fault.kind) {
    case FaultKind::NoAnswer:
    case FaultKind::Silence:
        reply.bytes.clear();
        break;
    case FaultKind::WrongCode:
        if (!reply.bytes.isEmpty())
            ChangeCode(reply.bytes);
        break;
    case FaultKind::SurplusByte:
        if (!reply.bytes.isEmpty())
            reply.bytes.append('\0');
        break;
    case FaultKind::BadCrc:
        if (!reply.bytes.isEmpty())
            reply.bytes.back() = char(reply.bytes.back() ^ 0xFF);
        break;
    case FaultKind::Pieces:
        reply.pieces = fault.amount;
        break;
    case FaultKind::Slow:
        reply.delayMs += fault.amount;
        break;
    case FaultKind::Noise:
        reply.bytes = Noise(reply.bytes.size());
        break;
    case FaultKind::NoiseAfter:
        spoiling.noiseAfter += LineNoise(fault.amount);
        break;
    }
    ++spoiling.faults;
}

// A silence lasts by the clock, not by requests: it starts with the first
// request it meets and is used up by the first one after its end.
bool SilenceOver(Fault& fault)
{
    const Clock::time_point now = Clock::now();
    if (!fault.silentUntil)
        fault.silentUntil = now + std::chrono::milliseconds(fault.amount);
    if (now < *fault.silentUntil)
        return false;
    fault.requests = 0;
    return true;
}

} // namespace

void FaultPlan::Add(const Fault& fault)
{
    faults_.append(fault);
}

void FaultPlan::Clear()
{
    faults_.clear();
}

Spoiling FaultPlan::Apply(quint8 requestCode, Reply& reply)
{
    Spoiling spoiling;
    for (Fault& fault : faults_) {
        if (fault.onlyCode && *fault.onlyCode != requestCode)
            continue;
        if (fault.kind == FaultKind::Silence) {
            if (!SilenceOver(fault))
                Spoil(fault, reply, spoiling);
            continue;
        }
        Spoil(fault, reply, spoiling);
        if (fault.requests != Fault::ForEver)
            --fault.requests;
    }
    faults_.removeIf([](const Fault& fault) { return fault.requests == 0; });
    return spoiling;
}
