#include "app/tab_setting.h"

#include "app/named.h"

#include <QGridLayout>
#include <QGroupBox>

TabSetting TabSetting::Create()
{
    TabSetting tab{};
    tab.page = NamedPage("TabSheet1");
    tab.GroupTask = Named(new QGroupBox(QStringLiteral(" Установки для записи ")), "GroupTask");

    auto* grid = new QGridLayout(tab.page);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->addWidget(tab.GroupTask, 0, 0);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    return tab;
}
