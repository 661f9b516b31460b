#pragma once
// The whole station: its window on the offscreen platform with its own
// settings store and start folder, the in-process simulated meter chosen as
// its port, real message boxes. The operator's part is played through the
// window's controls, found by their object names.

#include "soak_rig.h"
#include "window/main/form_main.h"

#include <QSettings>
#include <memory>

class WindowRig : public SoakRig {
public:
    // Its settings, log and tariff colours go into dir.
    WindowRig(const QString& dir, RandomMix& faults, SoakTally& tally);
    ~WindowRig() override;

    QString Name() const override { return QStringLiteral("window"); }
    MeterLink& Link() override { return form_->Link(); }
    VirtualChannel& Channel() override;
    LineCheck& Check() override { return *check_; }

    void Connect() override;
    void Disconnect() override;
    bool Busy() const override;
    int Weight(OpKind kind) const override;
    bool Start(OpKind kind, RandomMix& random) override;

private:
    // Triggers the command when the window offers it.
    bool Trigger(const char* action);
    bool Click(const char* button);
    void Tick(const char* box, bool on);
    void SetSpin(const char* spin, int value);
    void EnterSettings(RandomMix& random);
    void EnterPlc(RandomMix& random);

    QSettings settings_;
    QSettings tariffColors_;
    std::unique_ptr<TFormMain> form_;
    std::unique_ptr<LineCheck> check_;
};
