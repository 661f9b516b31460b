// The station on the production line, on the demo database and the
// simulated meter: the look-up at every activation, the number and clock
// hooks of the poll, "+", and the records of a write and of
// "Зафиксировать в БД".

#include "session_fixture.h"

#include "db/database.h"
#include "db/demo_database.h"
#include "db/query.h"
#include "sim/simulated_scanner.h"
#include "station/production_line.h"
#include "workstation/workstation_identity.h"
#include "window/controls/indicator_list.h"
#include "window/main/indicator_shape.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QToolButton>

namespace {

const QString Lime = QColor(0, 255, 0).name();

QString ShownIndicator(TFormMain& form)
{
    auto* shape = Find<IndicatorShape>(form, "Shape1");
    return shape->isVisible() ? shape->Color().name() : QString();
}

// A connection of the test's own beside the station's, as another program
// on the same database file would have.
class SideConnection {
public:
    explicit SideConnection(const QString& path)
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
        database.setDatabaseName(path);
        QVERIFY(database.open());
    }
    ~SideConnection() { QSqlDatabase::removeDatabase(Name); }

    void Run(const QString& statement)
    {
        QSqlQuery query(QSqlDatabase::database(Name));
        QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
    }
    QString Rows(const QString& text)
    {
        QSqlQuery query(QSqlDatabase::database(Name));
        if (!query.exec(text))
            return query.lastError().text();
        QStringList rows;
        while (query.next()) {
            QStringList values;
            for (int column = 0; column < query.record().count(); ++column)
                values << (query.isNull(column) ? QStringLiteral("NULL") : query.value(column).toString());
            rows << values.join(',');
        }
        return rows.join(';');
    }

private:
    static constexpr char Name[] = "side";
};

struct ProductionSession : SessionFixture {
    SimulatedScanner barcodeScanner;

    ProductionSession()
    {
        productionDatabase = startDir.filePath(QStringLiteral("electrometer.db"));
        WriteDemoDatabase(productionDatabase, ComputerName(), LoginName());
        scanner = &barcodeScanner;
        settings.setValue("Scan", 1);
    }
    // Every poll step of a cycle has been queued once more.
    void WaitForWholeCycle()
    {
        int starts = 0;
        // The count lives on this frame: the connection must end with it,
        // not with the window, which polls on after this returns.
        QObject counting;
        QObject::connect(&Window().Link(), &MeterLink::PollStepQueued, &counting, [&](int step) { starts += step == 0; });
        QTRY_VERIFY_WITH_TIMEOUT(starts >= 2, SessionTimeoutMs);
    }
};

} // namespace

