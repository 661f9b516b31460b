#pragma once
// SIGTERM and SIGINT as a readable descriptor, so the event loop handles
// them like any other input and the summary is never printed from inside a
// signal handler.

// Blocks both signals for the calling thread and every thread it starts
// later: call it first thing in main. Returns a signalfd, or -1 with errno
// set.
int OpenTerminationSignals();

// Consumes the pending signal so the descriptor stops reading ready.
void AcknowledgeTerminationSignal(int fd);
