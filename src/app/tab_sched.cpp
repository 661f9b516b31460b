#include "app/tab_sched.h"

#include "app/named.h"

#include <QProgressBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int GaugeHeight = 8;

} // namespace

TabSched TabSched::Create()
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

    auto* column = new QVBoxLayout(tab.page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addWidget(tab.GaugeSched);
    column->addWidget(tab.PageControl3);
    return tab;
}
