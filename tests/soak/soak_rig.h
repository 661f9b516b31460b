#pragma once
// One station under soak, with its simulated meter and the checks on its
// line: the engine alone, the engine on the production line, or the whole
// window. The runner drives every rig through this one face.

#include "fault_weather.h"
#include "link/meter_link.h"
#include "link_watch.h"
#include "meter_ledger.h"
#include "sim/virtual_channel.h"

#include <QString>
#include <optional>

enum class OpKind {
    PollCycle,
    SettingsWrite,
    ScheduleWrite,
    ScheduleRead,
    YearlyJournal,
    Diary,
    PlcAddress,
    PlcRoute,
    PlcRouteDelete,
    Reconnect,
    Silence,
};
constexpr int OpKinds = int(OpKind::Silence) + 1;

QString OpName(OpKind kind);
// How often a station at the bench runs an operation: settings writes as
// often as given, the longer operations twice, the rest once.
int BenchWeight(OpKind kind, int settingsWrites);

// The meter's side of a rig and the checks on its link.
struct LineCheck {
    LineCheck(MeterLink& link, VirtualChannel& channel, const QString& logPath, bool logWritten, RandomMix& faults,
        SoakTally& tally)
        : ledger(channel.Meter()),
          watch(link, ledger, logPath, logWritten, tally),
          weather(channel.Meter(), ledger, faults, tally, TimeoutMs)
    {
    }

    // The link's response timeout, as the station starts with it.
    static constexpr int TimeoutMs = 500;

    MeterLedger ledger;
    LinkWatch watch;
    FaultWeather weather;
};

class SoakRig {
public:
    virtual ~SoakRig() = default;

    virtual QString Name() const = 0;
    virtual MeterLink& Link() = 0;
    virtual VirtualChannel& Channel() = 0;
    virtual LineCheck& Check() = 0;

    // As the operator connects and disconnects.
    virtual void Connect() = 0;
    virtual void Disconnect() = 0;
    // A message box is open: nothing else can be done meanwhile.
    virtual bool Busy() const = 0;
    // How often this station runs an operation, relative to the others.
    virtual int Weight(OpKind kind) const = 0;
    // Starts an operation that the station itself carries out (a write or
    // a read); false when it does not offer it now, a command disabled.
    virtual bool Start(OpKind kind, RandomMix& random) = 0;
    // Operation rows in the production database; nothing off the line.
    virtual std::optional<int> RecordRows() { return std::nullopt; }
};
