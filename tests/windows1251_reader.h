#pragma once
// Files the station writes in Windows-1251 read as another program reads
// them: through iconv.

#include <QProcess>
#include <QString>
#include <QStringList>

// The whole text, line ends kept; a null string when iconv fails.
inline QString Windows1251Text(const QString& path)
{
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), {"-f", "WINDOWS-1251", "-t", "UTF-8", path});
    if (!iconv.waitForFinished(10000) || iconv.exitCode() != 0)
        return {};
    return QString::fromUtf8(iconv.readAllStandardOutput());
}

// The lines of a CR LF file; none when it cannot be read.
inline QStringList Windows1251Lines(const QString& path)
{
    QString text = Windows1251Text(path);
    if (text.isNull())
        return {};
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}
