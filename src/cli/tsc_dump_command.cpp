#include "cli/schedule_commands.h"

#include "cli/exit_code.h"
#include "schedule/schedule_document.h"
#include "schedule/schedule_files.h"
#include "schedule/schedule_names.h"

#include <QTextStream>

namespace {

QString Hex(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString LoadScheduleFile(const QString& path, ScheduleDocument& schedule)
{
    const QString reason = LoadTscFile(path, schedule);
    return reason.isEmpty() ? QString() : path + QStringLiteral(": ") + reason;
}

int RunTscDump(const QString& path)
{
    // Read through the station's own schedule, so what is shown is what
    // the station would edit and write, stored zero coefficient included.
    ScheduleDocument schedule;
    if (const QString reason = LoadScheduleFile(path, schedule); !reason.isEmpty()) {
        QTextStream(stderr) << reason << Qt::endl;
        return Exit::Failed;
    }
    const ScheduleModel& model = schedule.Model();
    QTextStream out(stdout);
    for (const Holiday& holiday : model.Holidays())
        out << "holiday\t" << DayMonthText(holiday.Day, holiday.Month) << '\n';
    for (const Transfer& transfer : model.Transfers())
        out << "transfer\t" << transfer.Date.toString(QStringLiteral("dd.MM.yyyy")) << '\t' << transfer.DayType << '\n';
    out << "coefficient\t" << model.LimitCoefficient() << '\n';
    for (const AList& record : model.SavedList())
        out << "record\t" << record.Time << '\t' << int(record.Tariff) << '\t' << int(record.Limit) << '\t'
            << int(record.LimitTariff) << '\t' << Hex(record.DayMask, 2) << '\t' << Hex(record.MonthMask, 4) << '\n';
    return Exit::Done;
}
