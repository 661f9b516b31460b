#pragma once
// Byte-level helpers for building the meter's answers and pacing them on
// the line.

#include "protocol/wire_values.h"

#include <QByteArray>
#include <chrono>

// Start bit, eight data bits, the parity (ninth) bit and a stop bit.
constexpr int BitsPerByte = 11;

// Rounded up: a byte has not left the line before its last bit has.
constexpr std::chrono::microseconds WireTime(qsizetype byteCount, qint32 baudRate)
{
    return std::chrono::microseconds((byteCount * BitsPerByte * 1'000'000 + baudRate - 1) / baudRate);
}
