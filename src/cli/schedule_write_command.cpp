#include "cli/schedule_commands.h"

#include "cli/batch_progress.h"
#include "cli/cli_session.h"
#include "cli/exit_code.h"
#include "cli/meter_run.h"
#include "cli/write_options.h"
#include "station/station_core.h"

#include <QCoreApplication>
#include <QTextStream>

int RunScheduleWrite(CliSession& session, const QString& path)
{
    QTextStream err(stderr);
    if (const QString reason = AccessPasswordRefusal(session.Password()); !reason.isEmpty()) {
        err << reason << Qt::endl;
        return Exit::Refused;
    }
    StationCore& core = session.Core();
    // A refused file is refused before the port is even opened.
    if (const QString reason = LoadScheduleFile(path, core.schedule); !reason.isEmpty()) {
        err << reason << Qt::endl;
        return Exit::Failed;
    }

    MeterRun run(session);
    BatchProgress progress(session, QStringLiteral("schedule-write"));
    run.WhenNumberShown([&] {
        // The login takes the access password from the edit, as the
        // settings write does.
        core.inputs.settings.accessPassword = session.Password();
        if (!progress.Follow([&] { return core.scheduleTransfer.ActionWriteSchedExecute(); }))
            QCoreApplication::exit(Exit::Failed);
    });
    QObject::connect(&core.link, &MeterLink::BatchFinished, [&](WriteBatch batch, BatchOutcome outcome) {
        if (batch != WriteBatch::Schedule)
            return;
        if (outcome != BatchOutcome::Completed)
            err << run.LastFailure() << Qt::endl;
        QCoreApplication::exit(outcome == BatchOutcome::Completed ? Exit::Done : Exit::Failed);
    });
    return run.Exec();
}
