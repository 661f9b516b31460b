#pragma once
// The soak's one source of chance. Every choice comes from the seed, so a
// seed repeats a run's mix of operations and faults; the line's timing,
// and with it where a fault lands, still varies from run to run.

#include <QtGlobal>
#include <initializer_list>
#include <random>

class RandomMix {
public:
    explicit RandomMix(quint32 seed) : engine_(seed) {}

    // low..high, both included.
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool Chance(double probability) { return std::bernoulli_distribution(probability)(engine_); }
    // An index chosen with the given weights, not all of them 0.
    int Weighted(std::initializer_list<int> weights)
    {
        return std::discrete_distribution<int>(weights.begin(), weights.end())(engine_);
    }
    template <typename Weights>
    int Weighted(const Weights& weights)
    {
        return std::discrete_distribution<int>(weights.begin(), weights.end())(engine_);
    }

private:
    std::mt19937 engine_;
};
