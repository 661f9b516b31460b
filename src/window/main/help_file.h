#pragma once

#include <QDir>
#include <QString>

// The help file the help command opens: the compiled help in the start
// directory where a viewer for it exists, else the HTML guide of the start
// directory, else the guide shipped beside the program (even when that is
// missing: opening it then simply shows nothing).
QString HelpFilePath(const QDir& startDir, const QDir& programDir, bool compiledHelpViewer);

// Only Windows has a viewer for compiled help.
bool PlatformHasCompiledHelpViewer();
