#pragma once
// The programming station's share of the route-sheet work: when a recorded
// meter's sheet waits for an operation this station's configuration
// performs, the sheet is registered here with every meter it expects; each
// recorded meter moves from expected to good (or rejected); the last one
// closes the registration and the sheet's operation and opens the next
// operation of its route. It all runs inside the operation record's
// transaction and handles no errors: every database failure, and every
// NULL read where a number is needed, is thrown as a DbError.

#include <optional>

class Database;
class Query;

class TDMemsl {
public:
    // The configuration of a programming station.
    static constexpr int ProgrammingConfig = 11;
    enum class MeterResult { Good, Rejected };

    explicit TDMemsl(Database& database);

    bool OperatorHasConfig(int config, int operatorId);
    // Whether the meter's newest sheet is ready for an operation of this
    // configuration; registers the sheet at this plant when it is and was
    // not registered yet.
    bool PrepareRouteSheet(int number, int typeId, int plantId, int operatorId, int config);
    // Follows a PrepareRouteSheet of the same meter.
    void RegisterMeterResult(int number, int typeId, MeterResult result, int operatorId, int config);

private:
    struct Counts {
        int good = 0;
        int bad = 0;
    };
    // Where the walk along the route stands.
    struct RouteStep {
        int step = 0;
        int route = 0;
        bool run = false;
    };

    // The sheet's open operation when the sheet waits for an operation this
    // configuration performs; sets CurrentRouteType.
    std::optional<Query> ReadyOperation(int config);
    bool PerformsOperation(int config, int operationType);
    void OpenRegistration(int operatorId, int plantId, int entry);
    void FileMeter(int registration, int electroId, MeterResult result);
    void CompleteRegistration(int operatorId, int config);
    // Marks the registered meters as passed or rejected by the operation and
    // deletes the registration.
    Counts CloseRegistration(int lastOperation);
    void WalkRoute(RouteStep at, int lastOperation, Counts counts, int operatorId, int config);

    Database& database_;
    int CurrentSheet = 0;
    int CurrentRouteType = 0;
};
