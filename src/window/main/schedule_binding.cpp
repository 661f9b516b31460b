#include "window/main/schedule_binding.h"

#include "station/station_core.h"
#include "window/main/main_commands.h"
#include "window/main/page_control.h"

#include <QAction>
#include <QProgressBar>
#include <QTabWidget>

void BindSchedule(StationCore& core, const MainCommands& commands, const MainPages& pages)
{
    const TabSched& tab = pages.sched;
    const auto showPage = [pageControl = pages.PageControl1, tab] {
        pageControl->setCurrentWidget(tab.page);
        tab.PageControl3->setCurrentWidget(tab.TabTariff);
    };
    QObject::connect(&core.scheduleFiles, &ScheduleFiles::SchedulePageWanted, tab.page, showPage);
    QObject::connect(&core.scheduleTransfer, &ScheduleTransfer::SchedulePageWanted, tab.page, showPage);
    QObject::connect(&core.scheduleTransfer, &ScheduleTransfer::GaugeChanged, tab.GaugeSched,
        [gauge = tab.GaugeSched](int position, int maximum) {
            gauge->setRange(0, maximum);
            gauge->setValue(position);
        });

    QObject::connect(commands.ActionNewSched, &QAction::triggered, &core.scheduleFiles,
        &ScheduleFiles::ActionNewSchedExecute);
    QObject::connect(commands.ActionLoadTariff, &QAction::triggered, &core.scheduleFiles,
        &ScheduleFiles::ActionLoadTariffExecute);
    QObject::connect(commands.ActionSaveTariff, &QAction::triggered, &core.scheduleFiles,
        &ScheduleFiles::ActionSaveTariffExecute);
    QObject::connect(commands.ActionWriteSched, &QAction::triggered, &core.scheduleTransfer,
        &ScheduleTransfer::ActionWriteSchedExecute);
    // The question about unsaved changes, and the save it may lead to, stay
    // open while the link goes on: the meter may be gone by the answer.
    QObject::connect(commands.ActionReadSched, &QAction::triggered, &core.scheduleTransfer,
        [&core, read = commands.ActionReadSched] {
            if (core.scheduleFiles.SaveChangesFirst() && read->isEnabled())
                core.scheduleTransfer.ActionReadSchedExecute();
        });
}
