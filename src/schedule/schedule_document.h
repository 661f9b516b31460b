#pragma once
// The schedule as the rest of the station sees it: the model, its byte
// forms in and out, and word of every change for the views. Whatever
// leaves it (a file, the meter) is the committed schedule, committed first.
// It knows the file it came from or went to, and whether it holds changes
// that no file and no meter has received.

#include "schedule/schedule_model.h"
#include "schedule/tsc_file.h"
#include "schedule/year_map.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

// The content unsaved changes are judged against. Zones are compared by
// the profiles of the year's cells: an edit and its undoing may leave the
// records split or merged otherwise.
struct ScheduleSnapshot {
    QList<AList> records;
    YearMap<QList<TZone>> profiles;
    QList<Holiday> holidays;
    QList<Transfer> transfers;
    int limitCoefficient = MinLimitCoefficient;
};

class ScheduleDocument : public QObject {
    Q_OBJECT
public:
    explicit ScheduleDocument(QObject* parent = nullptr);

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

    // The views hand over what the operator has typed but not finished,
    // as before the schedule leaves for a file or the meter.
    void FinishEditing();
    // The content now, pending edits of the editors included.
    ScheduleSnapshot Snapshot() const;
    // The content, pending edits of the editors included, differs from
    // the one last made unmodified.
    bool Modified() const;
    // The content as loaded, saved, written, read or made new.
    void MarkUnmodified() { MarkUnmodified(Snapshot()); }
    void MarkUnmodified(const ScheduleSnapshot& snapshot);
    // The tsc file the schedule was loaded from or saved to; empty for a
    // new schedule or one read from the meter.
    const QString& FilePath() const { return filePath_; }
    void SetFilePath(const QString& path);

signals:
    // The committed records were replaced: the editors show them afresh.
    void RecordsChanged();
    // The pending edits became the committed records; the editors stay
    // where they are.
    void Committed();
    void CalendarChanged();
    // The views: hand over what is typed but not finished.
    void EditingFinishWanted();
    // Modified() or FilePath() may read otherwise. Edits of the working
    // records by the editors are their own to tell.
    void EditStateChanged();

private:
    void ReplaceRecords(const QList<AList>& records);
    YearMap<QList<TZone>> Profiles() const;

    ScheduleModel model_;
    ScheduleSnapshot unmodified_;
    QString filePath_;
};
