#pragma once

class CliSession;

// Polls the meter and prints the protocol: every frame sent and received,
// every failure and timeout. Runs `cycles` whole poll cycles (0: until
// interrupted). Exit code 0 when every request was answered.
int RunPoll(CliSession& session, int cycles);
