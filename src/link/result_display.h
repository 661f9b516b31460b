#pragma once
// The write-result indicator (Shape1) as the core keeps it: green for a
// write acknowledged whole, red for one that failed, hidden again once its
// time is over.

#include "link/link_timers.h"

#include <QMetaType>
#include <QObject>
#include <memory>

enum class ResultIndicator { Hidden, Green, Red };
Q_DECLARE_METATYPE(ResultIndicator)

class ResultDisplay : public QObject {
    Q_OBJECT
public:
    explicit ResultDisplay(LinkTimers& timers, QObject* parent = nullptr);
    ~ResultDisplay() override;

    ResultIndicator State() const { return state_; }
    // Shows the result for the whole time, counted anew.
    void Show(ResultIndicator result);

signals:
    void Changed(ResultIndicator indicator);
    // The time is over and the indicator hidden.
    void Over();

private:
    void Hide();

    std::unique_ptr<LinkTimer> timer_;
    ResultIndicator state_ = ResultIndicator::Hidden;
};
