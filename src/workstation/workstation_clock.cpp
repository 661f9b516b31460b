#include "workstation/workstation_clock.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

qint64 offsetMs = 0;

#ifdef Q_OS_WIN
// Without the right to change the system time nothing changes; the offset
// then carries the server's time all the same.
bool SetLocalClock(const QDateTime& when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    SYSTEMTIME local{WORD(date.year()), WORD(date.month()), WORD(date.dayOfWeek() % 7), WORD(date.day()),
        WORD(time.hour()), WORD(time.minute()), WORD(time.second()), WORD(time.msec())};
    return SetLocalTime(&local);
}
#endif

} // namespace

namespace WorkstationClock {

QDateTime Now()
{
    return QDateTime::currentDateTime().addMSecs(offsetMs);
}

void SetTo(const QDateTime& serverNow)
{
#ifdef Q_OS_WIN
    if (SetLocalClock(serverNow)) {
        offsetMs = 0;
        return;
    }
#endif
    offsetMs = QDateTime::currentDateTime().msecsTo(serverNow);
}

void Reset()
{
    offsetMs = 0;
}

} // namespace WorkstationClock
