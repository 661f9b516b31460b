#pragma once
// The meter's 32-bit real: the exponent + 127 in the top byte, the sign in
// bit 23 and the fraction of a mantissa in [1, 2) in bits 0..22; only the
// all-zero word means 0.

#include <QtGlobal>

// Rounds to the nearest representable value; magnitudes too small for the
// exponent become 0, too large ones the largest representable value.
quint32 EncodeMeterReal(double value);
