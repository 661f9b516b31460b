// The short report: its lines after a poll of the simulated meter, in the
// order and form the station saves them, and the saved file as a Windows
// text file.

#include "windows1251_reader.h"
#include "protocol/frame.h"
#include "link/meter_link.h"
#include "meter/meter_readings.h"
#include "meter/operation_log.h"
#include "meter/plc_parameters.h"
#include "meter/short_report.h"
#include "meter/write_inputs.h"
#include "recording_dialogs.h"
#include "sim/virtual_channel.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QDateTime Now(QDate(2024, 3, 15), QTime(10, 21, 5, 700));

qint32 MeterStamp(const QDate& date, const QTime& time)
{
    return qint32(NaiveSeconds(QDateTime(date, time)));
}

// What the report reads from, polling the simulated meter.
struct ReportedMeter {
    RecordingDialogs dialogs;
    VirtualChannel channel;
    MeterLink link{dialogs};
    MeterReadings readings;
    WriteInputs inputs;
    QTemporaryDir dir;
    OperationLog log{dir.filePath(OperationLog::FileName), [] { return QString(); }};
    PlcParameters plc{link, inputs, log};
    int cycleStarts = 0;

    ReportedMeter()
    {
        link.SetChannel(&channel);
        link.SpinTimerChange(200);
        readings.Attach(link);
        QObject::connect(&link, &MeterLink::PollStepQueued, [this](int step) { cycleStarts += step == 0; });
        channel.Meter().SetWorkstationClock([] { return QDateTime(QDate(2024, 3, 15), QTime(10, 20, 30)); });
        // Stamps the meter would otherwise take from the real clock.
        State().ddmLastSession = quint32(MeterStamp(QDate(2024, 3, 15), QTime(10, 10, 30)));
        State().currentPeak = {MeterStamp(QDate(2024, 3, 15), QTime(9, 20, 30)), 2350};
        State().settlementPeak = {MeterStamp(QDate(2024, 3, 1), QTime(0, 0)), 3120};
        State().tariffOverride = 3;
        State().indicatorMask = 0x09;
    }
    MeterState& State() { return channel.Meter().State(); }

    // The lines once a whole poll cycle has been read.
    QStringList ReportAfterOneCycle()
    {
        if (!link.ActionConnectExecute("simulated meter")
            || !QTest::qWaitFor([this] { return cycleStarts == 2; }, 20000))
            return {};
        return ShortReportLines(readings, plc, Now);
    }
};

} // namespace

class TestShortReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void linesOfAPolledMeter()
    {
        ReportedMeter meter;
        meter.State().routes = {Route{3, 200117}, std::nullopt, Route{255, 16777215}, std::nullopt};

        QStringList expected{
            "Системное время\t15.03.2024 10:21:05",
            "\t",
            "Тип\tVelmar742.03",
            "Заводской номер\t104217",
            "Версия ПО\t2.5",
            "\t",
            "Дата / время\t15.03.2024 10:20:30",
            "Автопереход на летнее время\tда",
            "Тест часов\tOk",
            "\t",
            "Расчетный день\t1",
            "Расчетный час\t0",
            "Контрольная сумма тарифного расписания\t",
            "\t",
            "Время интегрирования пиковой мощности, мин.\t30",
            "\t",
            "Номер ДДМ\t5123",
            "Режим тарификации ДДМ\tавто",
            "Статус баланса ДДМ\tДДМ > ББ",
            "Последний сеанс ДДМ\t15.03.2024 10:10:30",
            "\t",
            "Время работы\t1095д.17:00:00",
            "Счетчик коррекций\t3",
            "Текущий тариф\t3",
            "\t",
            "Текущая мощность, Вт\t480",
            "\t",
            "1 тариф (текущие)\t1234,567",
            "1 тариф (РДЧ)\t1180,250",
            "2 тариф (текущие)\t567,891",
            "2 тариф (РДЧ)\t541,500",
        };
        for (int tariff = 3; tariff <= 8; ++tariff)
            expected << QString("%1 тариф (текущие)\t0,000").arg(tariff)
                     << QString("%1 тариф (РДЧ)\t0,000").arg(tariff);
        expected << "\t"
                 << "Пиковая мощность, Вт (текущие)\t2350"
                 << "Пиковая мощность, Вт (РДЧ)\t3120"
                 << "Время фиксации (текущие)\t15.03.2024 09:20:30"
                 << "Время фиксации (РДЧ)\t01.03.2024"
                 << "\t"
                 << "Индикатор\t"
                 << "\tСуммарное потребление"
                 << "\tМощность"
                 << "\t"
                 << "Группа : \t1"
                 << "Адрес : \t17"
                 << "3\t200117"
                 << "255\t16777215";
        QCOMPARE(meter.ReportAfterOneCycle(), expected);
    }

    // The workstation's clock always names its time, even in the first
    // second of a day; only the meter's own stamps show a midnight as a
    // date alone.
    void systemTimeNamesItsTime_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("line");

        const QDate day(2024, 3, 15);
        QTest::newRow("fraction dropped")
            << QDateTime(day, QTime(10, 21, 5, 999)) << "Системное время\t15.03.2024 10:21:05";
        QTest::newRow("midnight") << QDateTime(day, QTime(0, 0)) << "Системное время\t15.03.2024 00:00:00";
        QTest::newRow("within the first second")
            << QDateTime(day, QTime(0, 0, 0, 500)) << "Системное время\t15.03.2024 00:00:00";
    }
    void systemTimeNamesItsTime()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, line);
        ReportedMeter meter;
        QCOMPARE(ShortReportLines(meter.readings, meter.plc, now).value(0), line);
    }

    void aMeterWithoutRoutesEndsWithTheAddress()
    {
        ReportedMeter meter;
        meter.State().routes = {};
        const QStringList report = meter.ReportAfterOneCycle();
        QCOMPARE(report.mid(report.size() - 3), (QStringList{"\t", "Группа : \t1", "Адрес : \t17"}));
    }

    void aReadingNotYetPolledHasAnEmptyValue()
    {
        ReportedMeter meter;
        meter.channel.Meter().InjectFault(Fault(FaultKind::NoAnswer).OnlyFor(ReadReadings));
        const QStringList report = meter.ReportAfterOneCycle();
        QVERIFY(report.contains("1 тариф (текущие)\t"));
        QVERIFY(report.contains("1 тариф (РДЧ)\t1180,250"));
    }

    // An earlier, longer report is replaced, not overwritten in part.
    void savesWindows1251LinesEndedByCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("report.txt");
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write(QByteArray(500, 'x'));
        earlier.close();

        QString error;
        QVERIFY(SaveShortReport(path, {"Системное время\t15.03.2024 10:21:05", "\t", "Адрес : \t17"}, &error));

        QCOMPARE(Windows1251Text(path),
            QString("Системное время\t15.03.2024 10:21:05\r\n\t\r\nАдрес : \t17\r\n"));
    }

    void aFailedSaveSaysWhy()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("missing/report.txt");
        QString error;
        QVERIFY(!SaveShortReport(path, {"\t"}, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestShortReport)
#include "tst_short_report.moc"
