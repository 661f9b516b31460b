#include "window/journals/tab_journal.h"

#include "window/controls/named.h"

#include <QProgressBar>
#include <QTabWidget>
#include <QVBoxLayout>

TabJournal TabJournal::Create()
{
    TabJournal tab{};
    tab.page = NamedPage("TabJournal");
    tab.PageJournal = Named(new QTabWidget, "PageJournal");
    // The journals' pages are switched by flat buttons.
    tab.PageJournal->setDocumentMode(true);
    tab.TabYear = NamedPage("TabYear");
    tab.TabDiary = NamedPage("TabDiary");
    tab.PageJournal->addTab(tab.TabYear, QStringLiteral("Годовой журнал"));
    tab.PageJournal->addTab(tab.TabDiary, QStringLiteral("Журнал потребления"));

    tab.GaugeJournal = Named(new QProgressBar, "GaugeJournal");
    tab.GaugeJournal->hide();

    auto* column = new QVBoxLayout(tab.page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addWidget(tab.PageJournal);
    column->addWidget(tab.GaugeJournal);
    return tab;
}
