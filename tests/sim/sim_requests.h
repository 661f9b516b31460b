#pragma once
// Requests put to the simulated meter one at a time, and the refusals it
// answers with.

#include "protocol/frame.h"
#include "sim/virtual_meter.h"

// The meter's answer to a request of the code with the payload.
inline QByteArray Ask(VirtualMeter& meter, quint8 code, const QByteArray& payload = {})
{
    return meter.Respond(MakeFrame(code, payload));
}

// The error reply with which the meter refuses a request of the code.
inline QByteArray Refusal(quint8 code, int error)
{
    return MakeFrame(code | ErrorReplyBit, QByteArray(1, char(error)));
}
