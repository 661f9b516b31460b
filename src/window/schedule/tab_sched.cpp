#include "window/schedule/tab_sched.h"

#include "window/controls/named.h"
#include "window/controls/read_only_view.h"

#include <QHeaderView>
#include <QProgressBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int GaugeHeight = 8;

QTreeWidget* PlainList(const char* name, const QStringList& headers)
{
    auto* list = Named(new QTreeWidget, name);
    MakeReadOnly(list);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setAlternatingRowColors(true);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(true);
    return list;
}

void FillPage(QWidget* page, QWidget* content)
{
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addWidget(content);
}

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

    tab.ListZones = PlainList("ListZones",
        {QStringLiteral("№"), QStringLiteral("Начало"), QStringLiteral("Тариф"), QStringLiteral("Лимит"),
            QStringLiteral("Тариф при превышении"), QStringLiteral("Дни"), QStringLiteral("Месяцы")});
    FillPage(tab.TabTariff, tab.ListZones);
    tab.ListCalendar = PlainList("ListCalendar", {QStringLiteral("Вид"), QStringLiteral("Дата"), QStringLiteral("Значение")});
    FillPage(tab.TabSheet6, tab.ListCalendar);

    auto* column = new QVBoxLayout(tab.page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addWidget(tab.GaugeSched);
    column->addWidget(tab.PageControl3);
    return tab;
}
