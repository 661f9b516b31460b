#include "cli/console_dialogs.h"

#include <QTextStream>

void ConsoleDialogs::ShowMessage(MessageIcon, const QString& caption, const QString& text)
{
    QTextStream(stderr) << caption << ": " << text << Qt::endl;
}

QString ConsoleDialogs::AskSaveFile(const QString& filter, const QString&)
{
    QTextStream(stderr) << "save as: " << filter << " (cancelled)" << Qt::endl;
    return {};
}

QString ConsoleDialogs::AskOpenFile(const QString& filter)
{
    QTextStream(stderr) << "open: " << filter << " (cancelled)" << Qt::endl;
    return {};
}
