#pragma once
// The link's timers. The station's run on the clock; a harness that must
// drive the link deterministically hands in timers of its own and fires
// them when it chooses.

#include <QObject>
#include <memory>

// Repeats until stopped, as QTimer does.
class LinkTimer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A running timer starts counting anew.
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
    // A running timer starts counting anew with it.
    virtual void SetInterval(int ms) = 0;
    virtual int Interval() const = 0;

signals:
    void Fired();
};

enum class LinkTimerRole {
    // The first tick after a request has become the head sends it.
    SendTick,
    // How long an answer is awaited.
    ResponseTimeout,
    // The pause between opening the line and the first request.
    FirstRequest,
    // How long the write-result indicator shows.
    Indicator,
};

class LinkTimers {
public:
    virtual ~LinkTimers() = default;
    virtual std::unique_ptr<LinkTimer> Make(LinkTimerRole role) = 0;

    // Timers on the clock, as the station runs.
    static LinkTimers& Clock();
};
