#pragma once
// The fields of a response frame by their absolute position: 0 the code,
// 1 the length byte, data from 2, the CRC in the last two bytes. Values of
// several bytes come low byte first.

#include <QByteArray>

class ResponseFields {
public:
    explicit ResponseFields(const QByteArray& frame) : frame_(frame) {}

    // True when the data reaches `position`; the CRC is no data to decode.
    bool Holds(int position) const { return position < frame_.size() - 2; }
    // True when the length byte is `lengthByte` and the frame that long.
    bool HasLength(int lengthByte) const
    {
        return frame_.size() == lengthByte + 2 && quint8(frame_[1]) == lengthByte;
    }

    quint8 Byte(int position) const { return quint8(frame_[position]); }
    // Tens in the high nibble, units in the low one, taken as they are.
    int Bcd(int position) const { return (Byte(position) >> 4) * 10 + (Byte(position) & 0x0F); }
    quint32 U24(int position) const { return Unsigned(position, 3); }
    quint32 U32(int position) const { return Unsigned(position, 4); }
    qint32 I32(int position) const { return qint32(U32(position)); }

private:
    quint32 Unsigned(int position, int size) const
    {
        quint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | Byte(position + i);
        return value;
    }

    const QByteArray& frame_;
};
