#pragma once
// Short spellings of zone records and year-map cells for the schedule tests.

#include "schedule/schedule_model.h"

#include <QList>
#include <QPoint>
#include <QStringList>
#include <initializer_list>

// A cell as (month, day type).
using Cell = QPoint;

inline quint8 Days(std::initializer_list<int> dayTypes)
{
    quint8 mask = 0;
    for (int d : dayTypes)
        mask |= quint8(GetMaska(d));
    return mask;
}

inline quint16 Months(int first, int last)
{
    quint16 mask = 0;
    for (int m = first; m <= last; ++m)
        mask |= GetMaska(m);
    return mask;
}

inline quint16 Month(int month)
{
    return GetMaska(month);
}

inline AList Zone(const char* time, quint8 tariff, quint8 days, quint16 months)
{
    return {time, tariff, 0, tariff, days, months};
}

inline AList LimitedZone(const char* time, quint8 tariff, quint8 limit, quint8 limitTariff, quint8 days, quint16 months)
{
    return {time, tariff, limit, limitTariff, days, months};
}

// One line per record, in list order, so a failed comparison shows where
// two lists part.
inline QStringList Describe(const QList<AList>& records)
{
    QStringList lines;
    for (const AList& r : records)
        lines << QStringLiteral("%1 t%2 limit %3/t%4 days %5 months %6")
                     .arg(r.Time)
                     .arg(r.Tariff)
                     .arg(r.Limit)
                     .arg(r.LimitTariff)
                     .arg(r.DayMask, 2, 16, QLatin1Char('0'))
                     .arg(r.MonthMask, 3, 16, QLatin1Char('0'));
    return lines;
}

inline YearMap<bool> Selection(const QList<Cell>& cells)
{
    YearMap<bool> selected(false);
    for (const Cell& c : cells)
        selected(c.x(), c.y()) = true;
    return selected;
}

// A model holding the records as committed and working lists, with the
// current cell and the selection set as the year grid would leave them.
inline void Load(ScheduleModel& model, const QList<AList>& records, Cell current, const QList<Cell>& selected = {})
{
    model.SetSavedList(records);
    model.SetCurrentCell(current.x(), current.y());
    model.Revert();
    model.SetDaysSelected(Selection(QList<Cell>{current} + selected));
    model.EquivalentDays();
}
