#include "db/meter_numbers.h"

#include "db/query.h"
#include "db/sql_texts.h"

std::optional<int> AllocatedNumber(Database& database, int typeId)
{
    Query smallest(database, SqlText("query_max_sql"));
    smallest.SetInteger("type_id", typeId);
    smallest.Open();
    if (smallest.RowCount() < 1)
        return std::nullopt;
    return smallest.Integer(0) + 1;
}

QDateTime LastProgrammed(Database& database, int number, int typeId)
{
    Query newest(database, SqlText("query_delta"));
    newest.SetInteger("number", number);
    newest.SetInteger("type_id", typeId);
    newest.Open();
    return newest.DateTime(0);
}
