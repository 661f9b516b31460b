#pragma once
// Writing the station's files so that a full disk or a read-only folder
// never passes for success and never costs what was saved before.

#include <QByteArray>
#include <QString>

class QFileDevice;

// Every byte, or false with the system's reason in file.errorString(). A
// short write (the disk filling up on the way) is followed up until the
// system says why.
bool WriteAll(QFileDevice& file, const QByteArray& bytes);

// Why whatever is at `path` must not be replaced by a saved file: a folder,
// pipe or device is there. Empty for a regular file or nothing.
QString ReplacementRefusal(const QString& path);

// Writes `bytes` as the whole new content of the file at `path`: written
// beside it and put in its place only once complete, so a failed save
// leaves the earlier file as it was. Empty on success, else the reason
// (ReplacementRefusal's among them).
QString SaveWholeFile(const QString& path, const QByteArray& bytes);
