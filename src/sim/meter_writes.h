#pragma once
// The writes the station's batches send, with the login that opens them.

#include "sim/meter_function.h"

// Null when the code is not one of them.
const MeterFunction* FindWrite(quint8 code);
