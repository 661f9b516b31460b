#include "db/operation_record.h"

#include "db/database.h"
#include "db/meter_type.h"
#include "db/query.h"
#include "db/route_sheets.h"
#include "db/sql_texts.h"
#include "meter/settings_write.h"
#include "workstation/dialogs.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

namespace {

// The operation type of a programming.
constexpr int ProgrammingOperation = 3;
// A meter clock passes when it loses at most 3 seconds or gains at most
// 1 second a day.
constexpr double SlowestDrift = -3;
constexpr double FastestDrift = 1;

const QString CheckCaption = QStringLiteral("Ошибка записи в БД");

// A number as the workstation shows it; nothing when the text is none.
std::optional<double> NumberOf(const QString& text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}


int IndicatorMask(const std::array<bool, 5>& items)
{
    int mask = 0;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i])
            mask |= 1 << i;
    return mask;
}

// Every parameter the text names is sent as NULL until it is set: a
// column the record does not fill stays empty.
void ClearParameters(Query& query, const QString& text)
{
    static const QRegularExpression parameter(QStringLiteral(":(\\w+)"));
    for (const QRegularExpressionMatch& match : parameter.globalMatch(text))
        query.Clear(match.captured(1));
}

} // namespace

OperationRecord::OperationRecord(Database& database, Dialogs& dialogs, const StationContext& context)
    : database_(database), dialogs_(dialogs), context_(context)
{
}

RecordOutcome OperationRecord::RecordOperation(const RecordValues& values)
{
    // A meter that showed its number when the write began keeps it; one
    // without got the number of this write.
    bool shownIsNumber = false;
    const int shown = values.shownNumber.toInt(&shownIsNumber);
    RecordNumber_ = shownIsNumber && shown != 0 ? shown : int(values.settings.number);
    const std::optional<int> electroId = DescribedMeter();
    if (!electroId)
        return RecordOutcome::Refused;

    Query doubles(database_, SqlText("query_double_number"));
    doubles.SetInteger(QStringLiteral("number"), int(values.settings.number));
    doubles.Open();
    if (doubles.Integer(0) != 0 && values.ownNumber == 0) {
        dialogs_.ShowMessage(MessageIcon::Error, CheckCaption,
            QStringLiteral("Счетчик с таким Plm-номером уже существует. Обратитесь к главному конструктору прибора."));
        return RecordOutcome::Refused;
    }
    return WriteOperationRecord(*electroId, true, values);
}

RecordOutcome OperationRecord::ActionFixDbExecute(const RecordValues& values)
{
    RecordNumber_ = int(values.settings.number);
    const std::optional<int> electroId = DescribedMeter();
    if (!electroId)
        return RecordOutcome::Refused;
    return WriteOperationRecord(*electroId, false, values);
}

std::optional<int> OperationRecord::DescribedMeter()
{
    Query check(database_, SqlText("query_check_number"));
    check.SetInteger(QStringLiteral("number"), RecordNumber_);
    check.SetInteger(QStringLiteral("type_id"), MeterTypeId);
    check.Open();
    if (check.RowCount() == 0) {
        dialogs_.ShowMessage(
            MessageIcon::Error, CheckCaption, QStringLiteral("Номер прибора не описан в БД. Установите его."));
        return std::nullopt;
    }
    return check.Integer(QStringLiteral("electro_id"));
}

RecordOutcome OperationRecord::WriteOperationRecord(int electroId, bool withWritten, const RecordValues& values)
{
    bool begun = false;
    try {
        database_.Begin();
        begun = true;
        const int operationId = InsertOperation(electroId, values);
        InsertSettings(operationId, withWritten, values);
        // The meter received its number in this write.
        if (values.ownNumber == 0)
            InsertPlm(operationId, values);
        RouteSheetStep();
        database_.Commit();
        return RecordOutcome::Recorded;
    } catch (const DbError& error) {
        return Abandon(begun, error.Message());
    } catch (const std::exception& error) {
        return Abandon(begun, QString::fromUtf8(error.what()));
    }
}

int OperationRecord::InsertOperation(int electroId, const RecordValues& values)
{
    const double drift = NumberOf(values.editDelta).value_or(0);
    Query operation(database_, SqlText("query_operation"));
    operation.SetInteger(QStringLiteral("type_id"), ProgrammingOperation);
    operation.SetInteger(QStringLiteral("electro_id"), electroId);
    operation.SetInteger(QStringLiteral("plant_id"), context_.PlantId);
    operation.SetInteger(QStringLiteral("person_id"), context_.OperatorId);
    operation.SetBoolean(QStringLiteral("success"), drift >= SlowestDrift && drift <= FastestDrift);
    operation.Execute();

    // A plant belongs to one workstation: its newest operation is the one
    // just inserted.
    Query newest(database_, SqlText("query_max_oper"));
    newest.SetInteger(QStringLiteral("plant_id"), context_.PlantId);
    newest.Open();
    return newest.Integer(0);
}

