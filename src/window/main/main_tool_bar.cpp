#include "window/main/main_tool_bar.h"

#include "window/main/indicator_shape.h"
#include "window/main/main_commands.h"

#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

namespace {

void AddButton(QToolBar* bar, const char* name, QAction* command)
{
    bar->addAction(command);
    bar->widgetForAction(command)->setObjectName(QLatin1String(name));
}

} // namespace

MainToolBar MainToolBar::Create(QMainWindow& window, const MainCommands& commands)
{
    auto* bar = window.addToolBar(QString());
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize({16, 16});
    bar->setContextMenuPolicy(Qt::PreventContextMenu);

    AddButton(bar, "ToolButton1", commands.ActionConnect);
    AddButton(bar, "ToolButton3", commands.ActionDisconnect);
    bar->addSeparator();
    AddButton(bar, "ToolButton5", commands.ActionSetting);
    AddButton(bar, "ToolButton2", commands.ActionFixDb);
    AddButton(bar, "ToolButton6", commands.ActionTxt);
    bar->addSeparator();
    AddButton(bar, "ToolButton12", commands.ActionNewSched);
    AddButton(bar, "ToolButton14", commands.ActionLoadTariff);
    AddButton(bar, "ToolButton15", commands.ActionSaveTariff);
    AddButton(bar, "ToolButton18", commands.ActionWriteSched);
    AddButton(bar, "ToolButton19", commands.ActionReadSched);
    bar->addSeparator();

    auto* shape = new IndicatorShape(bar);
    QAction* shapeAction = bar->addWidget(shape);
    shapeAction->setVisible(false);
    return {bar, shape, shapeAction};
}
