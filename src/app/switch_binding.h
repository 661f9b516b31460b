#pragma once

#include <QStringList>

class ControlSwitches;
class QWidget;

enum class SwitchedProperty { Enabled, Visible };

// Shows the core's named switches on the window's commands, menus and
// controls of the same object name, from now on; `current` names the
// switches whose present state is taken over at once (a switch never set
// counts as off, so only switches already set belong there).
void BindSwitches(ControlSwitches& switches, QWidget& window, SwitchedProperty property, const QStringList& current);
