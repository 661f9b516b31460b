#pragma once

class ControlSwitches;
class QWidget;

enum class SwitchedProperty { Enabled, Visible };

// Shows the core's named switches on the window's commands, menus and
// controls of the same object name: the states already set at once, every
// change from now on. Controls never switched keep the state they were
// built with.
void BindSwitches(ControlSwitches& switches, QWidget& window, SwitchedProperty property);
