#pragma once
// The window's messages and questions as real message boxes and file dialogs.

#include "workstation/dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
public:
    // Boxes are centred on the owner; it must outlive this object.
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) { }

    void ShowMessage(MessageIcon icon, const QString& caption, const QString& text) override;
    QString AskSaveFile(const QString& filter, const QString& defaultSuffix) override;
    QString AskOpenFile(const QString& filter) override;
    bool AskYesNo(const QString& caption, const QString& text) override;
    QuestionAnswer AskYesNoCancel(const QString& caption, const QString& text) override;
    std::optional<quint32> AskColor(quint32 initial) override;

private:
    QWidget* owner_;
};
