#include "schedule/tariff_colors.h"

#include <QSettings>
#include <algorithm>

namespace {

const std::array<quint32, TariffCount> Defaults = {
    WinColor(255, 251, 240), WinColor(166, 202, 240), WinColor(255, 140, 26), WinColor(160, 160, 164),
    WinColor(255, 255, 0),   WinColor(134, 255, 134), WinColor(0, 128, 128),  WinColor(255, 128, 255),
};

QString ColorKey(int tariff)
{
    return QStringLiteral("Color%1").arg(tariff);
}

} // namespace

quint32 DefaultTariffColor(int tariff)
{
    return Defaults.at(tariff - 1);
}

std::unique_ptr<QSettings> TariffColors::OpenStore()
{
    auto store = std::make_unique<QSettings>(QSettings::SystemScope, QStringLiteral("Velmarco"),
                                             QStringLiteral("Schedule"));
    store->setFallbacksEnabled(false);
    return store;
}

TariffColors::TariffColors(QSettings* store)
    : store_(store)
{
    if (!store_)
        return;
    for (int tariff = 1; tariff <= TariffCount; ++tariff) {
        bool ok = false;
        // A value that is no colour is as good as absent; the byte above
        // blue is not part of a colour.
        const uint value = store_->value(ColorKey(tariff)).toUInt(&ok);
        if (ok)
            remembered_[tariff - 1] = value & 0xFFFFFFu;
    }
}

quint32 TariffColors::Color(int tariff) const
{
    const bool anyRemembered = std::any_of(remembered_.begin(), remembered_.end(), [](quint32 c) { return c != 0; });
    return anyRemembered ? remembered_.at(tariff - 1) : DefaultTariffColor(tariff);
}

bool TariffColors::Choose(int tariff, quint32 color)
{
    std::array<quint32, TariffCount> shown{};
    for (int n = 1; n <= TariffCount; ++n)
        shown[n - 1] = n == tariff ? color & 0xFFFFFFu : Color(n);
    remembered_ = shown;
    if (!store_ || !store_->isWritable())
        return false;
    for (int n = 1; n <= TariffCount; ++n)
        store_->setValue(ColorKey(n), remembered_[n - 1]);
    store_->sync();
    return store_->status() == QSettings::NoError;
}
