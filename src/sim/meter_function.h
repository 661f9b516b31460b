#pragma once
// One function the simulated meter carries out, as an entry of its dispatch
// table: the request payload size it insists on and what it answers.

#include "sim/meter_login.h"
#include "sim/meter_state.h"

#include <QByteArray>

enum MeterError : quint8 {
    UnknownFunction = 1,
    WrongRequestLength = 2,
    WrongChecksum = 3,
    WrongRequestData = 4,
    AccessDenied = 6,
};

struct FunctionCall {
    MeterState& state; // writes change it
    MeterLogin& login;
    qint64 meterSeconds;
    const QByteArray& payload; // already checked against payloadSize
};

// The answer's data bytes, or an error number instead.
struct FunctionResult {
    QByteArray data;
    quint8 error = 0;
};

struct MeterFunction {
    // The function takes payloads of more than one size and refuses a
    // wrong one itself.
    static constexpr int AnySize = -1;

    int payloadSize;
    FunctionResult (*run)(const FunctionCall& call);
    // A meter without a ДДМ (type 341) does not know these functions at all.
    bool needsDdm = false;
    // Refused with AccessDenied until a valid login has opened writes.
    bool needsLogin = false;
};
