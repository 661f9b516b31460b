#pragma once
// The meter's two journals, read one month or one record per request.

#include "sim/meter_function.h"

// Null when the code is not one of them.
const MeterFunction* FindJournalRead(quint8 code);
