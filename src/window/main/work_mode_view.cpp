#include "window/main/work_mode_view.h"

#include "workstation/station_config.h"
#include "window/main/connect_panel.h"
#include "window/main/main_commands.h"
#include "window/main/main_menu.h"
#include "window/main/page_control.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

namespace {

// A number that may not be typed is shown as part of its group, not as an
// input field.
void ShowNumberEditing(const TabSetting& tab, bool on)
{
    QSpinBox* number = tab.SpinEdit_Number;
    number->setReadOnly(!on);
    if (!on) {
        QPalette palette = number->palette();
        palette.setColor(QPalette::Base, number->parentWidget()->palette().color(QPalette::Window));
        number->setPalette(palette);
    }
    tab.BitBtn1->setVisible(on);
}

// The production line writes the same indicator mode into every meter.
void FixIndicatorMode(QListWidget* list)
{
    // "Суммарное потребление" and "Мощность".
    for (int item : {0, 3})
        list->item(item)->setCheckState(Qt::Checked);
    list->setEnabled(false);
}

} // namespace

void ShowWorkMode(const StationConfig& config, const ModeViews& views)
{
    const bool sql = config.sqlMode;
    const MainPages& pages = views.pages;
    for (QWidget* tab : {pages.sched.page, pages.plc.page, pages.db.page})
        pages.PageControl1->setTabVisible(pages.PageControl1->indexOf(tab), !sql);

    const MainCommands& commands = views.commands;
    for (QAction* schedule : {commands.ActionNewSched, commands.ActionLoadTariff, commands.ActionSaveTariff,
                              commands.ActionWriteSched, commands.ActionReadSched})
        schedule->setVisible(!sql);
    views.menu.NSched->menuAction()->setVisible(!sql);
    commands.ActionFixDb->setVisible(sql);

    views.panel.PanelScaner->setVisible(sql);
    pages.about.EditDelta->setVisible(sql);
    if (sql)
        FixIndicatorMode(pages.setting.CheckSetIndi);

    ShowNumberEditing(pages.setting, config.workMode & NumberEditing);
    pages.setting.LabeledPass1->setReadOnly(!(config.workMode & PasswordEditing));
}
