#pragma once
// A spin box that takes a longer value from the program (a scanned code)
// than the operator may type.

#include <QSpinBox>

class NumberSpin : public QSpinBox {
    Q_OBJECT
public:
    NumberSpin(int typedDigits, int maximum, QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& input, int& pos) const override;

private:
    const int typedDigits_;
};
