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

private:
    QSpinBox* SpinEdit1;
    QPlainTextEdit* Memo1;
};
