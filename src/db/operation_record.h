#pragma once
// Every meter the station programs is recorded on the production database:
// who programmed it where, whether its clock kept time, the values read and
// written, the number it received now, and the route-sheet step, all in one
// transaction. The values come as a snapshot taken while the tabs still
// show this meter.

#include "db/station_lookup.h"
#include "meter/write_inputs.h"

#include <QString>
#include <array>
#include <optional>

class Database;
class Dialogs;

// What the record takes from the station: the meter's values as shown and
// the operator's prepared values.
struct RecordValues {
    QString elType;                   // ListMain row 0 "Тип"
    QString shownNumber;              // ListMain row 1 "Заводской номер"
    QString version;                  // ListMain row 2 "Версия ПО"
    QString checkSum;                 // ListMain row 10
    QString turnOn;                   // ListAddi row 0, "текущие"
    QString corrections;              // ListAddi row 1, "текущие"
    std::array<QString, 8> tariffs;   // ListAddi rows 6..13, "текущие"
    int status = 0;                   // ClockFlags + DdmState
    quint32 ownNumber = 0;            // the number the meter last reported; 0 = none yet
    QString editDelta;                // EditDelta's text
    SettingsInputs settings;          // the tab "Установка"; settings.number is SpinEdit_Number
};

enum class RecordOutcome {
    Recorded,
    // Not recorded, by the number checks: their message was shown.
    Refused,
    // The transaction failed and was rolled back: "Ошибка БД" was shown.
    Failed,
};

class OperationRecord {
public:
    // Plant and operator are read from the context when a record is written.
    OperationRecord(Database& database, Dialogs& dialogs, const StationContext& context);

    // After a completed settings write. A database failure in the number
    // checks, before the transaction, is thrown as a DbError.
    RecordOutcome RecordOperation(const RecordValues& values);
    // "Зафиксировать в БД": the meter without the written values. Throws
    // like RecordOperation.
    RecordOutcome ActionFixDbExecute(const RecordValues& values);

    int RecordNumber() const { return RecordNumber_; }

private:
    // The electro_id of RecordNumber_ among the meters of this program's
    // type; nothing, with the operator told, when it is not described.
    std::optional<int> DescribedMeter();
    RecordOutcome WriteOperationRecord(int electroId, bool withWritten, const RecordValues& values);
    // The operation row; its operation_id.
    int InsertOperation(int electroId, const RecordValues& values);
    void InsertSettings(int operationId, bool withWritten, const RecordValues& values);
    void InsertPlm(int operationId, const RecordValues& values);
    void RouteSheetStep();
    RecordOutcome Abandon(bool rollBack, const QString& message);

    Database& database_;
    Dialogs& dialogs_;
    const StationContext& context_;
    int RecordNumber_ = 0;
};