void OperationRecord::InsertSettings(int operationId, bool withWritten, const RecordValues& values)
{
    const QString text = SqlText("query_ins");
    Query insert(database_, text);
    ClearParameters(insert, text);
    insert.SetInteger(QStringLiteral("operation_id"), operationId);
    insert.SetText(QStringLiteral("version"), values.version);
    insert.SetText(QStringLiteral("el_type"), values.elType);
    insert.SetText(QStringLiteral("turn_on"), values.turnOn);
    insert.SetInteger(QStringLiteral("status"), values.status);
    // Integer texts that are none count 0.
    insert.SetInteger(QStringLiteral("ncorrect"), values.corrections.toInt());
    insert.SetInteger(QStringLiteral("check_sum"), values.checkSum.toInt());

    if (withWritten) {
        const SettingsInputs& written = values.settings;
        if (written.checkIndi)
            insert.SetInteger(QStringLiteral("indicator"), IndicatorMask(written.indicator));
        if (written.checkTime) {
            insert.SetDateTime(QStringLiteral("date_time"), QDateTime(written.date, written.time));
            insert.SetBoolean(QStringLiteral("summer"), written.dst);
        }
        if (written.checkPassword)
            insert.SetText(QStringLiteral("pass"), written.newPassword);
        if (written.checkSchedule) {
            insert.SetInteger(QStringLiteral("count_day"), written.day);
            insert.SetInteger(QStringLiteral("count_hour"), written.hour);
        }
        if (written.checkIntegra)
            insert.SetInteger(QStringLiteral("time_integ"), written.integra);
        if (written.checkDdm) {
            insert.SetInteger(QStringLiteral("ddm"), int(written.ddmNumber));
            insert.SetInteger(QStringLiteral("mode_tarif"), written.ddmMode);
        }
        // A tariff never used reads 0 and is stored as no reading.
        for (size_t k = 0; k < values.tariffs.size(); ++k) {
            const std::optional<double> reading = NumberOf(values.tariffs[k]);
            if (reading && *reading > 0)
                insert.SetFloat(QStringLiteral("t_%1").arg(k + 1), *reading);
        }
    }

    if (const std::optional<double> drift = NumberOf(values.editDelta))
        insert.SetFloat(QStringLiteral("secperday"), *drift);
    insert.Execute();
}

void OperationRecord::InsertPlm(int operationId, const RecordValues& values)
{
    // The group and address the settings write derived from the number.
    const int number = int(values.settings.number);
    const auto [group, address] = DerivedPlcAddress(number);
    Query insert(database_, SqlText("query_ins_plm"));
    insert.SetInteger(QStringLiteral("operation_id"), operationId);
    insert.SetText(QStringLiteral("version"), values.version);
    insert.SetInteger(QStringLiteral("plm_group"), group);
    insert.SetInteger(QStringLiteral("plm_address"), address);
    insert.SetInteger(QStringLiteral("plm_number"), number);
    insert.Execute();
}

void OperationRecord::RouteSheetStep()
{
    constexpr int config = TDMemsl::ProgrammingConfig;
    TDMemsl sheets(database_);
    if (sheets.OperatorHasConfig(config, context_.OperatorId)
        && sheets.PrepareRouteSheet(RecordNumber_, MeterTypeId, context_.PlantId, context_.OperatorId, config))
        sheets.RegisterMeterResult(
            RecordNumber_, MeterTypeId, TDMemsl::MeterResult::Good, context_.OperatorId, config);
}

RecordOutcome OperationRecord::Abandon(bool rollBack, const QString& message)
{
    // Rolled back before the message: the box runs an event loop of its
    // own, and no database work that runs meanwhile may find the record
    // half written or run inside its transaction.
    if (rollBack) {
        try {
            database_.Rollback();
        } catch (const DbError&) {
            // The failure that stopped the record is the one to report; a
            // connection that cannot roll back has lost the transaction
            // with it.
        }
    }
    dialogs_.ShowMessage(MessageIcon::Error, QStringLiteral("Ошибка БД"), QStringLiteral("Ошибка записи в БД: ") + message);
    return RecordOutcome::Failed;
}
