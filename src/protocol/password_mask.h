#pragma once
// The meter's access password on the wire: six Windows-1251 bytes, sent in
// requests 20 and 21 combined by exclusive-or with a mask made of the
// meter number and the operating-time counter the meter last reported.

#include <QByteArray>
#include <QString>

constexpr int PasswordLength = 6;

QByteArray AccessMask(quint32 number, quint32 operatingTime);
// The text as single Windows-1251 bytes, padded with zero bytes to six.
QByteArray PasswordBytes(const QString& text);
// True when the text fits a password: at most six characters, each one
// Windows-1251 can hold.
bool IsValidPassword(const QString& text);
