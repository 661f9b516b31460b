#include "window/controls/lower_bound_spin.h"

#include <QLineEdit>
#include <algorithm>

LowerBoundSpin::LowerBoundSpin(const char* name, int minimum, int maximum, QWidget* parent)
    : QSpinBox(parent)
{
    setObjectName(QLatin1String(name));
    setRange(minimum, maximum);
    // When editing finishes on a text that is no value, Qt takes the valid
    // value nearest to 0, the lowest for a range from 0 or above, instead of
    // bringing back the previous value.
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    // The field's own signal covers the typing, the value's signal the
    // arrows, the wheel and setValue, which change the text silently.
    const auto typedChanged = [this] { emit TypedChanged(Typed()); };
    connect(lineEdit(), &QLineEdit::textChanged, this, typedChanged);
    connect(this, &QSpinBox::valueChanged, this, typedChanged);
}

int LowerBoundSpin::Typed() const
{
    bool number = false;
    const int typed = locale().toInt(cleanText(), &number);
    return number ? std::clamp(typed, minimum(), maximum()) : minimum();
}
