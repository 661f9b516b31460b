#pragma once

class CliSession;
class MeterReadings;
class QCommandLineParser;
class QString;
struct SettingsInputs;

// Why this meter rules out a value the options ask for, where the window
// would not let the operator ask for it: the number field is usable only
// on a meter without number, "CheckDDM" only on a meter with a ДДМ. Empty
// when nothing is ruled out.
QString MeterRefusal(const MeterReadings& readings, const SettingsInputs& inputs);

// Writes the settings the write options choose into the meter, the way the
// station's "Записать" does: waits until the poll has read the meter
// number, queues the settings batch, and logs every acknowledged write to
// the operation log "Setting_Vm_742.log" in the current directory.
// Exit code 0 when the batch completed; 2, with nothing written, for
// unusable option values and for a write the meter rules out (--number on
// a meter that has a number, --ddm on a type-341 meter); 1 when the port
// cannot be opened or the meter refused a request or did not answer (the
// protocol's failure text on stderr). On the production line (--db, --dsn)
// the batch waits for a whole poll cycle, so the record holds every value
// read, and exit code 3 says the meter was written but the record was
// refused or failed (its message on stderr).
int RunWrite(CliSession& session, const QCommandLineParser& parser);
