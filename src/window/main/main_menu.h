#pragma once
// The main menu (MainMenu1). Its items for the commands are items of their
// own (N3, N7, ...) linked to the command, as a menu item with an action
// shows and runs it.

struct MainCommands;
class QAction;
class QMainWindow;
class QMenu;

struct MainMenu {
    QMenu* N1;
    QMenu* NPort;
    QAction* NExit;
    QMenu* N6;
    QMenu* NSched;
    QMenu* N14;
    QAction* NStatus;
    QAction* N20;
    QAction* N15;

    static MainMenu Create(QMainWindow& window, const MainCommands& commands);
};
