#include "journals/journal_decoders.h"

#include "meter/response_fields.h"
#include "meter/tariff_caption.h"
#include "meter/value_formats.h"
#include "protocol/meter_calendar.h"
#include "protocol/meter_tariffs.h"

#include <QDateTime>
#include <QLocale>

namespace {

constexpr int YearRecordLength = 47;
constexpr int DiaryRecordLength = 18;

// Byte offsets in the whole frame.
namespace Year {
constexpr int Index = 2;
constexpr int CaptionPrefix = 3;
constexpr int FirstReading = 4;
constexpr int PeakStamp = 36;
constexpr int PeakPower = 40;
constexpr int OperatingTime = 43;
} // namespace Year

namespace Diary {
constexpr int Number = 3;
constexpr int Stamp = 4;
constexpr int Tariff = 8;
constexpr int Reading = 9;
constexpr int Status = 13;
constexpr int OperatingTime = 14;
} // namespace Diary

// The meter keeps no time zone: its stamps count seconds of a calendar
// without daylight-saving jumps, which UTC has.
QDateTime MeterStamp(qint32 seconds)
{
    static const QDateTime epoch(MeterEpoch(), QTime(0, 0), Qt::UTC);
    return epoch.addSecs(seconds);
}

QString ReadingText(const ResponseFields& fields, int position)
{
    return RealText(DecodeMeterReal(fields.U32(position)));
}

QStringList FullYearRow(const ResponseFields& fields, int month, quint16 versionWord)
{
    const QDateTime peak = MeterStamp(fields.I32(Year::PeakStamp));
    const QString dateText = QLocale().toString(peak.date(), QLocale::ShortFormat);
    // The workstation's long time format without its zone field, as the
    // station writes every meter stamp: what follows the date and a blank.
    const QString timeText = WorkstationDateTimeText(peak.date(), peak.time()).mid(dateText.size() + 1);
    QStringList cells{
        QStringLiteral("%1").arg(fields.Byte(Year::CaptionPrefix), 2, 16, QLatin1Char('0')).toUpper()
            + QLatin1Char(' ') + YearGridMonthCaptions()[month],
        QString::number(fields.U24(Year::PeakPower)),
        dateText,
        timeText,
    };
    for (int tariff = 0; tariff < TariffCount; ++tariff)
        cells << ReadingText(fields, Year::FirstReading + 4 * tariff);
    cells << (versionWord >= OperatingTimeVersion ? FormatOperatingTime(fields.U32(Year::OperatingTime)) : QString());
    return cells;
}

} // namespace

const QStringList& YearGridColumnCaptions()
{
    static const QStringList captions = [] {
        QStringList list{
            QStringLiteral("месяц"),
            QStringLiteral("пик.мощн."),
            QStringLiteral("дата пик."),
            QStringLiteral("время пик."),
        };
        for (int tariff = 1; tariff <= TariffCount; ++tariff)
            list << TariffCaption(tariff);
        list << QStringLiteral("наработка");
        return list;
    }();
    return captions;
}

const QStringList& YearGridMonthCaptions()
{
    static const QStringList captions{
        QStringLiteral("янв."),
        QStringLiteral("фев."),
        QStringLiteral("март"),
        QStringLiteral("апр."),
        QStringLiteral("май"),
        QStringLiteral("июнь"),
        QStringLiteral("июль"),
        QStringLiteral("авг."),
        QStringLiteral("сент."),
        QStringLiteral("окт."),
        QStringLiteral("нояб."),
        QStringLiteral("дек."),
    };
    return captions;
}

std::optional<int> JournalIndexOf(const QByteArray& response)
{
    const ResponseFields fields(response);
    if (!fields.Holds(Year::Index))
        return std::nullopt;
    return fields.Byte(Year::Index);
}

std::optional<YearJournalRow> YearJournalRowOf(const QByteArray& response, quint16 versionWord)
{
    const std::optional<int> month = JournalIndexOf(response);
    if (!month || *month >= YearGridMonthCaptions().size())
        return std::nullopt;
    const ResponseFields fields(response);
    if (!fields.HasLength(YearRecordLength))
        return YearJournalRow{*month + 1, {YearGridMonthCaptions()[*month]}};
    return YearJournalRow{*month + 1, FullYearRow(fields, *month, versionWord)};
}

bool HasInvalidMonth(const QByteArray& response)
{
    return ResponseFields(response).HasLength(YearRecordLength)
        && quint8(response[2]) >= YearGridMonthCaptions().size();
}

std::optional<QStringList> DiaryRowOf(const QByteArray& response)
{
    const ResponseFields fields(response);
    if (!fields.HasLength(DiaryRecordLength))
        return std::nullopt;
    const quint8 tariff = fields.Byte(Diary::Tariff);
    return QStringList{
        QString::number(fields.Byte(Diary::Number)),
        MeterStamp(fields.I32(Diary::Stamp)).toString(QStringLiteral("dd.MM.yy hh:mm:ss")),
        QString::number(fields.Byte(Diary::Status)),
        tariff == 0 ? QStringLiteral("однот.") : QString::number(tariff),
        ReadingText(fields, Diary::Reading),
        FormatOperatingTime(fields.U32(Diary::OperatingTime)),
    };
}
