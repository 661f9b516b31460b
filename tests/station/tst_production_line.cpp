// The production line's hold on the station: the server's clock, a
// database that cannot be reached, and "+".

#include "db/database.h"
#include "db/demo_database.h"
#include "recording_dialogs.h"
#include "station/database_choice.h"
#include "station/production_line.h"
#include "station/station_core.h"
#include "workstation/workstation_clock.h"
#include "workstation/workstation_identity.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestProductionLine : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { WorkstationClock::Reset(); }

    // Off Windows the system clock is left alone; the station reads the
    // server's time through its offset.
    void clockFollowsTheServer()
    {
        const QDateTime server = QDateTime::currentDateTime().addSecs(-3 * 3600);
        WorkstationClock::SetTo(server);
        QVERIFY(qAbs(WorkstationClock::Now().secsTo(server)) <= 1);
        WorkstationClock::Reset();
        QVERIFY(qAbs(WorkstationClock::Now().secsTo(QDateTime::currentDateTime())) <= 1);
    }

    // The look-up fails while the server cannot be reached, keeping what it
    // knew, and passes once it answers; a write never starts without the
    // server's clock.
    void serverOutOfReach()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("electrometer.db"));
        RecordingDialogs dialogs;
        StationCore core(dialogs, dir.filePath(QStringLiteral("log")), 0, true);
        ProductionLine line(core, dialogs, DatabaseFor(path));
        QSignalSpy errors(&line, &ProductionLine::UnhandledError);

        QCOMPARE(line.FormActivate(ComputerName(), LoginName()), ProductionLine::LookUp::Failed);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0][0].toString().contains(path), qPrintable(errors[0][0].toString()));
        QCOMPARE(line.Context().PlantId, 0);

        QVERIFY(!core.settings.ActionSettingExecute());
        QVERIFY(!core.link.SettingsWritePending());
        QVERIFY(core.link.CommandQueue().isEmpty());
        QCOMPARE(errors.size(), 2);
        line.BitBtn1Click();
        QCOMPARE(errors.size(), 3);

        WriteDemoDatabase(path, ComputerName(), LoginName());
        QCOMPARE(line.FormActivate(ComputerName(), LoginName()), ProductionLine::LookUp::Passed);
        QCOMPARE(line.Context().PlantId, 1);
        QSignalSpy changes(&core.inputs, &WriteInputs::Changed);
        line.BitBtn1Click();
        QCOMPARE(core.inputs.settings.number, 104219);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(errors.size(), 3);
        QCOMPARE(dialogs.messages, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestProductionLine)
#include "tst_production_line.moc"
