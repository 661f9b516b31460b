#pragma once
// Everything of one run of the station that talks to the meter: the link,
// what the poll reads, the operator's prepared values, the operation log,
// the write batches, the tariff schedule and the journals, wired together.
// The window and the command-line tool each own one, so both drive the very
// same engine.

#include "journals/journal_reads.h"
#include "link/meter_link.h"
#include "meter/access_password.h"
#include "meter/meter_readings.h"
#include "meter/operation_log.h"
#include "meter/plc_parameters.h"
#include "meter/schedule_transfer.h"
#include "meter/settings_write.h"
#include "meter/write_inputs.h"
#include "schedule/schedule_document.h"
#include "schedule/schedule_files.h"

class Dialogs;

class StationCore {
public:
    // The link's timers run on the clock unless a harness hands in its own.
    StationCore(Dialogs& dialogs, const QString& logPath, int workMode, bool sqlMode,
        LinkTimers& timers = LinkTimers::Clock());
    // On the production line the operation log is not written; the
    // production database records instead.
    void SetSqlMode(bool on);

    MeterLink link;
    MeterReadings readings;
    WriteInputs inputs;
    OperationLog log;
    AccessPassword password;
    SettingsWrite settings;
    PlcParameters plc;
    ScheduleDocument schedule;
    ScheduleFiles scheduleFiles;
    ScheduleTransfer scheduleTransfer;
    JournalReads journals;
};
