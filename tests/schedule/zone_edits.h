#pragma once
// Zone edits and the profile copy as values for data-driven tests.

#include "schedule/schedule_model.h"

#include <QMetaType>
#include <functional>

struct Edit {
    std::function<void(ScheduleModel&)> run;
};
Q_DECLARE_METATYPE(Edit)

// An over-limit tariff of 0 stands for "the zone's own tariff".
inline Edit Insert(const char* time, quint8 tariff, quint8 limit = 0, quint8 limitTariff = 0)
{
    return {[=](ScheduleModel& m) { m.InsertTZone(time, tariff, limit, limitTariff ? limitTariff : tariff); }};
}

inline Edit Update(const char* time, quint8 tariff, quint8 limit = 0, quint8 limitTariff = 0)
{
    return {[=](ScheduleModel& m) { m.UpdateTZone(time, tariff, limit, limitTariff ? limitTariff : tariff); }};
}

inline Edit Delete(const char* time)
{
    return {[=](ScheduleModel& m) { m.DeleteTZone(time); }};
}

inline Edit CopyProfile()
{
    return {[](ScheduleModel& m) { m.EditDays(); }};
}
