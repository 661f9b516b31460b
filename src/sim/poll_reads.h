#pragma once
// The reads the station's poll cycle sends.

#include "sim/meter_function.h"

// Null when the code is not one of them.
const MeterFunction* FindPollRead(quint8 code);
