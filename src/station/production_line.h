#pragma once
// The station on the production line: the production database tells who
// and where the station is, gives meter numbers and the server's time, and
// records every meter programmed. It hooks into the station's engine (the
// number and clock the poll reads, the settings write, its completion) and
// reports database failures as the station's general errors.

#include "db/clock_drift.h"
#include "db/operation_record.h"
#include "db/station_lookup.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

class Database;
class Dialogs;
class StationCore;

class ProductionLine : public QObject {
    Q_OBJECT
public:
    // Opens the connection; called when the database is first needed and
    // again after a failed opening.
    using DatabaseOpener = std::function<std::unique_ptr<Database>()>;

    ProductionLine(StationCore& core, Dialogs& dialogs, DatabaseOpener opener, QObject* parent = nullptr);
    ~ProductionLine() override;

    // The station look-up and the clock. NotDescribed: the workstation, its
    // operator or its plant is not in the database, and the message that
    // ends the program has been shown. Failed: a database failure, reported;
    // the context keeps its earlier values and the window tries again at
    // its next activation.
    enum class LookUp { Passed, NotDescribed, Failed };
    LookUp FormActivate(const QString& computerName, const QString& login);
    // Throws DbError.
    void SyncClockFromServer();
    // "+": the next free number into SpinEdit_Number.
    void BitBtn1Click();
    // "Зафиксировать в БД"; nothing when the check before the record failed.
    std::optional<RecordOutcome> ActionFixDbExecute();

    const StationContext& Context() const { return context_; }
    const QString& EditDelta() const { return editDelta_; }
    // How the last completed settings write was recorded; nothing when the
    // record was not attempted or its check failed (reported as an error).
    std::optional<RecordOutcome> LastRecord() const { return lastRecord_; }

signals:
    void EditDeltaChanged(const QString& text);
    // A database failure nobody handles: the general error display.
    void UnhandledError(const QString& text);

private:
    Database& Db();
    // Runs a piece of database work; a failure is reported, not thrown.
    bool Reported(const std::function<void()>& work);
    void NumberChange(int row, const QString& text);
    void ClockReading(const QDateTime& meterClock);
    void SetEditDelta(const QString& text);
    void RecordOperation();
    RecordValues Snapshot() const;

    StationCore& core_;
    Dialogs& dialogs_;
    DatabaseOpener opener_;
    std::unique_ptr<Database> database_;
    StationContext context_;
    ClockDrift drift_;
    QString editDelta_;
    std::optional<RecordOutcome> lastRecord_;
};
