#pragma once
// Runs the event loop until a condition holds or the time is up, the way
// the station waits for its own events: timers fire and bytes arrive
// meanwhile, and message boxes may run their loops inside this one.

#include <QEventLoop>
#include <QTimer>
#include <functional>

// True when the condition held in time.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer check;
    check.setInterval(5);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    check.start();
    deadline.start(timeoutMs);
    loop.exec();
    return done();
}

// Lets the event loop run for a while.
inline void Pause(int ms)
{
    WaitFor([] { return false; }, ms);
}
