#pragma once
// Files read back after the code under test has written them.

#include <QByteArray>
#include <QString>

// The file's bytes; "(unreadable)" when it cannot be opened, so that a
// missing file never compares equal to an empty one.
QByteArray FileBytes(const QString& path);
