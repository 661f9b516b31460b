#pragma once
// Modal questions and messages go through this interface, so the window
// shows real message boxes, the command-line tool prints them and tests
// answer them without a human.

#include <QString>
#include <QtGlobal>
#include <optional>

enum class MessageIcon { Error, Warning, Information };
enum class QuestionAnswer { Yes, No, Cancel };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Blocks until the operator has closed the message.
    virtual void ShowMessage(MessageIcon icon, const QString& caption, const QString& text) = 0;
    // A failure, in the box every failure of the station shows: "Ошибка".
    void ShowError(const QString& text) { ShowMessage(MessageIcon::Error, QStringLiteral("Ошибка"), text); }
    // The file to save to, chosen with the filter ("Name (*.ext)") and the
    // suffix added to a name typed without one; empty when cancelled. An
    // existing file is chosen without a question: the station replaces it.
    virtual QString AskSaveFile(const QString& filter, const QString& defaultSuffix) = 0;
    // An existing file to open, chosen with the filter; empty when cancelled.
    virtual QString AskOpenFile(const QString& filter) = 0;
    // A question with the buttons Yes and No: true for Yes. Blocks until
    // answered.
    virtual bool AskYesNo(const QString& caption, const QString& text) = 0;
    // A question with the buttons Yes, No and Cancel; a box closed without
    // an answer counts as Cancel. Blocks until answered.
    virtual QuestionAnswer AskYesNoCancel(const QString& caption, const QString& text) = 0;
    // A colour chosen from `initial` on, both as Windows colour values
    // (blue x 65536 + green x 256 + red); nothing when cancelled.
    virtual std::optional<quint32> AskColor(quint32 initial) = 0;
};
