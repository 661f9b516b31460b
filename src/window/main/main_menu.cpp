#include "window/main/main_menu.h"

#include "window/main/main_commands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

// Items show their commands' hints as tooltips, as the tool buttons do.
QMenu* AddMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->setToolTipsVisible(true);
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

// The item follows the command's caption, image, hint, enabled and visible
// state. The shortcut is only shown beside the caption: the command itself
// holds it, and a second holder would make the key ambiguous.
void ShowCommand(QAction* item, const QAction* command)
{
    QString caption = command->text();
    if (!command->shortcut().isEmpty())
        caption += QLatin1Char('\t') + command->shortcut().toString(QKeySequence::NativeText);
    item->setText(caption);
    item->setIcon(command->icon());
    item->setToolTip(command->toolTip());
    item->setEnabled(command->isEnabled());
    item->setVisible(command->isVisible());
}

void AddCommandItem(QMenu* menu, const char* name, QAction* command)
{
    QAction* item = AddItem(menu, name, QString());
    ShowCommand(item, command);
    QObject::connect(command, &QAction::changed, item, [item, command] { ShowCommand(item, command); });
    QObject::connect(item, &QAction::triggered, command, [command] { command->trigger(); });
}

} // namespace

MainMenu MainMenu::Create(QMainWindow& window, const MainCommands& commands)
{
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu menu{};

    menu.N1 = AddMenu(bar, "N1", QStringLiteral("&Связь"));
    menu.NPort = menu.N1->addMenu(QStringLiteral("&Порт"));
    menu.NPort->setObjectName(QStringLiteral("NPort"));
    menu.N1->addSeparator();
    AddCommandItem(menu.N1, "N3", commands.ActionConnect);
    AddCommandItem(menu.N1, "N4", commands.ActionDisconnect);
    menu.N1->addSeparator();
    menu.NExit = AddItem(menu.N1, "NExit", QStringLiteral("В&ыход"));

    menu.N6 = AddMenu(bar, "N6", QStringLiteral("&Установки"));
    AddCommandItem(menu.N6, "N7", commands.ActionSetting);
    AddCommandItem(menu.N6, "N10", commands.ActionFixDb);
    menu.N6->addSeparator();
    AddCommandItem(menu.N6, "N12", commands.ActionTxt);

    menu.NSched = AddMenu(bar, "NSched", QStringLiteral("&Расписание"));
    AddCommandItem(menu.NSched, "N9", commands.ActionNewSched);
    AddCommandItem(menu.NSched, "N24", commands.ActionLoadTariff);
    AddCommandItem(menu.NSched, "N25", commands.ActionSaveTariff);
    menu.NSched->addSeparator();
    AddCommandItem(menu.NSched, "N28", commands.ActionWriteSched);
    AddCommandItem(menu.NSched, "N29", commands.ActionReadSched);

    menu.N14 = AddMenu(bar, "N14", QStringLiteral("&?"));
    menu.NStatus = AddItem(menu.N14, "NStatus", QStringLiteral("&Расшифровка статуса"));
    menu.N14->addSeparator();
    menu.N20 = AddItem(menu.N14, "N20", QStringLiteral("&Справка"));
    menu.N20->setShortcut(QKeySequence::HelpContents);
    menu.N14->addSeparator();
    menu.N15 = AddItem(menu.N14, "N15", QStringLiteral("&О программе"));
    return menu;
}
