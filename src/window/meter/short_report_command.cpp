#include "window/meter/short_report_command.h"

#include "meter/short_report.h"
#include "workstation/dialogs.h"
#include "workstation/workstation_clock.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QUrl>

void ActionTxtExecute(Dialogs& dialogs, const MeterReadings& readings, const PlcParameters& plc)
{
    const QString path = dialogs.AskSaveFile(QStringLiteral("Текстовые файлы (*.txt)"), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    QString error;
    if (!SaveShortReport(path, ShortReportLines(readings, plc, WorkstationClock::Now()), &error)) {
        dialogs.ShowError(error);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
