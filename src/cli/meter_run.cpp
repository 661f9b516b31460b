#include "cli/meter_run.h"

#include "cli/cli_session.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

MeterRun::MeterRun(CliSession& session)
    : session_(session)
{
    MeterLink& link = session.Core().link;
    link.Protocol().SetEnabled(true);
    connect(&link.Protocol(), &ProtocolView::LineAppended, this, [this](const QString& line) {
        lastFailure_ = line;
        ++failureCount_;
    });
    connect(&link, &MeterLink::LinkLost, this, [this] {
        QTextStream(stderr) << "The meter does not answer: " << lastFailure_ << Qt::endl;
        QCoreApplication::exit(1);
    });
}

void MeterRun::WhenNumberShown(std::function<void()> step)
{
    connect(&session_.Core().readings, &MeterReadings::MainChanged, this,
        [this, step = std::move(step)](int row, const QString& text) {
            if (row != MeterReadings::NumberRow || text.isEmpty() || stepTaken_)
                return;
            stepTaken_ = true;
            QTimer::singleShot(0, this, step);
        });
}

void MeterRun::WhenCycleRead(std::function<void()> step)
{
    // The connection's own version request comes first; the cycle is whole
    // when its first step is queued for the second time.
    connect(&session_.Core().link, &MeterLink::PollStepQueued, this, [this, step = std::move(step)](int pollStep) {
        if (pollStep != 0 || ++cycleStarts_ != 2)
            return;
        QTimer::singleShot(0, this, step);
    });
}

int MeterRun::Exec()
{
    if (!session_.Connect())
        return 1;
    const int code = QCoreApplication::exec();
    session_.Core().link.ActionDisconnectExecute();
    return code;
}
