#pragma once

#include "station/dialogs.h"

#include <QStringList>

// Answers every message at once and keeps "caption: text" for the test;
// answers a save question with saveFile and keeps "filter; suffix", an
// open question with openFile and keeps its filter.
class RecordingDialogs : public Dialogs {
public:
    void ShowMessage(MessageIcon, const QString& caption, const QString& text) override
    {
        messages << caption + ": " + text;
    }
    QString AskSaveFile(const QString& filter, const QString& defaultSuffix) override
    {
        saveQuestions << filter + "; " + defaultSuffix;
        return saveFile;
    }
    QString AskOpenFile(const QString& filter) override
    {
        openQuestions << filter;
        return openFile;
    }
    QStringList messages;
    QStringList saveQuestions;
    // Empty: the operator cancels.
    QString saveFile;
    QStringList openQuestions;
    QString openFile;
};
