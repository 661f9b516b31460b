#pragma once
// A pseudo-terminal whose slave side stands in for the meter's serial port.

#include "protocol/line_settings.h"

#include <QByteArray>
#include <QString>

class PseudoTerminal {
public:
    // Throws std::runtime_error naming the failing call.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int Master() const { return master_; }
    QString SlavePath() const { return slavePath_; }

    // The parity the station last set on the slave. The master reports the
    // slave's settings; PARENB may read as clear there, so only CMSPAR and
    // PARODD are trusted.
    Parity SlaveParity() const;

    // Reports a refusal on stderr: a lost answer is something the station
    // must cope with anyway.
    void Write(const QByteArray& bytes) const;

private:
    void Release();

    int master_ = -1;
    // Held open for the whole run: the line keeps its raw settings before and
    // between the station's opens, and the master never reads EIO when the
    // station closes.
    int slave_ = -1;
    QString slavePath_;
};
