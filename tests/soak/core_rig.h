#pragma once
// The station's engine without its window, on its own simulated meter, as
// the command-line tool runs it; on the production line it records every
// completed settings write in a demo database of its own.

#include "soak_dialogs.h"
#include "soak_rig.h"
#include "station/production_line.h"
#include "station/station_core.h"

#include <memory>

class CoreRig : public SoakRig {
public:
    // Its log and database go into dir. Throws std::runtime_error when the
    // production line cannot be set up.
    CoreRig(const QString& dir, bool productionLine, RandomMix& dialogs, RandomMix& faults, SoakTally& tally);
    ~CoreRig() override;

    QString Name() const override;
    MeterLink& Link() override { return core_.link; }
    VirtualChannel& Channel() override { return channel_; }
    LineCheck& Check() override { return check_; }

    void Connect() override;
    void Disconnect() override;
    bool Busy() const override { return dialogs_.Open(); }
    int Weight(OpKind kind) const override;
    bool Start(OpKind kind, RandomMix& random) override;
    std::optional<int> RecordRows() override;
    int MessagesShown() const { return dialogs_.Shown(); }

private:
    void StartProductionLine(const QString& dir, SoakTally& tally);
    void WriteSettings(RandomMix& random);
    void ChoosePlc(RandomMix& random);

    SoakDialogs dialogs_;
    VirtualChannel channel_;
    StationCore core_;
    std::unique_ptr<ProductionLine> production_;
    QString rowsConnection_;
    LineCheck check_;
};
