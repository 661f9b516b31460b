#include "window/main/page_control.h"

#include "window/controls/named.h"

#include <QTabWidget>

MainPages MainPages::Create(ScheduleDocument& schedule, TariffColors& colors, Dialogs& dialogs)
{
    MainPages pages{};
    pages.PageControl1 = Named(new QTabWidget, "PageControl1");
    // Every tab's caption in view: the window is made wide enough for them.
    pages.PageControl1->setUsesScrollButtons(false);
    pages.about = TabAbout::Create();
    pages.setting = TabSetting::Create();
    pages.sched = TabSched::Create(schedule, colors, dialogs);
    pages.journal = TabJournal::Create();
    pages.plc = TabPlc::Create();
    pages.db = TabDb::Create();
    pages.protocol = TabProtocol::Create();

    QTabWidget* tabs = pages.PageControl1;
    tabs->addTab(pages.about.page, QStringLiteral("О счетчике"));
    tabs->addTab(pages.setting.page, QStringLiteral("Установка"));
    tabs->addTab(pages.sched.page, QStringLiteral("Тарифное расписание"));
    tabs->addTab(pages.journal.page, QStringLiteral("Журналы"));
    tabs->addTab(pages.plc.page, QStringLiteral("Параметры PLC"));
    tabs->addTab(pages.db.page, QStringLiteral("База данных"));
    tabs->addTab(pages.protocol.page, QStringLiteral("Протокол"));
    return pages;
}

void MainPages::SelectFirstPages()
{
    PageControl1->setCurrentWidget(about.page);
    sched.PageControl3->setCurrentWidget(sched.TabTariff);
    journal.PageJournal->setCurrentWidget(journal.TabYear);
}
