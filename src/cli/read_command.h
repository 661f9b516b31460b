#pragma once

class CliSession;

// Reads the meter through one whole poll cycle and prints what the station
// shows of it, one "caption TAB value" line per row. Exit code 0 when every
// request of the cycle was answered; failures go to stderr.
int RunRead(CliSession& session);
