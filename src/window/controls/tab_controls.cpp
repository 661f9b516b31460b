#include "window/controls/tab_controls.h"

#include "window/controls/named.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

QSpinBox* RangedSpin(const char* name, int minimum, int maximum)
{
    auto* spin = Named(new QSpinBox, name);
    spin->setRange(minimum, maximum);
    return spin;
}

QLabel* BuddyCaption(const QString& text, QWidget* control)
{
    auto* label = new QLabel(text);
    label->setBuddy(control);
    return label;
}

QFormLayout* CaptionedRows(const QList<std::pair<QString, QWidget*>>& rows)
{
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (const auto& [caption, control] : rows)
        form->addRow(BuddyCaption(caption, control), control);
    return form;
}

QGroupBox* TitledGroup(const QString& caption, QLayout* content)
{
    auto* group = new QGroupBox(caption);
    group->setLayout(content);
    return group;
}
