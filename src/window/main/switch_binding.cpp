#include "window/main/switch_binding.h"

#include "link/control_switches.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

void Apply(QWidget& window, SwitchedProperty property, const QString& name, bool on)
{
    for (QObject* object : window.findChildren<QObject*>(name)) {
        if (auto* menu = qobject_cast<QMenu*>(object))
            object = menu->menuAction();
        if (auto* action = qobject_cast<QAction*>(object))
            property == SwitchedProperty::Enabled ? action->setEnabled(on) : action->setVisible(on);
        else if (auto* widget = qobject_cast<QWidget*>(object))
            property == SwitchedProperty::Enabled ? widget->setEnabled(on) : widget->setVisible(on);
    }
}

} // namespace

void BindSwitches(ControlSwitches& switches, QWidget& window, SwitchedProperty property)
{
    for (const QString& name : switches.Names())
        Apply(window, property, name, switches.On(name));
    QObject::connect(&switches, &ControlSwitches::Changed, &window,
                     [&window, property](const QString& name, bool on) { Apply(window, property, name, on); });
}
