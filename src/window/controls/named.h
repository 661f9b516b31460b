#pragma once
// Controls carry their names from the tables of the window, so that the
// bindings and the tests find them by object name.

#include <QObject>
#include <QWidget>

template <typename Control>
Control* Named(Control* control, const char* name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

inline QWidget* NamedPage(const char* name)
{
    return Named(new QWidget, name);
}
