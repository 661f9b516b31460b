#include "cli/read_command.h"

#include "cli/cli_session.h"
#include "meter/meter_readings.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// The rows in the order and form of the short report, without its
// separator lines: ListMain, then ListAddi (the rows from the first tariff
// on once per column), then the ticked indicator items.
QStringList ReadingLines(const MeterReadings& readings)
{
    QStringList lines;
    const auto add = [&lines](const QString& caption, const QString& value) { lines << caption + '\t' + value; };
    const QStringList& main = MeterReadings::MainCaptions();
    for (int row = 0; row < MeterReadings::MainRows; ++row)
        if (!main[row].isEmpty())
            add(main[row], readings.Main(row));
    const QStringList& addi = MeterReadings::AddiCaptions();
    for (int row = 0; row < MeterReadings::AddiRows; ++row) {
        if (addi[row].isEmpty())
            continue;
        if (row < MeterReadings::FirstTariffRow) {
            add(addi[row], readings.Addi(row, MeterReadings::Current));
            continue;
        }
        for (const int column : {MeterReadings::Current, MeterReadings::Settlement})
            add(addi[row] + " (" + MeterReadings::AddiColumns()[column] + ")", readings.Addi(row, column));
    }
    add(QStringLiteral("Индикатор"), {});
    for (int item = 0; item < MeterReadings::IndicatorItems; ++item)
        if (readings.Indicator(item))
            add({}, MeterReadings::IndicatorCaptions()[item]);
    return lines;
}

} // namespace

int RunRead(CliSession& session)
{
    MeterLink& link = session.Link();
    MeterReadings readings;
    readings.Attach(link);
    // Without the number-editing mode the protocol carries failures only.
    link.Protocol().SetEnabled(true);

    QTextStream err(stderr);
    bool requestFailed = false;
    QObject::connect(&link.Protocol(), &ProtocolView::LineAppended, [&](const QString& line) {
        err << line << Qt::endl;
        requestFailed = true;
    });
    // The connection's own version request comes first; the cycle is whole
    // when its first step is queued for the second time.
    int cycleStarts = 0;
    bool whole = false;
    QObject::connect(&link, &MeterLink::PollStepQueued, [&](int step) {
        if (step == 0 && ++cycleStarts == 2) {
            whole = true;
            QCoreApplication::quit();
        }
    });
    bool lost = false;
    QObject::connect(&link, &MeterLink::LinkLost, [&] {
        lost = true;
        err << "The meter does not answer." << Qt::endl;
        QCoreApplication::exit(1);
    });

    if (!session.Connect())
        return 1;
    QCoreApplication::exec();
    link.ActionDisconnectExecute();
    if (lost || !whole)
        return 1;
    QTextStream out(stdout);
    for (const QString& line : ReadingLines(readings))
        out << line << '\n';
    out.flush();
    return requestFailed ? 1 : 0;
}
