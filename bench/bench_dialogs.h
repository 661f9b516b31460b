#pragma once
// The benchmarks' operator: prints every message and question (on a
// benchmark, one means the run went wrong), answers an open question with
// `openFile`, lets whatever a yes-no-or-cancel question asks about go on,
// and cancels every other question.

#include "workstation/dialogs.h"

#include <cstdio>

class BenchDialogs : public Dialogs {
public:
    void ShowMessage(MessageIcon, const QString&, const QString& text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString AskSaveFile(const QString&, const QString&) override { return {}; }
    QString AskOpenFile(const QString&) override { return openFile; }
    bool AskYesNo(const QString&, const QString& text) override
    {
        std::fprintf(stderr, "question: %s\n", qPrintable(text));
        return false;
    }
    QuestionAnswer AskYesNoCancel(const QString&, const QString& text) override
    {
        std::fprintf(stderr, "question: %s\n", qPrintable(text));
        return QuestionAnswer::No;
    }
    std::optional<quint32> AskColor(quint32) override { return std::nullopt; }

    QString openFile;
};
