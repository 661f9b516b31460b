#pragma once
// The window's messages as real message boxes.

#include "app/dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
public:
    // Boxes are centred on the owner; it must outlive this object.
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) { }

    void ShowMessage(MessageIcon icon, const QString& caption, const QString& text) override;

private:
    QWidget* owner_;
};
