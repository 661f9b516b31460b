#pragma once
// Everything MeterReadings shows, as "caption: text" lines (ListAddi's with
// the column in brackets, ticked indicator items under "Индикатор"), so a
// test states the whole picture and a value in a wrong row shows up.

#include "meter/meter_readings.h"

#include <QStringList>

inline QStringList Shown(const MeterReadings& readings)
{
    QStringList lines;
    for (int row = 0; row < MeterReadings::MainRows; ++row)
        if (!readings.Main(row).isEmpty())
            lines << MeterReadings::MainCaptions()[row] + ": " + readings.Main(row);
    for (int row = 0; row < MeterReadings::AddiRows; ++row)
        for (const int column : {MeterReadings::Current, MeterReadings::Settlement})
            if (!readings.Addi(row, column).isEmpty())
                lines << MeterReadings::AddiCaptions()[row] + " (" + MeterReadings::AddiColumns()[column]
                        + "): " + readings.Addi(row, column);
    for (int item = 0; item < MeterReadings::IndicatorItems; ++item)
        if (readings.Indicator(item))
            lines << "Индикатор: " + MeterReadings::IndicatorCaptions()[item];
    return lines;
}
