#pragma once
// The protocol tab's content: sent and received frames, link failures and
// timeouts. A station stays connected all day, so only the most recent
// lines are kept.

#include <QObject>
#include <QStringList>

class ProtocolView : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxLines = 5000;

    using QObject::QObject;

    // The "Включен" check box: lines are only appended while it is ticked.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);

    void Append(const QString& line);
    void Clear();
    const QStringList& Lines() const { return lines_; }

signals:
    void EnabledChanged(bool on);
    void LineAppended(const QString& line);
    void Cleared();

private:
    bool enabled_ = false;
    QStringList lines_;
};
