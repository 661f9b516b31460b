#pragma once
// The meter's value formats, shown in the workstation's own formats (short
// date, long time, decimal separator of the default QLocale).

#include <QDate>
#include <QString>
#include <QTime>

// The meter's 32-bit real: top byte the exponent biased by 127, bit 23 the
// sign, the low 23 bits the mantissa's fraction; 0 is 0.
double DecodeMeterReal(quint32 word);

// Seconds as hh:mm:ss, preceded by the days and "д." from one day on.
QString FormatOperatingTime(quint32 seconds);

// The date, a blank and the time in the workstation's short date and long
// time format, whole seconds: how the workstation's own clock is stamped,
// midnight included.
QString WorkstationDateTimeText(const QDate& date, const QTime& time);

// A meter time stamp (seconds since 2000-01-01 00:00:00, negative before
// it) as the workstation's stamps are written; at exactly midnight the
// date alone.
QString MeterDateTimeText(qint64 seconds);

// Rounded to the significant digits, fixed-point with the decimals (places
// beyond the significant digits written as 0); exponent notation when
// there are more integer digits than significant ones.
QString FixedText(double value, int significantDigits, int decimals);

// A reading: 8 significant digits, 3 decimals.
QString RealText(double value);
