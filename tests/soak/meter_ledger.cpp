#include "meter_ledger.h"

#include <algorithm>

MeterLedger::MeterLedger(VirtualMeter& meter)
    : meter_(meter)
{
    meter_.SetServedHook([this](const ServedRequest& request) { Served(request); });
}

MeterLedger::~MeterLedger()
{
    meter_.SetServedHook({});
}

void MeterLedger::OnServed(std::function<void(const ServedRequest&)> listener)
{
    listeners_.append(std::move(listener));
}

const ServedRequest* MeterLedger::Latest(const QByteArray& request) const
{
    const auto found = std::find_if(served_.rbegin(), served_.rend(),
        [&](const ServedRequest& served) { return served.request == request; });
    return found == served_.rend() ? nullptr : &*found;
}

const ServedRequest* MeterLedger::Sending(const QByteArray& bytes) const
{
    const auto found = std::find_if(
        served_.rbegin(), served_.rend(), [&](const ServedRequest& served) { return served.sent == bytes; });
    return found == served_.rend() ? nullptr : &*found;
}

void MeterLedger::Served(const ServedRequest& request)
{
    served_.push_back(request);
    if (served_.size() > Kept)
        served_.pop_front();
    for (const auto& listener : listeners_)
        listener(request);
}
