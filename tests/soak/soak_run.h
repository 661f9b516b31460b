#pragma once
// A whole soak: the three stations (the engine alone, the engine on the
// production line, the window) made once and kept to the end, each in turn
// on the line for a slice of the run while the other two rest
// disconnected; operations one after another on the one on the line. The
// resident memory is taken once every station has had its first turn and
// again at the end.

#include "soak_tally.h"

#include <QString>

class SoakRun {
public:
    // verbose: each operation told on stderr.
    SoakRun(int seconds, quint32 seed, bool verbose);

    // Throws std::runtime_error when the stations cannot be set up.
    void Exec(SoakTally& tally);

private:
    const int seconds_;
    const quint32 seed_;
    const bool verbose_;
};
