#include "window/main/meter_port_choice.h"

#include "link/port_selector.h"

const QString MeterPortChoice::SimulatorEntry = QStringLiteral("Имитатор счетчика");

MeterPortChoice::MeterPortChoice(PortSelector& selector, bool offerSimulator, QObject* parent)
    : QObject(parent), selector_(selector), offerSimulator_(offerSimulator), simulatorChosen_(offerSimulator)
{
    connect(&selector_, &PortSelector::Changed, this, &MeterPortChoice::Changed);
}

QStringList MeterPortChoice::Entries() const
{
    QStringList entries = selector_.ComboPortItems();
    if (offerSimulator_)
        entries.prepend(SimulatorEntry);
    return entries;
}

int MeterPortChoice::ComboIndex() const
{
    return simulatorChosen_ ? 0 : Shifted(selector_.MeterIndex());
}

int MeterPortChoice::MenuChecked() const
{
    return simulatorChosen_ ? 0 : Shifted(selector_.MenuChecked());
}

void MeterPortChoice::ComboPortChange(int entry)
{
    if (!ChooseSimulator(entry))
        selector_.ComboPortChange(entry - Offset());
}

void MeterPortChoice::PortMenuClick(int entry)
{
    if (!ChooseSimulator(entry))
        selector_.PortMenuClick(entry - Offset());
}

QString MeterPortChoice::PortText() const
{
    return simulatorChosen_ ? SimulatorEntry : selector_.MeterPort();
}

int MeterPortChoice::Shifted(int selectorIndex) const
{
    return selectorIndex < 0 ? -1 : selectorIndex + Offset();
}

bool MeterPortChoice::ChooseSimulator(int entry)
{
    simulatorChosen_ = offerSimulator_ && entry == 0;
    if (simulatorChosen_)
        emit Changed();
    return simulatorChosen_;
}
