#pragma once
// The schedule as the rest of the station sees it: the model, its byte
// forms in and out, and word of every change for the views. Whatever
// leaves it (a file, the meter) is the committed schedule, committed first.

#include "schedule/schedule_model.h"
#include "schedule/tsc_file.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class ScheduleDocument : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    ScheduleModel& Model() { return model_; }
    const ScheduleModel& Model() const { return model_; }

    // Commits, even with nothing pending, then one 7-byte form per record.
    QList<QByteArray> GetSheduleList();
    // Replaces the committed records and reverts the editors to them. When
    // a record's time is impossible nothing changes and the reason is
    // returned.
    QString SetSheduleList(const QList<QByteArray>& records);

    QByteArray GetCelString() const;
    // A block of another length changes nothing.
    void SetCelString(const QByteArray& block);
    QByteArray GetTransferString() const;
    // A block of another length changes nothing; neither does one holding
    // an impossible date, whose reason is returned.
    QString SetTransferString(const QByteArray& block);

    void SetLimitCoefficient(int coefficient);
    void SetCalendar(const QList<Holiday>& holidays, const QList<Transfer>& transfers);
    // Beyond the meter's sixteen slots nothing is added.
    void AddHoliday(const Holiday& holiday);
    void AddTransfer(const Transfer& transfer);
    // The editors' additions, in date order; false, with nothing changed,
    // for a full list or a date that does not exist.
    bool InsertHoliday(const Holiday& holiday);
    bool InsertTransfer(const Transfer& transfer);
    // Rows out of range are passed over.
    void RemoveHolidays(const QList<qsizetype>& rows);
    void RemoveTransfers(const QList<qsizetype>& rows);

    // Everything a tsc file holds; commits like GetSheduleList.
    TscContent Content();
    // Takes a whole file's content or, with the reason returned, none of it.
    QString Load(const TscContent& content);
    // No records, the usual holidays, no transfers; the coefficient stays.
    void New();

signals:
    // The committed records were replaced: the editors show them afresh.
    void RecordsChanged();
    // The pending edits became the committed records; the editors stay
    // where they are.
    void Committed();
    void CalendarChanged();

private:
    void ReplaceRecords(const QList<AList>& records);

    ScheduleModel model_;
};
