#include "link/result_display.h"

namespace {
constexpr int IndicatorMs = 2000;
}

ResultDisplay::ResultDisplay(LinkTimers& timers, QObject* parent)
    : QObject(parent), timer_(timers.Make(LinkTimerRole::Indicator))
{
    timer_->SetInterval(IndicatorMs);
    connect(timer_.get(), &LinkTimer::Fired, this, &ResultDisplay::Hide);
}

ResultDisplay::~ResultDisplay() = default;

void ResultDisplay::Show(ResultIndicator result)
{
    state_ = result;
    emit Changed(result);
    timer_->Start();
}

void ResultDisplay::Hide()
{
    timer_->Stop();
    state_ = ResultIndicator::Hidden;
    emit Changed(state_);
    emit Over();
}
