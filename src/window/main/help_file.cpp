#include "window/main/help_file.h"

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
