#include "link/link_timers.h"

#include <QTimer>

namespace {

class ClockTimer : public LinkTimer {
public:
    explicit ClockTimer(Qt::TimerType type)
    {
        timer_.setTimerType(type);
        connect(&timer_, &QTimer::timeout, this, &LinkTimer::Fired);
    }

    void Start() override { timer_.start(); }
    void Stop() override { timer_.stop(); }
    bool Active() const override { return timer_.isActive(); }
    void SetInterval(int ms) override { timer_.setInterval(ms); }
    int Interval() const override { return timer_.interval(); }

private:
    QTimer timer_;
};

class ClockTimers : public LinkTimers {
public:
    // Coarse timers may fire 5 % early: a response timeout must never cut
    // an answer short, and requests should leave on the tick.
    std::unique_ptr<LinkTimer> Make(LinkTimerRole role) override
    {
        const bool precise = role == LinkTimerRole::SendTick || role == LinkTimerRole::ResponseTimeout;
        return std::make_unique<ClockTimer>(precise ? Qt::PreciseTimer : Qt::CoarseTimer);
    }
};

} // namespace

LinkTimers& LinkTimers::Clock()
{
    static ClockTimers clock;
    return clock;
}
