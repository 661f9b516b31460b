#include "db/route_sheets.h"

#include "db/database.h"
#include "db/query.h"
#include "db/sql_texts.h"
#include "workstation/workstation_clock.h"

#include <optional>

namespace {

// The status of a sheet that waits for its next operation.
const QString WaitingStatus = QStringLiteral("Ожидает работы");

Query Sql(Database& database, const char* name)
{
    return Query(database, SqlText(name));
}

// Bit columns come back as bools or as 0/1 integers, depending on the
// driver; NULL is no answer either way.
bool IsSet(const Query& query, const QString& column)
{
    return query.RequiredInteger(column) != 0;
}

std::optional<int> ElectroId(Database& database, int number, int typeId)
{
    Query meter = Sql(database, "msl_q_electro");
    meter.SetInteger("num", number);
    meter.SetInteger("id", typeId);
    meter.Open();
    if (meter.Eof())
        return std::nullopt;
    return meter.RequiredInteger("electro_id");
}

// The newest operation of a sheet; a sheet without any has no answer.
int LastOperation(Database& database, int sheet)
{
    Query last = Sql(database, "msl_q_state_last_op");
    last.SetInteger("id", sheet);
    last.Open();
    return last.RequiredInteger("last");
}

int ListedMeters(Database& database, const char* list, int registration)
{
    Query meters = Sql(database, list);
    meters.SetInteger("id", registration);
    meters.Open();
    return meters.RowCount();
}

// An operation's start or stop: the date as the sheet's text shows it, and
// the moment to the second.
struct Moment {
    QString text;
    QDateTime time;
};

Moment Now()
{
    QDateTime now = WorkstationClock::Now();
    const QTime time = now.time();
    now.setTime(QTime(time.hour(), time.minute(), time.second()));
    return {now.toString(QStringLiteral("dd.MM.yy")), now};
}

} // namespace

TDMemsl::TDMemsl(Database& database) : database_(database) {}

bool TDMemsl::OperatorHasConfig(int config, int operatorId)
{
    Query assigned = Sql(database_, "msl_q_config_operator");
    assigned.SetInteger("id1", operatorId);
    assigned.SetInteger("id2", config);
    assigned.Open();
    return !assigned.Eof();
}

bool TDMemsl::PrepareRouteSheet(int number, int typeId, int plantId, int operatorId, int config)
{
    const std::optional<int> electroId = ElectroId(database_, number, typeId);
    if (!electroId)
        return false;
    Query newest = Sql(database_, "msl_q_electro_msl_last");
    newest.SetInteger("id", *electroId);
    newest.Open();
    if (newest.Field("last").isNull())
        return false;
    // The newest sheet the meter was put on, whether rejected there or not.
    CurrentSheet = newest.RequiredInteger("last");

    const std::optional<Query> operation = ReadyOperation(config);
    if (!operation)
        return false;

    Query registration = Sql(database_, "msl_q_sel_reg_msl");
    registration.SetInteger("id", CurrentSheet);
    registration.Open();
    if (registration.Eof()) {
        Query sheet = Sql(database_, "msl_q_sel_num_msl");
        sheet.SetInteger("id", CurrentSheet);
        sheet.Open();
        if (!sheet.Eof())
            OpenRegistration(operatorId, plantId, operation->RequiredInteger("entry"));
    }
    return true;
}

// Each condition is read only while those before it hold, so a value left
// NULL on a sheet that is not waiting for this station anyway (finished,
// archived, at another station's operation) does not refuse the record of
// every meter on it.
std::optional<Query> TDMemsl::ReadyOperation(int config)
{
    CurrentRouteType = 0;
    Query info = Sql(database_, "msl_q_info_msl");
    info.SetInteger("id", CurrentSheet);
    info.Open();
    if (info.Eof() || info.Field("type_route_id").isNull())
        return std::nullopt;
    CurrentRouteType = info.RequiredInteger("type_route_id");
    Query open = Sql(database_, "msl_q_last_operation");
    open.SetInteger("id1", CurrentRouteType);
    open.SetInteger("id2", CurrentSheet);
    open.Open();
    if (open.Eof() || open.Field("type_operation_msl_id").isNull()
        || !PerformsOperation(config, open.RequiredInteger("type_operation_msl_id")))
        return std::nullopt;

    if (info.Field("type_status_id").isNull())
        return std::nullopt;
    Query status = Sql(database_, "msl_q_status_msl");
    status.SetInteger("id", info.RequiredInteger("type_status_id"));
    status.Open();
    if (status.Eof() || status.Field("name_status").toString() != WaitingStatus)
        return std::nullopt;
    if (IsSet(info, "archive") || info.RequiredInteger("active") != 1)
        return std::nullopt;
    return open;
}

