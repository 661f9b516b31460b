#pragma once

#include <QDesktopServices>
#include <QDir>
#include <QString>
#include <QUrl>
#include <functional>

class Dialogs;

// The help file the help command opens: the compiled help in the start
// directory where a viewer for it exists, else the HTML guide of the start
// directory, else the guide shipped beside the program (even when that is
// missing: opening it then says so).
QString HelpFilePath(const QDir& startDir, const QDir& programDir, bool compiledHelpViewer);

// Only Windows has a viewer for compiled help.
bool PlatformHasCompiledHelpViewer();

// Opens the help file with the platform's viewer. A missing file, or one
// the platform has nothing to show with, is said so with its path: help
// that fails silently leaves the operator guessing.
void OpenHelpFile(const QString& path, Dialogs& dialogs,
    const std::function<bool(const QUrl&)>& open = &QDesktopServices::openUrl);
