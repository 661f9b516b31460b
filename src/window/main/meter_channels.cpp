#include "window/main/meter_channels.h"

#include "sim/virtual_channel.h"

MeterChannels::MeterChannels(bool withSimulator)
    : simulator_(withSimulator ? std::make_unique<VirtualChannel>() : nullptr)
{
}

MeterChannels::~MeterChannels() = default;

SerialChannel& MeterChannels::For(bool simulator)
{
    if (simulator && simulator_)
        return *simulator_;
    return port_;
}
