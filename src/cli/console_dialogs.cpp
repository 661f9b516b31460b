#include "cli/console_dialogs.h"

#include "cli/progress_line.h"

ConsoleDialogs::ConsoleDialogs(ProgressLine& progress)
    : progress_(progress)
{
}

void ConsoleDialogs::ShowMessage(MessageIcon, const QString& caption, const QString& text)
{
    progress_.Say(caption + QStringLiteral(": ") + text);
}

QString ConsoleDialogs::AskSaveFile(const QString& filter, const QString&)
{
    progress_.Say(QStringLiteral("save as: ") + filter + QStringLiteral(" (cancelled)"));
    return {};
}

QString ConsoleDialogs::AskOpenFile(const QString& filter)
{
    progress_.Say(QStringLiteral("open: ") + filter + QStringLiteral(" (cancelled)"));
    return {};
}

bool ConsoleDialogs::AskYesNo(const QString& caption, const QString& text)
{
    progress_.Say(caption + QStringLiteral(": ") + text + QStringLiteral(" (no)"));
    return false;
}

QuestionAnswer ConsoleDialogs::AskYesNoCancel(const QString& caption, const QString& text)
{
    progress_.Say(caption + QStringLiteral(": ") + text + QStringLiteral(" (cancelled)"));
    return QuestionAnswer::Cancel;
}

std::optional<quint32> ConsoleDialogs::AskColor(quint32)
{
    progress_.Say(QStringLiteral("colour: (cancelled)"));
    return std::nullopt;
}
