#pragma once
// The names the operator sees for day types 1..8 and months 1..12.

#include <QString>

QString DayTypeGridName(int dayType);
QString DayTypeLongName(int dayType);
QString MonthShortName(int month);
QString MonthLongName(int month);
// A holiday as the operator reads it: "DD.MM".
QString DayMonthText(int day, int month);
