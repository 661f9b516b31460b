#pragma once
// The window's commands (ActionList1): caption, hint (the tooltip),
// shortcut, image and the enabled state at start. The tool bar and the
// menu show them; the commands of features not built yet exist and do
// nothing.

#include <QList>

class QAction;
class QWidget;

struct MainCommands {
    QAction* ActionConnect;
    QAction* ActionDisconnect;
    QAction* ActionSetting;
    QAction* ActionReset;
    QAction* ActionNewSched;
    QAction* ActionLoadTariff;
    QAction* ActionSaveTariff;
    QAction* ActionWriteSched;
    QAction* ActionReadSched;
    QAction* ActionFixDb;
    QAction* ActionTxt;

    // Added to the window, so their shortcuts work wherever they are shown.
    static MainCommands Create(QWidget& window);
};
