#pragma once

#include "app/dialogs.h"

#include <QStringList>

// Answers every message at once and keeps "caption: text" for the test.
class RecordingDialogs : public Dialogs {
public:
    void ShowMessage(MessageIcon, const QString& caption, const QString& text) override
    {
        messages << caption + ": " + text;
    }
    QStringList messages;
};
