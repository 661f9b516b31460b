#pragma once

class CliSession;
class QCommandLineParser;

// Writes the settings the write options choose into the meter, the way the
// station's "Записать" does: waits until the poll has read the meter
// number, queues the settings batch, and logs every acknowledged write to
// the operation log "Setting_Vm_742.log" in the current directory.
// Exit code 0 when the batch completed; 2, with nothing written, for
// unusable option values and for a write the meter rules out (--number on
// a meter that has a number, --ddm on a type-341 meter); 1 when the port
// cannot be opened or the meter refused a request or did not answer (the
// protocol's failure text on stderr).
int RunWrite(CliSession& session, const QCommandLineParser& parser);
