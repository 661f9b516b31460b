#include "link/control_switches.h"

void ControlSwitches::Set(const QString& name, bool on)
{
    const auto it = states_.constFind(name);
    if (it != states_.constEnd() && it.value() == on)
        return;
    states_.insert(name, on);
    emit Changed(name, on);
}
