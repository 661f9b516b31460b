// MeterReadings attached to the link, polling the simulated meter through
// whole cycles: every row the meter's state fills, and the cycle length the
// decoded type gives the link.

#include "link/meter_link.h"
#include "meter/meter_readings.h"
#include "recording_dialogs.h"
#include "shown_readings.h"
#include "sim/virtual_channel.h"

#include <QtTest>

namespace {

// 2024-03-15 10:20:30 and 2024-03-01 in meter seconds.
constexpr qint64 March15 = 763813230;
constexpr qint64 March1 = 762566400;

// The link polling the simulated meter, with the readings attached.
struct PolledMeter {
    RecordingDialogs dialogs;
    VirtualChannel channel;
    MeterLink link{dialogs};
    MeterReadings readings;
    QList<int> steps;

    PolledMeter()
    {
        link.SetChannel(&channel);
        link.Protocol().SetEnabled(true);
        readings.Attach(link);
        QObject::connect(&link, &MeterLink::PollStepQueued, [this](int step) { steps << step; });
        channel.Meter().SetWorkstationClock([] { return QDateTime(QDate(2024, 3, 15), QTime(10, 20, 30)); });
    }
    MeterState& State() { return channel.Meter().State(); }

    // Connects and polls until the cycle has come round to step 0 again.
    bool PollOneCycle()
    {
        if (!link.ActionConnectExecute("simulated meter"))
            return false;
        return QTest::qWaitFor([this] { return steps.count(0) == 2; }, 20000);
    }
    // The steps of the whole cycle, from the first step 0 to the next.
    QList<int> Cycle() const
    {
        const int first = int(steps.indexOf(0));
        return steps.mid(first, steps.indexOf(0, first + 1) - first);
    }
};

QList<int> Steps(int count)
{
    QList<int> steps;
    for (int step = 0; step < count; ++step)
        steps << step;
    return steps;
}

} // namespace

class TestReadingsOverLink : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void aWholeCycleFillsEveryRow()
    {
        PolledMeter meter;
        MeterState& state = meter.State();
        state.number = 42;
        state.automaticDst = false;
        state.tariffOverride = 3;
        state.operatingSeconds = 90061;
        state.clockCorrections = 4;
        state.averagePowerWatts = 1250;
        state.indicatorMask = 0x09;
        state.integrationMinutes = 15;
        state.settlementDay = 25;
        state.settlementHour = 7;
        for (int tariff = 0; tariff < 8; ++tariff) {
            state.readings[tariff] = 1000.5 + tariff;
            state.settlementReadings[tariff] = 100.25 * (tariff + 1);
        }
        state.currentPeak = {qint32(March15 - 3600), 2350};
        state.settlementPeak = {qint32(March1), 3120};
        state.ddmNumber = 5123;
        state.ddmTariffMode = 2;
        state.ddmBalanceState = 2;
        state.ddmLastSession = quint32(March15 - 600);

        QVERIFY(meter.PollOneCycle());
        QCOMPARE(meter.Cycle(), Steps(34));
        QStringList expected{
            "Тип: Velmar742.03",
            "Заводской номер: 000042",
            "Версия ПО: 2.5",
            "Дата / время: 15.03.2024 10:20:30",
            "Автопереход на летнее время: нет",
            "Тест часов: Ok",
            "Расчетный день: 25",
            "Расчетный час: 7",
            "Время интегрирования пиковой мощности, мин.: 15",
            "Номер ДДМ: 5123",
            "Режим тарификации ДДМ: 2",
            "Статус баланса ДДМ: ДДМ < ББ",
            "Последний сеанс ДДМ: 15.03.2024 10:10:30",
            "Время работы (текущие): 1д.01:01:01",
            "Счетчик коррекций (текущие): 4",
            "Текущий тариф (текущие): 3",
            "Текущая мощность, Вт (текущие): 1250",
        };
        const QStringList settlement{"100,250", "200,500", "300,750", "401,000", "501,250", "601,500", "701,750",
            "802,000"};
        for (int tariff = 1; tariff <= 8; ++tariff) {
            expected << QString("%1 тариф (текущие): %2,500").arg(tariff).arg(999 + tariff);
            expected << QString("%1 тариф (РДЧ): %2").arg(tariff).arg(settlement[tariff - 1]);
        }
        expected << "Пиковая мощность, Вт (текущие): 2350"
                 << "Пиковая мощность, Вт (РДЧ): 3120"
                 << "Время фиксации (текущие): 15.03.2024 09:20:30"
                 << "Время фиксации (РДЧ): 01.03.2024"
                 << "Индикатор: Суммарное потребление"
                 << "Индикатор: Мощность";
        QCOMPARE(Shown(meter.readings), expected);
        QCOMPARE(meter.readings.TypeCode(), 74203);
        QCOMPARE(int(meter.readings.DdmState()), 2);
        QVERIFY(!meter.readings.NumberEditable());
        QCOMPARE(meter.link.Protocol().Lines(), QStringList{});
    }

    void type341ShortensTheCycleAndHasNoDdm()
    {
        PolledMeter meter;
        meter.channel.Meter().MakeType341();
        QVERIFY(meter.PollOneCycle());
        QCOMPARE(meter.Cycle(), Steps(32));
        QVERIFY(!meter.readings.DdmAvailable());
        QCOMPARE(meter.readings.Main(MeterReadings::TypeRow), "Velmar341.01");
        for (int row = MeterReadings::DdmNumberRow; row <= MeterReadings::DdmSessionRow; ++row)
            QCOMPARE(meter.readings.Main(row), QString());
        QCOMPARE(meter.link.Protocol().Lines(), QStringList{});
    }

    void theLinksResetForgetsTheMeter()
    {
        PolledMeter meter;
        QVERIFY(meter.PollOneCycle());
        meter.link.ActionDisconnectExecute();
        meter.link.ResetMeterState();
        QCOMPARE(meter.readings.Main(MeterReadings::TypeRow), QString());
        QCOMPARE(meter.readings.TypeCode(), 0);
        QVERIFY(!meter.readings.Addi(MeterReadings::FirstTariffRow, MeterReadings::Settlement).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReadingsOverLink)
#include "tst_readings_over_link.moc"
