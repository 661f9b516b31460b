#pragma once
// The station's files and the meter's passwords use the Windows-1251 code
// page, whatever the workstation's own code page is.

#include <QByteArray>
#include <QString>

// A character the code page cannot hold becomes a substitute byte.
QByteArray ToWindows1251(const QString& text);
QString FromWindows1251(const QByteArray& bytes);
