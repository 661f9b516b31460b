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

// One request as the meter served it, for whoever checks the station
// against what the line really carried.
struct ServedRequest {
    QByteArray request;
    QByteArray answer; // the meter's own answer, before any fault
    QByteArray sent; // what went on the line; empty: nothing
    int faults = 0; // how many acted on it

    // The meter's own answer went out unspoiled, though perhaps late or in
    // pieces (an error reply too: it is what the meter meant to say).
    bool Clean() const { return !answer.isEmpty() && sent == answer; }
};

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
    // Told of every request served, after the faults; it may inject the
    // faults for the requests to come.
    void SetServedHook(std::function<void(const ServedRequest&)> hook);

    // The answer to one complete request frame and how to deliver it.
    // Checks run as in the meter: checksum, function, length, login (for
    // writes), data. noiseAfter, where given, receives the noise a fault
    // puts on the line after the answer; without it the noise is dropped.
    Reply Serve(const QByteArray& request, QByteArray* noiseAfter = nullptr);
    // Serve without the delivery plan; empty when the meter stays silent.
    QByteArray Respond(const QByteArray& request);

private:
    QByteArray Answer(const QByteArray& request);

    MeterState state_;
    MeterLogin login_;
    std::function<QDateTime()> clock_;
    FaultPlan faults_;
    std::function<void(const ServedRequest&)> servedHook_;
};
