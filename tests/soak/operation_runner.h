#pragma once
// Runs one operation on a rig from start to end and checks how it ended:
// within its time bound, a batch green only when every request of it was
// answered clean, no record for a batch that was not. Also brings a rig
// onto the line and takes it off again.

#include "link_follower.h"
#include "random_mix.h"
#include "soak_rig.h"
#include "soak_tally.h"

#include <QElapsedTimer>
#include <functional>

class OperationRunner {
public:
    // verbose: each operation told on stderr as it ends.
    OperationRunner(RandomMix& random, SoakTally& tally, bool verbose);

    // Connected, and a whole poll cycle read on a calm line; false (a
    // violation told) when the meter's answers are not taken.
    bool Activate(SoakRig& rig);
    void Deactivate(SoakRig& rig);

    // An operation chosen by the rig's weights; long reads neither while
    // warming up (so that every station has its first turn soon) nor when
    // less than their usual length of the run is left.
    OpKind Choose(SoakRig& rig, qint64 remainingMs, bool warmingUp);
    // False when the station did not offer it (a command disabled).
    bool Run(SoakRig& rig, OpKind kind);

    // What the station queued for an operation.
    struct Queued {
        QList<QByteArray> requests;
        bool batch = false;
    };

private:

    bool RunStationOp(SoakRig& rig, OpKind kind);
    bool RunPollCycle(SoakRig& rig);
    bool RunReconnect(SoakRig& rig);
    bool RunSilence(SoakRig& rig);
    // Waits until the queue ran empty after the start, with the batch's
    // outcome in and no box open; false (a hang told and the line
    // reconnected) when that takes longer than the bound.
    bool AwaitEnd(SoakRig& rig, const Queued& queued, const LinkFollower& follower, int boundMs,
        const std::function<bool()>& alsoDone = {});
    // True when the operation ended as a success (a batch completed, or a
    // read with an answer taken for every request) and every request of it
    // was answered clean; a success that was not is a false success.
    bool CheckSuccess(const Queued& queued, std::optional<BatchOutcome> outcome, const LinkWatch& watch);
    // Operation rows may only be added by a settings write that completed
    // with every request answered clean, one for it.
    void CheckRecords(std::optional<int> before, std::optional<int> after);
    bool AwaitResumption(SoakRig& rig, int boundMs);
    // Waits for the operator's hands to be free and the line quiet.
    void Settle(SoakRig& rig);
    void Recover(SoakRig& rig);
    void ChooseWeather(SoakRig& rig);

    RandomMix& random_;
    SoakTally& tally_;
    const bool verbose_;
    QElapsedTimer clock_;
    // How the operation ended, for the verbose line.
    QString ending_;
    bool recordDue_ = false;
};
