#pragma once
// The meter clock's daily drift since this system last set it: every clock
// reading adds one value, and the mean since the last meter-state reset is
// shown in seconds per day.

#include <QDateTime>
#include <QString>

class ClockDrift {
public:
    // The clock this system last wrote into the meter; invalid when none.
    void SetLastProgrammed(const QDateTime& when) { lastProgrammed_ = when; }
    const QDateTime& LastProgrammed() const { return lastProgrammed_; }
    // The meter-state reset forgets all of it.
    void Reset();

    // EditDelta's text after a valid clock reading: the mean drift with 2
    // decimals, or empty while the last programming is unknown or not yet
    // twelve hours ago.
    QString ClockReading(const QDateTime& meterClock, const QDateTime& workstationNow);

    double DriftSum() const { return driftSum_; }
    int DriftCount() const { return driftCount_; }

private:
    QDateTime lastProgrammed_;
    double driftSum_ = 0;
    int driftCount_ = 0;
};
