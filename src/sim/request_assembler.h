#pragma once
// Finds requests in the byte stream the way the meter does: by the ninth
// (parity) bit of the first byte and the length byte of the frame.

#include <QByteArray>
#include <optional>

// Unknown: the transport could not tell which bit the byte carried.
enum class NinthBit { Clear, Set, Unknown };

enum class Framing {
    // Only a byte with the ninth bit set starts a request, as in the meter.
    Strict,
    // Any byte while idle starts one; for transports that only observe the
    // ninth bit after the fact.
    Lenient,
};

struct AssembledRequest {
    QByteArray bytes;
    NinthBit start; // what the first byte carried
};

class RequestAssembler {
public:
    explicit RequestAssembler(Framing framing);

    // The finished request when this byte completes one. A byte with the
    // ninth bit set always starts afresh, dropping a partial request.
    std::optional<AssembledRequest> Feed(char byte, NinthBit bit);
    // Drops a partial request; the counters stay.
    void Reset();
    bool Idle() const { return partial_.isEmpty(); }

    // Every request framed, delivered or not: strict framing still follows
    // the length byte of an unmarked one to count it, but never hands it on.
    int Requests() const { return requests_; }
    int Unmarked() const { return unmarked_; }
    int Unobserved() const { return unobserved_; }

private:
    Framing framing_;
    QByteArray partial_;
    NinthBit start_ = NinthBit::Unknown;
    int requests_ = 0;
    int unmarked_ = 0;
    int unobserved_ = 0;
};
