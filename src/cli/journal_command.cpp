#include "cli/journal_command.h"

#include "cli/batch_progress.h"
#include "cli/cli_session.h"
#include "cli/exit_code.h"
#include "cli/meter_run.h"
#include "journals/grid_export.h"
#include "station/station_core.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <optional>

namespace {

enum class JournalKind { Yearly, Consumption };

const QString XlsName = QStringLiteral("xls");

std::optional<JournalKind> KindNamed(const QString& name)
{
    if (name == QStringLiteral("yearly"))
        return JournalKind::Yearly;
    if (name == QStringLiteral("consumption"))
        return JournalKind::Consumption;
    return std::nullopt;
}

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

QList<QCommandLineOption> JournalOptions()
{
    return {{XlsName, "Also save the table as this Excel 97-2003 workbook.", "FILE"}};
}

int RunJournal(CliSession& session, const QCommandLineParser& parser, const QString& journal)
{
    QTextStream err(stderr);
    const std::optional<JournalKind> kind = KindNamed(journal);
    if (!kind) {
        err << "journal reads \"yearly\" or \"consumption\"; see --help." << Qt::endl;
        return Exit::Refused;
    }
    const QString xlsPath = parser.value(XlsName);
    if (parser.isSet(XlsName) && xlsPath.isEmpty()) {
        err << "--xls needs a file name." << Qt::endl;
        return Exit::Refused;
    }
    StationCore& core = session.Core();
    JournalReads& journals = core.journals;
    MeterRun run(session);

    // A failed request drops the rest of the read, and the meter's refusals
    // of a journal request may go unsaid: the answers are counted.
    const bool yearly = *kind == JournalKind::Yearly;
    BatchProgress progress(session, QStringLiteral("journal ") + journal);
    run.WhenNumberShown([&] {
        progress.Follow(
            [&] {
                if (yearly)
                    journals.BtnReadJournalYearClick();
                else
                    journals.BtnReadDiaryClick();
                return true;
            },
            [&] {
                if (progress.Answered() < progress.Size()) {
                    err << "The journal was not read: the meter answered " << progress.Answered() << " of "
                        << progress.Size() << " requests. " << run.LastFailure() << Qt::endl;
                    QCoreApplication::exit(Exit::Failed);
                } else {
                    QCoreApplication::exit(Exit::Done);
                }
            });
    });

    if (run.Exec() != Exit::Done)
        return Exit::Failed;
    const TextGrid grid = JournalGrid(journals, *kind);
    QTextStream out(stdout);
    for (const QStringList& row : grid.rows)
        out << row.join(QLatin1Char('\t')) << '\n';
    out.flush();
    if (xlsPath.isEmpty())
        return Exit::Done;
    const quint32 number = yearly ? journals.YearMeterNumber() : journals.DiaryMeterNumber();
    if (const QString reason = WriteGridWorkbook(grid, JournalTitle(number, JournalName(*kind)), xlsPath);
        !reason.isEmpty()) {
        err << xlsPath << ": " << reason << Qt::endl;
        return Exit::Failed;
    }
    return Exit::Done;
}
