#include "cli/poll_command.h"

#include "cli/cli_session.h"
#include "cli/exit_code.h"
#include "link/poll_cycle.h"
#include "workstation/work_mode.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const QString CyclesName = QStringLiteral("cycles");

bool IsFailure(const QString& line)
{
    return !line.contains(" Send ") && !line.contains(" Received: ");
}

// The steps of one poll cycle for a meter of this type code.
int CycleSteps(int typeCode)
{
    int steps = 1;
    for (int step = NextPollStep(0, typeCode); step != 0; step = NextPollStep(step, typeCode))
        ++steps;
    return steps;
}

} // namespace

QList<QCommandLineOption> PollOptions()
{
    return {{CyclesName,
        "Whole poll cycles of requests sent (a step dropped unsent by an abort counts for nothing), "
        "0 = until interrupted.",
        "N", "0"}};
}

int RunPoll(CliSession& session, const QCommandLineParser& parser)
{
    bool ok = false;
    const int cycles = parser.value(CyclesName).toInt(&ok);
    if (!ok || cycles < 0) {
        QTextStream(stderr) << "--cycles must be a whole number, 0 or more." << Qt::endl;
        return Exit::Refused;
    }
    StationCore& core = session.Core();
    MeterLink& link = core.link;
    link.SetWorkMode(NumberEditing);
    link.Protocol().SetEnabled(true);

    QTextStream out(stdout);
    QString lastFailure;
    QObject::connect(&link.Protocol(), &ProtocolView::LineAppended, [&](const QString& line) {
        out << line << Qt::endl;
        if (IsFailure(line))
            lastFailure = line;
    });
    // A poll step can leave the queue unsent: an abort (a late answer or a
    // stray byte arriving before the step's request went out) drops it and
    // the poll goes on with the next step. So the cycles are counted in
    // requests sent, and the run stops at the end of the cycle in which
    // they come to the cycles asked for.
    bool stepWaiting = false;
    qint64 stepsSent = 0;
    QObject::connect(&link, &MeterLink::StatusPanelChanged, [&](int panel, const QString& command) {
        // The link names each request on panel 1 as it goes out.
        if (panel == 1 && !command.isEmpty() && stepWaiting) {
            stepWaiting = false;
            ++stepsSent;
        }
    });
    QObject::connect(&link, &MeterLink::PollStepQueued, [&] { stepWaiting = true; });
    QObject::connect(&link, &MeterLink::PollCycleEnded, [&] {
        if (cycles > 0 && stepsSent >= qint64(cycles) * CycleSteps(core.readings.TypeCode()))
            QCoreApplication::exit(lastFailure.isEmpty() ? Exit::Done : Exit::Failed);
    });
    QObject::connect(&link, &MeterLink::LinkLost, [&] {
        QTextStream(stderr) << "The meter does not answer: " << lastFailure << Qt::endl;
        QCoreApplication::exit(Exit::Failed);
    });

    if (!session.Connect())
        return Exit::Failed;
    const int code = QCoreApplication::exec();
    link.ActionDisconnectExecute();
    if (code != Exit::Done && !lastFailure.isEmpty())
        QTextStream(stderr) << lastFailure << Qt::endl;
    return code;
}
