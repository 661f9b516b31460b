#pragma once

#include "workstation/dialogs.h"

class ProgressLine;

// Messages of the station printed on stderr, caption first, each on a line
// of its own even while a progress line is drawn.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(ProgressLine& progress);

    void ShowMessage(MessageIcon icon, const QString& caption, const QString& text) override;
    // Files are named on the command line; a question to choose one is
    // printed and counts as cancelled.
    QString AskSaveFile(const QString& filter, const QString& defaultSuffix) override;
    QString AskOpenFile(const QString& filter) override;
    // No command edits a schedule: a question is printed and answered No,
    // a colour choice is printed and cancelled.
    bool AskYesNo(const QString& caption, const QString& text) override;
    // Nothing may be lost without an answer: printed and cancelled.
    QuestionAnswer AskYesNoCancel(const QString& caption, const QString& text) override;
    std::optional<quint32> AskColor(quint32 initial) override;

private:
    ProgressLine& progress_;
};
