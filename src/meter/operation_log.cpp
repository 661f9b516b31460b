#include "meter/operation_log.h"

#include "workstation/file_writes.h"
#include "meter/value_formats.h"
#include "protocol/windows_1251.h"
#include "workstation/workstation_clock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

constexpr int KeyLength = 6;
const QByteArray LineEnd = QByteArrayLiteral("\r\n");

// A last line left without its end (a log edited by hand) would swallow
// the next entry.
bool EndsInsideLine(QFile& file)
{
    return file.size() > 0 && file.seek(file.size() - 1) && !file.read(1).endsWith('\n');
}

// Unbuffered, so a failure shows here and not when the file is closed. A
// disk that fills up midway leaves part of the line: the file is cut back
// to where it ended, so no torn entry runs into the next one. Empty when
// written, else the system's reason.
QString AppendLine(const QString& path, const QByteArray& line)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return file.errorString();
    const qint64 end = file.size();
    const QByteArray bytes = EndsInsideLine(file) ? LineEnd + line : line;
    if (WriteAll(file, bytes))
        return {};
    const QString reason = file.errorString();
    file.resize(end);
    return reason;
}

} // namespace

OperationLog::OperationLog(QString path, std::function<QString()> shownNumber)
    : path_(std::move(path)), shownNumber_(std::move(shownNumber))
{
}

void OperationLog::Append(const QString& text) const
{
    if (sqlMode_)
        return;
    const QDateTime now = WorkstationClock::Now();
    const QString entry = shownNumber_() + '[' + WorkstationDateTimeText(now.date(), now.time()) + "] " + text;
    if (const QString reason = AppendLine(path_, ToWindows1251(entry) + LineEnd); !reason.isEmpty())
        throw OperationLogError(QStringLiteral("Запись не добавлена в журнал операций %1: %2\nНе записано: %3")
                                    .arg(QDir::toNativeSeparators(path_), reason, entry));
}

QStringList OperationLog::Filter(qint64 number) const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString key = QString::number(number).rightJustified(KeyLength, QLatin1Char('0'));
    QStringList entries;
    for (QString line : FromWindows1251(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        // A number of more than six digits is written unpadded: its lines
        // match no key, neither its own nor that of its first six digits.
        if (line.size() > KeyLength && line.startsWith(key) && line[KeyLength] == QLatin1Char('['))
            entries << line.mid(KeyLength);
    }
    return entries;
}
