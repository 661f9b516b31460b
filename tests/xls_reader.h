#pragma once
// A workbook as python3-xlrd (Debian's package, run by the system's
// python3) reads it: another program's view of the files we write.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

// Empty when the reader refuses the file; its complaint then goes to the
// test's output.
inline QJsonObject ReadXls(const QString& path)
{
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(VM742_READ_XLS), path});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
        qWarning("%s", reader.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}
