// Copying the schedule into the meter and back over a scripted line: the
// frames of the write batch and of the read, what the meter's answers make
// of the document, the gauge, the checksum the poll shows, the refusals and
// the operation log entry of the acknowledged coefficient.

#include "protocol/wire_values.h"
#include "meter/schedule_transfer.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_document.h"
#include "schedule/calendar_text.h"
#include "schedule/schedule_records.h"
#include "scripted_meter.h"
#include "windows1251_reader.h"
#include "support/test_bytes.h"

#include <QSignalSpy>
#include <QtTest>
#include <array>

namespace {

QList<QByteArray> Frames(quint8 code, const QStringList& payloads)
{
    QList<QByteArray> frames;
    for (const QString& payload : payloads)
        frames << MakeFrame(code, QByteArray::fromHex(payload.toLatin1()));
    return frames;
}

// Number, counter, then the password with the placeholder the link fills.
const QList<QByteArray> Login{MakeFrame(ReadNumber), MakeFrame(ReadCounters), MakeFrame(EnterPassword, Zeros(6))};

// The codes of a write batch that the poll never sends.
const QList<quint8> WriteBatchCodes{EnterPassword, WriteHolidays, WriteTransfers, WriteSchedule, WriteLimitCoefficient};

// Holidays, transfers and records erased, then the coefficient.
QList<QByteArray> Erasures(int coefficient)
{
    return {MakeFrame(WriteHolidays), MakeFrame(WriteTransfers), MakeFrame(WriteSchedule),
        MakeFrame(WriteLimitCoefficient, QByteArray(1, char(coefficient)))};
}

const QByteArray UsualHolidayBlock = Hex("0101 0201 0301 0401 0501 0701 2302 0803 0105 0905 1206 0411") + Zeros(8);
const QList<QByteArray> UsualHolidayWrites = Frames(WriteHolidays,
    {"000101", "010201", "020301", "030401", "040501", "050701", "062302", "070803", "080105", "090905", "0A1206",
        "0B0411"});

const QList<QByteArray> ThreeRecords{Hex("11 07 30 00 1F FF 0F"), Hex("20 23 00 32 FF FF 0F"), Hex("07 00 00 00 80 01 08")};
const QList<QByteArray> ThreeRecordWrites
    = Frames(WriteSchedule, {"00 11 07 30 00 1F FF 0F", "01 20 23 00 32 FF FF 0F", "02 07 00 00 00 80 01 08"});

// The meter's answers to the schedule's requests come from its slots; the
// checksum answers the poll's request 8 without index.
struct ScheduleMeter : ScriptedMeter {
    ScheduleDocument schedule;
    ScheduleTransfer transfer{link, readings, schedule, log, dialogs};
    std::array<QByteArray, MeterRecordSlots> records;
    std::array<QByteArray, MaxHolidays> holidays;
    std::array<QByteArray, MaxTransfers> transfers;
    quint8 coefficient = 1;
    // The meter answers the coefficient's request without its byte.
    bool coefficientMissing = false;
    quint16 checksum = 0x1234;
    // The record index the meter does not answer; -1 for none.
    int silentRecord = -1;
    QList<int> gauge;
    QList<int> gaugeMaxima;
    QSignalSpy polls{&link, &MeterLink::PollStepQueued};

    ScheduleMeter()
    {
        // The read is 289 requests: no need to wait the operator's pace.
        link.SetSendTickMs(5);
        QObject::connect(&transfer, &ScheduleTransfer::GaugeChanged, [this](int position, int maximum) {
            gauge << position;
            gaugeMaxima << maximum;
        });
        channel.script = [this, plain = channel.script](const QByteArray& request) -> QList<QByteArray> {
            const quint8 code = quint8(request[0]);
            const QByteArray payload = request.mid(2, quint8(request[1]) - 2);
            const int index = payload.isEmpty() ? -1 : quint8(payload[0]);
            switch (code) {
            case ReadLimitCoefficient:
                return {MakeFrame(code, coefficientMissing ? QByteArray() : QByteArray(1, char(coefficient)))};
            case ReadSchedule:
                if (index < 0)
                    return {MakeFrame(code, Bytes({checksum & 0xFF, checksum >> 8}))};
                if (index == silentRecord)
                    return {};
                return {MakeFrame(code, payload.left(1) + records[index])};
            case ReadHolidays:
                return {MakeFrame(code, payload.left(1) + holidays[index])};
            case ReadTransfers:
                return {MakeFrame(code, payload.left(1) + transfers[index])};
            default:
                return plain(request);
            }
        };
    }

