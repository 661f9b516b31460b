#pragma once
// A spin box whose text counts as its lowest value while it is no number
// (emptied, or a number below the range), and that shows that value once
// editing finishes: what the field shows is what is read from it. A plain
// spin box keeps its last value behind an emptied field and shows it again
// when the field loses the focus.

#include <QSpinBox>

class LowerBoundSpin : public QSpinBox {
    Q_OBJECT
public:
    // For a range from 0 or above.
    LowerBoundSpin(const char* name, int minimum, int maximum, QWidget* parent = nullptr);

    // The value as the text stands, also while the operator still types.
    int Typed() const;

signals:
    // The text was typed in or the value set: Typed() may read otherwise.
    void TypedChanged(int value);
};
