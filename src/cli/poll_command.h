#pragma once

#include <QCommandLineOption>
#include <QList>

class CliSession;
class QCommandLineParser;

// --cycles N.
QList<QCommandLineOption> PollOptions();

// Polls the meter and prints the protocol: every frame sent and received,
// every failure and timeout. Runs until the poll has sent --cycles whole
// cycles' worth of requests, a step dropped unsent by an abort counting
// for nothing, and stops at the end of a cycle (0: until interrupted).
// Exit code 0 when every request was answered; 2 for a --cycles that is no
// count.
int RunPoll(CliSession& session, const QCommandLineParser& parser);