void TDMemsl::RegisterMeterResult(int number, int typeId, MeterResult result, int operatorId, int config)
{
    const std::optional<int> electroId = ElectroId(database_, number, typeId);
    if (!electroId)
        return;
    Query onSheet = Sql(database_, "msl_q_electro_msl");
    onSheet.SetInteger("id", *electroId);
    onSheet.Open();
    if (onSheet.Eof())
        return;
    Query registration = Sql(database_, "msl_q_sel_reg_msl");
    registration.SetInteger("id", onSheet.RequiredInteger("JournalMsl_id"));
    registration.Open();
    if (registration.Eof())
        return;
    const int registrationId = registration.RequiredInteger("RegMsl_id");
    const int expected = registration.RequiredInteger("EntryEl");

    FileMeter(registrationId, *electroId, result);
    const int filed = ListedMeters(database_, "msl_q_list_reg_good", registrationId)
        + ListedMeters(database_, "msl_q_list_reg_brak", registrationId);
    if (expected - filed == 0)
        CompleteRegistration(operatorId, config);
}

bool TDMemsl::PerformsOperation(int config, int operationType)
{
    Query performed = Sql(database_, "msl_q_config_operation");
    performed.SetInteger("id1", config);
    performed.SetInteger("id2", operationType);
    performed.Open();
    return !performed.Eof();
}

void TDMemsl::OpenRegistration(int operatorId, int plantId, int entry)
{
    Query add = Sql(database_, "msl_q_add_reg_msl");
    add.SetInteger("id1", operatorId);
    add.SetInteger("id2", plantId);
    add.SetInteger("id3", CurrentSheet);
    add.SetInteger("cnt", entry);
    add.Execute();

    Query registration = Sql(database_, "msl_q_sel_reg_msl");
    registration.SetInteger("id", CurrentSheet);
    registration.Open();
    const int registrationId = registration.RequiredInteger("RegMsl_id");

    Query meters = Sql(database_, "msl_q_msl_electro");
    meters.SetInteger("id", CurrentSheet);
    meters.Open();
    Query listed = Sql(database_, "msl_q_sel_reg_entry");
    listed.SetInteger("id1", registrationId);
    Query expect = Sql(database_, "msl_q_add_reg_entry");
    expect.SetInteger("id1", registrationId);
    for (; !meters.Eof(); meters.Next()) {
        const int electroId = meters.RequiredInteger("electro_id");
        listed.SetInteger("id2", electroId);
        listed.Open();
        if (!listed.Eof())
            continue;
        expect.SetInteger("id2", electroId);
        expect.Execute();
    }
}

void TDMemsl::FileMeter(int registration, int electroId, MeterResult result)
{
    const auto find = [&](const char* name) {
        Query row = Sql(database_, name);
        row.SetInteger("id1", registration);
        row.SetInteger("id2", electroId);
        row.Open();
        return row;
    };
    const auto addTo = [&](MeterResult list) {
        Query add = Sql(database_, list == MeterResult::Good ? "msl_q_add_reg_good" : "msl_q_add_reg_brak");
        add.SetInteger("id1", registration);
        add.SetInteger("id2", electroId);
        add.Execute();
    };
    const auto remove = [&](const char* name, int rowId) {
        Query del = Sql(database_, name);
        del.SetInteger("id", rowId);
        del.Execute();
    };

    if (const Query expected = find("msl_q_sel_reg_entry"); !expected.Eof()) {
        addTo(result);
        remove("msl_q_del_reg_entry", expected.RequiredInteger("RegMslEntry_id"));
    }
    if (result == MeterResult::Rejected) {
        if (const Query passed = find("msl_q_sel_reg_good"); !passed.Eof()) {
            addTo(MeterResult::Rejected);
            remove("msl_q_del_reg_good", passed.RequiredInteger("RegMslGood_id"));
        }
    } else if (const Query rejected = find("msl_q_sel_reg_brak"); !rejected.Eof()) {
        addTo(MeterResult::Good);
        remove("msl_q_del_reg_brak", rejected.RequiredInteger("RegMslBrak_id"));
    }
}

