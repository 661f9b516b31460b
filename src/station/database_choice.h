#pragma once
// Which production database a station reaches: a SQLite file when one is
// named (a station without a server, the demo, the tests), otherwise the
// ODBC data source, by default the one named "Electrometer".

#include "station/production_line.h"

ProductionLine::DatabaseOpener DatabaseFor(const QString& sqliteFile, const QString& dataSource = {});
