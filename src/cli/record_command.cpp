#include "cli/record_command.h"

#include "cli/cli_session.h"
#include "cli/exit_code.h"
#include "cli/meter_run.h"
#include "cli/write_command.h"
#include "cli/write_options.h"

#include <QCoreApplication>
#include <QTextStream>

int RunRecord(CliSession& session, const QCommandLineParser& parser)
{
    QTextStream err(stderr);
    ProductionLine* production = session.Production();
    if (!production) {
        err << "record goes with --db FILE or --dsn NAME." << Qt::endl;
        return Exit::Refused;
    }
    const auto parsed = ParseWriteOptions(parser, session.Password());
    if (const auto* reason = std::get_if<QString>(&parsed)) {
        err << *reason << Qt::endl;
        return Exit::Refused;
    }
    const qint64 number = std::get<WriteChoices>(parsed).inputs.number;

    StationCore& core = session.Core();
    MeterRun run(session);
    run.WhenCycleRead([&] {
        SettingsInputs wanted;
        wanted.number = number;
        if (const QString refusal = MeterRefusal(core.readings, wanted); !refusal.isEmpty()) {
            err << refusal << " Nothing recorded." << Qt::endl;
            QCoreApplication::exit(Exit::Refused);
            return;
        }
        if (number > 0) {
            core.inputs.settings.number = number;
            core.inputs.NotifyChanged();
        }
        const auto outcome = production->ActionFixDbExecute();
        QCoreApplication::exit(outcome == RecordOutcome::Recorded ? Exit::Done : Exit::NotRecorded);
    });
    return run.Exec();
}
