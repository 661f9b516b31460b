#pragma once
// The controls the link's states switch on the window: the connection
// commands and the port choice follow the connection; the commands that
// queue requests of their own follow whether the meter commands are free;
// "Записать" and "Зафиксировать в БД" follow the meter's answers; the
// gauges show which read is under way.

class MeterLink;
struct ConnectPanel;
struct MainCommands;
struct MainMenu;
struct MainPages;

struct SwitchedControls {
    const MainCommands& commands;
    const MainMenu& menu;
    const ConnectPanel& panel;
    const MainPages& pages;
};

// The link's states as they are now, and every change from now on.
void BindSwitches(MeterLink& link, const SwitchedControls& controls);
