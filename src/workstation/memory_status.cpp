#include "workstation/memory_status.h"

#include <QFile>
#include <QRegularExpression>
#include <cmath>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

std::optional<MemoryStatus> ReadMemoryStatus()
{
#ifdef Q_OS_WIN
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status))
        return std::nullopt;
    return MemoryStatus{status.ullTotalPhys, status.ullAvailPhys};
#else
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromLatin1(meminfo.readAll());
    const auto kilobytes = [&text](const char* field) -> std::optional<quint64> {
        const QRegularExpression line(QStringLiteral("^%1:\\s+(\\d+) kB").arg(QLatin1String(field)),
            QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = line.match(text);
        if (!match.hasMatch())
            return std::nullopt;
        return match.captured(1).toULongLong() * 1024;
    };
    const auto total = kilobytes("MemTotal");
    const auto available = kilobytes("MemAvailable");
    if (!total || !available)
        return std::nullopt;
    return MemoryStatus{*total, *available};
#endif
}

QStringList MemoryLines(const MemoryStatus& status, const QLocale& locale)
{
    const auto kilobytes = [&locale](quint64 bytes) {
        return locale.toString(qulonglong(std::llround(double(bytes) / 1024.0)));
    };
    return {
        QStringLiteral("Всего физической памяти: ") + kilobytes(status.totalBytes) + QStringLiteral(" KB"),
        QStringLiteral("Доступно физической памяти: ") + kilobytes(status.availableBytes) + QStringLiteral(" KB"),
    };
}
