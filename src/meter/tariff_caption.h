#pragma once
// What the station's tables call a tariff's reading: "1 тариф" .. "8 тариф".

#include <QString>

inline QString TariffCaption(int tariff)
{
    return QString::number(tariff) + QStringLiteral(" тариф");
}
