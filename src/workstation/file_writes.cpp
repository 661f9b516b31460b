#include "workstation/file_writes.h"

#include <QFileInfo>
#include <QSaveFile>

bool WriteAll(QFileDevice& file, const QByteArray& bytes)
{
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return true;
}

QString ReplacementRefusal(const QString& path)
{
    // A file saved aside and renamed into place would take the place of a
    // device or pipe (of /dev/null, for a station run as root).
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("Это не обычный файл: папка, канал или устройство не заменяется сохраняемым файлом.");
    return {};
}

QString SaveWholeFile(const QString& path, const QByteArray& bytes)
{
    if (const QString refusal = ReplacementRefusal(path); !refusal.isEmpty())
        return refusal;
    QSaveFile file(path);
    // Unbuffered, so a full disk shows in the writes: a buffer flushed by
    // commit() fails there unreported, and the half-written file replaces
    // the earlier one all the same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !WriteAll(file, bytes) || !file.commit())
        return file.errorString();
    return {};
}
