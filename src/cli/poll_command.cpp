#include "cli/poll_command.h"

#include "station/work_mode.h"
#include "cli/cli_session.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

bool IsFailure(const QString& line)
{
    return !line.contains(" Send ") && !line.contains(" Received: ");
}

} // namespace

int RunPoll(CliSession& session, int cycles)
{
    MeterLink& link = session.Core().link;
    link.SetWorkMode(NumberEditing);
    link.Protocol().SetEnabled(true);

    QTextStream out(stdout);
    QString lastFailure;
    QObject::connect(&link.Protocol(), &ProtocolView::LineAppended, [&](const QString& line) {
        out << line << Qt::endl;
        if (IsFailure(line))
            lastFailure = line;
    });
    // A cycle ends each time the poll comes back to its first step.
    int startsOfCycle = 0;
    QObject::connect(&link, &MeterLink::PollStepQueued, [&](int step) {
        if (step == 0 && ++startsOfCycle > cycles && cycles > 0)
            QCoreApplication::exit(lastFailure.isEmpty() ? 0 : 1);
    });
    QObject::connect(&link, &MeterLink::LinkLost, [&] {
        QTextStream(stderr) << "The meter does not answer: " << lastFailure << Qt::endl;
        QCoreApplication::exit(1);
    });

    if (!session.Connect())
        return 1;
    const int code = QCoreApplication::exec();
    link.ActionDisconnectExecute();
    if (code != 0 && !lastFailure.isEmpty())
        QTextStream(stderr) << lastFailure << Qt::endl;
    return code;
}
