#pragma once
// Controls bound to the fields of the operator's prepared values: every
// change the operator makes is written into its field at once, and every
// Changed() of the inputs brings the controls in line with their fields.
// A control is set only when it differs from its field, so a refresh never
// disturbs a value being typed, and the change signal a refresh raises
// writes back the value the field already holds.

#include "meter/write_inputs.h"

#include <QList>
#include <QObject>
#include <QSpinBox>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;

class InputFields : public QObject {
public:
    // Lives as long as the controls it binds, under `owner`.
    InputFields(WriteInputs& inputs, QObject* owner);

    void Check(QCheckBox* box, bool& field);
    void Combo(QComboBox* combo, int& field);
    void Text(QLineEdit* edit, QString& field);

    template <typename Number>
    void Spin(QSpinBox* spin, Number& field)
    {
        connect(spin, &QSpinBox::valueChanged, this, [&field](int value) { field = Number(value); });
        Follow([spin, &field] {
            if (spin->value() != qint64(field))
                spin->setValue(int(field));
        });
    }

    // How a control comes in line with its field.
    void Follow(std::function<void()> refresh);
    // Every control in line with its field, as after Changed().
    void Refresh();

private:
    QList<std::function<void()>> refreshes_;
};
