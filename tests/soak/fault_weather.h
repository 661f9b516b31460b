#pragma once
// The simulated meter's misbehaviour during a soak: after each request it
// serves, the next answer goes wrong with the chance of the moment, in one
// way picked at random, so that no two faults ever meet in one answer;
// and on demand the meter falls silent for a while.

#include "meter_ledger.h"
#include "random_mix.h"
#include "soak_tally.h"

class FaultWeather {
public:
    FaultWeather(VirtualMeter& meter, MeterLedger& ledger, RandomMix& random, SoakTally& tally, int timeoutMs);

    // The chance that any one answer goes wrong; 0 calms the line.
    void SetRoughness(double chance) { roughness_ = chance; }
    // No more faults, and none waiting.
    void Calm();
    // The meter answers nothing for this long from its next request.
    void Silence(int ms);

private:
    void Served(const ServedRequest& request);
    Fault Pick();

    VirtualMeter& meter_;
    RandomMix& random_;
    SoakTally& tally_;
    const int timeoutMs_;
    double roughness_ = 0;
    // A silence is in place until a request finds it worn off.
    bool silent_ = false;
};
