#include "cli/write_command.h"

#include "station/station_core.h"
#include "cli/cli_session.h"
#include "cli/meter_run.h"
#include "cli/write_options.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

enum ExitCode { Written = 0, NotWritten = 1, UnusableOptions = 2 };

// What the station itself would leave out on this meter, said on stderr.
void LeaveOutWhatTheMeterCannotTake(const MeterReadings& readings, SettingsInputs& inputs)
{
    QTextStream err(stderr);
    const QString shownNumber = readings.Main(MeterReadings::NumberRow);
    if (inputs.number > 0 && shownNumber.toLongLong() != 0)
        err << "--number left out: the meter already has the number " << shownNumber << "." << Qt::endl;
    if (inputs.checkDdm && !readings.DdmAvailable()) {
        err << "--ddm left out: this meter type has no remote display." << Qt::endl;
        inputs.checkDdm = false;
    }
}

// The operator's choices go into the inputs only now: connecting has reset
// the pickers to follow the clock, and the number row decides whether a
// number is written. False when the batch cannot be built
// (the station's message is on stderr).
bool QueueBatch(StationCore& core, const WriteChoices& choices)
{
    SettingsInputs& inputs = core.inputs.settings;
    inputs = choices.inputs;
    if (choices.timeNow)
        SetClockToNow(inputs);
    LeaveOutWhatTheMeterCannotTake(core.readings, inputs);
    return core.settings.ActionSettingExecute();
}

} // namespace

int RunWrite(CliSession& session, const QCommandLineParser& parser)
{
    QTextStream err(stderr);
    const auto parsed = ParseWriteOptions(parser, session.Password());
    if (const auto* reason = std::get_if<QString>(&parsed)) {
        err << *reason << Qt::endl;
        return UnusableOptions;
    }
    const WriteChoices& choices = std::get<WriteChoices>(parsed);

    StationCore& core = session.Core();
    MeterRun run(session);
    run.WhenNumberShown([&] {
        if (!QueueBatch(core, choices))
            QCoreApplication::exit(NotWritten);
    });
    QObject::connect(&core.link, &MeterLink::BatchFinished, [&](WriteBatch batch, BatchOutcome outcome) {
        if (batch != WriteBatch::Settings)
            return;
        if (outcome != BatchOutcome::Completed)
            err << run.LastFailure() << Qt::endl;
        QCoreApplication::exit(outcome == BatchOutcome::Completed ? Written : NotWritten);
    });
    return run.Exec();
}
