#pragma once
// The production database's knowledge of meter numbers: the next number to
// give a new meter, and when this system last programmed a meter.

#include <QDateTime>
#include <optional>

class Database;

// One more than the smallest number of a meter of the type that has no
// programming operation (1 when all have one); nothing when the database
// returns no row.
std::optional<int> AllocatedNumber(Database& database, int typeId);

// The clock value written into the meter by its newest programming;
// invalid when there is none.
QDateTime LastProgrammed(Database& database, int number, int typeId);
