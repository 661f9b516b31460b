#pragma once

class CliSession;

// Reads the meter through one whole poll cycle and prints its short report,
// the very lines "Краткий отчет" saves, one "name TAB value" line each.
// Exit code 0 when every request of the cycle was answered; failures go to
// stderr.
int RunRead(CliSession& session);
