#include "cli/progress_line.h"

#include <QTextStream>
#include <unistd.h>

ProgressLine::ProgressLine()
    : terminal_(isatty(STDERR_FILENO) == 1)
{
}

void ProgressLine::Draw(const QString& text)
{
    if (!terminal_)
        return;
    // The counts only grow, so a new text covers the one before it.
    QTextStream(stderr) << '\r' << text << Qt::flush;
    drawn_ = true;
}

void ProgressLine::End()
{
    if (!drawn_)
        return;
    QTextStream(stderr) << QLatin1Char('\n') << Qt::flush;
    drawn_ = false;
}

void ProgressLine::Say(const QString& line)
{
    End();
    QTextStream(stderr) << line << Qt::endl;
}
