#include "link/poll_cycle.h"

#include "protocol/frame.h"

namespace {

constexpr int FirstRouteStep = 11;
constexpr int FirstReadingStep = 15;

} // namespace

QByteArray PollRequest(int step)
{
    static constexpr quint8 Fixed[] = {
        ReadVersion, ReadNumber, ReadClock, ReadSettlement, ReadSchedule, ReadCounters,
        ReadIntegrationTime, ReadPeakPowers, ReadAveragePower, ReadIndicator, ReadPlcAddress,
    };
    if (step < FirstRouteStep)
        return MakeFrame(Fixed[step]);
    if (step < FirstReadingStep)
        return MakeFrame(ReadRoute, QByteArray(1, char(step - FirstRouteStep)));
    if (step < PollCycleLength341)
        return MakeFrame(ReadReadings, QByteArray(1, char(step - FirstReadingStep)));
    return MakeFrame(step == PollCycleLength341 ? ReadDdmNumber : ReadDdmStatus);
}

bool IsModel341(int typeCode)
{
    return (typeCode / 100) % 1000 == 341;
}

int NextPollStep(int step, int typeCode)
{
    ++step;
    if (IsModel341(typeCode) && step > PollCycleLength341 - 1)
        return 0;
    return step > PollCycleLength - 1 ? 0 : step;
}
