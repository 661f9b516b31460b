#include "sim/simulated_scanner.h"

#include <utility>

SimulatedScanner::SimulatedScanner(QObject* parent)
    : SerialChannel(LineSettings::Scanner(), parent)
{
}

bool SimulatedScanner::WriteText(const QByteArray& bytes)
{
    if (!open_)
        throw SerialChannelError(QStringLiteral("Port is not open"));
    written_ += bytes;
    return true;
}

QByteArray SimulatedScanner::ReadText()
{
    if (!readError_.isEmpty())
        throw SerialChannelError(readError_);
    return std::exchange(readable_, {});
}

void SimulatedScanner::Scan(const QByteArray& bytes)
{
    if (!open_)
        return;
    waiting_.append(bytes);
    QMetaObject::invokeMethod(this, &SimulatedScanner::DeliverNext, Qt::QueuedConnection);
}

void SimulatedScanner::OpenPort()
{
    if (!openError_.isEmpty())
        throw SerialChannelError(openError_);
    open_ = true;
}

// The input queue goes with the port.
void SimulatedScanner::ClosePort()
{
    open_ = false;
    waiting_.clear();
    readable_.clear();
}

void SimulatedScanner::ApplyParity(Parity)
{
    // The scanner's line has no parity to switch.
}

void SimulatedScanner::DeliverNext()
{
    // Closing the line dropped the piece this event was for.
    if (waiting_.isEmpty())
        return;
    readable_ += waiting_.takeFirst();
    emit RxChar(int(readable_.size()));
}
