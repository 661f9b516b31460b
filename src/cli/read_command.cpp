#include "cli/read_command.h"

#include "cli/cli_session.h"
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
    // The connection's own version request comes first; the cycle is whole
    // when its first step is queued for the second time.
    int cycleStarts = 0;
    bool whole = false;
    QObject::connect(&link, &MeterLink::PollStepQueued, [&](int step) {
        if (step == 0 && ++cycleStarts == 2) {
            whole = true;
            QCoreApplication::quit();
        }
    });
    bool lost = false;
    QObject::connect(&link, &MeterLink::LinkLost, [&] {
        lost = true;
        err << "The meter does not answer." << Qt::endl;
        QCoreApplication::exit(1);
    });

    if (!session.Connect())
        return 1;
    QCoreApplication::exec();
    link.ActionDisconnectExecute();
    if (lost || !whole)
        return 1;
    QTextStream out(stdout);
    for (const QString& line : ShortReportLines(core.readings, core.plc, WorkstationClock::Now()))
        out << line << '\n';
    out.flush();
    return requestFailed ? 1 : 0;
}
