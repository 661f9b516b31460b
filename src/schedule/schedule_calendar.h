#pragma once
// The schedule's calendar: recurring holidays, dated day transfers and the
// limit coefficient. The meter has sixteen slots for each list.

#include "protocol/schedule_slots.h"

#include <QDate>
#include <QList>

inline constexpr int MinLimitCoefficient = 1;
inline constexpr int MaxLimitCoefficient = 255;

// A date that recurs every year and counts as the holiday day type.
struct Holiday {
    int Month = 1;
    int Day = 1;

    friend bool operator==(const Holiday&, const Holiday&) = default;
};

// A date on which the profiles of another day type apply.
struct Transfer {
    QDate Date;
    int DayType = 1;

    friend bool operator==(const Transfer&, const Transfer&) = default;
};

// The holidays a new schedule starts with, in their stored order.
QList<Holiday> DefaultHolidays();
