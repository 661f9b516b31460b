#pragma once
// A meter's answer together with how the line should deliver it; the
// transports carry out the plan, the meter only decides it.

#include <QByteArray>
#include <QList>

struct Reply {
    QByteArray bytes; // empty: the meter stays silent
    int pieces = 1;
    int delayMs = 0; // on top of the usual turnaround

    // The bytes cut into `pieces` runs of nearly equal size, never an empty
    // one (so none at all for silence).
    QList<QByteArray> Pieces() const;
};
