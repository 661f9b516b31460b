#pragma once
// ToolBar1: a button for each command on it, in the fixed order, and the
// write-result indicator Shape1 after the last separator.

struct MainCommands;
class IndicatorShape;
class QAction;
class QMainWindow;
class QToolBar;

struct MainToolBar {
    QToolBar* ToolBar1;
    IndicatorShape* Shape1;
    // Shows and hides Shape1 (a tool bar's widget is shown through its action).
    QAction* shapeAction;

    static MainToolBar Create(QMainWindow& window, const MainCommands& commands);
};
