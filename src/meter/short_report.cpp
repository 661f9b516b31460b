#include "meter/short_report.h"

#include "workstation/file_writes.h"
#include "meter/meter_readings.h"
#include "meter/plc_parameters.h"
#include "meter/value_formats.h"
#include "protocol/windows_1251.h"

#include <QDir>

namespace {

constexpr int Tariffs = 8;
const QString LineEnd = QStringLiteral("\r\n");

// AddReportLine: name TAB value; a separator leaves both empty.
class ReportLines {
public:
    void Add(const QString& name, const QString& value) { lines_ << name + '\t' + value; }
    void AddSeparator() { Add({}, {}); }
    // A row of ListAddi once per value column, the column named in brackets.
    void AddBothColumns(const MeterReadings& readings, int row)
    {
        for (const int column : {MeterReadings::Current, MeterReadings::Settlement})
            Add(MeterReadings::AddiCaptions()[row] + " (" + MeterReadings::AddiColumns()[column] + ')',
                readings.Addi(row, column));
    }
    QStringList Lines() const { return lines_; }

private:
    QStringList lines_;
};

} // namespace

QStringList ShortReportLines(const MeterReadings& readings, const PlcParameters& plc, const QDateTime& now)
{
    ReportLines report;
    report.Add(QStringLiteral("Системное время"), WorkstationDateTimeText(now.date(), now.time()));
    report.AddSeparator();
    for (int row = 0; row < MeterReadings::MainRows; ++row)
        report.Add(MeterReadings::MainCaptions()[row], readings.Main(row));
    report.AddSeparator();
    for (int row = 0; row < MeterReadings::FirstTariffRow; ++row)
        report.Add(MeterReadings::AddiCaptions()[row], readings.Addi(row, MeterReadings::Current));
    for (int row = MeterReadings::FirstTariffRow; row < MeterReadings::FirstTariffRow + Tariffs; ++row)
        report.AddBothColumns(readings, row);
    report.AddSeparator();
    report.AddBothColumns(readings, MeterReadings::PeakPowerRow);
    report.AddBothColumns(readings, MeterReadings::PeakTimeRow);
    report.AddSeparator();
    report.Add(QStringLiteral("Индикатор"), {});
    for (int item = 0; item < MeterReadings::IndicatorItems; ++item)
        if (readings.Indicator(item))
            report.Add({}, MeterReadings::IndicatorCaptions()[item]);
    report.AddSeparator();
    // The captions of the labels of EditGroup and EditAddress.
    report.Add(QStringLiteral("Группа : "), plc.Group());
    report.Add(QStringLiteral("Адрес : "), plc.Address());
    for (int route = 0; route < PlcParameters::Routes; ++route)
        if (!plc.RouteAddress(route).isEmpty())
            report.Add(plc.RouteAddress(route), plc.RouteNumber(route));
    return report.Lines();
}

bool SaveShortReport(const QString& path, const QStringList& lines, QString* error)
{
    QString text;
    for (const QString& line : lines)
        text += line + LineEnd;
    const QString reason = SaveWholeFile(path, ToWindows1251(text));
    if (reason.isEmpty())
        return true;
    if (error)
        *error = QStringLiteral("Не удалось сохранить файл %1: %2").arg(QDir::toNativeSeparators(path), reason);
    return false;
}
