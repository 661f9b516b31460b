#include "cli/meter_run.h"

#include "cli/cli_session.h"
#include "cli/exit_code.h"

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
        QCoreApplication::exit(Exit::Failed);
    });
}

void MeterRun::WhenNumberShown(std::function<void()> step)
{
    connect(&session_.Core().readings, &MeterReadings::MainChanged, this,
        [this, step = std::move(step)](int row, const QString& text) {
            if (row == MeterReadings::NumberRow && !text.isEmpty())
                TakeStep(step);
        });
}

void MeterRun::WhenCycleRead(std::function<void()> step)
{
    connect(&session_.Core().link, &MeterLink::PollCycleEnded, this,
        [this, step = std::move(step)] { TakeStep(step); });
}

void MeterRun::TakeStep(const std::function<void()>& step)
{
    if (stepTaken_)
        return;
    stepTaken_ = true;
    QTimer::singleShot(0, this, step);
}

int MeterRun::Exec()
{
    if (!session_.Connect())
        return Exit::Failed;
    const int code = QCoreApplication::exec();
    session_.Core().link.ActionDisconnectExecute();
    return code;
}
