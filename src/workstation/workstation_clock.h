#pragma once
// The workstation's clock as the station reads it. On the production line
// the server's time counts: on Windows the station sets the local clock to
// it; elsewhere the program may not (and should not) change the system
// time, so it keeps the server's offset and adds it wherever it reads the
// clock. Like the system clock it is one for the whole process.

#include <QDateTime>

namespace WorkstationClock {

QDateTime Now();
// From now on Now() follows the given server time.
void SetTo(const QDateTime& serverNow);
// Back to the local clock unchanged.
void Reset();

} // namespace WorkstationClock
