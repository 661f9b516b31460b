#pragma once
// The process's resident memory, as the kernel counts it.

#include <QtGlobal>

// VmRSS of /proc/self/status in KiB; -1 where it cannot be read.
qint64 ResidentKiB();
