#include "fault_weather.h"

FaultWeather::FaultWeather(VirtualMeter& meter, MeterLedger& ledger, RandomMix& random, SoakTally& tally,
    int timeoutMs)
    : meter_(meter), random_(random), tally_(tally), timeoutMs_(timeoutMs)
{
    ledger.OnServed([this](const ServedRequest& request) { Served(request); });
}

void FaultWeather::Calm()
{
    roughness_ = 0;
    silent_ = false;
    meter_.ClearFaults();
}

void FaultWeather::Silence(int ms)
{
    meter_.ClearFaults();
    meter_.InjectFault({FaultKind::Silence, ms});
    silent_ = true;
    ++tally_.faults;
}

void FaultWeather::Served(const ServedRequest& request)
{
    if (silent_ && request.faults == 0)
        silent_ = false;
    // A fault injected now meets the next request; the one before has just
    // been used up by this one.
    if (silent_ || roughness_ <= 0 || !random_.Chance(roughness_))
        return;
    meter_.InjectFault(Pick());
    ++tally_.faults;
}

// Late answers come both in time and after the station has given up
// waiting; pieces and noise after the answer leave it clean, the rest
// spoil it.
Fault FaultWeather::Pick()
{
    switch (random_.Weighted({3, 2, 2, 3, 2, 2, 2, 1, 2})) {
    case 0:
        return {FaultKind::NoAnswer};
    case 1:
        return {FaultKind::WrongCode};
    case 2:
        return {FaultKind::SurplusByte};
    case 3:
        return {FaultKind::BadCrc};
    case 4:
        return {FaultKind::Noise};
    case 5:
        return {FaultKind::Pieces, random_.Int(2, 8)};
    case 6:
        return {FaultKind::Slow, random_.Int(20, timeoutMs_ - 150)};
    case 7:
        return {FaultKind::Slow, random_.Int(timeoutMs_ + 50, timeoutMs_ + 400)};
    default:
        return {FaultKind::NoiseAfter, random_.Int(1, 8)};
    }
}
