#include "link/write_batches.h"

#include "link/result_display.h"
#include "workstation/dialogs.h"

#include <utility>

WriteBatches::WriteBatches(Dialogs& dialogs, ResultDisplay& indicator, QObject* parent)
    : QObject(parent), dialogs_(dialogs), indicator_(indicator)
{
}

void WriteBatches::SetPending(WriteBatch batch, bool on)
{
    (batch == WriteBatch::Settings ? pending_.settings : pending_.schedule) = on;
}

bool WriteBatches::IsPending(WriteBatch batch) const
{
    return batch == WriteBatch::Settings ? pending_.settings : pending_.schedule;
}

WriteBatches::Pending WriteBatches::Take()
{
    return std::exchange(pending_, {});
}

void WriteBatches::SetRecordOperation(std::function<void()> record)
{
    recordOperation_ = std::move(record);
}

void WriteBatches::Complete()
{
    if (std::exchange(pending_.settings, false)) {
        indicator_.Show(ResultIndicator::Green);
        if (sqlMode_ && recordOperation_)
            recordOperation_();
        emit Finished(WriteBatch::Settings, BatchOutcome::Completed);
    }
    if (std::exchange(pending_.schedule, false)) {
        indicator_.Show(ResultIndicator::Green);
        emit Finished(WriteBatch::Schedule, BatchOutcome::Completed);
    }
}

void WriteBatches::ReportFailure(Pending batches, BatchOutcome outcome, bool withMessage)
{
    if (batches.settings)
        ReportFailure(WriteBatch::Settings, outcome, withMessage);
    if (batches.schedule)
        ReportFailure(WriteBatch::Schedule, outcome, withMessage);
}

void WriteBatches::ReportFailure(WriteBatch batch, BatchOutcome outcome, bool withMessage)
{
    indicator_.Show(ResultIndicator::Red);
    emit Finished(batch, outcome);
    if (!withMessage)
        return;
    const QString what = batch == WriteBatch::Settings ? QStringLiteral("установок")
                                                       : QStringLiteral("тарифного расписания");
    dialogs_.ShowError(
        QStringLiteral("Во время записи %1 произошла ошибка. Описание смотрите на закладке Протокол.").arg(what));
}
