#include "sim/pty_server.h"

#include "protocol/frame.h"
#include "sim/wire_format.h"

#include <QTimer>
#include <chrono>

namespace {

// Only a read of the lone first byte shows its parity: once more bytes came
// with it, the station may already have switched to space.
NinthBit Judge(const QByteArray& read, Parity parity)
{
    if (read.size() != 1)
        return NinthBit::Unknown;
    return parity == Parity::Mark ? NinthBit::Set : NinthBit::Clear;
}

QString StartName(NinthBit start)
{
    switch (start) {
    case NinthBit::Set: return QStringLiteral("marked");
    case NinthBit::Clear: return QStringLiteral("unmarked");
    case NinthBit::Unknown: break;
    }
    return QStringLiteral("unobserved");
}

QString Hex(const QByteArray& bytes)
{
    return HexDump(bytes).trimmed();
}

} // namespace

PtyServer::PtyServer(VirtualMeter& meter, QObject* parent)
    : QObject(parent), meter_(meter)
{
    reader_ = std::make_unique<PtyReader>(terminal_, [this](const QByteArray& bytes, Parity parity) {
        QMetaObject::invokeMethod(this, [this, bytes, parity] { Receive(bytes, parity); }, Qt::QueuedConnection);
    });
}

QString PtyServer::Summary() const
{
    return QStringLiteral("summary requests=%1 unmarked=%2 unobserved=%3")
        .arg(assembler_.Requests())
        .arg(assembler_.Unmarked())
        .arg(assembler_.Unobserved());
}

void PtyServer::Receive(const QByteArray& bytes, Parity parity)
{
    const NinthBit bit = Judge(bytes, parity);
    for (char byte : bytes) {
        const auto request = assembler_.Feed(byte, bit);
        if (!request)
            continue;
        emit Traffic(QStringLiteral("request %1 (%2)").arg(Hex(request->bytes), StartName(request->start)));
        const Reply reply = meter_.Serve(request->bytes);
        emit Traffic(reply.bytes.isEmpty() ? QStringLiteral("reply none")
                                           : QStringLiteral("reply %1").arg(Hex(reply.bytes)));
        Deliver(reply);
    }
}

void PtyServer::Deliver(const Reply& reply)
{
    using namespace std::chrono;
    // Later pieces wait for the earlier ones to cross the line, so the
    // station reads them apart.
    microseconds at = milliseconds(reply.delayMs);
    for (const QByteArray& piece : reply.Pieces()) {
        if (at == at.zero())
            terminal_.Write(piece);
        else
            QTimer::singleShot(ceil<milliseconds>(at), Qt::PreciseTimer, this, [this, piece] { terminal_.Write(piece); });
        at += WireTime(piece.size(), LineSettings::Meter().baudRate);
    }
}
