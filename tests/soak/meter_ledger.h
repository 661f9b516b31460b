#pragma once
// What the simulated meter really served, newest last: the truth every
// answer the station takes is checked against. Only the latest requests
// are kept; the station only ever takes an answer to one of them.

#include "sim/virtual_meter.h"

#include <QList>
#include <deque>
#include <functional>

class MeterLedger {
public:
    static constexpr std::size_t Kept = 64;

    explicit MeterLedger(VirtualMeter& meter);
    ~MeterLedger();
    MeterLedger(const MeterLedger&) = delete;
    MeterLedger& operator=(const MeterLedger&) = delete;

    // Called for every request served, in the order added.
    void OnServed(std::function<void(const ServedRequest&)> listener);

    // The latest serve of exactly these request bytes; null when none is kept.
    const ServedRequest* Latest(const QByteArray& request) const;
    // The latest serve that put exactly these bytes on the line; null when
    // none is kept.
    const ServedRequest* Sending(const QByteArray& bytes) const;

private:
    void Served(const ServedRequest& request);

    VirtualMeter& meter_;
    std::deque<ServedRequest> served_;
    QList<std::function<void(const ServedRequest&)>> listeners_;
};
