#include "window/common/help_file.h"

#include "workstation/dialogs.h"

#include <QFileInfo>

namespace {

const QString CompiledHelp = QStringLiteral("Setting_Vm_742.chm");
const QString HtmlGuide = QStringLiteral("Setting_Vm_742.html");

} // namespace

QString HelpFilePath(const QDir& startDir, const QDir& programDir, bool compiledHelpViewer)
{
    if (compiledHelpViewer && QFileInfo::exists(startDir.filePath(CompiledHelp)))
        return startDir.filePath(CompiledHelp);
    if (QFileInfo::exists(startDir.filePath(HtmlGuide)))
        return startDir.filePath(HtmlGuide);
    return programDir.filePath(HtmlGuide);
}

bool PlatformHasCompiledHelpViewer()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

void OpenHelpFile(const QString& path, Dialogs& dialogs, const std::function<bool(const QUrl&)>& open)
{
    const QString shown = QDir::toNativeSeparators(path);
    QString failure;
    if (!QFileInfo(path).isFile())
        failure = QStringLiteral("Файл справки %1 не найден.").arg(shown);
    else if (!open(QUrl::fromLocalFile(path)))
        failure = QStringLiteral("Файл справки %1 не удалось открыть: в системе нет программы для его просмотра. "
                                 "Откройте этот файл в браузере.")
                      .arg(shown);
    if (!failure.isEmpty())
        dialogs.ShowError(failure);
}
