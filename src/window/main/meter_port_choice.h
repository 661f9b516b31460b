#pragma once
// The meter port as ComboPort and the NPort menu offer it: the discovered
// ports, preceded by the simulated meter when the station offers it (then
// chosen at start, so a station without hardware works at once).

#include <QObject>
#include <QStringList>

class PortSelector;

class MeterPortChoice : public QObject {
    Q_OBJECT
public:
    static const QString SimulatorEntry;

    MeterPortChoice(PortSelector& selector, bool offerSimulator, QObject* parent = nullptr);

    // The same entries in ComboPort and in NPort.
    QStringList Entries() const;
    // -1 when nothing is chosen.
    int ComboIndex() const;
    int MenuChecked() const;

    void ComboPortChange(int entry);
    void PortMenuClick(int entry);

    bool SimulatorChosen() const { return simulatorChosen_; }
    // ComboPort's text: the port to open, empty when none is chosen.
    QString PortText() const;

signals:
    void Changed();

private:
    int Offset() const { return offerSimulator_ ? 1 : 0; }
    int Shifted(int selectorIndex) const;
    // True (and chooses the simulator) when entry is the simulator's.
    bool ChooseSimulator(int entry);

    PortSelector& selector_;
    const bool offerSimulator_;
    bool simulatorChosen_;
};
