#include "cli/read_command.h"

#include "cli/cli_session.h"
#include "cli/exit_code.h"
#include "meter/short_report.h"
#include "station/station_core.h"
#include "workstation/workstation_clock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>

int RunRead(CliSession& session)
{
    StationCore& core = session.Core();
    MeterLink& link = core.link;
    // Without the number-editing mode the protocol carries failures only.
    link.Protocol().SetEnabled(true);

    QTextStream err(stderr);
    bool requestFailed = false;
    QObject::connect(&link.Protocol(), &ProtocolView::LineAppended, [&](const QString& line) {
        err << line << Qt::endl;
        requestFailed = true;
    });
    bool whole = false;
    QObject::connect(&link, &MeterLink::PollCycleEnded, [&] {
        whole = true;
        QCoreApplication::quit();
    });
    bool lost = false;
    QObject::connect(&link, &MeterLink::LinkLost, [&] {
        lost = true;
        err << "The meter does not answer." << Qt::endl;
        QCoreApplication::exit(Exit::Failed);
    });

    if (!session.Connect())
        return Exit::Failed;
    QCoreApplication::exec();
    link.ActionDisconnectExecute();
    if (lost || !whole)
        return Exit::Failed;
    QTextStream out(stdout);
    for (const QString& line : ShortReportLines(core.readings, core.plc, WorkstationClock::Now()))
        out << line << '\n';
    out.flush();
    return requestFailed ? Exit::Failed : Exit::Done;
}