void TDMemsl::CompleteRegistration(int operatorId, int config)
{
    const int lastOperation = LastOperation(database_, CurrentSheet);
    Query operation = Sql(database_, "msl_q_sel_msl_op");
    operation.SetInteger("id", lastOperation);
    operation.Open();
    if (operation.Field("route_id").isNull())
        return;
    RouteStep at;
    at.route = operation.RequiredInteger("route_id");
    const bool done = IsSet(operation, "state_operation");

    bool allowed = false;
    Query route = Sql(database_, "msl_q_sel_route");
    route.SetInteger("id", at.route);
    route.Open();
    if (!route.Eof()) {
        at.step = route.RequiredInteger("Srun");
        at.run = IsSet(route, "Frun");
        Query step = Sql(database_, "msl_q_sel_step_route");
        step.SetInteger("id", CurrentRouteType);
        step.SetInteger("step", at.step);
        step.Open();
        if (!step.Eof()) {
            at.route = step.RequiredInteger("route_id");
            allowed = PerformsOperation(config, step.RequiredInteger("type_operation_msl_id"));
        }
    }
    // Another station has closed the operation already.
    if (done)
        return;

    const Counts counts = CloseRegistration(lastOperation);
    if (allowed)
        WalkRoute(at, lastOperation, counts, operatorId, config);
}

TDMemsl::Counts TDMemsl::CloseRegistration(int lastOperation)
{
    Counts counts;
    Query registration = Sql(database_, "msl_q_sel_reg_msl");
    registration.SetInteger("id", CurrentSheet);
    registration.Open();
    if (registration.Eof())
        return counts;
    const int registrationId = registration.RequiredInteger("RegMsl_id");

    Query mark = Sql(database_, "msl_q_upd_msl_electro");
    mark.SetInteger("id3", lastOperation);
    mark.SetInteger("id1", CurrentSheet);
    const auto markAll = [&](const char* list, int bad, int& count) {
        Query meters = Sql(database_, list);
        meters.SetInteger("id", registrationId);
        meters.Open();
        mark.SetInteger("bad", bad);
        for (; !meters.Eof(); meters.Next()) {
            mark.SetInteger("id2", meters.RequiredInteger("electro_id"));
            mark.Execute();
            ++count;
        }
    };
    markAll("msl_q_list_reg_good", 0, counts.good);
    markAll("msl_q_list_reg_brak", 1, counts.bad);

    for (const char* name : {"msl_q_del_brak", "msl_q_del_good", "msl_q_del_entry", "msl_q_del_msl"}) {
        Query del = Sql(database_, name);
        del.SetInteger("id", registrationId);
        del.Execute();
    }
    return counts;
}

// Closes the finished operation and every following one this configuration
// performs as well (each opened and closed at once), and leaves the first
// one it does not perform open for the station that does. A route whose
// later steps are none of them run as operations of their own ends at its
// largest step rather than searching on for ever.
void TDMemsl::WalkRoute(RouteStep at, int lastOperation, Counts counts, int operatorId, int config)
{
    Query largest = Sql(database_, "msl_q_max_step");
    largest.SetInteger("id", CurrentRouteType);
    largest.Open();
    // A route type without steps has nothing past the current one.
    const int lastStep = largest.Field("Mstep").isNull() ? at.step : largest.RequiredInteger("Mstep");

    const Moment now = Now();
    Query close = Sql(database_, "msl_q_update_msl_op");
    close.SetText("dt1", now.text);
    close.SetInteger("id1", operatorId);
    close.SetBoolean("state", true);
    close.SetDateTime("dt2", now.time);
    Query step = Sql(database_, "msl_q_sel_step_route");
    step.SetInteger("id", CurrentRouteType);

    bool allowed = true;
    while (allowed) {
        if (at.run) {
            close.SetInteger("good", counts.good);
            close.SetInteger("bad", counts.bad);
            close.SetInteger("id2", lastOperation);
            close.Execute();
        }
        at.run = false;
        while (!at.run) {
            if (++at.step > lastStep)
                return;
            step.SetInteger("step", at.step);
            step.Open();
            if (step.Eof())
                continue;
            at.route = step.RequiredInteger("route_id");
            at.run = IsSet(step, "Frun");
            if (!PerformsOperation(config, step.RequiredInteger("type_operation_msl_id")))
                allowed = false;
        }
        if (counts.good > 0) {
            Query open = Sql(database_, "msl_q_add_op");
            open.SetInteger("id1", CurrentSheet);
            open.SetInteger("id2", at.route);
            open.SetInteger("entry", counts.good);
            open.SetInteger("good", 0);
            open.SetInteger("bad", 0);
            open.SetText("dt1", now.text);
            open.SetInteger("id3", operatorId);
            open.SetBoolean("state", false);
            open.SetDateTime("dt2", now.time);
            open.Execute();
            if (const int newest = LastOperation(database_, CurrentSheet); newest > 0) {
                lastOperation = newest;
                Query follow = Sql(database_, "msl_q_upd_msl_el");
                follow.SetInteger("id1", lastOperation);
                follow.SetInteger("id2", CurrentSheet);
                follow.SetInteger("bad", 0);
                follow.Execute();
            }
            counts.bad = 0;
        }
    }
}
