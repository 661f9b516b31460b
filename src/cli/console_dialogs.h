#pragma once

#include "app/dialogs.h"

// Messages of the station printed on stderr, caption first.
class ConsoleDialogs : public Dialogs {
public:
    void ShowMessage(MessageIcon icon, const QString& caption, const QString& text) override;
};
