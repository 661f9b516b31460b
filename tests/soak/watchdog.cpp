#include "watchdog.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int BeatMs = 200;
constexpr std::chrono::seconds Frozen{60};
constexpr std::chrono::seconds LookEvery{1};
constexpr int FrozenExitCode = 3;

} // namespace

Watchdog::Watchdog(const SoakTally& tally, std::chrono::seconds limit)
    : tally_(tally), deadline_(Clock::now() + limit), lastBeat_(Clock::now().time_since_epoch().count())
{
    beat_.setInterval(BeatMs);
    connect(&beat_, &QTimer::timeout, this, [this] { lastBeat_ = Clock::now().time_since_epoch().count(); });
    beat_.start();
    thread_ = std::thread([this] { Watch(); });
}

Watchdog::~Watchdog()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stop_.notify_all();
    thread_.join();
}

void Watchdog::Watch()
{
    std::unique_lock lock(mutex_);
    while (!stop_.wait_for(lock, LookEvery, [this] { return stopping_; })) {
        const Clock::time_point now = Clock::now();
        const Clock::time_point beat{Clock::duration(lastBeat_.load())};
        if (now - beat < Frozen && now < deadline_)
            continue;
        // The loop is stuck, so nothing changes the tally meanwhile.
        SoakTally last = tally_;
        last.hangs += 1;
        std::fprintf(stderr, "soak: hang: %s\n",
            now < deadline_ ? "the event loop has not run for a minute" : "the run is far past its time");
        std::printf("%s\n", qPrintable(last.Summary()));
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(FrozenExitCode);
    }
}
