#pragma once

class CliSession;
class QCommandLineParser;

// "Зафиксировать в БД" on the production line: records the connected
// meter, once a whole poll cycle has been read, without writing anything
// into it. --number N gives the number of a meter without number, as the
// operator types it into the number field. Exit code 0 when recorded; 2
// without a production database or for an unusable --number; 3 when the
// record was refused or failed (its message on stderr); 1 when the meter
// cannot be reached.
int RunRecord(CliSession& session, const QCommandLineParser& parser);
