#include "sim/meter_faults.h"

#include "link/frame.h"

#include <QRandomGenerator>

namespace {

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

void Spoil(const Fault& fault, Reply& reply)
{
    switch (fault.kind) {
    case FaultKind::NoAnswer:
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
    }
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

void FaultPlan::Apply(quint8 requestCode, Reply& reply)
{
    for (Fault& fault : faults_) {
        if (fault.onlyCode && *fault.onlyCode != requestCode)
            continue;
        Spoil(fault, reply);
        if (fault.requests != Fault::ForEver)
            --fault.requests;
    }
    faults_.removeIf([](const Fault& fault) { return fault.requests == 0; });
}
