#include "window/main/port_binding.h"

#include "link/port_selector.h"
#include "window/main/connect_panel.h"
#include "window/main/meter_port_choice.h"

#include <QActionGroup>
#include <QComboBox>
#include <QMenu>

namespace {

void ShowChoice(const MeterPortChoice& choice, QComboBox* combo, QActionGroup* items)
{
    combo->setCurrentIndex(choice.ComboIndex());
    const int checked = choice.MenuChecked();
    const QList<QAction*> actions = items->actions();
    if (checked >= 0) {
        actions[checked]->setChecked(true);
    } else if (QAction* current = items->checkedAction()) {
        current->setChecked(false);
    }
}

QActionGroup* MenuItems(MeterPortChoice& choice, QMenu* NPort)
{
    auto* group = new QActionGroup(NPort);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    const QStringList entries = choice.Entries();
    for (int i = 0; i < entries.size(); ++i) {
        QAction* item = NPort->addAction(entries[i]);
        item->setCheckable(true);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, &choice, [&choice, i] { choice.PortMenuClick(i); });
    }
    return group;
}

} // namespace

void BindPorts(MeterPortChoice& choice, const PortSelector& selector, const ConnectPanel& panel, QMenu* NPort)
{
    panel.ComboPort->addItems(choice.Entries());
    panel.ComboScaner->addItems(selector.ComboScanerItems());
    panel.ComboScaner->setCurrentIndex(selector.ScanerIndex());
    QActionGroup* items = MenuItems(choice, NPort);
    ShowChoice(choice, panel.ComboPort, items);

    QObject::connect(panel.ComboPort, &QComboBox::activated, &choice, &MeterPortChoice::ComboPortChange);
    QObject::connect(&choice, &MeterPortChoice::Changed, panel.ComboPort,
                     [&choice, combo = panel.ComboPort, items] { ShowChoice(choice, combo, items); });
}
