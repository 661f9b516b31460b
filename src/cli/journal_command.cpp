#include "cli/journal_command.h"

#include "cli/batch_progress.h"
#include "cli/cli_session.h"
#include "cli/meter_run.h"
#include "journals/grid_export.h"
#include "station/station_core.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

enum ExitCode { Read = 0, NotRead = 1 };

TextGrid JournalGrid(const JournalReads& journals, JournalKind kind)
{
    if (kind == JournalKind::Yearly)
        return journals.YearGrid();
    return ListToGrid(JournalReads::DiaryCaptions(), journals.DiaryRows());
}

QString JournalName(JournalKind kind)
{
    return kind == JournalKind::Yearly ? QStringLiteral("Годовой журнал") : QStringLiteral("Журнал потребления");
}

} // namespace

int RunJournal(CliSession& session, JournalKind kind, const QString& xlsPath)
{
    QTextStream err(stderr);
    StationCore& core = session.Core();
    JournalReads& journals = core.journals;
    MeterRun run(session);

    // A failed request drops the rest of the read, and the meter's refusals
    // of a journal request may go unsaid: the answers are counted.
    const bool yearly = kind == JournalKind::Yearly;
    BatchProgress progress(session, yearly ? QStringLiteral("journal yearly") : QStringLiteral("journal consumption"));
    bool reading = false;
    run.WhenNumberShown([&] {
        reading = progress.Follow([&] {
            if (yearly)
                journals.BtnReadJournalYearClick();
            else
                journals.BtnReadDiaryClick();
            return true;
        });
    });
    // The poll comes back only once the queue has run empty: the read has
    // been answered or dropped.
    QObject::connect(&core.link, &MeterLink::PollStepQueued, [&] {
        if (!reading)
            return;
        reading = false;
        if (progress.Answered() < progress.Size()) {
            err << "The journal was not read: the meter answered " << progress.Answered() << " of " << progress.Size()
                << " requests. " << run.LastFailure() << Qt::endl;
            QCoreApplication::exit(NotRead);
        } else {
            QCoreApplication::exit(Read);
        }
    });

    if (run.Exec() != Read)
        return NotRead;
    const TextGrid grid = JournalGrid(journals, kind);
    QTextStream out(stdout);
    for (const QStringList& row : grid.rows)
        out << row.join(QLatin1Char('\t')) << '\n';
    out.flush();
    if (xlsPath.isEmpty())
        return Read;
    const quint32 number = yearly ? journals.YearMeterNumber() : journals.DiaryMeterNumber();
    if (const QString reason = WriteGridWorkbook(grid, JournalTitle(number, JournalName(kind)), xlsPath);
        !reason.isEmpty()) {
        err << xlsPath << ": " << reason << Qt::endl;
        return NotRead;
    }
    return Read;
}
