#pragma once

#include "station/dialogs.h"

// Messages of the station printed on stderr, caption first.
class ConsoleDialogs : public Dialogs {
public:
    void ShowMessage(MessageIcon icon, const QString& caption, const QString& text) override;
    // Files are named on the command line; a question to choose one is
    // printed and counts as cancelled.
    QString AskSaveFile(const QString& filter, const QString& defaultSuffix) override;
    QString AskOpenFile(const QString& filter) override;
};
