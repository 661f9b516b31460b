#include "window/controls/input_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

InputFields::InputFields(WriteInputs& inputs, QObject* owner) : QObject(owner)
{
    connect(&inputs, &WriteInputs::Changed, this, &InputFields::Refresh);
}

void InputFields::Check(QCheckBox* box, bool& field)
{
    connect(box, &QCheckBox::toggled, this, [&field](bool on) { field = on; });
    Follow([box, &field] { box->setChecked(field); });
}

void InputFields::Combo(QComboBox* combo, int& field)
{
    connect(combo, &QComboBox::currentIndexChanged, this, [&field](int index) { field = index; });
    Follow([combo, &field] { combo->setCurrentIndex(field); });
}

void InputFields::Text(QLineEdit* edit, QString& field)
{
    connect(edit, &QLineEdit::textChanged, this, [&field](const QString& text) { field = text; });
    Follow([edit, &field] {
        if (edit->text() != field)
            edit->setText(field);
    });
}

void InputFields::Follow(std::function<void()> refresh)
{
    refreshes_.append(std::move(refresh));
}

void InputFields::Refresh()
{
    for (const auto& refresh : refreshes_)
        refresh();
}
