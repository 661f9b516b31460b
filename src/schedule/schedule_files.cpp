#include "schedule/schedule_files.h"

#include "workstation/file_writes.h"
#include "schedule/schedule_document.h"
#include "workstation/dialogs.h"

#include <QFile>
#include <QFileInfo>

const QString ScheduleFiles::Filter = QStringLiteral("Файлы тарифного расписания (*.tsc)");
const QString ScheduleFiles::Suffix = QStringLiteral("tsc");

std::variant<TscContent, QString> ReadTscFile(const QString& path)
{
    // Asked before opening: opening a FIFO waits for a writer, and a device
    // may never end. A missing file is left to the open, for its reason.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("Это не обычный файл: папка, канал или устройство не может быть файлом тарифного "
                              "расписания.");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    // A byte past the largest schedule is enough to refuse the file, however
    // long it is or grows meanwhile.
    const QByteArray bytes = file.read(TscMaxSize + 1);
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return ParseTsc(bytes);
}

QString LoadTscFile(const QString& path, ScheduleDocument& schedule)
{
    const auto content = ReadTscFile(path);
    if (const QString* reason = std::get_if<QString>(&content))
        return *reason;
    return schedule.Load(std::get<TscContent>(content));
}

QString WriteTscFile(const QString& path, const TscContent& content)
{
    return SaveWholeFile(path, TscBytes(content));
}

ScheduleFiles::ScheduleFiles(ScheduleDocument& schedule, Dialogs& dialogs, QObject* parent)
    : QObject(parent), schedule_(schedule), dialogs_(dialogs)
{
}

void ScheduleFiles::ActionNewSchedExecute()
{
    if (!SaveChangesFirst())
        return;
    emit SchedulePageWanted();
    schedule_.New();
    schedule_.SetFilePath({});
    schedule_.MarkUnmodified();
}

bool ScheduleFiles::ActionLoadTariffExecute()
{
    if (!SaveChangesFirst())
        return false;
    const QString path = dialogs_.AskOpenFile(Filter);
    return !path.isEmpty() && LoadFile(path);
}

bool ScheduleFiles::LoadFile(const QString& path)
{
    emit SchedulePageWanted();
    if (const QString refusal = LoadTscFile(path, schedule_); !refusal.isEmpty()) {
        ShowError(QStringLiteral("Тарифное расписание не загружено из файла %1.").arg(path), refusal);
        return false;
    }
    schedule_.SetFilePath(path);
    schedule_.MarkUnmodified();
    return true;
}

bool ScheduleFiles::ActionSaveTariffExecute()
{
    // Taken before the question: pending edits are committed even when the
    // operator then cancels.
    const TscContent content = schedule_.Content();
    // The schedule may change behind the open dialog (a read going on):
    // what counts as saved is what the file receives.
    const ScheduleSnapshot saved = schedule_.Snapshot();
    const QString path = dialogs_.AskSaveFile(Filter, Suffix);
    if (path.isEmpty())
        return false;
    if (const QString reason = WriteTscFile(path, content); !reason.isEmpty()) {
        ShowError(QStringLiteral("Тарифное расписание не сохранено в файл %1.").arg(path), reason);
        return false;
    }
    schedule_.SetFilePath(path);
    schedule_.MarkUnmodified(saved);
    return true;
}

bool ScheduleFiles::SaveChangesFirst()
{
    schedule_.FinishEditing();
    if (!schedule_.Modified())
        return true;
    switch (dialogs_.AskYesNoCancel(QStringLiteral("Внимание"), QStringLiteral("Сохранить изменения в файле?"))) {
    case QuestionAnswer::Yes:
        return ActionSaveTariffExecute();
    case QuestionAnswer::No:
        return true;
    case QuestionAnswer::Cancel:
        break;
    }
    return false;
}

void ScheduleFiles::ShowError(const QString& what, const QString& reason)
{
    dialogs_.ShowError(what + QLatin1Char('\n') + reason);
}
