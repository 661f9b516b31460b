#include "window/controls/number_spin.h"

NumberSpin::NumberSpin(int typedDigits, int maximum, QWidget* parent)
    : QSpinBox(parent), typedDigits_(typedDigits)
{
    setRange(0, maximum);
}

// Typing stops at the digit limit; a value set by the program is shown
// whole, as a line edit's length limit would not.
QValidator::State NumberSpin::validate(QString& input, int& pos) const
{
    if (input.size() > typedDigits_)
        return QValidator::Invalid;
    return QSpinBox::validate(input, pos);
}