class TestProductionSession : public QObject {
    Q_OBJECT

private slots:
    void lookUpAtEveryActivation_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("computer") << "UPDATE computer SET name = 'elsewhere'"
                                  << QStringLiteral("Компьютер \"%1\" не описан в БД.").arg(ComputerName());
        QTest::newRow("operator") << "UPDATE operator SET operating = 0"
                                  << QStringLiteral("Пользователь \"%1\" не описан в БД.").arg(LoginName());
        QTest::newRow("plant") << "DELETE FROM plant" << "Установка не описана в БД.";
    }
    // Described at start, the station runs; once the database no longer
    // describes it, closing the about box ends the program.
    void lookUpAtEveryActivation()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        ProductionSession session;
        TFormMain& form = session.Window();
        QTRY_COMPARE(form.Production()->Context().PlantId, 1);
        QVERIFY(form.isVisible());
        QCOMPARE(session.dialogs.messages, QStringList());

        SideConnection(session.productionDatabase).Run(change);
        QTimer::singleShot(100, [] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                box->reject();
        });
        form.findChild<QAction*>(QStringLiteral("N15"))->trigger();
        QCOMPARE(session.dialogs.messages, QStringList{"Приложение остановлено: " + message});
        QTRY_VERIFY(!form.isVisible());
    }

    // The poll reads the number every cycle; only a new one is looked up.
    void sameNumberAsksNothing()
    {
        ProductionSession session;
        TFormMain& form = session.Window();
        session.ConnectAndPoll();
        // 104217 was programmed three days ago: its clock's drift shows.
        auto* delta = Find<QLineEdit>(form, "EditDelta");
        QVERIFY(delta->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!delta->text().isEmpty(), SessionTimeoutMs);

        SideConnection side(session.productionDatabase);
        side.Run("ALTER TABLE set_vm_741 RENAME TO set_vm_741_away");
        session.WaitForWholeCycle();
        QCOMPARE(session.dialogs.messages, QStringList());

        // After a reset the number is new again and is looked up: the
        // missing table shows, and the poll goes on.
        Find<QAction>(form, "ActionReset")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(session.dialogs.messages.size(), 1, SessionTimeoutMs);
        QVERIFY2(session.dialogs.messages[0].contains("set_vm_741"), qPrintable(session.dialogs.messages[0]));
        session.WaitForWholeCycle();
    }

    // A new meter: "+" offers the next free number, the scanner reads the
    // one on its label, the write records it, and the meter joins its
    // route sheet.
    void newMeterRecordedEndToEnd()
    {
        ProductionSession session;
        TFormMain& form = session.Window();
        QVERIFY(Find<QWidget>(form, "PanelScaner")->isVisible());
        QVERIFY(session.barcodeScanner.Active());
        session.Meter().number = 0;
        session.ConnectAndPoll();
        auto* number = Find<QSpinBox>(form, "SpinEdit_Number");
        Find<QToolButton>(form, "BitBtn1")->click();
        QCOMPARE(number->value(), 104219);
        // Six digits limit typing, not a scanned code.
        session.barcodeScanner.Scan("1234567\r");
        QTRY_COMPARE(number->text(), QStringLiteral("1234567"));
        session.barcodeScanner.Scan("  104220");
        session.barcodeScanner.Scan("\r\n");
        QTRY_COMPARE(number->value(), 104220);
        form.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
        SaveScreenshot(form, QStringLiteral("production_setting"));

        Find<QAction>(form, "ActionSetting")->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(ShownIndicator(form), Lime, SessionTimeoutMs);
        QCOMPARE(session.dialogs.messages, QStringList());

        SideConnection side(session.productionDatabase);
        const QString newest = "(SELECT MAX(operation_id) FROM operation)";
        QCOMPARE(side.Rows("SELECT e.number, o.plant_id, o.person_id FROM operation o JOIN electrometer e "
                           "ON e.electro_id = o.electro_id WHERE o.operation_id = " + newest),
            QStringLiteral("104220,1,1"));
        QCOMPARE(side.Rows("SELECT date_time IS NOT NULL, version, indicator FROM set_vm_741 WHERE operation_id = "
                           + newest),
            QStringLiteral("1,2.5,NULL"));
        QCOMPARE(side.Rows("SELECT plm_group, plm_address, plm_number FROM set_pk WHERE operation_id = " + newest),
            QStringLiteral("42,20,104220"));
        QCOMPARE(side.Rows("SELECT EntryEl, (SELECT COUNT(*) FROM RegMslGood), (SELECT COUNT(*) FROM RegMslEntry) "
                           "FROM RegMsl"),
            QStringLiteral("3,1,2"));
    }

    void fixDbRecordsWithoutWriting()
    {
        ProductionSession session;
        TFormMain& form = session.Window();
        session.ConnectAndPoll();
        session.WaitForWholeCycle();
        QVERIFY(Find<QAction>(form, "ActionFixDb")->isEnabled());
        SideConnection side(session.productionDatabase);
        const QString before = side.Rows("SELECT COUNT(*) FROM operation");
        Find<QAction>(form, "ActionFixDb")->trigger();
        QTRY_COMPARE(ShownIndicator(form), Lime);
        QCOMPARE(session.dialogs.messages, QStringList());
        QCOMPARE(side.Rows("SELECT COUNT(*) FROM operation").toInt(), before.toInt() + 1);
        // The meter's identity and its clock's drift; no written values and
        // no readings, which belong to a write's record.
        QCOMPARE(side.Rows("SELECT turn_on, secperday IS NOT NULL, t_1, date_time FROM set_vm_741 "
                           "WHERE operation_id = (SELECT MAX(operation_id) FROM operation)"),
            QStringLiteral("1095д.17:00:00,1,NULL,NULL"));
        SaveScreenshot(form, QStringLiteral("production_about"));
    }
};

QTEST_MAIN(TestProductionSession)
#include "tst_production_session.moc"
