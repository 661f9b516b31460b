#include "link/port_selector.h"

#include "link/serial_channel.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace {

QStringList PlatformPorts()
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names.append(info.portName());
    return names;
}

// Port numbers count from 1 as the PC's serial ports do (COM1 on Windows);
// Linux names the same lines from 0 (COM1 is ttyS0).
QString ComName(int number)
{
    return QStringLiteral("COM%1").arg(number);
}

QString TtySName(int number)
{
    return QStringLiteral("ttyS%1").arg(number - 1);
}

QStringList DefaultCandidates()
{
    QStringList names;
    for (int number = 1; number <= 8; ++number) {
#ifdef Q_OS_WIN
        names.append(ComName(number));
#else
        names.append(TtySName(number));
#endif
    }
    return names;
}

// Without a platform list, a name is worth offering only when a byte really
// goes out through it; the probe is closed again whatever happened.
bool Answers(SerialChannel& probe, const QString& name)
{
    bool answered = false;
    try {
        probe.SetPortName(name);
        probe.Open();
        answered = probe.WriteText(QByteArray(1, '\0'));
    } catch (const SerialChannelError&) {
    }
    try {
        probe.Close();
    } catch (const SerialChannelError&) {
    }
    return answered;
}

QStringList Discover(const PortSources& sources, SerialChannel& probe)
{
    const QStringList listed = sources.listed();
    if (!listed.isEmpty())
        return listed;
    QStringList answering;
    for (const QString& name : sources.probeCandidates) {
        if (Answers(probe, name))
            answering.append(name);
    }
    return answering;
}

template <typename Wanted>
int FirstIndex(const QStringList& names, Wanted wanted)
{
    const auto found = std::find_if(names.begin(), names.end(), wanted);
    return found == names.end() ? -1 : int(found - names.begin());
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool Matches(const QString& remembered, const QString& name)
{
    if (SameName(remembered, name))
        return true;
    bool isNumber = false;
    const int number = remembered.toInt(&isNumber);
    // Unix tells device names apart by letter case: ttys0 is another line.
    return isNumber && (SameName(ComName(number), name) || name == TtySName(number));
}

int FirstMatch(const QStringList& names, const QString& remembered)
{
    return FirstIndex(names, [&](const QString& name) { return Matches(remembered, name); });
}

} // namespace

PortSources PortSources::Platform()
{
    return {PlatformPorts, DefaultCandidates()};
}

PortSelector::PortSelector(PortSources sources, QObject* parent)
    : QObject(parent), sources_(std::move(sources))
{
}

void PortSelector::DiscoverPorts(const QString& meterPort, const QString& scannerPort,
                                 SerialChannel& probe)
{
    ports_ = Discover(sources_, probe);
    meterIndex_ = FirstMatch(ports_, meterPort);
    menuChecked_ = meterIndex_;
    scanerIndex_ = FirstMatch(ports_, scannerPort);
    emit Changed();
}

void PortSelector::ComboPortChange(int index)
{
    meterIndex_ = InRange(index);
    menuChecked_ = FirstSameName(meterIndex_);
    emit Changed();
}

void PortSelector::PortMenuClick(int item)
{
    menuChecked_ = InRange(item);
    meterIndex_ = FirstSameName(menuChecked_);
    emit Changed();
}

QString PortSelector::MeterPort() const
{
    return meterIndex_ < 0 ? QString() : ports_[meterIndex_];
}

int PortSelector::InRange(int index) const
{
    return index >= 0 && index < ports_.size() ? index : -1;
}

int PortSelector::FirstSameName(int index) const
{
    if (index < 0)
        return -1;
    return FirstIndex(ports_, [&](const QString& name) { return SameName(name, ports_[index]); });
}
