#include "window/schedule/tab_sched.h"

#include "window/controls/named.h"
#include "window/schedule/calendar_page.h"
#include "window/schedule/frame_shedule.h"

#include <QProgressBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int GaugeHeight = 8;

} // namespace

TabSched TabSched::Create(ScheduleDocument& schedule, TariffColors& colors, Dialogs& dialogs)
{
    TabSched tab{};
    tab.page = NamedPage("TabSched");
    tab.GaugeSched = Named(new QProgressBar, "GaugeSched");
    tab.GaugeSched->setFixedHeight(GaugeHeight);
    tab.GaugeSched->setTextVisible(false);
    tab.GaugeSched->hide();

    tab.PageControl3 = Named(new QTabWidget, "PageControl3");
    tab.TabTariff = NamedPage("TabTariff");
    tab.TabSheet6 = NamedPage("TabSheet6");
    tab.PageControl3->addTab(tab.TabTariff, QStringLiteral("Расписание"));
    tab.PageControl3->addTab(tab.TabSheet6, QStringLiteral("Праздники и коэффициент лимита"));

    tab.FrameShedule = new TFrameShedule(schedule, colors, dialogs);
    auto* framePlace = new QVBoxLayout(tab.TabTariff);
    framePlace->setContentsMargins(0, 0, 0, 0);
    framePlace->addWidget(tab.FrameShedule);
    tab.calendar = new CalendarPage(tab.TabSheet6, schedule);

    auto* column = new QVBoxLayout(tab.page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addWidget(tab.GaugeSched);
    column->addWidget(tab.PageControl3);
    return tab;
}
