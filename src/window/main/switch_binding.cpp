#include "window/main/switch_binding.h"

#include "link/meter_link.h"
#include "window/main/connect_panel.h"
#include "window/main/main_commands.h"
#include "window/main/main_menu.h"
#include "window/main/page_control.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

namespace {

void ShowConnection(const SwitchedControls& controls, LinkState state)
{
    const bool connected = state == LinkState::Connected;
    controls.commands.ActionDisconnect->setEnabled(connected);
    controls.commands.ActionConnect->setEnabled(!connected);
    controls.panel.ComboPort->setEnabled(!connected);
    controls.menu.NPort->menuAction()->setEnabled(!connected);
}

void ShowMeterCommandsFree(const SwitchedControls& controls, bool free)
{
    const MainCommands& commands = controls.commands;
    for (QAction* command : {commands.ActionSetting, commands.ActionWriteSched, commands.ActionReadSched,
             commands.ActionTxt})
        command->setEnabled(free);
    const MainPages& pages = controls.pages;
    for (QPushButton* button : {pages.journal.BtnReadJournalYear, pages.journal.BtnReadDiary,
             pages.plc.BtnWriteAddress, pages.plc.BtnWriteRoute, pages.plc.ButtonDelRoute})
        button->setEnabled(free);
}

// "Записать" is a meter command as well: taken with the others, it comes
// back with the meter's next answer, not only when they are freed.
void ShowMeterAnswering(const SwitchedControls& controls, bool answering)
{
    controls.commands.ActionSetting->setEnabled(answering);
    controls.commands.ActionFixDb->setEnabled(answering);
}

QProgressBar* GaugeOf(const MainPages& pages, ProgressRead read)
{
    return read == ProgressRead::Schedule ? pages.sched.GaugeSched : pages.journal.GaugeJournal;
}

} // namespace

void BindSwitches(MeterLink& link, const SwitchedControls& controls)
{
    ShowConnection(controls, link.State());
    ShowMeterCommandsFree(controls, link.MeterCommandsFree());
    ShowMeterAnswering(controls, link.MeterAnswering());
    for (ProgressRead read : {ProgressRead::Schedule, ProgressRead::Journal})
        GaugeOf(controls.pages, read)->setVisible(link.ProgressShown(read));

    QWidget* const context = controls.pages.PageControl1;
    QObject::connect(&link, &MeterLink::StateChanged, context,
        [controls](LinkState state) { ShowConnection(controls, state); });
    QObject::connect(&link, &MeterLink::MeterCommandsFreeChanged, context,
        [controls](bool free) { ShowMeterCommandsFree(controls, free); });
    QObject::connect(&link, &MeterLink::MeterAnsweringChanged, context,
        [controls](bool answering) { ShowMeterAnswering(controls, answering); });
    QObject::connect(&link, &MeterLink::MeterAnswered, controls.commands.ActionSetting,
        [command = controls.commands.ActionSetting] { command->setEnabled(true); });
    QObject::connect(&link, &MeterLink::ProgressShownChanged, context,
        [pages = controls.pages](ProgressRead read, bool shown) { GaugeOf(pages, read)->setVisible(shown); });
}
