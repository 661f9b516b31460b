#pragma once
// Reads the pseudo-terminal's master in a thread of its own. The station
// holds the first byte of a request in mark parity for only 10 ms before it
// switches to space, so the parity must be looked at the moment the byte
// arrives, not whenever the event loop gets round to it.

#include "sim/pseudo_terminal.h"

#include <functional>
#include <thread>

class PtyReader {
public:
    // Called in the reader's thread with the bytes of one read and the
    // parity the slave had right after it.
    using Sink = std::function<void(const QByteArray& bytes, Parity parity)>;

    // Starts reading at once; throws std::runtime_error when it cannot.
    PtyReader(const PseudoTerminal& terminal, Sink sink);
    // Stops the thread and waits for it.
    ~PtyReader();
    PtyReader(const PtyReader&) = delete;
    PtyReader& operator=(const PtyReader&) = delete;

private:
    void Run();

    const PseudoTerminal& terminal_;
    Sink sink_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
};
