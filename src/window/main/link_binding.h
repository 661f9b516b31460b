#pragma once
// What the link shows on the window: the controls its states switch, the
// status bar, the write-result indicator, the protocol tab and the response
// timeout.

class MeterLink;
struct ConnectPanel;
struct MainCommands;
struct MainMenu;
struct MainPages;
struct MainStatusBar;
struct MainToolBar;

struct LinkViews {
    const MainCommands& commands;
    const MainMenu& menu;
    const MainToolBar& toolBar;
    const MainStatusBar& statusBar;
    const ConnectPanel& panel;
    const MainPages& pages;
};

void BindLink(MeterLink& link, const LinkViews& views);
