#include "window/schedule/schedule_binding.h"

#include "schedule/schedule_names.h"
#include "station/station_core.h"
#include "window/main/main_commands.h"
#include "window/main/page_control.h"

#include <QAction>
#include <QProgressBar>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// The names of the mask's bits, in order, for bits 1..count; "все" when
// every one is set, which is most records.
QString MaskNames(quint16 mask, int count, QString (*name)(int))
{
    if ((mask & (GetMaska(count + 1) - 1)) == GetMaska(count + 1) - 1)
        return QStringLiteral("все");
    QStringList names;
    for (int n = 1; n <= count; ++n)
        if (mask & GetMaska(n))
            names << name(n);
    return names.join(QLatin1Char(' '));
}

void ShowZones(const ScheduleModel& model, QTreeWidget* list)
{
    list->clear();
    const QList<AList>& records = model.SavedList();
    for (qsizetype k = 0; k < records.size(); ++k) {
        const AList& r = records[k];
        list->addTopLevelItem(new QTreeWidgetItem({QString::number(k + 1), r.Time, QString::number(r.Tariff),
            QString::number(r.Limit), QString::number(r.LimitTariff), MaskNames(r.DayMask, DayTypeCount, DayTypeGridName),
            MaskNames(r.MonthMask, MonthCount, MonthShortName)}));
    }
}

void ShowCalendar(const ScheduleModel& model, QTreeWidget* list)
{
    list->clear();
    for (const Holiday& holiday : model.Holidays())
        list->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Праздник"),
            DayMonthText(holiday.Day, holiday.Month), QString()}));
    for (const Transfer& transfer : model.Transfers())
        list->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Перенос"),
            transfer.Date.toString(QStringLiteral("dd.MM.yyyy")), DayTypeLongName(transfer.DayType)}));
    list->addTopLevelItem(new QTreeWidgetItem(
        {QStringLiteral("Коэффициент лимита"), QString(), QString::number(model.LimitCoefficient())}));
}

} // namespace

void BindSchedule(StationCore& core, const MainCommands& commands, const MainPages& pages)
{
    ScheduleDocument& schedule = core.schedule;
    const TabSched& tab = pages.sched;
    ShowZones(schedule.Model(), tab.ListZones);
    ShowCalendar(schedule.Model(), tab.ListCalendar);
    QObject::connect(&schedule, &ScheduleDocument::RecordsChanged, tab.ListZones,
        [&schedule, list = tab.ListZones] { ShowZones(schedule.Model(), list); });
    QObject::connect(&schedule, &ScheduleDocument::CalendarChanged, tab.ListCalendar,
        [&schedule, list = tab.ListCalendar] { ShowCalendar(schedule.Model(), list); });

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
    QObject::connect(commands.ActionReadSched, &QAction::triggered, &core.scheduleTransfer,
        &ScheduleTransfer::ActionReadSchedExecute);
}
