#include "window/main/main_commands.h"

#include <QAction>
#include <QIcon>
#include <QWidget>

namespace {

struct CommandLook {
    QAction* MainCommands::*command;
    const char* name;
    QString caption;
    QString hint;
    QKeySequence shortcut;
    const char* image;
    bool enabled;
};

const CommandLook Looks[] = {
    {&MainCommands::ActionConnect, "ActionConnect", "&Установить", "Установить связь", {}, "connect", true},
    {&MainCommands::ActionDisconnect, "ActionDisconnect", "&Разорвать", "Разорвать связь", {}, "disconnect", false},
    {&MainCommands::ActionSetting, "ActionSetting", "&Записать", "Записать установки", Qt::Key_F12, "write_settings", false},
    {&MainCommands::ActionReset, "ActionReset", "&Сброс", "Сброс", {}, "reset", true},
    {&MainCommands::ActionNewSched, "ActionNewSched", "&Новое", "Новое тарифное расписание", {}, "new_schedule", true},
    {&MainCommands::ActionLoadTariff, "ActionLoadTariff", "&Загрузить из файла",
        "Загрузить тарифное расписание из файла", {}, "load_file", true},
    {&MainCommands::ActionSaveTariff, "ActionSaveTariff", "&Сохранить как файл",
        "Сохранить тарифное расписание как файл", {}, "save_file", true},
    {&MainCommands::ActionWriteSched, "ActionWriteSched", "З&аписать в счетчик", "Записать расписание в счетчик", {},
        "write_meter", false},
    {&MainCommands::ActionReadSched, "ActionReadSched", "&Прочитать из счетчика", "Прочитать расписание из счетчика",
        {}, "read_meter", false},
    {&MainCommands::ActionFixDb, "ActionFixDb", "Зафиксировать в Б&Д", "Зафиксировать в БД", {}, "fix_database", false},
    {&MainCommands::ActionTxt, "ActionTxt", "Краткий отчет", "Краткий отчет", {}, "short_report", false},
};

} // namespace

MainCommands MainCommands::Create(QWidget& window)
{
    MainCommands commands{};
    for (const CommandLook& look : Looks) {
        auto* action = new QAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(look.image))),
                                   look.caption, &window);
        action->setObjectName(QLatin1String(look.name));
        // A hint only as a tooltip: as a status tip it would cover the
        // status bar's panels for as long as the mouse rests on a button.
        action->setToolTip(look.hint);
        action->setShortcut(look.shortcut);
        action->setEnabled(look.enabled);
        window.addAction(action);
        commands.*look.command = action;
    }
    return commands;
}
