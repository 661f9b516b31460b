#pragma once
// Logging in to the simulated meter the way every write batch of the
// station does.

#include "protocol/frame.h"
#include "meter/access_password.h"
#include "sim/virtual_meter.h"

inline QByteArray LoginFrame(const QString& password, quint32 number, quint32 counter)
{
    return BuildPasswordFrame(LoginRequests().last(), password, number, counter);
}

// Number, counters, password; the meter's answer to the password.
inline QByteArray LogIn(VirtualMeter& meter, const QString& password)
{
    meter.Respond(MakeFrame(ReadNumber));
    meter.Respond(MakeFrame(ReadCounters));
    return meter.Respond(LoginFrame(password, meter.State().number, meter.State().operatingSeconds));
}
