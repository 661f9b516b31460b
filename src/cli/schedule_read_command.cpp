#include "cli/schedule_commands.h"

#include "cli/batch_progress.h"
#include "cli/cli_session.h"
#include "cli/exit_code.h"
#include "cli/meter_run.h"
#include "station/station_core.h"

#include <QCoreApplication>
#include <QTextStream>

int RunScheduleRead(CliSession& session, const QString& path)
{
    QTextStream err(stderr);
    StationCore& core = session.Core();
    MeterRun run(session);

    // A failed request drops the rest of the queue without a word when the
    // refusal is one the station keeps quiet about, so the answers are
    // counted.
    BatchProgress progress(session, QStringLiteral("schedule-read"));
    int failuresBefore = 0;
    // The meter's records reach the schedule in one go, unless one of them
    // cannot be shown: then the schedule keeps none of them.
    bool recordsTaken = false;
    run.WhenNumberShown([&] {
        failuresBefore = run.FailureCount();
        progress.Follow(
            [&] {
                core.scheduleTransfer.ActionReadSchedExecute();
                return true;
            },
            [&] {
                if (progress.Answered() < progress.Size() || run.FailureCount() != failuresBefore) {
                    err << "The schedule was not read: the meter answered " << progress.Answered() << " of "
                        << progress.Size() << " requests. " << run.LastFailure() << Qt::endl;
                    QCoreApplication::exit(Exit::Failed);
                } else if (!recordsTaken) {
                    err << "The meter's zone records cannot be taken; nothing saved." << Qt::endl;
                    QCoreApplication::exit(Exit::Failed);
                } else {
                    QCoreApplication::exit(Exit::Done);
                }
            });
        QObject::connect(&core.schedule, &ScheduleDocument::RecordsChanged, &progress, [&] { recordsTaken = true; });
    });

    if (run.Exec() != Exit::Done)
        return Exit::Failed;
    if (const QString reason = WriteTscFile(path, core.schedule.Content()); !reason.isEmpty()) {
        err << path << ": " << reason << Qt::endl;
        return Exit::Failed;
    }
    return Exit::Done;
}
