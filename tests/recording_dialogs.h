#pragma once

#include "workstation/dialogs.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

// Keeps "caption: text" of every message for the test; answers a save
// question with saveFile and keeps "filter; suffix", an open question with
// openFile and keeps its filter, a yes-or-no question with yes and keeps
// "caption: text", a yes-no-or-cancel question with yesNoCancel and keeps
// "caption: text", a colour choice with color and keeps its start.
//
// A message stays open for a while, running its own event loop as a real
// message box does: timers fire and bytes arrive meanwhile, so whatever the
// station must not do behind an open box shows in the tests.
class RecordingDialogs : public Dialogs {
public:
    void ShowMessage(MessageIcon, const QString& caption, const QString& text) override
    {
        messages << caption + ": " + text;
        StayOpen();
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
    bool AskYesNo(const QString& caption, const QString& text) override
    {
        questions << caption + ": " + text;
        StayOpen();
        return yes;
    }
    QuestionAnswer AskYesNoCancel(const QString& caption, const QString& text) override
    {
        yesNoCancelQuestions << caption + ": " + text;
        StayOpen();
        return yesNoCancel;
    }
    std::optional<quint32> AskColor(quint32 initial) override
    {
        colorStarts << initial;
        StayOpen();
        return color;
    }
    QStringList messages;
    // How long each message stays open.
    int openMs = 100;
    // Run as the operator closes a message.
    std::function<void()> onClose;
    QStringList saveQuestions;
    // Empty: the operator cancels.
    QString saveFile;
    QStringList openQuestions;
    QString openFile;
    QStringList questions;
    bool yes = false;
    QStringList yesNoCancelQuestions;
    // No: what was asked about goes on, for the tests that do not look at
    // the question.
    QuestionAnswer yesNoCancel = QuestionAnswer::No;
    QList<quint32> colorStarts;
    // Empty: the operator cancels.
    std::optional<quint32> color;

private:
    void StayOpen()
    {
        if (QCoreApplication::instance() && openMs > 0) {
            QEventLoop box;
            QTimer::singleShot(openMs, &box, &QEventLoop::quit);
            box.exec();
        }
        if (onClose)
            onClose();
    }
};
