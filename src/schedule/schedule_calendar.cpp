#include "schedule/schedule_calendar.h"

QList<Holiday> DefaultHolidays()
{
    return {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 7}, {2, 23}, {3, 8}, {5, 1}, {5, 9}, {6, 12}, {11, 4}};
}
