#pragma once
// The ports the station offers and which are chosen: the meter's drop-down
// (ComboPort), the menu's radio list (NPort) and the scanner's drop-down
// (ComboScaner). The window only mirrors this state.

#include <QObject>
#include <QStringList>
#include <functional>

class SerialChannel;

// Where port names come from: the platform's list, and, when it lists
// nothing, fixed names that are tried one by one.
struct PortSources {
    std::function<QStringList()> listed;
    QStringList probeCandidates;

    // QSerialPortInfo's names; the ports 1..8: COM1..COM8 on Windows,
    // ttyS0..ttyS7 elsewhere.
    static PortSources Platform();
};

class PortSelector : public QObject {
    Q_OBJECT
public:
    explicit PortSelector(PortSources sources = PortSources::Platform(), QObject* parent = nullptr);

    // Lists the ports once at start-up and selects the remembered ones. A
    // remembered port matches a name in any letter case, or as a plain
    // number n (older configurations and a first start keep numbers) the
    // port that number stands for: "COMn", or ttyS(n-1) where the platform
    // names its ports from ttyS0, as the probe pairs them. One that matches
    // nothing leaves its list without a selection. A probe candidate is
    // listed only when `probe` can open it and write a byte.
    void DiscoverPorts(const QString& meterPort, const QString& scannerPort, SerialChannel& probe);

    void ComboPortChange(int index);
    void PortMenuClick(int item);

    // Every port goes to all three lists, so they hold the same names.
    QStringList ComboPortItems() const { return ports_; }
    QStringList MenuItems() const { return ports_; }
    QStringList ComboScanerItems() const { return ports_; }

    // -1 when nothing is selected.
    int MeterIndex() const { return meterIndex_; }
    int MenuChecked() const { return menuChecked_; }
    int ScanerIndex() const { return scanerIndex_; }

    // Empty when no meter port is selected.
    QString MeterPort() const;

signals:
    void Changed();

private:
    int InRange(int index) const;
    // The first entry named like the entry at index, letter case aside.
    int FirstSameName(int index) const;

    PortSources sources_;
    QStringList ports_;
    int meterIndex_ = -1;
    int menuChecked_ = -1;
    int scanerIndex_ = -1;
};
