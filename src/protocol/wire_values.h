#pragma once
// How values travel inside frames: multi-byte numbers low byte first, and
// the BCD bytes of clock-like values (tens in the high nibble).

#include <QByteArray>
#include <initializer_list>

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

// Single-byte fields, in order.
inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int value : values)
        out.append(char(value));
    return out;
}
