#pragma once
// The simulated meter: answers request frames the way a real one does,
// from a MeterState the tests may change at will.

#include "sim/meter_faults.h"
#include "sim/meter_login.h"
#include "sim/meter_state.h"
#include "sim/reply.h"

#include <QByteArray>
#include <QDateTime>
#include <functional>

class VirtualMeter {
public:
    // A type-742 meter whose clock follows the workstation's local clock.
    VirtualMeter();

    MeterState& State() { return state_; }
    const MeterState& State() const { return state_; }

    // Type 34101: the same meter without a ДДМ.
    void MakeType341();

    // The workstation's local clock the meter clock is offset from.
    void SetWorkstationClock(std::function<QDateTime()> clock);
    qint64 MeterSeconds() const;

    // Lets time pass: the operating time and the current tariff's reading
    // grow by what the average power consumes meanwhile.
    void Advance(int seconds);

    void InjectFault(const Fault& fault);
    void ClearFaults();

    // The answer to one complete request frame and how to deliver it.
    // Checks run as in the meter: checksum, function, length, login (for
    // writes), data.
    Reply Serve(const QByteArray& request);
    // Serve without the delivery plan; empty when the meter stays silent.
    QByteArray Respond(const QByteArray& request);

private:
    QByteArray Answer(const QByteArray& request);

    MeterState state_;
    MeterLogin login_;
    std::function<QDateTime()> clock_;
    FaultPlan faults_;
};
