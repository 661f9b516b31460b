#include "cli/write_command.h"

#include "app/station_core.h"
#include "cli/cli_session.h"
#include "cli/write_options.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

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
// the pickers to follow the clock. False when the batch cannot be built
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
    MeterLink& link = core.link;
    // Without the number-editing mode the protocol carries failures only.
    link.Protocol().SetEnabled(true);
    QString lastFailure;
    QObject::connect(&link.Protocol(), &ProtocolView::LineAppended, [&](const QString& line) { lastFailure = line; });

    // The batch needs the number row: it decides whether a number is written
    // and heads every log entry.
    bool queued = false;
    QObject::connect(&core.readings, &MeterReadings::MainChanged, [&](int row, const QString& text) {
        if (row != MeterReadings::NumberRow || text.isEmpty() || queued)
            return;
        queued = true;
        // Out of the decoder: the poll's request leaves the queue first.
        QTimer::singleShot(0, [&] {
            if (!QueueBatch(core, choices))
                QCoreApplication::exit(NotWritten);
        });
    });
    QObject::connect(&link, &MeterLink::BatchFinished, [&](WriteBatch batch, BatchOutcome outcome) {
        if (batch != WriteBatch::Settings)
            return;
        if (outcome != BatchOutcome::Completed)
            err << lastFailure << Qt::endl;
        QCoreApplication::exit(outcome == BatchOutcome::Completed ? Written : NotWritten);
    });
    QObject::connect(&link, &MeterLink::LinkLost, [&] {
        err << "The meter does not answer: " << lastFailure << Qt::endl;
        QCoreApplication::exit(NotWritten);
    });

    if (!session.Connect())
        return NotWritten;
    const int code = QCoreApplication::exec();
    link.ActionDisconnectExecute();
    return code;
}
