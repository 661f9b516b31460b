#include "sim/meter_real.h"

#include <cmath>

namespace {
constexpr int ExponentBias = 127;
constexpr quint32 SignBit = 1u << 23;
constexpr quint32 FractionScale = 1u << 23;
} // namespace

quint32 EncodeMeterReal(double value)
{
    if (value == 0.0 || std::isnan(value))
        return 0;
    const quint32 sign = value < 0 ? SignBit : 0;
    int exponent = 0;
    // frexp gives [0.5, 1); the meter's mantissa lives in [1, 2).
    const double mantissa = 2.0 * std::frexp(std::fabs(value), &exponent);
    --exponent;
    quint32 fraction = quint32(std::lround((mantissa - 1.0) * FractionScale));
    if (fraction == FractionScale) {
        fraction = 0;
        ++exponent;
    }
    const int biased = exponent + ExponentBias;
    if (biased <= 0)
        return 0;
    if (biased > 0xFF)
        return 0xFF000000u | sign | (FractionScale - 1);
    return (quint32(biased) << 24) | sign | fraction;
}
