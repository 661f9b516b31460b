// Both journals read from the simulated meter over its paced line: the
// requests queued, the rows filled from the meter's journals, empty slots,
// records kept sorted by number whatever their index, the gauge, the meter
// number kept with each view, a read broken off by a bad answer, and the
// meter-state reset.

#include "journals/journal_decoders.h"
#include "journals/journal_reads.h"
#include "link/fake_channel.h"
#include "protocol/frame.h"
#include "link/meter_link.h"
#include "protocol/wire_values.h"
#include "meter/meter_readings.h"
#include "recording_dialogs.h"
#include "sim/virtual_channel.h"

#include <QSignalSpy>
#include <QtTest>
#include <algorithm>

namespace {

// 2024-03-15 10:20:30 in meter seconds.
constexpr qint32 March15 = 763813230;

struct Gauge {
    int position;
    int maximum;
    bool operator==(const Gauge&) const = default;
};

// The link polling the simulated meter, the journals on it.
struct JournalMeter {
    RecordingDialogs dialogs;
    VirtualChannel channel;
    MeterLink link{dialogs};
    MeterReadings readings;
    JournalReads journals{link, readings};
    QSignalSpy polls{&link, &MeterLink::PollStepQueued};
    QList<Gauge> gauge;
    qsizetype pollsBeforeRead = 0;

    JournalMeter()
    {
        link.SetChannel(&channel);
        link.Protocol().SetEnabled(true);
        readings.Attach(link);
        // A journal is hundreds of requests: no need to wait the operator's pace.
        link.SetSendTickMs(5);
        QObject::connect(&journals, &JournalReads::GaugeChanged,
            [this](int position, int maximum) { gauge << Gauge{position, maximum}; });
    }
    MeterState& State() { return channel.Meter().State(); }

    // Connects and waits until the poll has told the meter's version and number.
    bool Connect()
    {
        return link.ActionConnectExecute("simulated meter")
            && QTest::qWaitFor([this] { return readings.VersionWord() != 0 && readings.MeterNumber() != 0; }, 20000);
    }

    void Start(void (JournalReads::*start)())
    {
        pollsBeforeRead = polls.count();
        gauge.clear();
        (journals.*start)();
    }
    // Runs until the link polls again: the read is over, whether complete
    // or broken off.
    bool Finish() { return QTest::qWaitFor([&] { return polls.count() > pollsBeforeRead; }, 120000); }
    bool Read(void (JournalReads::*start)())
    {
        Start(start);
        return Finish();
    }

    QList<QByteArray> Requests(quint8 code) const
    {
        QList<QByteArray> sent;
        for (const QByteArray& request : link.CommandQueue())
            if (quint8(request[0]) == code)
                sent << request;
        return sent;
    }
};

YearJournalMonth Month(double firstTariff, quint32 operating)
{
    return {0x23, {firstTariff, 250.25, 0, 0, 0, 0, 0, 0}, {March15, 1800}, operating};
}

ConsumptionRecord Record(quint8 number, double reading)
{
    return {number, March15, 2, reading, 0, 3600};
}

QStringList Column(const QList<QStringList>& rows, int column)
{
    QStringList values;
    for (const QStringList& row : rows)
        values << row.value(column);
    return values;
}

QStringList Numbers(int first, int last)
{
    QStringList numbers;
    for (int number = first; number <= last; ++number)
        numbers << QString::number(number);
    return numbers;
}

} // namespace

