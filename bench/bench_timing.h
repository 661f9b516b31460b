#pragma once
// The benchmarks' clock: the best of a few runs, which the machine's other
// work disturbs least.

#include <QElapsedTimer>
#include <algorithm>
#include <functional>

// The best of the runs, each after `prepare`, in milliseconds.
inline double BestMs(int repeats, const std::function<void()>& prepare, const std::function<void()>& run)
{
    double best = -1;
    for (int repeat = 0; repeat < repeats; ++repeat) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        run();
        const double ms = clock.nsecsElapsed() / 1e6;
        best = best < 0 ? ms : std::min(best, ms);
    }
    return best;
}
