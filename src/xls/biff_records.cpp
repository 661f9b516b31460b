#include "xls/biff_records.h"

#include <QtEndian>
#include <cstring>

RecordData& RecordData::U8(int value)
{
    data_.append(char(value & 0xFF));
    return *this;
}

RecordData& RecordData::U16(int value)
{
    return U8(value).U8(value >> 8);
}

RecordData& RecordData::U32(quint32 value)
{
    return U16(int(value & 0xFFFF)).U16(int(value >> 16));
}

RecordData& RecordData::Double(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return U32(quint32(bits)).U32(quint32(bits >> 32));
}

RecordData& RecordData::Bytes(const QByteArray& bytes)
{
    data_ += bytes;
    return *this;
}

RecordData& RecordData::ShortText(const QString& text)
{
    U8(int(text.size())).U8(1);
    for (const QChar character : text)
        U16(character.unicode());
    return *this;
}

RecordData& RecordData::Text(const QString& text)
{
    U16(int(text.size())).U8(1);
    for (const QChar character : text)
        U16(character.unicode());
    return *this;
}

void RecordStream::Add(quint16 type, const RecordData& data)
{
    Add(type, data.Data());
}

void RecordStream::Add(quint16 type, const QByteArray& data)
{
    Q_ASSERT(data.size() <= MaxRecordData);
    RecordData header;
    header.U16(type).U16(int(data.size()));
    bytes_ += header.Data() + data;
}

void RecordStream::PatchU32(qint64 position, quint32 value)
{
    qToLittleEndian(value, bytes_.data() + (position - start_));
}
