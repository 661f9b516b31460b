#include "station/station_core.h"

StationCore::StationCore(Dialogs& dialogs, const QString& logPath, int workMode, bool sqlMode, LinkTimers& timers)
    : link(dialogs, timers),
      log(logPath, [this] { return readings.Main(MeterReadings::NumberRow); }),
      password(link, readings, inputs, log),
      settings(link, readings, inputs, log, dialogs),
      plc(link, inputs, log),
      scheduleFiles(schedule, dialogs),
      scheduleTransfer(link, readings, schedule, log, dialogs),
      journals(link, readings)
{
    link.SetWorkMode(workMode);
    SetSqlMode(sqlMode);
    readings.Attach(link);
}

void StationCore::SetSqlMode(bool on)
{
    link.SetSqlMode(on);
    log.SetSqlMode(on);
}
