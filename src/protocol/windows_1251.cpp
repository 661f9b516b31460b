#include "protocol/windows_1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

constexpr char CodePage[] = "windows-1251";

} // namespace

QByteArray ToWindows1251(const QString& text)
{
    QStringEncoder encoder(CodePage);
    return encoder.encode(text);
}

QString FromWindows1251(const QByteArray& bytes)
{
    QStringDecoder decoder(CodePage);
    return decoder.decode(bytes);
}
