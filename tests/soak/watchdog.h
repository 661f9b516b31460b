#pragma once
// Ends the run when the event loop itself stops: no operation bound can
// fire then. A timer of the loop beats; a thread of its own watches the
// beat and the run's outer time limit, and when either is missed tells the
// summary so far, one hang more, and ends the process.

#include "soak_tally.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class Watchdog : public QObject {
    Q_OBJECT
public:
    Watchdog(const SoakTally& tally, std::chrono::seconds limit);
    ~Watchdog() override;

private:
    void Watch();

    using Clock = std::chrono::steady_clock;
    const SoakTally& tally_;
    const Clock::time_point deadline_;
    std::atomic<Clock::rep> lastBeat_;
    QTimer beat_;
    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    std::thread thread_;
};
