#pragma once
// The short report: everything shown about the meter as lines of name TAB
// value, saved as Windows-1251 text with CR LF.

#include <QDateTime>
#include <QString>
#include <QStringList>

class MeterReadings;
class PlcParameters;

QStringList ShortReportLines(const MeterReadings& readings, const PlcParameters& plc, const QDateTime& now);

// Replaces the file as a whole; false with the station's message in `error`
// when it cannot, the earlier file then left as it was.
bool SaveShortReport(const QString& path, const QStringList& lines, QString* error);
