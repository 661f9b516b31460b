#pragma once
// The SQL texts the station runs, kept as given in src/db/sql/ (SQL
// Server's dialect) and compiled in.

#include <QString>

// The text of sql/<name>.sql.
QString SqlText(const char* name);
