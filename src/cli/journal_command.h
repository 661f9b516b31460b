#pragma once
// The meter's journals from the command line, read the way the tab
// "Журналы" reads them and printed as they are exported.

#include <QCommandLineOption>
#include <QList>
#include <QString>

class CliSession;
class QCommandLineParser;

// --xls FILE.
QList<QCommandLineOption> JournalOptions();

// Reads the journal named, "yearly" or "consumption", and prints its table
// on stdout, a line per row, the captions first, cells TAB-separated,
// exactly as the workbook holds them; with --xls also saves that workbook.
// Exit code 0 only when every request of the read was answered (and the
// workbook saved); 2 for another journal name or an --xls without a file
// name; otherwise 1 with the reason on stderr, nothing printed when the
// read failed.
int RunJournal(CliSession& session, const QCommandLineParser& parser, const QString& journal);
