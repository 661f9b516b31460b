#include "sim/virtual_channel.h"

#include "sim/wire_format.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace {

// Noise after an answer comes this long after its last byte: well before
// the station's next send tick, so it falls between requests.
constexpr std::chrono::milliseconds NoiseGap{10};

} // namespace

VirtualChannel::VirtualChannel(QObject* parent)
    : SerialChannel(LineSettings::Meter(), parent)
{
    deliveryTimer_.setSingleShot(true);
    deliveryTimer_.setTimerType(Qt::PreciseTimer);
    connect(&deliveryTimer_, &QTimer::timeout, this, &VirtualChannel::DeliverNextPiece);
}

bool VirtualChannel::WriteText(const QByteArray& bytes)
{
    if (!open_)
        throw SerialChannelError(QStringLiteral("Port is not open"));
    std::this_thread::sleep_for(WireTime(bytes.size(), Settings().baudRate));
    const NinthBit bit = CurrentParity() == Parity::Mark ? NinthBit::Set : NinthBit::Clear;
    for (char byte : bytes) {
        if (const auto request = assembler_.Feed(byte, bit)) {
            QByteArray noiseAfter;
            const Reply reply = meter_.Serve(request->bytes, &noiseAfter);
            Schedule(reply, noiseAfter);
        }
    }
    return true;
}

QByteArray VirtualChannel::ReadText()
{
    return std::exchange(readable_, {});
}

void VirtualChannel::OpenPort()
{
    if (openFails_)
        throw SerialChannelError(QStringLiteral("Specified device not found (%1).").arg(PortName()),
            SerialChannelError::Cause::NoSuchPort);
    open_ = true;
}

void VirtualChannel::ClosePort()
{
    open_ = false;
    deliveryTimer_.stop();
    pending_.clear();
    readable_.clear();
    assembler_.Reset();
}

void VirtualChannel::ApplyParity(Parity)
{
    // Nothing to switch: each write takes its ninth bit from CurrentParity().
}

void VirtualChannel::Schedule(const Reply& reply, const QByteArray& noiseAfter)
{
    Clock::time_point at = Clock::now() + std::chrono::milliseconds(turnaroundMs_ + reply.delayMs);
    // An answer still on its way is not overtaken.
    if (!pending_.isEmpty())
        at = std::max(at, pending_.last().readableAt);
    for (const QByteArray& piece : reply.Pieces()) {
        at += WireTime(piece.size(), Settings().baudRate);
        pending_.append({at, piece});
    }
    if (!noiseAfter.isEmpty())
        pending_.append({at + NoiseGap + WireTime(noiseAfter.size(), Settings().baudRate), noiseAfter});
    ArmTimer();
}

void VirtualChannel::ArmTimer()
{
    if (pending_.isEmpty())
        return;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(pending_.first().readableAt - Clock::now());
    deliveryTimer_.start(std::max<int>(0, int(wait.count())));
}

void VirtualChannel::DeliverNextPiece()
{
    if (pending_.first().readableAt > Clock::now()) {
        ArmTimer();
        return;
    }
    readable_ += pending_.takeFirst().bytes;
    ArmTimer();
    emit RxChar(int(readable_.size()));
}
