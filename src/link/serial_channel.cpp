#include "link/serial_channel.h"

namespace {
const char* const PortOpenText = "Can't perform this operation while port is open";
}

SerialChannelError::SerialChannelError(const QString& text)
    : std::runtime_error(text.toStdString())
{
}

QString SerialChannelError::Text() const
{
    return QString::fromStdString(what());
}

SerialChannel::SerialChannel(const LineSettings& settings, QObject* parent)
    : QObject(parent), settings_(settings)
{
}

SerialChannel::~SerialChannel() = default;

void SerialChannel::Open()
{
    if (Active())
        throw SerialChannelError(PortOpenText);
    OpenPort();
}

void SerialChannel::Close()
{
    if (Active())
        ClosePort();
}

void SerialChannel::SetPortName(const QString& name)
{
    if (Active())
        throw SerialChannelError(PortOpenText);
    portName_ = name;
}

void SerialChannel::SetParity(Parity parity)
{
    if (parity == settings_.parity)
        return;
    settings_.parity = parity;
    if (Active())
        ApplyParity(parity);
}
