#pragma once
// A value for every cell (month 1..12, day type 1..8) of the year map.

#include "schedule/zone_record.h"

#include <array>

template <typename T>
class YearMap {
public:
    explicit YearMap(T initial = T()) { Fill(initial); }

    T& operator()(int month, int dayType) { return cells_[month - 1][dayType - 1]; }
    const T& operator()(int month, int dayType) const { return cells_[month - 1][dayType - 1]; }

    void Fill(T value)
    {
        for (auto& row : cells_)
            row.fill(value);
    }

    friend bool operator==(const YearMap&, const YearMap&) = default;

private:
    std::array<std::array<T, DayTypeCount>, MonthCount> cells_;
};

// Calls f(month, dayType) for every cell, months outside, day types inside:
// the order in which edits visit the map.
template <typename F>
void ForEachCell(F&& f)
{
    for (int month = 1; month <= MonthCount; ++month)
        for (int dayType = 1; dayType <= DayTypeCount; ++dayType)
            f(month, dayType);
}

// Calls f(month, dayType) for every cell the record covers, in the order of
// ForEachCell: a record of one cell costs its twelve months, not the 96 cells.
template <typename F>
void ForEachCoveredCell(const AList& record, F&& f)
{
    for (int month = 1; month <= MonthCount; ++month) {
        if ((record.MonthMask & GetMaska(month)) == 0)
            continue;
        for (int dayType = 1; dayType <= DayTypeCount; ++dayType)
            if ((record.DayMask & GetMaska(dayType)) != 0)
                f(month, dayType);
    }
}
