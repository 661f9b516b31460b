#pragma once
// Byte-level helpers for building the meter's answers and pacing them on
// the line.

#include <QByteArray>
#include <chrono>

// Multi-byte values go on the line low byte first.
inline void AppendLittleEndian(QByteArray& out, quint32 value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// The counterpart of AppendLittleEndian; the bytes must be there.
inline quint32 ReadLittleEndian(const QByteArray& bytes, qsizetype offset, int byteCount)
{
    quint32 value = 0;
    for (int i = byteCount - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[offset + i]);
    return value;
}

inline char Bcd(int value)
{
    return char((value / 10) * 16 + value % 10);
}

// Start bit, eight data bits, the parity (ninth) bit and a stop bit.
constexpr int BitsPerByte = 11;

// Rounded up: a byte has not left the line before its last bit has.
constexpr std::chrono::microseconds WireTime(qsizetype byteCount, qint32 baudRate)
{
    return std::chrono::microseconds((byteCount * BitsPerByte * 1'000'000 + baudRate - 1) / baudRate);
}
