#include "workstation/service_contacts.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace {

QString Decode(const QByteArray& text)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(text);
    if (!utf8.hasError())
        return decoded;
    QStringDecoder windows1251("windows-1251");
    return windows1251.isValid() ? QString(windows1251(text)) : decoded;
}

bool HasControlCharacter(const QString& line)
{
    return std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString* Field(ServiceContacts& contacts, const QString& key)
{
    const auto is = [&key](const char* name) { return key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("web"))
        return &contacts.web;
    if (is("email"))
        return &contacts.email;
    if (is("phone1"))
        return &contacts.phone1;
    if (is("phone2"))
        return &contacts.phone2;
    return nullptr;
}

} // namespace

ServiceContacts ServiceContactsFile::Parse(const QByteArray& text)
{
    ServiceContacts contacts;
    const QString decoded = Decode(text);
    for (QStringView line : QStringView(decoded).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';') || line.size() > MaxLineLength)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString value = line.mid(equals + 1).trimmed().toString();
        if (HasControlCharacter(value))
            continue;
        if (QString* field = Field(contacts, line.left(equals).trimmed().toString()))
            *field = value;
    }
    return contacts;
}

ServiceContacts ServiceContactsFile::Read(const QDir& dir)
{
    const QString path = dir.filePath(QLatin1String(FileName));
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // One byte more than allowed tells a file too large.
    const QByteArray text = file.read(MaxFileSize + 1);
    return text.size() > MaxFileSize ? ServiceContacts{} : Parse(text);
}
