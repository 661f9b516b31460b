#include "soak_dialogs.h"

#include "wait_for.h"

namespace {

constexpr int LongestOpenMs = 400;

} // namespace

void SoakDialogs::ShowMessage(MessageIcon, const QString&, const QString&)
{
    StayOpen();
}

bool SoakDialogs::AskYesNo(const QString&, const QString&)
{
    StayOpen();
    return false;
}

QuestionAnswer SoakDialogs::AskYesNoCancel(const QString&, const QString&)
{
    StayOpen();
    return QuestionAnswer::No;
}

void SoakDialogs::StayOpen()
{
    ++shown_;
    ++open_;
    Pause(random_.Int(0, LongestOpenMs));
    --open_;
}
