#include "db/station_lookup.h"

#include "db/database.h"
#include "db/query.h"
#include "db/sql_texts.h"

namespace {

int FirstId(Query& query, const char* column)
{
    query.Open();
    const int id = query.Integer(QLatin1String(column));
    query.Close();
    return id;
}

} // namespace

QString LookUpStation(Database& database, const QString& computerName, const QString& login,
    StationContext& context)
{
    Query computer(database, SqlText("query_computer"));
    computer.SetText("name", computerName);
    context.ComputerId = FirstId(computer, "computer_id");
    if (context.ComputerId == 0)
        return QStringLiteral("Компьютер \"%1\" не описан в БД.").arg(computerName);

    Query person(database, SqlText("query_person"));
    person.SetText("login", login);
    context.OperatorId = FirstId(person, "person_id");
    if (context.OperatorId == 0)
        return QStringLiteral("Пользователь \"%1\" не описан в БД.").arg(login);

    Query plant(database, SqlText("query_plant"));
    plant.SetInteger("computer_id", context.ComputerId);
    context.PlantId = FirstId(plant, "plant_id");
    if (context.PlantId == 0)
        return QStringLiteral("Установка не описана в БД.");
    return {};
}

QDateTime ServerTime(Database& database)
{
    Query time(database, SqlText("query_time"));
    time.Open();
    return time.DateTime(0);
}
