#pragma once
// A barcode scanner on a pseudo-terminal of its own: every line of the
// input (standard input for vm742-sim) goes to the station as a scanned
// code ended by a carriage return, as the scanner sends it.

#include "sim/pseudo_terminal.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>

class ScannerPty : public QObject {
    Q_OBJECT
public:
    // Throws std::runtime_error when the pseudo-terminal cannot be set up.
    explicit ScannerPty(int inputFd, QObject* parent = nullptr);

    QString SlavePath() const { return terminal_.SlavePath(); }

private:
    void ReadInput();
    void DiscardStationBytes();

    PseudoTerminal terminal_;
    const int inputFd_;
    QSocketNotifier input_;
    // The station's greeting byte at each opening; left unread, it would
    // pile up in the line for as long as the simulator runs.
    QSocketNotifier station_;
    QByteArray partialLine_;
};
