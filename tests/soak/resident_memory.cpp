#include "resident_memory.h"

#include <QFile>

qint64 ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    // "VmRSS:     123456 kB"; the file tells no size, so it is read whole.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            bool ok = false;
            const qint64 kib = line.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
            return ok ? kib : -1;
        }
    }
    return -1;
}
