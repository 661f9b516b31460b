#include "protocol/password_mask.h"

#include "protocol/windows_1251.h"

QByteArray AccessMask(quint32 number, quint32 operatingTime)
{
    const quint8 numberBytes[] = {quint8(number), quint8(number >> 8), quint8(number >> 16)};
    const quint8 counterBytes[] = {quint8(operatingTime), quint8(operatingTime >> 8)};
    QByteArray mask(PasswordLength, '\0');
    for (int i = 0; i < PasswordLength; ++i)
        mask[i] = char(numberBytes[i % 3] ^ counterBytes[i % 2]);
    return mask;
}

QByteArray PasswordBytes(const QString& text)
{
    QByteArray bytes = ToWindows1251(text).left(PasswordLength);
    bytes.append(PasswordLength - bytes.size(), '\0');
    return bytes;
}

bool IsValidPassword(const QString& text)
{
    return text.size() <= PasswordLength && FromWindows1251(ToWindows1251(text)) == text;
}
