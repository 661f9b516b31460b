#pragma once

#include <QLocale>
#include <QStringList>
#include <optional>

struct MemoryStatus {
    quint64 totalBytes = 0;
    quint64 availableBytes = 0;
};

// The workstation's physical memory; nothing when the platform won't say.
std::optional<MemoryStatus> ReadMemoryStatus();

// The about box's two lines: total and available physical memory in KB with
// the locale's thousands separators.
QStringList MemoryLines(const MemoryStatus& status, const QLocale& locale = QLocale());
