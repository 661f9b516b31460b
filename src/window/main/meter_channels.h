#pragma once
// The meter's lines: the real serial port, and the simulated meter in the
// program itself when the station offers it.

#include "link/qt_serial_channel.h"

#include <memory>

class VirtualChannel;

class MeterChannels {
public:
    explicit MeterChannels(bool withSimulator);
    ~MeterChannels();

    QtSerialChannel& Port() { return port_; }
    // The simulated meter's line; only when the station offers it.
    VirtualChannel& Simulator() { return *simulator_; }
    SerialChannel& For(bool simulator);

private:
    QtSerialChannel port_{LineSettings::Meter()};
    std::unique_ptr<VirtualChannel> simulator_;
};
