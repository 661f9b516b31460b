#pragma once
// The meter's journals from the command line, read the way the tab
// "Журналы" reads them and printed as they are exported.

#include <QString>

class CliSession;

enum class JournalKind { Yearly, Consumption };

// Reads the journal and prints its table on stdout, a line per row, the
// captions first, cells TAB-separated, exactly as the workbook holds them;
// with a non-empty `xlsPath` also saves that workbook. Exit code 0 only
// when every request of the read was answered (and the workbook saved);
// otherwise 1 with the reason on stderr, nothing printed when the read
// failed.
int RunJournal(CliSession& session, JournalKind kind, const QString& xlsPath);
