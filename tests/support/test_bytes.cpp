#include "support/test_bytes.h"

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray Zeros(int count)
{
    return QByteArray(count, '\0');
}
