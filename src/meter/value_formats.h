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

// Rounded to 8 significant digits, fixed-point with 3 decimals (places
// beyond the 8 digits written as 0); exponent notation from 9 integer
// digits on.
QString RealText(double value);