    // Runs a read until the link polls again: it is over, whether
    // complete or broken off.
    bool Read()
    {
        const qsizetype before = polls.count();
        transfer.ActionReadSchedExecute();
        return QTest::qWaitFor([&] { return polls.count() > before; }, 60000);
    }

    void SetUsualHolidays()
    {
        for (int i = 0; i < 12; ++i)
            holidays[i] = UsualHolidayBlock.mid(2 * i, 2);
    }
};

QList<AList> Decoded(const QList<QByteArray>& records)
{
    QList<AList> decoded;
    for (const QByteArray& record : records)
        decoded << std::get<AList>(DecodeRecord(record));
    return decoded;
}

// A document with committed records that a read must either replace or
// keep, and a calendar of its own.
void FillPrevious(ScheduleDocument& schedule)
{
    schedule.SetSheduleList({Hex("00 00 00 00 FF FF 0F"), Hex("01 08 00 00 1F FF 0F")});
    schedule.SetCalendar({{6, 12}}, {{QDate(2026, 1, 9), 8}});
    schedule.SetLimitCoefficient(9);
}

QList<int> Steps(int first, int last)
{
    QList<int> steps;
    for (int step = first; step <= last; ++step)
        steps << step;
    return steps;
}

} // namespace

class TestScheduleTransfer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void writeBatch_data()
    {
        QTest::addColumn<QList<QByteArray>>("records");
        QTest::addColumn<QByteArray>("holidayBlock");
        QTest::addColumn<QByteArray>("transferBlock");
        QTest::addColumn<int>("coefficient");
        QTest::addColumn<QList<QByteArray>>("frames");

        QTest::newRow("three records, the usual holidays, coefficient 10")
            << ThreeRecords << UsualHolidayBlock << Zeros(64) << 10
            << Login + Erasures(10) + UsualHolidayWrites + ThreeRecordWrites;
        QTest::newRow("a transfer in 2000 is written")
            << ThreeRecords.mid(0, 1) << Zeros(32) << Hex("03 03 25 06  01 05 00 01") + Zeros(56) << 1
            << Login + Erasures(1) + Frames(WriteTransfers, {"00 03032506", "01 01050001"}) + ThreeRecordWrites.mid(0, 1);
        QTest::newRow("each slot written under its own index")
            << ThreeRecords.mid(0, 1) << Hex("0101 0000 3112 0005") + Zeros(24)
            << Zeros(4) + Hex("03 03 25 06  10 10 24 00") + Zeros(52) << 255
            << Login + Erasures(255) + Frames(WriteHolidays, {"00 0101", "02 3112"})
                + Frames(WriteTransfers, {"01 03032506"}) + ThreeRecordWrites.mid(0, 1);
        QTest::newRow("no records: no holidays, no transfers either")
            << QList<QByteArray>{} << UsualHolidayBlock << Hex("03 03 25 06") + Zeros(60) << 10
            << Login + Erasures(10);

        QList<QByteArray> full;
        QList<QByteArray> fullWrites;
        for (int k = 0; k < MeterRecordSlots; ++k) {
            const QByteArray record = Hex("00 12 00 00 01 01 00");
            full << record;
            fullWrites << MakeFrame(WriteSchedule, QByteArray(1, char(k)) + record);
        }
        QTest::newRow("256 records fill every slot")
            << full << Zeros(32) << Zeros(64) << 1 << Login + Erasures(1) + fullWrites;
    }
    void writeBatch()
    {
        QFETCH(QList<QByteArray>, records);
        QFETCH(QByteArray, holidayBlock);
        QFETCH(QByteArray, transferBlock);
        QFETCH(int, coefficient);
        QFETCH(QList<QByteArray>, frames);
        const auto batch = BuildScheduleWriteBatch(records, holidayBlock, transferBlock, coefficient);
        QVERIFY(std::holds_alternative<QList<QByteArray>>(batch));
        QCOMPARE(std::get<QList<QByteArray>>(batch), frames);
    }

    void moreThan256RecordsAreRefused()
    {
        const QList<QByteArray> records(MeterRecordSlots + 1, Hex("00 12 00 00 01 01 00"));
        const auto batch = BuildScheduleWriteBatch(records, Zeros(32), Zeros(64), 1);
        QVERIFY(std::holds_alternative<QString>(batch));
        QVERIFY2(std::get<QString>(batch).contains("257"), qPrintable(std::get<QString>(batch)));

        ScheduleMeter meter;
        QVERIFY(meter.Connect());
        QCOMPARE(meter.schedule.SetSheduleList(records), QString());
        QVERIFY(!meter.transfer.ActionWriteSchedExecute());
        QCOMPARE(meter.dialogs.messages, QStringList{"Ошибка: " + std::get<QString>(batch)});
        // The poll may go on behind the message; nothing of the batch joins it.
        for (const QByteArray& request : meter.link.CommandQueue() + meter.channel.requests)
            QVERIFY2(!WriteBatchCodes.contains(quint8(request[0])), request.toHex(' ').constData());
        QVERIFY(!meter.link.ScheduleWritePending());
    }

    void writeOverTheLink()
    {
        ScheduleMeter meter;
        QSignalSpy finished(&meter.link, &MeterLink::BatchFinished);
        QVERIFY(meter.Connect());
        QCOMPARE(meter.schedule.SetSheduleList(ThreeRecords), QString());
        meter.schedule.SetLimitCoefficient(10);

        QVERIFY(meter.transfer.ActionWriteSchedExecute());
        QVERIFY(meter.link.ScheduleWritePending());
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        QCOMPARE(finished[0][0].value<WriteBatch>(), WriteBatch::Schedule);
        QCOMPARE(finished[0][1].value<BatchOutcome>(), BatchOutcome::Completed);
        QVERIFY(!meter.link.ScheduleWritePending());
        QVERIFY(meter.dialogs.messages.isEmpty());

        // The login precedes the rest.
        QList<QByteArray> written;
        for (const QByteArray& request : meter.channel.requests)
            if (WriteBatchCodes.contains(quint8(request[0])))
                written << request;
        QCOMPARE(written, Login.mid(2) + Erasures(10) + UsualHolidayWrites + ThreeRecordWrites);
        const qsizetype login = meter.channel.requests.indexOf(Login[2]);
        QCOMPARE(meter.channel.requests.mid(login - 2, 3), Login);

        const QStringList log = Windows1251Lines(meter.log.Path());
        QCOMPARE(log.size(), 1);
        QVERIFY2(log[0].endsWith("] Коэффициент лимита тарифного расписания=10"), qPrintable(log[0]));
    }

    // Whatever goes to the meter is the committed schedule, edits included.
    void writingCommitsPendingEdits()
    {
        ScheduleMeter meter;
        QVERIFY(meter.Connect());
        QCOMPARE(meter.schedule.SetSheduleList(ThreeRecords), QString());
        meter.schedule.Model().InsertTZone("12:00", 3, 0, 3);
        const QList<AList> edited = meter.schedule.Model().WorkList();
        QVERIFY(edited.size() > ThreeRecords.size());

        QVERIFY(meter.transfer.ActionWriteSchedExecute());
        QVERIFY(!meter.schedule.Model().ChangesPending());
        QCOMPARE(Describe(meter.schedule.Model().SavedList()), Describe(edited));
        QList<AList> queued;
        for (const QByteArray& request : meter.link.CommandQueue())
            if (quint8(request[0]) == WriteSchedule && quint8(request[1]) == 2 + 1 + RecordSize)
                queued << std::get<AList>(DecodeRecord(request.mid(3, RecordSize)));
        QCOMPARE(Describe(queued), Describe(edited));
    }

    void readBatch()
    {
        QList<QByteArray> frames{MakeFrame(ReadLimitCoefficient)};
        for (int i = 0; i < 256; ++i)
            frames << MakeFrame(ReadSchedule, QByteArray(1, char(i)));
        for (const quint8 code : {ReadHolidays, ReadTransfers})
            for (int i = 0; i < 16; ++i)
                frames << MakeFrame(code, QByteArray(1, char(i)));
        QCOMPARE(ScheduleReadBatch().size(), 289);
        QCOMPARE(ScheduleReadBatch(), frames);
    }

    void readFillsTheDocument()
    {
        ScheduleMeter meter;
        meter.records[0] = ThreeRecords[0];
        meter.records[5] = ThreeRecords[1];
        meter.SetUsualHolidays();
        meter.transfers[0] = Hex("03 03 25 06");
        meter.transfers[1] = Hex("01 05 00 01");
        meter.coefficient = 37;
        FillPrevious(meter.schedule);
        meter.schedule.Model().InsertTZone("12:00", 3, 0, 3);
        QSignalSpy pageWanted(&meter.transfer, &ScheduleTransfer::SchedulePageWanted);
        QVERIFY(meter.Connect());

        QVERIFY(meter.Read());
        QCOMPARE(pageWanted.count(), 1);
        QVERIFY(meter.dialogs.messages.isEmpty());
        const ScheduleModel& model = meter.schedule.Model();
        QCOMPARE(Describe(model.SavedList()), Describe(Decoded({ThreeRecords[0], ThreeRecords[1]})));
        QCOMPARE(Describe(model.WorkList()), Describe(model.SavedList()));
        QVERIFY(!model.ChangesPending());
        QCOMPARE(Describe(model.Holidays()), Describe(DefaultHolidays()));
        QCOMPARE(Describe(model.Transfers()),
            Describe(QList<Transfer>{{QDate(2025, 3, 3), 6}, {QDate(2000, 5, 1), 1}}));
        QCOMPARE(model.LimitCoefficient(), 37);

        // One step for each answer but the coefficient's: records, then
        // holidays, then transfers.
        QCOMPARE(meter.gauge, Steps(0, 288));
        QCOMPARE(meter.gaugeMaxima, QList<int>(289, ScheduleTransfer::GaugeMaximum));
        QCOMPARE(meter.transfer.GaugePosition(), 288);

        // The poll's checksum read after it leaves the gauge alone.
        meter.checksum = 0xBEEF;
        QTRY_COMPARE_WITH_TIMEOUT(meter.readings.Main(MeterReadings::ScheduleChecksumRow), QString::number(0xBEEF), 20000);
        QCOMPARE(meter.gauge.size(), 289);
        QCOMPARE(meter.transfer.GaugePosition(), 288);
    }

    void checksumOfThePoll_data()
    {
        QTest::addColumn<int>("checksum");
        QTest::addColumn<QString>("shown");
        QTest::newRow("low byte first") << 0x1234 << "4660";
        QTest::newRow("high byte alone") << 0x0100 << "256";
        QTest::newRow("all bits") << 0xFFFF << "65535";
        QTest::newRow("zero") << 0 << "0";
    }
    void checksumOfThePoll()
    {
        QFETCH(int, checksum);
        QFETCH(QString, shown);
        ScheduleMeter meter;
        meter.checksum = quint16(checksum);
        QVERIFY(meter.Connect());
        QTRY_COMPARE_WITH_TIMEOUT(meter.readings.Main(MeterReadings::ScheduleChecksumRow), shown, 20000);
        QVERIFY(meter.gauge.isEmpty());
    }

    void unusableSlotsAreSkipped_data()
    {
        QTest::addColumn<QList<QByteArray>>("holidaySlots");
        QTest::addColumn<QList<QByteArray>>("transferSlots");
        QTest::addColumn<QList<Holiday>>("holidays");
        QTest::addColumn<QList<Transfer>>("transfers");

        QTest::newRow("holidays out of range")
            << QList<QByteArray>{Hex("0113"), Hex("0101"), Hex("0100"), Hex("0005"), Hex("3205"), Hex("3112")}
            << QList<QByteArray>{} << QList<Holiday>{{1, 1}, {12, 31}} << QList<Transfer>{};
        QTest::newRow("free holiday slots between used ones")
            << QList<QByteArray>{Hex("0101"), {}, {}, Hex("0803")} << QList<QByteArray>{}
            << QList<Holiday>{{1, 1}, {3, 8}} << QList<Transfer>{};
        QTest::newRow("transfers out of range")
            << QList<QByteArray>{} << QList<QByteArray>{Hex("03 03 25 00"), Hex("03 03 25 09"), Hex("03 13 25 01"),
                   Hex("03 03 25 06"), Hex("00 03 25 01"), Hex("01 05 00 01")}
            << QList<Holiday>{} << QList<Transfer>{{QDate(2025, 3, 3), 6}, {QDate(2000, 5, 1), 1}};
        QTest::newRow("a year not in decimal digits")
            << QList<QByteArray>{} << QList<QByteArray>{Hex("03 03 FA 06"), Hex("01 05 00 01")} << QList<Holiday>{}
            << QList<Transfer>{{QDate(2000, 5, 1), 1}};
        QTest::newRow("a transfer on 31 April")
            << QList<QByteArray>{} << QList<QByteArray>{Hex("31 04 25 01"), Hex("29 02 24 08")} << QList<Holiday>{}
            << QList<Transfer>{{QDate(2024, 2, 29), 8}};
    }
    void unusableSlotsAreSkipped()
    {
        QFETCH(QList<QByteArray>, holidaySlots);
        QFETCH(QList<QByteArray>, transferSlots);
        QFETCH(QList<Holiday>, holidays);
        QFETCH(QList<Transfer>, transfers);
        ScheduleMeter meter;
        meter.records[0] = ThreeRecords[0];
        std::copy(holidaySlots.begin(), holidaySlots.end(), meter.holidays.begin());
        std::copy(transferSlots.begin(), transferSlots.end(), meter.transfers.begin());
        FillPrevious(meter.schedule);
        QVERIFY(meter.Connect());

        QVERIFY(meter.Read());
        QCOMPARE(Describe(meter.schedule.Model().Holidays()), Describe(holidays));
        QCOMPARE(Describe(meter.schedule.Model().Transfers()), Describe(transfers));
        QCOMPARE(meter.transfer.GaugePosition(), 288);
    }

    // An answer without the coefficient's byte shows nothing: its check
    // sum is no coefficient.
    void aCoefficientAnswerWithoutItsByteChangesNothing()
    {
        ScheduleMeter meter;
        meter.coefficientMissing = true;
        FillPrevious(meter.schedule);
        QVERIFY(meter.Connect());
        QVERIFY(meter.Read());
        QCOMPARE(meter.schedule.Model().LimitCoefficient(), 9);
    }

    void aMeterWithoutRecordsEmptiesTheDocument()
    {
        ScheduleMeter meter;
        meter.coefficient = 0;
        FillPrevious(meter.schedule);
        QVERIFY(meter.Connect());

        QVERIFY(meter.Read());
        const ScheduleModel& model = meter.schedule.Model();
        QVERIFY(model.SavedList().isEmpty());
        QVERIFY(model.WorkList().isEmpty());
        QVERIFY(model.Holidays().isEmpty());
        QVERIFY(model.Transfers().isEmpty());
        QCOMPARE(model.LimitCoefficient(), 1);
        QCOMPARE(meter.transfer.GaugePosition(), 288);
    }

    // Broken off among the records, the read has no schedule to show; the
    // next complete one shows only what the meter holds.
    void aReadBrokenOffKeepsThePreviousRecords()
    {
        ScheduleMeter meter;
        meter.records[0] = ThreeRecords[0];
        meter.records[200] = ThreeRecords[2];
        meter.silentRecord = 100;
        FillPrevious(meter.schedule);
        const QList<AList> previous = meter.schedule.Model().SavedList();
        QVERIFY(meter.Connect());

        QVERIFY(meter.Read());
        QCOMPARE(Describe(meter.schedule.Model().SavedList()), Describe(previous));
        QCOMPARE(Describe(meter.schedule.Model().WorkList()), Describe(previous));
        QVERIFY(meter.transfer.GaugePosition() < 256);

        meter.silentRecord = -1;
        meter.records[0] = ThreeRecords[1];
        meter.dialogs.messages.clear();
        QVERIFY(meter.Read());
        QCOMPARE(Describe(meter.schedule.Model().SavedList()), Describe(Decoded({ThreeRecords[1], ThreeRecords[2]})));
        QCOMPARE(meter.transfer.GaugePosition(), 288);
    }

    // A record no schedule can hold is shown as a message, named by the
    // index the meter keeps it under (the third record read is the meter's
    // record 200); the document keeps its records, the calendar is read
    // all the same.
    void anImpossibleRecordOnTheMeterIsReported()
    {
        ScheduleMeter meter;
        meter.records[0] = ThreeRecords[0];
        meter.records[5] = ThreeRecords[1];
        meter.records[200] = Hex("00 24 00 00 01 01 00");
        meter.records[230] = Hex("00 10 60 00 01 01 00");
        meter.SetUsualHolidays();
        FillPrevious(meter.schedule);
        const QList<AList> previous = meter.schedule.Model().SavedList();
        QVERIFY(meter.Connect());

        QVERIFY(meter.Read());
        QTRY_COMPARE(meter.dialogs.messages.size(), 1);
        QCOMPARE(meter.dialogs.messages,
            QStringList{"Ошибка: Тарифное расписание счетчика не может быть показано. Запись тарифного расписания с "
                        "индексом 200 в счетчике: Время 24:00 не может быть началом тарифной зоны."});
        QCOMPARE(Describe(meter.schedule.Model().SavedList()), Describe(previous));
        QCOMPARE(Describe(meter.schedule.Model().Holidays()), Describe(DefaultHolidays()));
        QCOMPARE(meter.transfer.GaugePosition(), 288);
    }
};

QTEST_GUILESS_MAIN(TestScheduleTransfer)
#include "tst_schedule_transfer.moc"
