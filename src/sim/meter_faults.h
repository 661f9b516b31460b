#pragma once
// Misbehaviour the simulated meter shows on demand, so the station's
// handling of a bad line can be tested without a bad line.

#include "sim/reply.h"

#include <QByteArray>
#include <QList>
#include <chrono>
#include <optional>

enum class FaultKind {
    NoAnswer,
    WrongCode, // a well-formed answer naming another function
    SurplusByte, // one byte after the frame
    BadCrc,
    Pieces, // the answer in `amount` pieces
    Slow, // the answer `amount` ms late
    Noise, // random bytes instead of the answer
    // No answer to anything for `amount` ms from the first request it
    // meets; then it wears off by itself (Times does not apply).
    Silence,
    // `amount` random bytes a moment after the answer, while the station
    // is between requests; the answer itself stays clean.
    NoiseAfter,
};

struct Fault {
    static constexpr int ForEver = -1;

    Fault(FaultKind faultKind, int faultAmount = 0)
        : kind(faultKind), amount(faultAmount)
    {
    }
    // The same fault for the next `count` requests, or ForEver until cleared.
    Fault Times(int count) const
    {
        Fault fault = *this;
        fault.requests = count;
        return fault;
    }
    // The same fault, sparing requests with any other function code.
    Fault OnlyFor(quint8 code) const
    {
        Fault fault = *this;
        fault.onlyCode = code;
        return fault;
    }

    FaultKind kind;
    int amount;
    int requests = 1;
    std::optional<quint8> onlyCode;
    // A silence's end, fixed by the first request it meets.
    std::optional<std::chrono::steady_clock::time_point> silentUntil;
};

// What the faults did to one answer.
struct Spoiling {
    int faults = 0; // how many acted on it
    QByteArray noiseAfter; // to follow the answer on the line, between requests
};

class FaultPlan {
public:
    void Add(const Fault& fault);
    void Clear();
    // Spoils the reply with every fault meant for this request, in the order
    // they were added, and uses each up by one request.
    Spoiling Apply(quint8 requestCode, Reply& reply);

private:
    QList<Fault> faults_;
};
