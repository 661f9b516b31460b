#include "cli/console_dialogs.h"

#include <QTextStream>

void ConsoleDialogs::ShowMessage(MessageIcon, const QString& caption, const QString& text)
{
    QTextStream(stderr) << caption << ": " << text << Qt::endl;
}
