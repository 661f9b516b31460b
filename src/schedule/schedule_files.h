#pragma once
// The schedule's file commands: start afresh, load a tsc file, save one.
// Questions and messages go through Dialogs, so the window and the tests
// drive the very same commands.

#include "schedule/tsc_file.h"

#include <QObject>
#include <QString>
#include <variant>

class Dialogs;
class ScheduleDocument;

// The file's content, or the system's reason it cannot be read or the
// reason it is no schedule. Only a regular file is read, and only as far
// as the largest schedule reaches.
std::variant<TscContent, QString> ReadTscFile(const QString& path);
// Reads the file into the schedule: empty on success, else the reason the
// file is unreadable or refused, the schedule then unchanged.
QString LoadTscFile(const QString& path, ScheduleDocument& schedule);
// Empty on success, else the reason; a file that cannot be written
// completely (a full disk, a read-only folder) keeps its earlier content,
// and a folder, pipe or device of that name is refused untouched.
QString WriteTscFile(const QString& path, const TscContent& content);

class ScheduleFiles : public QObject {
    Q_OBJECT
public:
    static const QString Filter;
    static const QString Suffix;

    ScheduleFiles(ScheduleDocument& schedule, Dialogs& dialogs, QObject* parent = nullptr);

    // Asks first when the schedule holds unsaved changes, as the load does.
    void ActionNewSchedExecute();
    // False when cancelled or refused (with a message shown).
    bool ActionLoadTariffExecute();
    // Loads the file as the command does once it is chosen: a file opened
    // from outside the station, as a double-click on it does.
    bool LoadFile(const QString& path);
    bool ActionSaveTariffExecute();
    // Before the schedule is replaced or the station closes: when it holds
    // changes no file and no meter has received, asks whether to save them
    // to a file first. True when the caller may go on: nothing to save,
    // saved, or not to be saved; false when cancelled, or when the save
    // was cancelled or failed.
    bool SaveChangesFirst();

signals:
    // The schedule's page should be in front: its content is replaced.
    void SchedulePageWanted();

private:
    void ShowError(const QString& what, const QString& reason);

    ScheduleDocument& schedule_;
    Dialogs& dialogs_;
};
