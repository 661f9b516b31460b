#pragma once
// The engine-only stations' message boxes: each stays open for a while of
// its own, chosen by the soak's chance, running an event loop as a real box
// does, so that whatever the station must not do behind an open box shows.
// File and colour questions are cancelled; a yes-no-or-cancel question is
// answered No, so the operation goes on: the soak edits nothing to keep.

#include "random_mix.h"
#include "workstation/dialogs.h"

class SoakDialogs : public Dialogs {
public:
    explicit SoakDialogs(RandomMix& random) : random_(random) {}

    void ShowMessage(MessageIcon icon, const QString& caption, const QString& text) override;
    QString AskSaveFile(const QString&, const QString&) override { return {}; }
    QString AskOpenFile(const QString&) override { return {}; }
    bool AskYesNo(const QString& caption, const QString& text) override;
    QuestionAnswer AskYesNoCancel(const QString& caption, const QString& text) override;
    std::optional<quint32> AskColor(quint32) override { return std::nullopt; }

    // A box is open.
    bool Open() const { return open_ > 0; }
    int Shown() const { return shown_; }

private:
    void StayOpen();

    RandomMix& random_;
    int open_ = 0;
    int shown_ = 0;
};
