#pragma once
// What the acknowledgements of the settings batch's writes append to the
// operation log, by function code. Each text is built from the values at
// the moment of the acknowledgement, so a value the operator changed while
// the batch ran is logged with its new value.

#include "meter/write_inputs.h"

#include <QHash>
#include <QString>

using LogEntryText = QString (*)(const SettingsInputs& inputs);

const QHash<quint8, LogEntryText>& SettingsLogEntries();
