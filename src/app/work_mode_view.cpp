#include "app/work_mode_view.h"

#include "app/connect_panel.h"
#include "app/main_commands.h"
#include "app/main_menu.h"
#include "app/page_control.h"
#include "app/station_config.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

void ShowWorkMode(const StationConfig& config, const ModeViews& views)
{
    const bool sql = config.sqlMode;
    const MainPages& pages = views.pages;
    for (QWidget* tab : {pages.sched.page, pages.TabPlc, pages.db.page})
        pages.PageControl1->setTabVisible(pages.PageControl1->indexOf(tab), !sql);

    const MainCommands& commands = views.commands;
    for (QAction* schedule : {commands.ActionNewSched, commands.ActionLoadTariff, commands.ActionSaveTariff,
                              commands.ActionWriteSched, commands.ActionReadSched})
        schedule->setVisible(!sql);
    views.menu.NSched->menuAction()->setVisible(!sql);
    commands.ActionFixDb->setVisible(sql);

    views.panel.PanelScaner->setVisible(sql);
    pages.about.EditDelta->setVisible(sql);
}
