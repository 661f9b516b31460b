#pragma once
// Tables shaped like the two journals as the views show them, with numbers
// written in the default locale's decimal separator.

#include "journals/text_grid.h"
#include "meter/value_formats.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

const QStringList YearCaptions{"месяц", "пик.мощн.", "дата пик.", "время пик.", "1 тариф", "2 тариф", "3 тариф",
    "4 тариф", "5 тариф", "6 тариф", "7 тариф", "8 тариф", "наработка"};
const QStringList MonthCaptions{
    "янв.", "фев.", "март", "апр.", "май", "июнь", "июль", "авг.", "сент.", "окт.", "нояб.", "дек."};
const QStringList DiaryCaptions{"Запись №", "Время", "Статус", "Тариф", "Показания", "Наработка"};

// With three decimals, as the views show readings.
inline QString Reading(double value)
{
    return QString::number(value, 'f', 3).replace(QLatin1Char('.'), QLocale().decimalPoint());
}

// The reading of month m (from 0) in tariff t (from 0) and the month's
// peak power: distinct per cell, so a value in the wrong place shows.
inline double YearReading(int month, int tariff)
{
    return 1000.0 * (tariff + 1) + month + 0.125;
}

inline int YearPeak(int month)
{
    return 500 + month;
}

inline TextGrid YearGrid()
{
    TextGrid grid{{YearCaptions}};
    for (int month = 0; month < 12; ++month) {
        QStringList row{QStringLiteral("%1 %2").arg(month + 1, 2, 10, QLatin1Char('0')).arg(MonthCaptions[month]),
            QString::number(YearPeak(month)), QStringLiteral("05.%1.24").arg(month + 1, 2, 10, QLatin1Char('0')),
            "12:30:00"};
        for (int tariff = 0; tariff < 8; ++tariff)
            row << Reading(YearReading(month, tariff));
        row << QStringLiteral("%1д. 01:02:03").arg(month);
        grid.rows << row;
    }
    return grid;
}

// The yearly journal with every cell as wide as the meter's values can
// make it: a reading in exponent form, the largest peak power and
// operating time, a four-digit year where the workstation writes one.
inline TextGrid WidestYearGrid()
{
    TextGrid grid{{YearCaptions}};
    for (int month = 0; month < 12; ++month) {
        QStringList row{QStringLiteral("FF ") + MonthCaptions[month], QString::number(0xFFFFFF),
            QLocale().toString(QDate(2099, 12, 31), QLocale::ShortFormat), "23:59:59"};
        for (int tariff = 0; tariff < 8; ++tariff)
            row << RealText(-3.4028235e38);
        row << FormatOperatingTime(0xFFFFFFFF);
        grid.rows << row;
    }
    return grid;
}

// Record k's reading; its number is k + 1.
inline double DiaryReading(int record)
{
    return 20000.0 + record * 1.5;
}

// One row per record, as ListToGrid makes the consumption list.
inline TextGrid DiaryGrid(int records)
{
    TextGrid grid{{DiaryCaptions}};
    for (int k = 0; k < records; ++k)
        grid.rows << QStringList{QString::number(k + 1), "01.03.24 10:15:00", QString::number(k % 256),
            k % 3 == 0 ? "однот." : QString::number(k % 8 + 1), Reading(DiaryReading(k)), "2д. 03:04:05"};
    return grid;
}
