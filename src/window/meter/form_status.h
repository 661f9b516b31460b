#pragma once
// TFormStatus: turns a journal record's status byte into readable lines.

#include <QDialog>

class QPlainTextEdit;
class QSpinBox;

class TFormStatus : public QDialog {
    Q_OBJECT
public:
    explicit TFormStatus(QWidget* parent = nullptr);

    // Refills Memo1 from the value of SpinEdit1.
    void DecodeStatus();

    // How the consumption journal's status tooltip uses the dialog: the
    // status (0..255) goes into SpinEdit1, so that the dialog shows it when
    // opened next, and the decoded lines of Memo1 come back, each followed
    // by a line break.
    QString ShowStatus(int status);

private:
    QSpinBox* SpinEdit1;
    QPlainTextEdit* Memo1;
};
