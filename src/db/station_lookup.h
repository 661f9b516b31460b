#pragma once
// Who and where the station is on the production line: the workstation,
// its operator and its plant, each of which must be described in the
// database; and the server's clock.

#include <QDateTime>
#include <QString>

class Database;

struct StationContext {
    int ComputerId = 0;
    int OperatorId = 0;
    int PlantId = 0;
};

// Looks the three up in turn and stops at the first one not described:
// its message, which ends the program, is returned (empty when all are
// described), and the identifiers after it keep their earlier values. A
// database failure is thrown.
QString LookUpStation(Database& database, const QString& computerName, const QString& login,
    StationContext& context);

// The server's current local date and time.
QDateTime ServerTime(Database& database);
