#pragma once
// What the link shows on the window: the switched commands and controls,
// the status bar, the write-result indicator, the protocol tab and the
// response timeout.

class MeterLink;
class QWidget;
struct ConnectPanel;
struct MainStatusBar;
struct MainToolBar;
struct TabProtocol;

struct LinkViews {
    QWidget& window;
    const MainToolBar& toolBar;
    const MainStatusBar& statusBar;
    const ConnectPanel& panel;
    const TabProtocol& protocol;
};

void BindLink(MeterLink& link, const LinkViews& views);
