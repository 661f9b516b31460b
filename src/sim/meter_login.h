#pragma once
// What the meter keeps between the requests of one write batch: the
// operating-time counter it last told the station, with which the station
// masks the passwords, and whether a valid login has opened writes.

#include <QByteArray>

class MeterLogin {
public:
    // Every batch opens with request 1, so an earlier login ends there.
    void Close() { open_ = false; }
    bool WritesOpen() const { return open_; }

    // The answer to request 17 has just reported this counter. The counter
    // may move on before the login comes; the station masks with what it
    // was told, so the meter unmasks with the same.
    void CounterReported(quint32 operatingSeconds) { reportedCounter_ = operatingSeconds; }

    // A password as it travels, made plain with the mask of the meter's
    // number and the reported counter.
    QByteArray Unmask(const QByteArray& masked, quint32 number) const;

    // Request 20: opens writes when the password matches, closes them
    // otherwise; true when it matched.
    bool Enter(const QByteArray& masked, quint32 number, const QByteArray& password);

private:
    quint32 reportedCounter_ = 0;
    bool open_ = false;
};
