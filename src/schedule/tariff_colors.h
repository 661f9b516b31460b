#pragma once
// The colour of each tariff, shared by the two radio buttons of its number
// and the day bar. Colours are Windows colour values (blue x 65536 +
// green x 256 + red), the form the machine-wide store "Velmarco/Schedule"
// keeps them in as "Color1" .. "Color8".

#include "protocol/meter_tariffs.h"

#include <QtGlobal>
#include <array>
#include <memory>

class QSettings;

constexpr quint32 WinColor(int red, int green, int blue)
{
    return quint32(red) | quint32(green) << 8 | quint32(blue) << 16;
}

// The colour tariff 1..8 has before anything is remembered.
quint32 DefaultTariffColor(int tariff);

class TariffColors {
public:
    // The machine-wide store, without fallbacks. On Windows it is the
    // registry key HKEY_LOCAL_MACHINE\SOFTWARE\Velmarco\Schedule; elsewhere
    // the system-wide settings file, which an operator usually may read but
    // not write.
    static std::unique_ptr<QSettings> OpenStore();

    // Reads what the store remembers; a null store remembers nothing.
    explicit TariffColors(QSettings* store);

    // As soon as any colour is remembered, all eight come from memory: an
    // entry of 0 is black.
    quint32 Color(int tariff) const;
    // Gives the tariff its colour and remembers all eight as now shown.
    // False when the store cannot keep them: they then last for the run.
    bool Choose(int tariff, quint32 color);

private:
    QSettings* store_;
    std::array<quint32, TariffCount> remembered_{};
};
