#include "cli/write_command.h"

#include "cli/cli_session.h"
#include "cli/exit_code.h"
#include "cli/meter_run.h"
#include "cli/write_options.h"
#include "meter/settings_write.h"
#include "station/station_core.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// On the production line a write counts only once it is recorded too; the
// record's own message has been printed when it was not.
Exit::Code Completed(CliSession& session)
{
    const ProductionLine* production = session.Production();
    if (!production || production->LastRecord() == RecordOutcome::Recorded)
        return Exit::Done;
    return Exit::NotRecorded;
}

} // namespace

QString MeterRefusal(const MeterReadings& readings, const SettingsInputs& inputs)
{
    const QString shownNumber = readings.Main(MeterReadings::NumberRow);
    if (inputs.number > 0 && !MeterTakesNumber(shownNumber))
        return QStringLiteral("--number refused: the meter already has the number %1.").arg(shownNumber);
    if (inputs.checkDdm && !readings.DdmAvailable())
        return QStringLiteral("--ddm refused: a type-341 meter has no remote display (ДДМ).");
    return {};
}

int RunWrite(CliSession& session, const QCommandLineParser& parser)
{
    QTextStream err(stderr);
    const auto parsed = ParseWriteOptions(parser, session.Password());
    if (const auto* reason = std::get_if<QString>(&parsed)) {
        err << *reason << Qt::endl;
        return Exit::Refused;
    }
    const WriteChoices& choices = std::get<WriteChoices>(parsed);

    StationCore& core = session.Core();
    MeterRun run(session);
    // The choices go into the inputs only now: connecting has reset the
    // pickers to follow the clock, and the meter's answers decide what it
    // can take. A write it cannot take refuses the whole command, so a
    // script never mistakes a partial write for the one it asked for.
    const auto writeStep = [&] {
        if (const QString refusal = MeterRefusal(core.readings, choices.inputs); !refusal.isEmpty()) {
            err << refusal << " Nothing written." << Qt::endl;
            QCoreApplication::exit(Exit::Refused);
            return;
        }
        SettingsInputs& inputs = core.inputs.settings;
        inputs = choices.inputs;
        if (choices.timeNow)
            SetClockToNow(inputs);
        if (!core.settings.ActionSettingExecute())
            QCoreApplication::exit(Exit::Failed);
    };
    if (session.Production())
        run.WhenCycleRead(writeStep);
    else
        run.WhenNumberShown(writeStep);
    QObject::connect(&core.link, &MeterLink::BatchFinished, [&](WriteBatch batch, BatchOutcome outcome) {
        if (batch != WriteBatch::Settings)
            return;
        if (outcome != BatchOutcome::Completed) {
            err << run.LastFailure() << Qt::endl;
            QCoreApplication::exit(Exit::Failed);
            return;
        }
        QCoreApplication::exit(Completed(session));
    });
    return run.Exec();
}
