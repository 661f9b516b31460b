#pragma once
// The tariff schedule from the command line: a tsc file shown as text, and
// copied into the meter and back, the way the commands "Загрузить из файла",
// "Записать в счетчик" and "Прочитать из счетчика" do.

#include <QString>

class CliSession;
class ScheduleDocument;

// Takes the file into the schedule as the station loads it, with the same
// refusals; the reason, naming the file, or empty when it was taken.
QString LoadScheduleFile(const QString& path, ScheduleDocument& schedule);

// Prints the file as the station reads it, one "kind TAB fields" line each:
// holidays, transfers, the limit coefficient, then the zone records in file
// order. Exit code 1 (reason on stderr, nothing on stdout) when the file is
// unreadable or refused.
int RunTscDump(const QString& path);

// Reads the whole schedule out of the meter into the file. Exit code 0
// only when every request of the read was answered and the file written;
// otherwise 1 with the reason on stderr, and the file is left alone.
int RunScheduleRead(CliSession& session, const QString& path);

// Writes the file's schedule into the meter, erasing what it held. Exit
// code 0 only when the whole batch was acknowledged; 2 for an unusable
// --password; 1 when the file is refused (nothing is sent), the meter
// cannot take the schedule, or refused a request or stopped answering
// (the protocol's failure text on stderr).
int RunScheduleWrite(CliSession& session, const QString& path);
