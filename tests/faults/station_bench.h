#pragma once
// The station's engine on a scripted meter line, driven as the tab
// "Установка" and the schedule page drive it: a meter that answers the poll
// and acknowledges every write except the one a test holds back, the
// operation log in a folder of the test's own and, on demand, the
// production line on a fresh demo database.

#include "link/fake_channel.h"
#include "recording_dialogs.h"
#include "windows1251_reader.h"

#include "db/database.h"
#include "db/demo_database.h"
#include "db/query.h"
#include "station/database_choice.h"
#include "station/production_line.h"
#include "station/station_core.h"
#include "workstation/workstation_clock.h"
#include "workstation/workstation_identity.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A number of the demo database's route sheet, not yet given to any meter.
constexpr qint64 SheetNumber = 104219;
constexpr int BenchTimeoutMs = 10000;

struct StationBench {
    // What the meter reports: no number yet, so a write gives it one.
    quint32 number = 0;
    quint32 counter = 4321;
    // The function code left unanswered, as by a meter gone quiet; the
    // response timeout is long enough for a test to cut the line first.
    int withheld = -1;

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    FakeChannel channel;
    StationCore core;
    QSignalSpy finished{&core.link, &MeterLink::BatchFinished};
    QSignalSpy errors{&core.link, &MeterLink::UnhandledError};
    std::unique_ptr<ProductionLine> line;
    QString database;

    explicit StationBench(const QString& logPath = {})
        : core(dialogs, logPath.isEmpty() ? dir.filePath(OperationLog::FileName) : logPath, 0, false)
    {
        dialogs.openMs = 20;
        core.link.SetChannel(&channel);
        core.link.SpinTimerChange(3000);
        core.link.Protocol().SetEnabled(true);
        channel.script = [this](const QByteArray& request) -> QList<QByteArray> {
            const quint8 code = quint8(request[0]);
            if (code == withheld)
                return {};
            if (code == ReadNumber)
                return {MakeFrame(code, LowByteFirst(number, 3))};
            if (code == ReadCounters)
                return {MakeFrame(code, LowByteFirst(counter, 4) + '\0')};
            return {FakeChannel::Answer(request)};
        };
    }
    ~StationBench()
    {
        line.reset();
        QSqlDatabase::removeDatabase(SideConnection);
        WorkstationClock::Reset();
    }

    // The production line on the demo database, changed first by the
    // statements, with the station looked up.
    void UseProductionLine(const QStringList& changes = {})
    {
        database = dir.filePath(QStringLiteral("electrometer.db"));
        WriteDemoDatabase(database, ComputerName(), LoginName());
        {
            auto db = Database::OpenSqlite(database);
            for (const QString& change : changes)
                Query(*db, change).Execute();
        }
        core.SetSqlMode(true);
        line = std::make_unique<ProductionLine>(core, dialogs, DatabaseFor(database));
        QCOMPARE(line->FormActivate(ComputerName(), LoginName()), ProductionLine::LookUp::Passed);
    }

    // Connected, with the number and counter the login needs read.
    void Connect()
    {
        QVERIFY(core.link.ActionConnectExecute(QStringLiteral("COM1")));
        QTRY_VERIFY_WITH_TIMEOUT(!core.readings.Addi(MeterReadings::OperatingTimeRow, 0).isEmpty(), BenchTimeoutMs);
    }

    // The meter's number and, with the tab's default, its clock.
    void StartSettingsWrite()
    {
        core.inputs.settings.number = SheetNumber;
        QVERIFY(core.settings.ActionSettingExecute());
        QVERIFY(core.link.SettingsWritePending());
    }
    void StartScheduleWrite()
    {
        QVERIFY(core.scheduleTransfer.ActionWriteSchedExecute());
        QVERIFY(core.link.ScheduleWritePending());
    }

    // Requests sent with this code since the `from`th request.
    int SentSince(int from, quint8 code) const
    {
        int count = 0;
        for (int i = from; i < channel.requests.size(); ++i)
            count += quint8(channel.requests[i][0]) == code;
        return count;
    }

    QStringList LogLines() const
    {
        return QFile::exists(core.log.Path()) ? Windows1251Lines(core.log.Path()) : QStringList();
    }

    // Rows of a production table, counted beside the station's connection.
    int Rows(const QString& table)
    {
        if (!QSqlDatabase::contains(SideConnection)) {
            QSqlDatabase side = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), SideConnection);
            side.setDatabaseName(database);
            if (!side.open())
                return -1;
        }
        QSqlQuery query(QSqlDatabase::database(SideConnection));
        return query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && query.next() ? query.value(0).toInt() : -1;
    }

private:
    static constexpr char SideConnection[] = "bench side";

    static QByteArray LowByteFirst(quint32 value, int bytes)
    {
        QByteArray out;
        for (int i = 0; i < bytes; ++i)
            out.append(char(value >> (8 * i)));
        return out;
    }
};

// Every table a settings write's record touches.
inline const QStringList RecordTables = {QStringLiteral("operation"), QStringLiteral("set_vm_741"),
    QStringLiteral("set_pk"), QStringLiteral("RegMsl"), QStringLiteral("RegMslGood"), QStringLiteral("RegMslEntry")};

inline QList<int> RecordRows(StationBench& bench)
{
    QList<int> rows;
    for (const QString& table : RecordTables)
        rows << bench.Rows(table);
    return rows;
}
