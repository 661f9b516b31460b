#include "meter/value_formats.h"

#include "meter/meter_time_stamp.h"
#include "protocol/meter_calendar.h"

#include <QDate>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <cmath>

namespace {

constexpr int ReadingDigits = 8;
constexpr int ReadingDecimals = 3;
constexpr int MantissaBits = 23;
constexpr quint32 MantissaMask = (1u << MantissaBits) - 1;
constexpr quint32 SignBit = 1u << MantissaBits;
constexpr int ExponentBias = 127;

QString TwoDigits(quint32 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The meter keeps no time zone, and the workstation's long time format as
// operators know it has none: Qt's zone field is left out.
QString LongTimeFormatWithoutZone(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.trimmed();
}

// Digits before the decimal point once the value is rounded to the
// significant digits (99999999.7 has nine: it rounds up to 100000000).
int IntegerDigits(double value, int significantDigits)
{
    const QString scientific = QString::number(value, 'e', significantDigits - 1);
    const int exponent = scientific.mid(scientific.indexOf(QLatin1Char('e')) + 1).toInt();
    return std::max(exponent + 1, 0);
}

} // namespace

double DecodeMeterReal(quint32 word)
{
    if (word == 0)
        return 0.0;
    const double mantissa = 1.0 + double(word & MantissaMask) / double(1u << MantissaBits);
    const double value = std::ldexp(mantissa, int(word >> 24) - ExponentBias);
    return (word & SignBit) ? -value : value;
}

QString FormatOperatingTime(quint32 seconds)
{
    const quint32 days = seconds / SecondsPerDay;
    const QString time = TwoDigits(seconds % SecondsPerDay / 3600) + ':' + TwoDigits(seconds % 3600 / 60) + ':'
        + TwoDigits(seconds % 60);
    return days > 0 ? QString::number(days) + QStringLiteral("д.") + time : time;
}

QString WorkstationDateTimeText(const QDate& date, const QTime& time)
{
    const QLocale locale;
    return locale.toString(date, QLocale::ShortFormat) + QLatin1Char(' ')
        + locale.toString(time, LongTimeFormatWithoutZone(locale));
}

QString MeterDateTimeText(qint64 seconds)
{
    const auto [date, time] = MeterCalendar(seconds);
    if (time.msecsSinceStartOfDay() == 0)
        return QLocale().toString(date, QLocale::ShortFormat);
    return WorkstationDateTimeText(date, time);
}

QString FixedText(double value, int significantDigits, int decimals)
{
    // What rounds to zero is shown without a sign.
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0.0;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const int integerDigits = IntegerDigits(value, significantDigits);
    if (integerDigits > significantDigits)
        return locale.toString(value, 'e', significantDigits - 1);
    const int shown = std::min(decimals, significantDigits - integerDigits);
    QString text = locale.toString(value, 'f', shown);
    if (shown == 0)
        text += locale.decimalPoint();
    return text + QString(decimals - shown, QLatin1Char('0'));
}

QString RealText(double value)
{
    return FixedText(value, ReadingDigits, ReadingDecimals);
}
