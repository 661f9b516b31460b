#pragma once
// The fixed cycle of read requests that keeps the meter's values fresh
// while nothing else is queued.

#include <QByteArray>

constexpr int PollCycleLength = 34;
// A type-341 meter has no ДДМ unit: the two ДДМ reads at the end are left out.
constexpr int PollCycleLength341 = 32;

// The complete request frame (with CRC) of one step, 0..33.
QByteArray PollRequest(int step);

// The step after `step` for a meter of the given type code (0 while unknown).
int NextPollStep(int step, int typeCode);

bool IsModel341(int typeCode);
