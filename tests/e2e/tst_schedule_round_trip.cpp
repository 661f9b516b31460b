// The whole station against the simulated meter: a schedule written into
// the meter and read back into a wiped document comes back as it was, and
// the checksum the poll shows follows the meter's new schedule.

#include "station/station_core.h"
#include "recording_dialogs.h"
#include "schedule/calendar_text.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_records.h"
#include "sim/virtual_channel.h"
#include "windows1251_reader.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

namespace {

// The line runs at the meter's pace: a full read is some 300 exchanges.
constexpr int BatchTimeoutMs = 120000;

// Records in an order no sorting gives, every tariff pair, limits and
// masks of all kinds.
QList<AList> RichRecords()
{
    QList<AList> records;
    for (int k = 0; k < 24; ++k) {
        const QString time = QStringLiteral("%1:%2").arg((k * 7) % 24, 2, 10, QLatin1Char('0')).arg(k * 13 % 60, 2, 10, QLatin1Char('0'));
        records << AList{time, quint8(k % 8 + 1), quint8(k * 41 % 256), quint8((k + 3) % 8 + 1), quint8(0xFF >> (k % 8)),
            quint16((0x0FFF >> (k % 12)) | GetMaska(k % 12 + 1))};
    }
    records << AList{"08:00", 1, 0x0D, 1, 0x0A, 0x0A0D};
    return records;
}

QList<Holiday> RichHolidays()
{
    QList<Holiday> holidays;
    for (int k = 0; k < MaxHolidays; ++k)
        holidays << Holiday{(k * 5) % 12 + 1, 28 - k};
    return holidays;
}

QList<Transfer> RichTransfers()
{
    QList<Transfer> transfers{{QDate(2000, 5, 1), 1}};
    for (int k = 1; k < MaxTransfers; ++k)
        transfers << Transfer{QDate(2000 + 6 * k, (k * 7) % 12 + 1, k + 10), k % 8 + 1};
    return transfers;
}

// The station with everything wired, on the in-process simulated meter.
struct Station {
    RecordingDialogs dialogs;
    QTemporaryDir dir;
    StationCore core{dialogs, dir.filePath(OperationLog::FileName), 0, false};
    VirtualChannel channel;
    QSignalSpy polls{&core.link, &MeterLink::PollStepQueued};
    QSignalSpy finished{&core.link, &MeterLink::BatchFinished};

    Station() { core.link.SetChannel(&channel); }

    MeterSchedule& MeterSide() { return channel.Meter().State().schedule; }
    QString ShownChecksum() const { return core.readings.Main(MeterReadings::ScheduleChecksumRow); }

    bool ConnectAndShowChecksum()
    {
        return core.link.ActionConnectExecute("simulated meter")
            && QTest::qWaitFor([this] { return !ShownChecksum().isEmpty(); }, 30000);
    }
    bool Write()
    {
        const qsizetype before = finished.count();
        return core.scheduleTransfer.ActionWriteSchedExecute()
            && QTest::qWaitFor([&] { return finished.count() > before; }, BatchTimeoutMs)
            && finished.last()[0].value<WriteBatch>() == WriteBatch::Schedule
            && finished.last()[1].value<BatchOutcome>() == BatchOutcome::Completed;
    }
    // Over when the link polls again.
    bool Read()
    {
        const qsizetype before = polls.count();
        core.scheduleTransfer.ActionReadSchedExecute();
        return QTest::qWaitFor([&] { return polls.count() > before; }, BatchTimeoutMs);
    }
};

} // namespace

class TestScheduleRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void writtenScheduleReadsBackUnchanged()
    {
        Station station;
        QVERIFY(station.ConnectAndShowChecksum());
        const QString checksumBefore = station.ShownChecksum();
        QCOMPARE(checksumBefore, QString::number(station.MeterSide().Checksum()));

        ScheduleDocument& schedule = station.core.schedule;
        schedule.Model().SetSavedList(RichRecords());
        schedule.Model().Revert();
        schedule.SetCalendar(RichHolidays(), RichTransfers());
        schedule.SetLimitCoefficient(123);

        QVERIFY(station.Write());
        QVERIFY2(station.dialogs.messages.isEmpty(), qPrintable(station.dialogs.messages.join('\n')));
        QCOMPARE(station.MeterSide().limitCoefficient, 123);
        // Only the coefficient's acknowledgement makes an entry, headed by
        // the meter's number.
        const QStringList log = Windows1251Lines(station.core.log.Path());
        QCOMPARE(log.size(), 1);
        QVERIFY2(log[0].startsWith("104217["), qPrintable(log[0]));
        QVERIFY(log[0].endsWith("] Коэффициент лимита тарифного расписания=123"));
        QCOMPARE(station.MeterSide().records[RichRecords().size() - 1], EncodeRecord(RichRecords().last()));
        QVERIFY(station.MeterSide().records[RichRecords().size()].isEmpty());

        schedule.New();
        schedule.SetLimitCoefficient(1);
        QVERIFY(schedule.Model().SavedList().isEmpty());

        QVERIFY(station.Read());
        QCOMPARE(station.core.scheduleTransfer.GaugePosition(), ScheduleTransfer::GaugeMaximum);
        QVERIFY2(station.dialogs.messages.isEmpty(), qPrintable(station.dialogs.messages.join('\n')));
        QCOMPARE(Describe(schedule.Model().SavedList()), Describe(RichRecords()));
        QCOMPARE(Describe(schedule.Model().WorkList()), Describe(RichRecords()));
        QCOMPARE(Describe(schedule.Model().Holidays()), Describe(RichHolidays()));
        QCOMPARE(Describe(schedule.Model().Transfers()), Describe(RichTransfers()));
        QCOMPARE(schedule.Model().LimitCoefficient(), 123);

        const QString checksumAfter = QString::number(station.MeterSide().Checksum());
        QVERIFY(checksumAfter != checksumBefore);
        QTRY_COMPARE_WITH_TIMEOUT(station.ShownChecksum(), checksumAfter, 30000);
    }

    // Without records the meter keeps none of the calendar either: the
    // write leaves it erased.
    void aScheduleWithoutRecordsErasesTheMeter()
    {
        Station station;
        QVERIFY(station.ConnectAndShowChecksum());
        ScheduleDocument& schedule = station.core.schedule;
        schedule.New();
        schedule.SetLimitCoefficient(5);

        QVERIFY(station.Write());
        const MeterSchedule& meter = station.MeterSide();
        QVERIFY(std::all_of(meter.records.begin(), meter.records.end(), [](const QByteArray& r) { return r.isEmpty(); }));
        QVERIFY(std::all_of(meter.holidays.begin(), meter.holidays.end(), [](const QByteArray& h) { return h.isEmpty(); }));
        QVERIFY(std::all_of(meter.transfers.begin(), meter.transfers.end(), [](const QByteArray& t) { return t.isEmpty(); }));
        QCOMPARE(meter.limitCoefficient, 5);
        QTRY_COMPARE_WITH_TIMEOUT(station.ShownChecksum(), QString::number(EmptyScheduleChecksum), 30000);
    }
};

QTEST_GUILESS_MAIN(TestScheduleRoundTrip)
#include "tst_schedule_round_trip.moc"
