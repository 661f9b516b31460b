#pragma once
// stderr with one line redrawn in place, for a count that moves while a
// long command keeps the meter busy. Only a terminal gets the drawing: a
// script reading stderr wants the command's result, not the drawing.

#include <QString>

class ProgressLine {
public:
    ProgressLine();

    // Replaces what the line shows.
    void Draw(const QString& text);
    // Ends a drawn line, so that whatever stderr says next starts on a line
    // of its own.
    void End();
    // A message on a line of its own.
    void Say(const QString& line);

private:
    bool terminal_;
    bool drawn_ = false;
};