class TestJournalReads : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    // Before any read the grid holds its captions only.
    void captionsAtStart()
    {
        JournalMeter meter;
        const TextGrid& grid = meter.journals.YearGrid();
        QCOMPARE(grid.RowCount(), 13);
        QCOMPARE(grid.ColumnCount(), 13);
        QCOMPARE(grid.rows[0], YearGridColumnCaptions());
        QCOMPARE(Column(grid.rows, 0).mid(1), YearGridMonthCaptions());
        for (int row = 1; row < 13; ++row)
            QCOMPARE(grid.rows[row].mid(1), QStringList(12));
        QCOMPARE(JournalReads::DiaryCaptions(),
            (QStringList{"Запись №", "Время", "Статус", "Тариф", "Показания", "Наработка"}));
        QVERIFY(meter.journals.DiaryRows().isEmpty());
    }

    // Twelve requests, one per month in order; a month the meter has no
    // record for keeps only its caption, even where an earlier read filled it.
    void yearlyRead()
    {
        JournalMeter meter;
        meter.State().number = 4711;
        for (int month = 0; month < 12; ++month)
            meter.State().yearJournal[month] = Month(1000.5 + month, 3600u * quint32(month));
        QVERIFY(meter.Connect());

        meter.Start(&JournalReads::BtnReadJournalYearClick);
        QList<QByteArray> expected;
        for (int month = 0; month < 12; ++month)
            expected << MakeFrame(ReadYearJournal, QByteArray(1, char(month)));
        QCOMPARE(meter.Requests(ReadYearJournal), expected);
        QVERIFY(meter.link.ProgressShown(ProgressRead::Journal));
        QCOMPARE(meter.journals.YearMeterNumber(), 4711u);
        QVERIFY(meter.Finish());

        const TextGrid& grid = meter.journals.YearGrid();
        QCOMPARE(grid.rows[1], (QStringList{"23 янв.", "1800", "15.03.2024", "10:20:30", "1000,500", "250,250",
                                   "0,000", "0,000", "0,000", "0,000", "0,000", "0,000", "00:00:00"}));
        QCOMPARE(grid.Cell(0, 12), "23 дек.");
        QCOMPARE(grid.Cell(4, 12), "1011,500");
        QCOMPARE(grid.Cell(12, 12), "11:00:00");

        meter.State().yearJournal[3].reset();
        meter.State().number = 815;
        QVERIFY(QTest::qWaitFor([&] { return meter.readings.MeterNumber() == 815; }, 20000));
        QVERIFY(meter.Read(&JournalReads::BtnReadJournalYearClick));
        QCOMPARE(grid.rows[4], QStringList({"апр."}) + QStringList(12));
        QCOMPARE(grid.Cell(0, 3), "23 март");
        QCOMPARE(grid.RowCount(), 13);
        QCOMPARE(meter.journals.YearMeterNumber(), 815u);
        QList<Gauge> gauge{{0, 12}};
        for (int row = 1; row <= 12; ++row)
            gauge << Gauge{row, 12};
        QCOMPARE(meter.gauge, gauge);
    }

    // 250 requests; the meter's ring has come round, so record numbers run
    // against the indexes and some slots are empty: the list is in number
    // order all the same.
    void consumptionRead()
    {
        JournalMeter meter;
        QVERIFY(meter.Connect());
        // Sorted after every row, not only at the end; a view that follows
        // the list row by row, by the place each row is reported at, ends
        // up with the list.
        bool everSorted = true;
        QList<QStringList> followed{{"left over from before"}};
        QObject::connect(&meter.journals, &JournalReads::DiaryCleared, [&] { followed.clear(); });
        QObject::connect(&meter.journals, &JournalReads::DiaryRowAdded, [&](int index) {
            const QStringList numbers = Column(meter.journals.DiaryRows(), 0);
            everSorted = everSorted
                && std::is_sorted(numbers.begin(), numbers.end(),
                    [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
            followed.insert(index, meter.journals.DiaryRows().value(index));
        });
        meter.Start(&JournalReads::BtnReadDiaryClick);
        QCOMPARE(meter.Requests(ReadConsumptionJournal).size(), JournalReads::DiaryRequests);
        QCOMPARE(meter.Requests(ReadConsumptionJournal).last(), MakeFrame(ReadConsumptionJournal, "\xF9"));
        QCOMPARE(meter.journals.DiaryMeterNumber(), meter.State().number);
        QVERIFY(meter.link.ProgressShown(ProgressRead::Journal));
        QVERIFY(meter.Finish());

        const QList<QStringList>& rows = meter.journals.DiaryRows();
        QCOMPARE(Column(rows, 0), Numbers(1, 220));
        QVERIFY(everSorted);
        QCOMPARE(followed, rows);
        QCOMPARE(meter.gauge.first(), (Gauge{0, 249}));
        QCOMPARE(meter.gauge.last(), (Gauge{249, 249}));
        QCOMPARE(meter.gauge.size(), 251);
        // Record 22 (index 81) is single-tariff; record 29 marks a power cut.
        QCOMPARE(rows[21].value(3), "однот.");
        QCOMPARE(rows[28].value(2), "255");
        for (const QStringList& row : rows)
            QCOMPARE(row.size(), JournalReads::DiaryCaptions().size());
    }

    // A bad answer breaks the read off: the rows so far stay, the gauge
    // where it was, and the poll goes on.
    void brokenOffReadKeepsItsRows()
    {
        JournalMeter meter;
        meter.State().consumptionJournal = {};
        for (int index = 0; index < 30; ++index)
            meter.State().consumptionJournal[index] = Record(quint8(100 - index), 10.0 * index);
        QVERIFY(meter.Connect());
        QObject::connect(&meter.journals, &JournalReads::DiaryRowAdded, [&] {
            if (meter.journals.DiaryRows().size() == 20)
                meter.channel.Meter().InjectFault(Fault(FaultKind::BadCrc).OnlyFor(ReadConsumptionJournal));
        });
        QVERIFY(meter.Read(&JournalReads::BtnReadDiaryClick));

        QCOMPARE(Column(meter.journals.DiaryRows(), 0), Numbers(81, 100));
        QCOMPARE(meter.gauge.last(), (Gauge{19, 249}));
        QVERIFY(meter.Requests(ReadConsumptionJournal).isEmpty());
        QVERIFY(meter.link.Protocol().Lines().contains("Ошибка контрольной суммы"));
    }

    // A meter that answers January's request with a full record for a
    // thirteenth month: nothing is shown for it, and the protocol, when
    // switched on, says why.
    void monthPastDecember_data()
    {
        QTest::addColumn<bool>("protocolOn");
        QTest::newRow("protocol on") << true;
        QTest::newRow("protocol off") << false;
    }
    void monthPastDecember()
    {
        QFETCH(bool, protocolOn);
        FakeChannel channel;
        RecordingDialogs dialogs;
        MeterLink link{dialogs};
        MeterReadings readings;
        JournalReads journals{link, readings};
        QSignalSpy polls{&link, &MeterLink::PollStepQueued};
        link.SetChannel(&channel);
        link.Protocol().SetEnabled(protocolOn);
        channel.script = [](const QByteArray& request) {
            const quint8 index = quint8(request[2]);
            if (quint8(request[0]) != ReadYearJournal)
                return QList<QByteArray>{FakeChannel::Answer(request)};
            if (index > 0)
                return QList<QByteArray>{MakeFrame(ReadYearJournal, Bytes({index}))};
            return QList<QByteArray>{MakeFrame(ReadYearJournal, Bytes({12, 0x24}) + QByteArray(43, '\x01'))};
        };
        QVERIFY(link.ActionConnectExecute("COM1"));
        QVERIFY(QTest::qWaitFor([&] { return !polls.isEmpty(); }, 10000));
        const qsizetype before = polls.count();
        journals.BtnReadJournalYearClick();
        QVERIFY(QTest::qWaitFor([&] { return polls.count() > before; }, 10000));

        QCOMPARE(link.Protocol().Lines().count("Некорректный месяц журнала"), protocolOn ? 1 : 0);
        const TextGrid& grid = journals.YearGrid();
        QCOMPARE(grid.RowCount(), 13);
        QCOMPARE(grid.rows[1], QStringList({"янв."}) + QStringList(12));
        QCOMPARE(grid.Cell(0, 12), "дек.");
    }

    // The reset forgets the meter: every value cell and every list row, but
    // the month captions of the last read stay.
    void resetEmptiesBothViews()
    {
        JournalMeter meter;
        meter.State().consumptionJournal = {};
        meter.State().consumptionJournal[0] = Record(9, 1.5);
        QVERIFY(meter.Connect());
        QVERIFY(meter.Read(&JournalReads::BtnReadJournalYearClick));
        // One record is all it takes: the read is cut short after it.
        QObject::connect(&meter.journals, &JournalReads::DiaryRowAdded, [&] {
            if (!meter.journals.DiaryRows().isEmpty())
                meter.channel.Meter().InjectFault(Fault(FaultKind::BadCrc).OnlyFor(ReadConsumptionJournal));
        });
        QVERIFY(meter.Read(&JournalReads::BtnReadDiaryClick));
        QVERIFY(!meter.journals.YearGrid().Cell(1, 1).isEmpty());
        QCOMPARE(meter.journals.DiaryRows().size(), 1);
        const QString januaryCaption = meter.journals.YearGrid().Cell(0, 1);
        QCOMPARE(januaryCaption, "24 янв.");

        QSignalSpy yearChanged(&meter.journals, &JournalReads::YearChanged);
        QSignalSpy diaryCleared(&meter.journals, &JournalReads::DiaryCleared);
        meter.link.ActionResetExecute();
        const TextGrid& grid = meter.journals.YearGrid();
        QCOMPARE(grid.rows[0], YearGridColumnCaptions());
        QCOMPARE(grid.Cell(0, 1), januaryCaption);
        for (int row = 1; row < 13; ++row)
            QCOMPARE(grid.rows[row].mid(1), QStringList(12));
        QVERIFY(meter.journals.DiaryRows().isEmpty());
        QVERIFY(!yearChanged.isEmpty());
        QVERIFY(!diaryCleared.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestJournalReads)
#include "tst_journal_reads.moc"
