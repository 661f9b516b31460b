#pragma once
// What the link says of one operation while it runs: the outcome of its
// batch, if it has one, and how many poll steps were queued since it
// started (the first comes once the operation's requests have left the
// queue).

#include "link/meter_link.h"

#include <optional>

class LinkFollower {
public:
    explicit LinkFollower(MeterLink& link)
        : finished_(QObject::connect(&link, &MeterLink::BatchFinished,
              [this](WriteBatch, BatchOutcome told) {
                  if (!outcome)
                      outcome = told;
              })),
          queued_(QObject::connect(&link, &MeterLink::PollStepQueued, [this] { ++stepsQueued; }))
    {
    }
    ~LinkFollower()
    {
        QObject::disconnect(finished_);
        QObject::disconnect(queued_);
    }
    LinkFollower(const LinkFollower&) = delete;
    LinkFollower& operator=(const LinkFollower&) = delete;

    // The first outcome told.
    std::optional<BatchOutcome> outcome;
    int stepsQueued = 0;

private:
    QMetaObject::Connection finished_;
    QMetaObject::Connection queued_;
};
