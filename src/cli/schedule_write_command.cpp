#include "cli/schedule_commands.h"

#include "cli/batch_progress.h"
#include "cli/cli_session.h"
#include "cli/meter_run.h"
#include "cli/write_options.h"
#include "station/station_core.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

enum ExitCode { Written = 0, NotWritten = 1, UnusableOptions = 2 };

} // namespace

int RunScheduleWrite(CliSession& session, const QString& path)
{
    QTextStream err(stderr);
    if (const QString reason = AccessPasswordRefusal(session.Password()); !reason.isEmpty()) {
        err << reason << Qt::endl;
        return UnusableOptions;
    }
    StationCore& core = session.Core();
    // A refused file is refused before the port is even opened.
    if (const QString reason = LoadScheduleFile(path, core.schedule); !reason.isEmpty()) {
        err << reason << Qt::endl;
        return NotWritten;
    }

    MeterRun run(session);
    BatchProgress progress(session, QStringLiteral("schedule-write"));
    run.WhenNumberShown([&] {
        // The login takes the access password from the edit, as the
        // settings write does.
        core.inputs.settings.accessPassword = session.Password();
        if (!progress.Follow([&] { return core.scheduleTransfer.ActionWriteSchedExecute(); }))
            QCoreApplication::exit(NotWritten);
    });
    QObject::connect(&core.link, &MeterLink::BatchFinished, [&](WriteBatch batch, BatchOutcome outcome) {
        if (batch != WriteBatch::Schedule)
            return;
        if (outcome != BatchOutcome::Completed)
            err << run.LastFailure() << Qt::endl;
        QCoreApplication::exit(outcome == BatchOutcome::Completed ? Written : NotWritten);
    });
    return run.Exec();
}
