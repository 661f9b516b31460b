#pragma once
// The tariff schedule being edited: committed and working zone records, the
// year-map state of the editors, and the calendar that travels with the
// schedule. Edits change the WorkList only; Commit and Revert settle them.

#include "schedule/schedule_calendar.h"
#include "schedule/year_map.h"
#include "schedule/zone_record.h"

#include <QList>

class ScheduleModel {
public:
    ScheduleModel();

    const QList<AList>& SavedList() const { return savedList_; }
    const QList<AList>& WorkList() const { return workList_; }
    // Replaces the committed records; a Revert brings them into the editors.
    void SetSavedList(const QList<AList>& records);
    bool ChangesPending() const { return changesPending_; }

    int CurMonth() const { return curMonth_; }
    int CurDay() const { return curDay_; }
    void SetCurrentCell(int month, int dayType);

    const YearMap<bool>& DaysSelected() const { return daysSelected_; }
    void SetDaysSelected(const YearMap<bool>& selected);
    const YearMap<bool>& DaysEmpty() const { return daysEmpty_; }
    const YearMap<bool>& DaysNoMidnight() const { return daysNoMidnight_; }
    const YearMap<bool>& DaysEquivalent() const { return daysEquivalent_; }
    const YearMap<bool>& DaysChanged() const { return daysChanged_; }

    // The zones of a cell's WorkList records, by start time.
    QList<TZone> Profile(int month, int dayType) const;

    void EmptyDays();
    void EquivalentDays();

    // Zone edits of the current cell; each carries itself over to the
    // selected cells that no longer match it.
    void InsertTZone(const QString& time, quint8 tariff, quint8 limit, quint8 limitTariff);
    void UpdateTZone(const QString& time, quint8 tariff, quint8 limit, quint8 limitTariff);
    void DeleteTZone(const QString& time);

    // Gives every cell of DaysChanged the current cell's profile and merges
    // records; returns the WorkList's record count.
    int EditDays();

    void Commit();
    void Revert();

    const QList<Holiday>& Holidays() const { return holidays_; }
    void SetHolidays(const QList<Holiday>& holidays);
    const QList<Transfer>& Transfers() const { return transfers_; }
    void SetTransfers(const QList<Transfer>& transfers);
    int LimitCoefficient() const { return limitCoefficient_; }
    void SetLimitCoefficient(int coefficient);

private:
    quint8 D0() const { return quint8(GetMaska(curDay_)); }
    quint16 M0() const { return GetMaska(curMonth_); }
    qsizetype FirstCoveringCurrent(const QString& time) const;
    void CarryOverToSelection();
    void FillEquivalentByCounting();
    void CopyCurrentProfileTo(int month, int dayType);
    void EmptyCell(int month, int dayType);

    QList<AList> savedList_;
    QList<AList> workList_;
    bool changesPending_ = false;
    int curMonth_ = 1;
    int curDay_ = 1;
    YearMap<bool> daysSelected_{false};
    YearMap<bool> daysEmpty_{true};
    YearMap<bool> daysNoMidnight_{true};
    YearMap<bool> daysEquivalent_{true};
    YearMap<bool> daysChanged_{false};
    QList<Holiday> holidays_;
    QList<Transfer> transfers_;
    int limitCoefficient_ = 1;
};
